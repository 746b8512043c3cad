// What an X11 window manager is told about the clock's window to keep it a desktop widget.
#include "app/x11/x11_widget_hints.h"

#include <QCoreApplication>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <thread>

namespace {

// The actions of a _NET_WM_STATE request.
constexpr std::uint32_t kRemove = 0;
constexpr std::uint32_t kAdd = 1;
// Requests from an application, as opposed to a pager.
constexpr std::uint32_t kFromApplication = 1;

std::vector<xcb_atom_t> atomList(xcb_connection_t* connection, xcb_window_t window,
                                 xcb_atom_t property, xcb_atom_t type = XCB_ATOM_ATOM) {
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, type, 0, 1024), nullptr));
    if (reply == nullptr || reply->format != 32 || reply->type != type) {
        return {};
    }
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    return std::vector<xcb_atom_t>(atoms, atoms + xcb_get_property_value_length(reply.get()) / 4);
}

// A CARDINAL property of one value, or -1 when it is not there.
std::int64_t cardinal(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property) {
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, XCB_ATOM_CARDINAL, 0, 1),
        nullptr));
    if (reply == nullptr || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4) {
        return -1;
    }
    return *static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
}

bool contains(const std::vector<xcb_atom_t>& atoms, xcb_atom_t atom) {
    return std::find(atoms.begin(), atoms.end(), atom) != atoms.end();
}

} // namespace

std::unique_ptr<X11WidgetHints> X11WidgetHints::forWindow(QWidget& window) {
    const QtX11Screen screen = qtX11Screen();
    if (screen.connection == nullptr) {
        return nullptr;
    }
    return std::unique_ptr<X11WidgetHints>(
        new X11WidgetHints(screen, static_cast<xcb_window_t>(window.winId())));
}

X11WidgetHints::X11WidgetHints(const QtX11Screen& screen, xcb_window_t window)
    : connection_(screen.connection), root_(screen.root), window_(window),
      wmState_(internAtom(connection_, "_NET_WM_STATE")),
      icccmState_(internAtom(connection_, "WM_STATE")),
      wmDesktop_(internAtom(connection_, "_NET_WM_DESKTOP")),
      currentDesktop_(internAtom(connection_, "_NET_CURRENT_DESKTOP")),
      wmType_(internAtom(connection_, "_NET_WM_WINDOW_TYPE")),
      desktopType_(internAtom(connection_, "_NET_WM_WINDOW_TYPE_DESKTOP")),
      dockType_(internAtom(connection_, "_NET_WM_WINDOW_TYPE_DOCK")),
      stacking_(internAtom(connection_, "_NET_CLIENT_LIST_STACKING")),
      sticky_(internAtom(connection_, "_NET_WM_STATE_STICKY")),
      skipTaskbar_(internAtom(connection_, "_NET_WM_STATE_SKIP_TASKBAR")),
      skipPager_(internAtom(connection_, "_NET_WM_STATE_SKIP_PAGER")),
      skipSwitcher_(internAtom(connection_, "_KDE_NET_WM_STATE_SKIP_SWITCHER")),
      above_(internAtom(connection_, "_NET_WM_STATE_ABOVE")),
      below_(internAtom(connection_, "_NET_WM_STATE_BELOW")) {
    // The root's property changes tell of a new stacking order.
    selectPropertyChanges(connection_, root_);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11WidgetHints::~X11WidgetHints() {
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

xcb_atom_t X11WidgetHints::kindFor(const Wanted& wanted) const {
    if (!wanted.allWorkspaces) {
        return XCB_ATOM_NONE;
    }
    return wanted.onTop ? dockType_ : desktopType_;
}

xcb_atom_t X11WidgetHints::currentKind() const {
    const std::vector<xcb_atom_t> kinds = atomList(connection_, window_, wmType_);
    if (kinds.empty() || (kinds.front() != desktopType_ && kinds.front() != dockType_)) {
        return XCB_ATOM_NONE;
    }
    return kinds.front();
}

std::vector<std::pair<xcb_atom_t, bool>> X11WidgetHints::stateList() const {
    return {{sticky_, wanted_.allWorkspaces},
            {skipTaskbar_, true},
            {skipPager_, true},
            // KWin's window switcher lists windows outside the task bar unless told.
            {skipSwitcher_, true},
            {above_, wanted_.onTop},
            {below_, !wanted_.onTop}};
}

bool X11WidgetHints::mapped() const {
    Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
        connection_, xcb_get_window_attributes(connection_, window_), nullptr));
    return attributes != nullptr && attributes->map_state != XCB_MAP_STATE_UNMAPPED;
}

bool X11WidgetHints::withdrawn() const {
    if (mapped()) {
        return false;
    }
    Reply<xcb_get_property_reply_t> state(xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window_, icccmState_, XCB_ATOM_ANY, 0, 2),
        nullptr));
    return state == nullptr || state->type == XCB_NONE;
}

bool X11WidgetHints::needsRemap(const Wanted& wanted) const {
    return applied_ && kindFor(wanted) != kindFor(wanted_) && mapped();
}

