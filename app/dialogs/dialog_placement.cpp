// Where a dialog opens next to the clock, so that edits are seen on the clock as they are made.
#include "app/dialogs/dialog_placement.h"

#include <algorithm>
#include <array>
#include <optional>

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

QRect placeBeside(const QRect& clock, const QSize& preferred, const QSize& minimum,
                  const QRect& screen) {
    const QSize wanted = preferred.boundedTo(screen.size());
    const QSize least = minimum.boundedTo(wanted);
    const QRect asWanted(placeBeside(clock, wanted, screen), wanted);
    if (!asWanted.intersects(clock)) {
        return asWanted;
    }
    // Narrower beside the clock, or lower above or below it.
    const int rightRoom = screen.right() - clock.right() - kGap;
    const int leftRoom = clock.left() - kGap - screen.left();
    const int belowRoom = screen.bottom() - clock.bottom() - kGap;
    const int aboveRoom = clock.top() - kGap - screen.top();
    const std::array<QSize, 4> shrunk{{{rightRoom, wanted.height()},
                                       {leftRoom, wanted.height()},
                                       {wanted.width(), belowRoom},
                                       {wanted.width(), aboveRoom}}};
    std::optional<QRect> best;
    for (const QSize& size : shrunk) {
        if (size.width() < least.width() || size.height() < least.height()) {
            continue;
        }
        const QRect place(placeBeside(clock, size, screen), size);
        const auto area = [](const QRect& r) { return qint64{r.width()} * r.height(); };
        if (!place.intersects(clock) && (!best || area(place) > area(*best))) {
            best = place;
        }
    }
    return best.value_or(asWanted);
}
