// What the mouse does on the clock: moves, corner resizes, the menu, the calendar, editing and
// the double click, wherever its presses come from.
#include "app/window/clock_pointer.h"

#include "app/window/clock_dialogs.h"
#include "app/window/clock_host.h"
#include "app/window/tick_schedule.h"
#include "app/window/view_settings.h"
#include "time/packed_date_time.h"

#include <QApplication>

void ClockPointer::press(Qt::MouseButton button, const QPointF& local, const QPoint& global) {
    // A press beside an open menu closes it and then counts as usual, as in any program. The
    // menu's grab sees that press on X11; on a layer surface the menu is an XWayland window
    // whose grab never reaches the clock, and only the clock hears it.
    closeMenus();
    if (button != Qt::LeftButton) {
        return;
    }
    // While the editor is open, a press on an element selects it and a drag moves it.
    const Qt::Edges corner = WindowCorners::at(local.toPoint(), clock_.widget().size());
    if (!corner &&
        clock_.dialogs().pressOnClock(local, global, clock_.frameRatio(),
                                      velmora::packedDateTimeFrom(clock_.ticks().now()))) {
        drag_.reset();
        return;
    }
    // A locked clock stays where it is and as large as it is.
    if (clock_.view().lockPosition) {
        drag_.reset();
        return;
    }
    // The clock moves and resizes itself rather than through the window manager: a window
    // manager's move grabs the pointer at the press and swallows the second click of a
    // double click, and some have no such moves for frameless windows at all.
    drag_ = Drag{corner, global, clock_.widget().geometry(), false};
}

void ClockPointer::move(Qt::MouseButtons held, const QPoint& global) {
    if (clock_.dialogs().movingOnClock() && (held & Qt::LeftButton)) {
        clock_.dialogs().moveOnClock(global, clock_.frameRatio());
        return;
    }
    if (!drag_ || !(held & Qt::LeftButton)) {
        return;
    }
    const QPoint delta = global - drag_->start;
    if (!drag_->started && delta.manhattanLength() < QApplication::startDragDistance()) {
        return;
    }
    drag_->started = true;
    clock_.placeByUser(WindowCorners::dragged(drag_->geometry, drag_->edges, delta), false);
}

void ClockPointer::release(Qt::MouseButton button, const QPointF& local, const QPoint& global) {
    if (button == Qt::LeftButton) {
        const bool placed = drag_ && drag_->started;
        drag_.reset();
        clock_.dialogs().releaseOnClock();
        if (placed) {
            clock_.placeByUser(clock_.widget().geometry(), true);
        }
    }
    // The corner squares resize; only the rest of the clock opens the menu.
    if (button == Qt::RightButton && !WindowCorners::at(local.toPoint(), clock_.widget().size())) {
        clock_.showContextMenu(global);
    }
    if (button == Qt::MiddleButton) {
        clock_.openCalendar();
    }
}

// One that refuses to close ends it.
void ClockPointer::closeMenus() {
    while (QWidget* popup = QApplication::activePopupWidget()) {
        if (!popup->close()) {
            return;
        }
    }
}

void ClockPointer::doubleClick(Qt::MouseButton button) {
    if (button != Qt::LeftButton) {
        return;
    }
    clock_.toggleClickThrough();
    // A layer surface has no window to activate, and its layer decides what it is above.
    if (!clock_.onLayerShell()) {
        clock_.widget().activateWindow();
        clock_.widget().raise();
    }
}
