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

class ClockEditing {
public:
    explicit ClockEditing(Clock& clock) : clock_(clock) {}

    // A press at position (logical pixels of the clock window, ratio device pixels each) at
    // the moment utc. True when it picked an element, which the dialog then selects; the
    // window must not move for this press.
    bool press(COptionsDial& dialog, QPointF position, QPoint globalPosition, qreal ratio,
               const velmora::PackedDateTime& utc);
    // The pointer moved with the button held: the picked element follows it, once the drag
    // threshold is passed.
    void move(QPoint globalPosition, qreal ratio);
    // The button was released: a move becomes one step of the dialog's history.
    void release();
    bool isActive() const { return drag_.has_value(); }

private:
    struct Drag {
        QPointer<COptionsDial> dialog;
        ClockObject* element;
        QPoint start;
        int startDx;
        int startDy;
        bool started;
    };

    Clock& clock_;
    std::optional<Drag> drag_;
};
