#include "app/desktop_shell.h"

#include <QApplication>
#include <QTimer>
#include <algorithm>

#include "app/watch_settings.h"
#include "core/string_ids.h"
#include "gui/window_text.h"
#include "link/platform.h"
#include "link/printer_link.h"

namespace rpanel {

DesktopShell::DesktopShell(AppState& state, PageFactory pages, bool withTray)
    : state_(state), window_(state, std::move(pages)) {
    if (withTray) {
        tray_ = std::make_unique<TrayIcon>();
        connect(tray_.get(), &TrayIcon::openPanelRequested, this,
                &DesktopShell::OpenPanelUnlessBusy);
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

void DesktopShell::OpenPanelUnlessBusy() {
    if (!busy_) {
        window_.OpenPanel();
    }
}

void DesktopShell::SetCommandBusy(bool busy) {
    if (busy == busy_) {
        return;
    }
    busy_ = busy;
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void DesktopShell::EnableWatching(QSettings& settings, std::optional<int> intervalSeconds,
                                  Notifier& notifier) {
    if (!tray_) {
        return;
    }
    notifier_ = &notifier;
    const WatchSettings saved = LoadWatchSettings(settings);
    watcher_ = std::make_unique<PrinterWatcher>(intervalSeconds.value_or(saved.intervalSeconds));
    connect(watcher_.get(), &PrinterWatcher::readingChanged, this, &DesktopShell::ShowReading);
    connect(tray_.get(), &TrayIcon::watchToggled, this, [this, &settings](bool on) {
        tray_->SetWatching(on);
        watcher_->SetWatching(on);
        // The interval saved stays the file's own, whatever this run was told.
        WatchSettings changed = LoadWatchSettings(settings);
        changed.watch = on;
        SaveWatchSettings(settings, changed);
    });
    tray_->SetWatching(saved.watch);
    watcher_->SetWatching(saved.watch);
}

void DesktopShell::DeviceChanged() {
    if (watcher_ && watcher_->Watching()) {
        watcher_->RoundNow();
    } else if (tray_) {
        // Not watched, the printer is not asked: whether it is attached is what the system
        // lists. No round runs meanwhile, so the window's thread has the platform to itself.
        const auto devices = ListPrinterClassDevices(kPrinterHardwareId);
        tray_->ShowAttached(std::ranges::any_of(devices, &DiscoveredDevice::matches));
    }
}

void DesktopShell::ShowReading(const std::vector<StatusCode>& newAlerts) {
    tray_->ShowReading(watcher_->Reading());
    for (const StatusCode& code : newAlerts) {
        notifier_->Notify(TextById(text::kMainWindowTitle), AlertText(code));
    }
}

void DesktopShell::Exit() {
    if (watcher_) {
        watcher_->SetWatching(false);
    }
    state_.panelOpen = 0;
    tray_->Remove();
    window_.hide();
    emit finished(0);
}

}  // namespace rpanel