void X11WidgetHints::apply(const Wanted& wanted) {
    wanted_ = wanted;
    applied_ = true;
    // Qt writes the window's kind anew whenever its flags change.
    if (currentKind() != kindFor(wanted_)) {
        writeKind();
    }
    if (mapped()) {
        request();
    } else {
        writeProperties();
    }
    xcb_flush(connection_);
    keepAboveDesktop();
}

bool X11WidgetHints::waitUntilManaged(bool managed) const {
    // The window manager marks a window it has taken as normal (1) or iconic (3) in WM_STATE,
    // and one it let go as withdrawn (0), or takes the property away.
    constexpr int kWaitMs = 1000;
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < kWaitMs) {
        Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, window_, icccmState_, icccmState_, 0, 1),
            nullptr));
        const bool taken =
            reply != nullptr && xcb_get_property_value_length(reply.get()) >= 4 &&
            *static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get())) != 0;
        if (taken == managed) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

void X11WidgetHints::unmapped() {
    waitUntilManaged(false);
}

void X11WidgetHints::remapped() {
    if (waitUntilManaged(true)) {
        request();
        xcb_flush(connection_);
    }
}

// Ahead of the kinds Qt gives the window: a window manager takes the first it knows.
void X11WidgetHints::writeKind() {
    std::vector<xcb_atom_t> kinds = atomList(connection_, window_, wmType_);
    std::erase(kinds, desktopType_);
    std::erase(kinds, dockType_);
    if (const xcb_atom_t kind = kindFor(wanted_); kind != XCB_ATOM_NONE) {
        kinds.insert(kinds.begin(), kind);
    }
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window_, wmType_, XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(kinds.size()), kinds.data());
}

// A window the window manager has not taken (or has let go, which clears its states) carries
// what it should be given in its own properties.
void X11WidgetHints::writeProperties() {
    std::vector<xcb_atom_t> states = atomList(connection_, window_, wmState_);
    for (const auto& [state, on] : stateList()) {
        std::erase(states, state);
        if (on) {
            states.push_back(state);
        }
    }
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window_, wmState_, XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(states.size()), states.data());
    if (wanted_.allWorkspaces) {
        const std::uint32_t all = kAllWorkspaces;
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window_, wmDesktop_,
                            XCB_ATOM_CARDINAL, 32, 1, &all);
    } else {
        // The window manager puts a window without one on the current workspace.
        xcb_delete_property(connection_, window_, wmDesktop_);
    }
}

void X11WidgetHints::request() {
    const std::vector<xcb_atom_t> current = atomList(connection_, window_, wmState_);
    for (const auto& [state, on] : stateList()) {
        if (contains(current, state) != on) {
            sendToRoot(wmState_, on ? kAdd : kRemove, state);
        }
    }
    const std::int64_t desktop = cardinal(connection_, window_, wmDesktop_);
    if (wanted_.allWorkspaces && desktop != kAllWorkspaces) {
        sendToRoot(wmDesktop_, kAllWorkspaces, kFromApplication);
    } else if (!wanted_.allWorkspaces && desktop == kAllWorkspaces) {
        // Kept on the workspace shown now, where the user sees it.
        const std::int64_t shown = cardinal(connection_, root_, currentDesktop_);
        sendToRoot(wmDesktop_, static_cast<std::uint32_t>(std::max<std::int64_t>(shown, 0)),
                   kFromApplication);
    }
}

void X11WidgetHints::sendToRoot(xcb_atom_t type, std::uint32_t data0, std::uint32_t data1) {
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window_;
    event.type = type;
    event.data.data32[0] = data0;
    event.data.data32[1] = data1;
    event.data.data32[3] = kFromApplication;
    xcb_send_event(connection_, 0, root_,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
}

void X11WidgetHints::reassert() {
    if (!applied_ || (lastReassert_.isValid() && lastReassert_.elapsed() < 1000) || !mapped()) {
        return;
    }
    lastReassert_.start();
    request();
    xcb_flush(connection_);
}

void X11WidgetHints::keepAboveDesktop() {
    if (!applied_ || kindFor(wanted_) != desktopType_) {
        return;
    }
    // Bottom to top.
    const std::vector<xcb_atom_t> order = atomList(connection_, root_, stacking_, XCB_ATOM_WINDOW);
    const auto self = std::find(order.begin(), order.end(), window_);
    if (self == order.end()) {
        return;
    }
    for (auto other = self + 1; other != order.end(); ++other) {
        const std::vector<xcb_atom_t> kinds = atomList(connection_, *other, wmType_);
        if (!kinds.empty() && kinds.front() == desktopType_) {
            // A request the window manager answers by raising the window within its layer.
            const std::uint32_t above = XCB_STACK_MODE_ABOVE;
            xcb_configure_window(connection_, window_, XCB_CONFIG_WINDOW_STACK_MODE, &above);
            xcb_flush(connection_);
            return;
        }
    }
}

bool X11WidgetHints::nativeEventFilter(const QByteArray& eventType, void* message,
                                       qintptr* /*result*/) {
    if (eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_PROPERTY_NOTIFY) {
        return false;
    }
    const auto* change = static_cast<const xcb_property_notify_event_t*>(message);
    if (change->window == window_ && (change->atom == wmState_ || change->atom == wmDesktop_)) {
        reassert();
    } else if (change->window == root_ && change->atom == stacking_) {
        keepAboveDesktop();
    }
    return false;
}
