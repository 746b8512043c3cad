// Which element of a scheme lies under a point of the drawn clock.
#pragma once

#include "clock/canvas.h"
#include "time/packed_date_time.h"

class Clock;
class ClockObject;

// The topmost element (the last drawn) whose lines, arcs or text come within tolerance of
// the point, for the moment utc; null when none does. Points and tolerance are in the pixels
// the body was last laid out in; texts are measured on the measurer.
ClockObject* elementAt(Clock& body, Canvas& measurer, const velmora::PackedDateTime& utc,
                       PointF point, float tolerance = 3.0f);
