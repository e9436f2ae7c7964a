// The yardstick of the start-up measurement (startup.sh): a bare Qt Widgets window with two tab
// pages, the least a program with the panel's window does, ended the way
// `rpanel --quit-after-start` ends.
#include <QApplication>
#include <QLabel>
#include <QTabWidget>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTabWidget window;
    window.addTab(new QLabel(QStringLiteral("Panel")), QStringLiteral("Panel"));
    window.addTab(new QLabel(QStringLiteral("User Service")), QStringLiteral("User Service"));
    window.show();
    QTimer::singleShot(0, &app, [] { QTimer::singleShot(0, &QCoreApplication::quit); });
    return app.exec();
}
