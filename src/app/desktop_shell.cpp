#include "app/desktop_shell.h"

#include <QTimer>

namespace rpanel {

DesktopShell::DesktopShell(AppState& state, PageFactory pages, bool withTray)
    : state_(state), window_(state, std::move(pages)) {
    if (withTray) {
        tray_ = std::make_unique<TrayIcon>();
        connect(tray_.get(), &TrayIcon::openPanelRequested, &window_, &MainWindow::OpenPanel);
        connect(tray_.get(), &TrayIcon::exitRequested, this, &DesktopShell::Exit);
    } else {
        connect(&window_, &MainWindow::closed, this, [this] { emit finished(0); });
    }
}

void DesktopShell::Start() {
    if (tray_) {
        tray_->Show();
    } else {
        QTimer::singleShot(0, this, &DesktopShell::OpenAtStart);
    }
}

void DesktopShell::OpenAtStart() {
    window_.OpenPanel();
    if (state_.panelOpen == 0) {
        emit finished(0);
    }
}

void DesktopShell::Exit() {
    state_.panelOpen = 0;
    tray_->Remove();
    window_.hide();
    emit finished(0);
}

}  // namespace rpanel
