// Where a dialog opens next to the clock, so that edits are seen on the clock as they are made.
#pragma once

#include <QRect>
#include <QSize>

// The top-left corner for a dialog of the given size (its frame included) beside the clock,
// inside the screen's available area: on the side with the most room, never over the clock
// where any side has room for the dialog, aligned with the clock's top (or left) edge.
QPoint placeBeside(const QRect& clock, const QSize& dialog, const QRect& screen);
// The same for a dialog that may shrink from `preferred` down to `minimum` (frames included),
// never beyond the screen: the largest place beside the clock where it fits, at its preferred
// size where one side has room for that; where none has room for its minimum, as placeBeside
// places it, over the clock.
QRect placeBeside(const QRect& clock, const QSize& preferred, const QSize& minimum,
                  const QRect& screen);
