// The running program. With a notification area: the icon, and the main window behind it,
// hidden until asked for. Without one (many Linux desktops): the main window alone, opened at
// start; closing it, or declining to retry the printer, ends the program, so that it never
// runs on unseen.
#pragma once

#include <QObject>
#include <QSettings>
#include <memory>
#include <optional>

#include "app/main_window.h"
#include "app/printer_watcher.h"
#include "app/tray_icon.h"
#include "core/app_state.h"
#include "gui/tab_pages.h"

namespace rpanel {

class DesktopShell final : public QObject {
    Q_OBJECT

public:
    // state must outlive the shell.
    DesktopShell(AppState& state, PageFactory pages, bool withTray);

    // Puts the icon up, or (without one) has the panel opened once the event loop runs.
    void Start();

    MainWindow& Window() { return window_; }
    TrayIcon* Tray() { return tray_.get(); }  // null without a notification area

    // Without a notification area: what the event loop runs first.
    void OpenAtStart();

    // With a notification area only: the menu item "watch printer status", the watching it
    // turns on and off (as settings says; intervalSeconds, when given, for this run), the icon
    // and tooltip that show the printer's state, and a notification by notifier for each new
    // warning, error or service call. settings and notifier must outlive the shell.
    void EnableWatching(QSettings& settings, std::optional<int> intervalSeconds,
                        Notifier& notifier);
    PrinterWatcher* Watcher() { return watcher_.get(); }
    // A device event of the system: while watching, the printer is read again; otherwise the
    // icon shows whether the printer is attached, from the system's list, with no request.
    void DeviceChanged();

    // A command frame begins or ends on the window's thread: a busy cursor meanwhile, and the
    // tray's requests for the panel are not taken.
    void SetCommandBusy(bool busy);

signals:
    // The program is done; the event loop should end with this code.
    void finished(int exitCode);

private:
    void Exit();
    void OpenPanelUnlessBusy();
    void ShowReading(const std::vector<StatusCode>& newAlerts);

    AppState& state_;
    MainWindow window_;
    std::unique_ptr<TrayIcon> tray_;
    std::unique_ptr<PrinterWatcher> watcher_;
    Notifier* notifier_ = nullptr;
    bool busy_ = false;
};

}  // namespace rpanel
