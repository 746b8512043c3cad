// Tells when a tray host may have come or gone, from the desktop's own notices.
#include "app/tray_watcher.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>
#include <QGuiApplication>
#include <QTimer>
#include <X11/Xlib.h>
#include <xcb/xcb.h>
#include <xcb/xfixes.h>

namespace {

const char* const kStatusNotifierWatcher = "org.kde.StatusNotifierWatcher";
constexpr int kSettleMs = 500;

xcb_window_t rootWindow(xcb_connection_t* connection, int screen) {
    xcb_screen_iterator_t roots = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screen && roots.rem > 0; ++i) {
        xcb_screen_next(&roots);
    }
    return roots.rem > 0 ? roots.data->root : xcb_window_t{XCB_WINDOW_NONE};
}

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
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr || x11->display() == nullptr) {
        return false;
    }
    xcb_connection_t* connection = x11->connection();
    const xcb_query_extension_reply_t* xfixes = xcb_get_extension_data(connection, &xcb_xfixes_id);
    if (xfixes == nullptr || !xfixes->present) {
        return false;
    }
    // Each connection states the version it speaks before its first XFixes request.
    free(xcb_xfixes_query_version_reply(
        connection, xcb_xfixes_query_version(connection, XCB_XFIXES_MAJOR_VERSION, 0), nullptr));
    const int screen = DefaultScreen(x11->display());
    const QByteArray name = "_NET_SYSTEM_TRAY_S" + QByteArray::number(screen);
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.constData()),
        nullptr);
    const xcb_window_t root = rootWindow(connection, screen);
    if (atom == nullptr || root == XCB_WINDOW_NONE) {
        free(atom);
        return false;
    }
    trayAtom_ = atom->atom;
    free(atom);
    xfixesFirstEvent_ = xfixes->first_event;
    xcb_xfixes_select_selection_input(connection, root, trayAtom_,
                                      XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
    xcb_flush(connection);
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
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != xfixesFirstEvent_ + XCB_XFIXES_SELECTION_NOTIFY) {
        return false;
    }
    const auto* notify = reinterpret_cast<const xcb_xfixes_selection_notify_event_t*>(event);
    if (notify->selection == trayAtom_) {
        // Asked once this event has been handled, not from inside Qt's event reader, and once
        // more a moment later: Qt keeps the tray's window until it has read that window's end,
        // which may come after this notice.
        QMetaObject::invokeMethod(this, &TrayWatcher::changed, Qt::QueuedConnection);
        QTimer::singleShot(kSettleMs, this, &TrayWatcher::changed);
    }
    return false;
}
