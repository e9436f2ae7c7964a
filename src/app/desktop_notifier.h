// Notifications through the desktop's notification service (org.freedesktop.Notifications on
// the session bus), with a default action that opens the panel. Where no service answers, the
// tray icon's own balloon says it instead.
#pragma once

#include <QObject>
#include <QSystemTrayIcon>

#include "app/printer_watcher.h"

namespace rpanel {

class DesktopNotifier final : public QObject, public Notifier {
    Q_OBJECT

public:
    // icon shows the fallback message; it must outlive the notifier.
    explicit DesktopNotifier(QSystemTrayIcon& icon);

    void Notify(const QString& title, const QString& body) override;

signals:
    // The user chose a notification of ours (its default action), or the tray's balloon.
    void openPanelRequested();

private slots:
    void OnActionInvoked(uint id, const QString& action);

private:
    QSystemTrayIcon& icon_;
    QList<uint> sent_;  // ids the service gave our notifications
};

}  // namespace rpanel
