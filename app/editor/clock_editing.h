// Editing on the clock itself while the customize dialog is open: a click selects the element
// under the pointer, and a drag moves that element's offsets.
#pragma once

#include "time/packed_date_time.h"

#include <QPoint>
#include <QPointF>
#include <QPointer>
#include <optional>

class Clock;
class ClockObject;
class COptionsDial;
class QKeyEvent;

class ClockEditing {
public:
    // A press on the clock at position (logical pixels of the clock window, ratio device pixels
    // each) at the moment utc. True when it picked an element, which the dialog then selects; the
    // window must not move for this press.
    bool press(COptionsDial& dialog, Clock& clock, QPointF position, QPoint globalPosition,
               qreal ratio, const velmora::PackedDateTime& utc);
    // The pointer moved with the button held: the picked element follows it, once the drag
    // threshold is passed.
    void move(QPoint globalPosition, qreal ratio);
    // The button was released: a move becomes one step of the dialog's history.
    void release();
    bool isActive() const { return drag_.has_value(); }
    // A key pressed on the clock (ratio device pixels per logical pixel): Ctrl+Z and
    // Ctrl+Shift+Z step back and forth, Delete deletes the selected element, and the arrows
    // nudge it by a pixel, with Shift by ten; offsets are whole percents of the radius, so a
    // nudge is at least one. True when the key was the editor's.
    static bool key(COptionsDial& dialog, const Clock& clock, const QKeyEvent& key, qreal ratio);

private:
    struct Drag {
        QPointer<COptionsDial> dialog;
        Clock* clock;
        ClockObject* element;
        QPoint start;
        int startDx;
        int startDy;
        bool started;
    };

    std::optional<Drag> drag_;
};
