// What an X11 window manager is told about the clock's window to keep it a desktop widget.
#pragma once

#include "app/x11/x11_selection.h"

#include <QAbstractNativeEventFilter>
#include <QElapsedTimer>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>
#include <xcb/xcb.h>

class QWidget;

// A window manager treats a window as an application's unless told otherwise: it shows it on
// one workspace, in the task bar, the pager and the window switcher, stacks it among the other
// windows and hides it to show the desktop. These hints make the clock a widget: on every
// workspace (or kept on the one it is on), out of those lists, and above or below the other
// windows. A clock on every workspace is, to the window manager, part of the desktop below
// the windows, or a dock above them: the two kinds of window that showing the desktop leaves
// in place. Before the window is mapped the hints are its properties, which the window manager
// reads when it takes the window; while it is mapped they are requests to the window manager,
// as the window-manager hints convention has it. A window manager that drops one of them later
// (some do when the window is clicked or another one raised) is asked again.
class X11WidgetHints : public QAbstractNativeEventFilter {
public:
    struct Wanted {
        bool allWorkspaces = true;
        // Above the windows; else below them.
        bool onTop = false;
    };
    // The workspace number that stands for all of them.
    static constexpr std::uint32_t kAllWorkspaces = 0xFFFFFFFF;

    // Null off X11. The window outlives this.
    static std::unique_ptr<X11WidgetHints> forWindow(QWidget& window);
    ~X11WidgetHints() override;
    X11WidgetHints(const X11WidgetHints&) = delete;
    X11WidgetHints& operator=(const X11WidgetHints&) = delete;

    // Whether the window must be unmapped and mapped again for the window manager to take what
    // is wanted: window managers read a window's kind only when they take the window.
    bool needsRemap(const Wanted& wanted) const;
    // Brings the window manager's view of the window in line with what is wanted. Called before
    // each time the window is shown, and after each change. Qt's own stacking flags must stay
    // off: Qt would give the window its own states as it shows it, and replace the native
    // window after a change of them.
    void apply(const Wanted& wanted);
    // For a remap, after the window was unmapped: waits (a short while at most) until the
    // window manager has let the window go, which clears the states it had.
    void unmapped();
    // After the remap: asks for the states again once the window manager has taken the window
    // anew, waiting a short while at most.
    void remapped();

    // Whether the window is neither shown nor held by a window manager: a window manager that
    // was starting as the window was mapped may have let the request go by. One that keeps the
    // window hidden (on another workspace, minimised) gives it a state, so it is not this.
    bool withdrawn() const;

    // Whether the window manager is asked to take the window for a dock, which some never
    // give the focus.
    bool showsAsDock() const { return applied_ && kindFor(wanted_) == dockType_; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    X11WidgetHints(const QtX11Screen& screen, xcb_window_t window);
    bool mapped() const;
    // Waits until the window manager has taken the window (or let it go), one second at most.
    bool waitUntilManaged(bool managed) const;
    // The kind of window the window manager is to see: a desktop or dock window on every
    // workspace, else none of ours (Qt's own).
    xcb_atom_t kindFor(const Wanted& wanted) const;
    xcb_atom_t currentKind() const;
    // The states that follow from what is wanted, each with whether it is wanted.
    std::vector<std::pair<xcb_atom_t, bool>> stateList() const;
    void writeProperties();
    void writeKind();
    void request();
    void sendToRoot(xcb_atom_t type, std::uint32_t data0, std::uint32_t data1);
    // Asks again for what the window manager dropped, at most once a second: one that refuses
    // a state would otherwise be asked at every change of the window's properties.
    void reassert();
    // A desktop window is stacked among the desktop's own, such as a file manager's icons over
    // the whole screen, which come above it when clicked: it asks to be raised above them.
    void keepAboveDesktop();

    xcb_connection_t* connection_;
    xcb_window_t root_;
    xcb_window_t window_;
    xcb_atom_t wmState_;
    xcb_atom_t icccmState_;
    xcb_atom_t wmDesktop_;
    xcb_atom_t currentDesktop_;
    xcb_atom_t wmType_;
    xcb_atom_t desktopType_;
    xcb_atom_t dockType_;
    xcb_atom_t stacking_;
    xcb_atom_t sticky_;
    xcb_atom_t skipTaskbar_;
    xcb_atom_t skipPager_;
    xcb_atom_t skipSwitcher_;
    xcb_atom_t above_;
    xcb_atom_t below_;
    Wanted wanted_;
    bool applied_ = false;
    QElapsedTimer lastReassert_;
};
