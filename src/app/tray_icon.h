// The program's icon in the notification area: a double-click (or, where the desktop reports
// single activations only, a click) asks for the panel; its menu offers "Open Panel" and
// "Exit".
#pragma once

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>

namespace rpanel {

class TrayIcon final : public QObject {
    Q_OBJECT

public:
    TrayIcon();

    void Show() { icon_.show(); }
    void Remove() { icon_.hide(); }

    // For the tests, which emit the icon's activations and open its menu themselves.
    QSystemTrayIcon& Icon() { return icon_; }
    QMenu& Menu() { return menu_; }

signals:
    void openPanelRequested();
    void exitRequested();

private:
    void OnActivated(QSystemTrayIcon::ActivationReason reason);
    void RebuildMenu();

    QMenu menu_;  // outlives the icon that refers to it
    QSystemTrayIcon icon_;
};

}  // namespace rpanel
