// rpanel: the remote panel on the desktop, in the notification area.
#include <QApplication>
#include <QSystemTrayIcon>
#include <QTimer>
#include <iostream>
#include <string>
#include <vector>

#include "app/desktop_options.h"
#include "app/desktop_pages.h"
#include "app/desktop_shell.h"
#include "app/program_icon.h"
#include "app/single_instance.h"
#include "core/app_state.h"
#include "core/string_table.h"
#include "link/device_session.h"
#include "link/selected/selected_platform.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitUsage = 2;

}  // namespace

int main(int argc, char** argv) {
    using namespace rpanel;

    const std::vector<std::string> args(argv + 1, argv + argc);
    DesktopOptions options;
    if (const auto complaint = ParseDesktopOptions(args, &options)) {
        std::cerr << "rpanel: " << *complaint << "\nTry 'rpanel --help' for more information.\n";
        return kExitUsage;
    }
    if (options.help) {
        PrintDesktopUsage(std::cout);
        return kExitOk;
    }
    if (options.version) {
        std::cout << VersionLine("rpanel") << '\n';
        return kExitOk;
    }

    // A second start ends here, silently, before it puts up a second icon.
    SingleInstance instance;
    switch (instance.Acquire()) {
        case SingleInstance::Result::Acquired:
            break;
        case SingleInstance::Result::HeldElsewhere:
            return kExitOk;
        case SingleInstance::Result::Unavailable:
            std::cerr << "rpanel: cannot lock " << instance.LockPath().toStdString()
                      << "; a second start will not be stopped\n";
            break;
    }

    SelectLanguage(options.language.value_or(LanguageFromEnvironment()));

    std::string error;
    const auto platform = SelectedPlatform::Select(options.demo, options.scenario, &error);
    if (!platform) {
        std::cerr << "rpanel: " << error << '\n';
        return kExitUsage;
    }

    QApplication app(argc, argv);
    // Lets the desktop match the window with the menu entry installed beside the program.
    QGuiApplication::setDesktopFileName("org.remotepanel.RemotePanel");
    QApplication::setWindowIcon(ProgramIcon());
    // Closing the window only hides it; the shell says when the program is done.
    QApplication::setQuitOnLastWindowClosed(false);

    const DeviceSession session(platform->Platform());
    AppState state;
    DesktopShell shell(state, DesktopPages(), QSystemTrayIcon::isSystemTrayAvailable());
    QObject::connect(&shell, &DesktopShell::finished, &app, &QCoreApplication::exit);
    shell.Start();
    if (options.quitAfterStart) {
        // Queued behind the start and then behind the events it posted, the window's
        // painting among them.
        QTimer::singleShot(0, &app, [] { QTimer::singleShot(0, &QCoreApplication::quit); });
    }
    return app.exec();
}
