// What the mouse does on the clock: moves, corner resizes, the menu, editing and the double
// click, wherever its presses come from.
#pragma once

#include "app/window/window_corners.h"
#include "velmora_export.h"

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <optional>

class ClockHost;

// The clock's window gets the mouse from Qt on X11, and from the compositor on a layer-shell
// surface, where Qt never sees it: both feed the same presses, moves and releases here, in the
// clock's coordinates (local) and the desktop's (global).
class VELMORA_EXPORT ClockPointer {
public:
    explicit ClockPointer(ClockHost& clock) : clock_(clock) {}

    void press(Qt::MouseButton button, const QPointF& local, const QPoint& global);
    void move(Qt::MouseButtons held, const QPoint& global);
    void release(Qt::MouseButton button, const QPointF& local, const QPoint& global);
    // The second press of a double click, instead of its press.
    void doubleClick(Qt::MouseButton button);
    // Closes the open menus, the innermost first, as a press beside them does.
    static void closeMenus();

private:
    // A drag with the left button: the edges being resized (none when moving), where it
    // started, the geometry then, and whether the mouse has moved far enough to count.
    struct Drag {
        Qt::Edges edges;
        QPoint start;
        QRect geometry;
        bool started;
    };

    ClockHost& clock_;
    std::optional<Drag> drag_;
};
