// rpanel: the remote panel on the desktop, in the notification area.
#include <QApplication>
#include <QSystemTrayIcon>
#include <QTimer>
#include <chrono>
#include <iostream>
#include <string>
#include <vector>

#include "app/desktop_notifier.h"
#include "app/desktop_options.h"
#include "app/desktop_pages.h"
#include "app/desktop_shell.h"
#include "app/program_icon.h"
#include "app/single_instance.h"
#include "app/watch_settings.h"
#include "core/app_state.h"
#include "core/string_table.h"
#include "link/device_session.h"
#include "link/plug_events.h"
#include "link/selected/selected_platform.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitNoDisplay = 1;
constexpr int kExitUsage = 2;

// The program's name where a window manager shows one for a window without a title of its
// own: the message boxes, whose title is empty.
constexpr char kProgramName[] = "Remote Panel";

// Without a display Qt ends the process with an abort and a hint to reinstall. Whether there
// is one is known from the environment, before Qt is started: a platform asked for by name, or
// an X11 or Wayland display.
bool HasDisplay() {
#ifdef _WIN32
    return true;
#else
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#endif
}

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
    if (!HasDisplay()) {
        std::cerr << "rpanel: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); "
                     "rpanelctl works without one\n";
        return kExitNoDisplay;
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
    platform->Platform().SetTransferTimeout(std::chrono::milliseconds(options.timeoutMs));

    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QLatin1String(kProgramName));
    // Lets the desktop match the window with the menu entry installed beside the program.
    QGuiApplication::setDesktopFileName("org.remotepanel.RemotePanel");
    QApplication::setWindowIcon(ProgramIcon());
    // Closing the window only hides it; the shell says when the program is done.
    QApplication::setQuitOnLastWindowClosed(false);

    DeviceSession session(platform->Platform());
    AppState state;
    DesktopShell shell(state, DesktopPages(), QSystemTrayIcon::isSystemTrayAvailable());
    QObject::connect(&shell, &DesktopShell::finished, &app, &QCoreApplication::exit);
    session.commandBusy = [&shell](bool busy) { shell.SetCommandBusy(busy); };
    const auto settings = OpenProgramSettings();
    std::unique_ptr<DesktopNotifier> notifier;
    if (shell.Tray() != nullptr) {
        notifier = std::make_unique<DesktopNotifier>(shell.Tray()->Icon());
        QObject::connect(notifier.get(), &DesktopNotifier::openPanelRequested, &shell.Window(),
                         &MainWindow::OpenPanel);
        shell.EnableWatching(*settings, options.watchInterval, *notifier);
    }
    // Plug events come on libusb's thread; the shell takes them on its own.
    const auto plugs =
        platform->Simulated() != nullptr || shell.Tray() == nullptr
            ? nullptr
            : WatchPrinterPlugs([&shell](PlugChange) {
                  QMetaObject::invokeMethod(
                      &shell, [&shell] { shell.DeviceChanged(); }, Qt::QueuedConnection);
              });
    shell.Start();
    if (options.quitAfterStart) {
        // Queued behind the start and then behind the events it posted, the window's
        // painting among them.
        QTimer::singleShot(0, &app, [] { QTimer::singleShot(0, &QCoreApplication::quit); });
    }
    return app.exec();
}
