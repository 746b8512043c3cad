// Tells when a tray host may have come or gone, from the desktop's own notices.
#include "app/x11/tray_watcher.h"

#include "app/x11/x11_selection.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>
#include <QGuiApplication>
#include <QTimer>
#include <string>

namespace {

const char* const kStatusNotifierWatcher = "org.kde.StatusNotifierWatcher";
constexpr int kSettleMs = 500;

} // namespace

TrayWatcher::TrayWatcher(QObject* parent) : QObject(parent) {}

TrayWatcher::~TrayWatcher() {
    if (filtering_ && QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

bool TrayWatcher::start() {
    const bool x11 = watchX11Selection();
    watchSessionBus();
    return x11;
}

bool TrayWatcher::watchX11Selection() {
    const QtX11Screen screen = qtX11Screen();
    if (screen.connection == nullptr) {
        return false;
    }
    trayAtom_ = internAtom(screen.connection, "_NET_SYSTEM_TRAY_S" + std::to_string(screen.number));
    reportType_ = watchSelectionOwner(screen.connection, screen.root, trayAtom_);
    if (reportType_ == 0) {
        return false;
    }
    QCoreApplication::instance()->installNativeEventFilter(this);
    filtering_ = true;
    return true;
}

void TrayWatcher::watchSessionBus() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return;
    }
    busWatcher_ = std::make_unique<QDBusServiceWatcher>(
        QString::fromLatin1(kStatusNotifierWatcher), bus,
        QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration);
    connect(busWatcher_.get(), &QDBusServiceWatcher::serviceRegistered, this,
            &TrayWatcher::changed);
    connect(busWatcher_.get(), &QDBusServiceWatcher::serviceUnregistered, this,
            &TrayWatcher::changed);
}

bool TrayWatcher::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t" || message == nullptr) {
        return false;
    }
    if (isSelectionOwnerReport(*static_cast<const xcb_generic_event_t*>(message), reportType_,
                               trayAtom_)) {
        // Asked once this event has been handled, not from inside Qt's event reader, and once
        // more a moment later: Qt keeps the tray's window until it has read that window's end,
        // which may come after this notice.
        QMetaObject::invokeMethod(this, &TrayWatcher::changed, Qt::QueuedConnection);
        QTimer::singleShot(kSettleMs, this, &TrayWatcher::changed);
    }
    return false;
}
