// Where a dialog opens next to the clock, so that edits are seen on the clock as they are made.
#pragma once

#include <QRect>
#include <QSize>

// The top-left corner for a dialog of the given size (its frame included) beside the clock,
// inside the screen's available area: on the side with the most room, never over the clock
// where any side has room for the dialog, aligned with the clock's top (or left) edge.
QPoint placeBeside(const QRect& clock, const QSize& dialog, const QRect& screen);
