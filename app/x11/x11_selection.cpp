// The X connection Qt uses, and owners of selections watched on it.
#include "app/x11/x11_selection.h"

#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <xcb/xfixes.h>

QtX11Screen qtX11Screen() {
    auto* native = qGuiApp != nullptr
                       ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                       : nullptr;
    if (native == nullptr || native->connection() == nullptr) {
        return {};
    }
    QtX11Screen screen;
    // The screen the connection was opened for, as xcb_connect chose it from DISPLAY.
    char* host = nullptr;
    int display = 0;
    if (xcb_parse_display(nullptr, &host, &display, &screen.number) == 0) {
        screen.number = 0;
    }
    std::free(host);
    xcb_screen_iterator_t roots = xcb_setup_roots_iterator(xcb_get_setup(native->connection()));
    for (int i = 0; i < screen.number && roots.rem > 0; ++i) {
        xcb_screen_next(&roots);
    }
    if (roots.rem == 0) {
        return {};
    }
    screen.connection = native->connection();
    screen.root = roots.data->root;
    return screen;
}

xcb_atom_t internAtom(xcb_connection_t* connection, const std::string& name) {
    Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data()),
        nullptr));
    return reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

void selectPropertyChanges(xcb_connection_t* connection, xcb_window_t window) {
    Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, window), nullptr));
    if (attributes != nullptr &&
        (attributes->your_event_mask & XCB_EVENT_MASK_PROPERTY_CHANGE) == 0) {
        const std::uint32_t mask = attributes->your_event_mask | XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(connection, window, XCB_CW_EVENT_MASK, &mask);
    }
}

int watchSelectionOwner(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t selection) {
    const xcb_query_extension_reply_t* xfixes = xcb_get_extension_data(connection, &xcb_xfixes_id);
    if (xfixes == nullptr || xfixes->present == 0 || selection == XCB_ATOM_NONE) {
        return 0;
    }
    // Each connection states the version it speaks before its first XFixes request.
    Reply<xcb_xfixes_query_version_reply_t> version(xcb_xfixes_query_version_reply(
        connection, xcb_xfixes_query_version(connection, XCB_XFIXES_MAJOR_VERSION, 0), nullptr));
    if (version == nullptr) {
        return 0;
    }
    xcb_xfixes_select_selection_input(connection, root, selection,
                                      XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
    xcb_flush(connection);
    return xfixes->first_event + XCB_XFIXES_SELECTION_NOTIFY;
}

bool isSelectionOwnerReport(const xcb_generic_event_t& event, int reportType,
                            xcb_atom_t selection) {
    if (reportType == 0 || (event.response_type & 0x7f) != reportType) {
        return false;
    }
    return reinterpret_cast<const xcb_xfixes_selection_notify_event_t&>(event).selection ==
           selection;
}
