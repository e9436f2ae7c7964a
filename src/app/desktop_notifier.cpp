#include "app/desktop_notifier.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QVariantMap>

#include "core/string_ids.h"
#include "gui/window_text.h"

namespace rpanel {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
// A notification stays until the service's own default time has passed.
constexpr int kServiceDefaultTimeout = -1;

}  // namespace

DesktopNotifier::DesktopNotifier(QSystemTrayIcon& icon) : icon_(icon) {
    QDBusConnection::sessionBus().connect(kService, kPath, kService,
                                          QStringLiteral("ActionInvoked"), this,
                                          SLOT(OnActionInvoked(uint, QString)));
    connect(&icon_, &QSystemTrayIcon::messageClicked, this, &DesktopNotifier::openPanelRequested);
}

void DesktopNotifier::Notify(const QString& title, const QString& body) {
    QDBusInterface service(kService, kPath, kService, QDBusConnection::sessionBus());
    if (service.isValid()) {
        // "default" is the action a click on the notification itself invokes.
        const QStringList actions{QStringLiteral("default"), TextById(text::kOpenPanel)};
        const QDBusReply<uint> id = service.call(
            QStringLiteral("Notify"), QStringLiteral("Remote Panel"), uint{0},
            QStringLiteral("printer"), title, body, actions, QVariantMap(), kServiceDefaultTimeout);
        if (id.isValid()) {
            sent_ << id.value();
            return;
        }
    }
    icon_.showMessage(title, body, QSystemTrayIcon::Warning);
}

void DesktopNotifier::OnActionInvoked(uint id, const QString& action) {
    if (action == QLatin1String("default") && sent_.contains(id)) {
        emit openPanelRequested();
    }
}

}  // namespace rpanel
