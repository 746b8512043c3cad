// The X connection Qt uses, and owners of selections watched on it.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <xcb/xcb.h>

// A reply of xcb, which mallocs it.
struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

// Qt's connection and the root window of the screen it was opened for; a null connection
// off X11 (other platforms, the offscreen platform).
struct QtX11Screen {
    xcb_connection_t* connection = nullptr;
    xcb_window_t root = XCB_WINDOW_NONE;
    int number = 0;
};
QtX11Screen qtX11Screen();

// XCB_ATOM_NONE when the server does not answer.
xcb_atom_t internAtom(xcb_connection_t* connection, const std::string& name);

// Has the window's property changes reported to this connection too. Qt selects them on the
// root for its own needs today, but that is not promised; the selection is per client, so it
// is added to whatever the connection selected already.
void selectPropertyChanges(xcb_connection_t* connection, xcb_window_t window);

// Asks XFixes to report each new owner of the selection and each owner gone (its window
// destroyed or its client closed) to this connection. Returns the response type of those
// reports, or 0 without XFixes, when nothing is reported.
int watchSelectionOwner(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t selection);

// Whether an event is such a report about the selection.
bool isSelectionOwnerReport(const xcb_generic_event_t& event, int reportType, xcb_atom_t selection);
