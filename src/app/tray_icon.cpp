#include "app/tray_icon.h"

#include "app/program_icon.h"
#include "core/string_ids.h"
#include "gui/window_text.h"

namespace rpanel {
namespace {

constexpr char kToolTip[] = "Remote Panel Program";

}  // namespace

TrayIcon::TrayIcon() : icon_(ProgramIcon()) {
    icon_.setToolTip(QString::fromLatin1(kToolTip));
    icon_.setContextMenu(&menu_);
    // The items are made afresh each time the menu opens.
    connect(&menu_, &QMenu::aboutToShow, this, &TrayIcon::RebuildMenu);
    connect(&icon_, &QSystemTrayIcon::activated, this, &TrayIcon::OnActivated);
}

void TrayIcon::OnActivated(QSystemTrayIcon::ActivationReason reason) {
    // Desktops that speak the StatusNotifier protocol report one activation and never a
    // double-click; the others report a double-click after the click that began it, and the
    // second request finds that click's opening done or still under way.
    if (reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::Trigger) {
        emit openPanelRequested();
    }
}

void TrayIcon::RebuildMenu() {
    menu_.clear();
    menu_.addAction(TextById(text::kOpenPanel), this, &TrayIcon::openPanelRequested);
    menu_.addAction(TextById(text::kExit), this, &TrayIcon::exitRequested);
}

}  // namespace rpanel
