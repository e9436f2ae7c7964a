// The widget tests run in one QApplication, on the offscreen platform unless the environment
// names another (CTest lists the tests without the test environment).
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // Windows that the tests close are hidden, never the end of the run.
    QApplication::setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
