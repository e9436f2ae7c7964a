// The program's icon in the notification area: a double-click (or, where the desktop reports
// single activations only, a click) asks for the panel; its menu offers "Open Panel", the
// checkable "watch printer status" and "Exit". While the printer is watched, the icon and its
// tooltip show the printer's state (ready, attention, error, not connected, unknown).
#pragma once

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>
#include <optional>

#include "panel/printer_watch.h"

namespace rpanel {

class TrayIcon final : public QObject {
    Q_OBJECT

public:
    TrayIcon();

    void Show() { icon_.show(); }

    // Checks or unchecks the menu item; turning watching off brings back the plain icon and tip.
    void SetWatching(bool on);
    // The state of the last reading on the icon and the tooltip (while watching).
    void ShowReading(const std::optional<WatchReading>& reading);
    // While not watching: the plain icon for an attached printer, the not-connected one for a
    // printer that is gone; the tip stays the plain one.
    void ShowAttached(bool attached);
    // What the icon shows: nullopt for the plain icon of a printer not watched.
    std::optional<WatchState> StateShown() const { return shown_; }
    void Remove() { icon_.hide(); }

    // For the tests, which emit the icon's activations and open its menu themselves.
    QSystemTrayIcon& Icon() { return icon_; }
    QMenu& Menu() { return menu_; }

signals:
    void openPanelRequested();
    void exitRequested();
    void watchToggled(bool on);

private:
    void OnActivated(QSystemTrayIcon::ActivationReason reason);
    void RebuildMenu();

    bool watching_ = false;
    std::optional<WatchState> shown_;
    QMenu menu_;  // outlives the icon that refers to it
    QSystemTrayIcon icon_;
};

}  // namespace rpanel
