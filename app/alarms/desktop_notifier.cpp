// Notices through the desktop's notification service (org.freedesktop.Notifications on the
// session bus).
#include "app/alarms/desktop_notifier.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");

// The urgency hint's levels.
constexpr uchar kNormal = 1;
constexpr uchar kCritical = 2;

} // namespace

DesktopNotifier::DesktopNotifier(QObject* parent) : Notifier(parent) {}

void DesktopNotifier::listen() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (listening_ || !bus.isConnected()) {
        return;
    }
    listening_ = true;
    bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                SLOT(onActionInvoked(quint32, QString)));
    bus.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                SLOT(onClosed(quint32, quint32)));
}

void DesktopNotifier::show(const Notice& notice, std::function<void(quint32 id)> shown) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        shown(0);
        return;
    }
    listen();
    QStringList actions;
    if (notice.actions) {
        actions = {QLatin1String(kDismiss), QCoreApplication::translate("AlarmService", "Dismiss"),
                   QLatin1String(kSnooze),
                   QCoreApplication::translate("AlarmService", "Snooze 5 minutes")};
    }
    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"),
                 QVariant::fromValue(static_cast<uchar>(notice.urgent ? kCritical : kNormal)));
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("velmora"));
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    // A ring stays until it is answered (0); other notices go as the desktop decides (-1).
    call << QStringLiteral("Velmora") << quint32(0) << QStringLiteral("velmora") << notice.summary
         << notice.body << actions << hints << qint32(notice.urgent ? 0 : -1);
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, kAnswerWaitMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [watcher, shown = std::move(shown)] {
        const QDBusPendingReply<quint32> reply = *watcher;
        watcher->deleteLater();
        shown(reply.isError() ? 0 : reply.value());
    });
}

void DesktopNotifier::close(quint32 id) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (id == 0 || !bus.isConnected()) {
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                       QStringLiteral("CloseNotification"));
    call << id;
    bus.asyncCall(call, kAnswerWaitMs);
}

void DesktopNotifier::onActionInvoked(quint32 id, const QString& action) {
    emit actionInvoked(id, action);
}

void DesktopNotifier::onClosed(quint32 id, quint32) {
    emit closed(id);
}
