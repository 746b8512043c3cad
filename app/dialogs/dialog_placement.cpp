// Where a dialog opens next to the clock, so that edits are seen on the clock as they are made.
#include "app/dialogs/dialog_placement.h"

#include <algorithm>
#include <array>

namespace {

// Room between the clock and the dialog.
constexpr int kGap = 8;

// The nearest value to wanted that keeps the span [value, value + length) in [low, high).
int clampSpan(int wanted, int length, int low, int high) {
    return std::max(low, std::min(wanted, high - length));
}

} // namespace

QPoint placeBeside(const QRect& clock, const QSize& dialog, const QRect& screen) {
    const int right = screen.right() + 1 - (clock.right() + 1 + kGap);
    const int left = clock.left() - kGap - screen.left();
    const int below = screen.bottom() + 1 - (clock.bottom() + 1 + kGap);
    const int above = clock.top() - kGap - screen.top();
    const int alongY = clampSpan(clock.top(), dialog.height(), screen.top(), screen.bottom() + 1);
    const int alongX = clampSpan(clock.left(), dialog.width(), screen.left(), screen.right() + 1);

    struct Side {
        int room;
        int need;
        QPoint place;
    };
    const std::array<Side, 4> sides{{
        {right, dialog.width(), {clock.right() + 1 + kGap, alongY}},
        {left, dialog.width(), {clock.left() - kGap - dialog.width(), alongY}},
        {below, dialog.height(), {alongX, clock.bottom() + 1 + kGap}},
        {above, dialog.height(), {alongX, clock.top() - kGap - dialog.height()}},
    }};
    // The first side in this order that fits; else the one with the most room to spare.
    const Side* best = &sides[0];
    for (const Side& side : sides) {
        if (side.room >= side.need) {
            return side.place;
        }
        if (side.room - side.need > best->room - best->need) {
            best = &side;
        }
    }
    // Nothing fits beside: the dialog stays on the screen and covers as little as it must.
    return {clampSpan(best->place.x(), dialog.width(), screen.left(), screen.right() + 1),
            clampSpan(best->place.y(), dialog.height(), screen.top(), screen.bottom() + 1)};
}
