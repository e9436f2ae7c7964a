// The yardstick of the start-up measurement (startup.sh): the least a Qt Widgets program does
// to show a window, ended the way `rpanel --quit-after-start` ends.
#include <QApplication>
#include <QPushButton>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QPushButton window(QStringLiteral("Close"));
    window.show();
    QTimer::singleShot(0, &app, [] { QTimer::singleShot(0, &QCoreApplication::quit); });
    return app.exec();
}
