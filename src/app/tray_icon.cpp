#include "app/tray_icon.h"

#include <QPainter>
#include <QPixmap>

#include "app/printer_watcher.h"
#include "app/program_icon.h"
#include "core/string_ids.h"
#include "gui/window_text.h"

namespace rpanel {
namespace {

constexpr char kToolTip[] = "Remote Panel Program";

// The program's icon with a dot in the corner in the colour of the state: green ready, amber
// attention, red error, grey not connected, and no dot while the state is unknown.
QIcon StateIcon(WatchState state) {
    const QIcon plain = ProgramIcon();
    QColor colour;
    switch (state) {
        case WatchState::Unknown:
            return plain;
        case WatchState::Ready:
            colour = QColor(0x2E, 0x9E, 0x3F);
            break;
        case WatchState::Warning:
            colour = QColor(0xF0, 0xA8, 0x00);
            break;
        case WatchState::Error:
            colour = QColor(0xD0, 0x20, 0x20);
            break;
        case WatchState::NotConnected:
            colour = QColor(0x80, 0x80, 0x80);
            break;
    }
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64}) {
        QPixmap pixmap = plain.pixmap(size, size);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::white, size / 16.0));
        painter.setBrush(colour);
        const double dot = size * 0.5;
        painter.drawEllipse(QRectF(size - dot, size - dot, dot, dot).adjusted(1, 1, -1, -1));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

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
    QAction* watch = menu_.addAction(TextById(text::kWatchPrinterStatus));
    watch->setCheckable(true);
    watch->setChecked(watching_);
    connect(watch, &QAction::toggled, this, &TrayIcon::watchToggled);
    menu_.addAction(TextById(text::kExit), this, &TrayIcon::exitRequested);
}

void TrayIcon::SetWatching(bool on) {
    watching_ = on;
    if (!on) {
        shown_.reset();
        icon_.setIcon(ProgramIcon());
        icon_.setToolTip(QString::fromLatin1(kToolTip));
    } else {
        ShowReading(std::nullopt);
    }
}

void TrayIcon::ShowAttached(bool attached) {
    if (watching_) {
        return;
    }
    shown_ = attached ? std::nullopt : std::optional(WatchState::NotConnected);
    icon_.setIcon(attached ? ProgramIcon() : StateIcon(WatchState::NotConnected));
}

void TrayIcon::ShowReading(const std::optional<WatchReading>& reading) {
    if (!watching_) {
        return;
    }
    const WatchState state = reading ? reading->state : WatchState::Unknown;
    if (shown_ != state) {
        icon_.setIcon(StateIcon(state));
        shown_ = state;
    }
    icon_.setToolTip(WatchToolTip(TextById(text::kMainWindowTitle), reading));
}

}  // namespace rpanel
