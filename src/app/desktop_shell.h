// The running program. With a notification area: the icon, and the main window behind it,
// hidden until asked for. Without one (many Linux desktops): the main window alone, opened at
// start; closing it, or declining to retry the printer, ends the program, so that it never
// runs on unseen.
#pragma once

#include <QObject>
#include <memory>

#include "app/main_window.h"
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

signals:
    // The program is done; the event loop should end with this code.
    void finished(int exitCode);

private:
    void Exit();

    AppState& state_;
    MainWindow window_;
    std::unique_ptr<TrayIcon> tray_;
};

}  // namespace rpanel
