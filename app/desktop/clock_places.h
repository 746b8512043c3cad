// Where a clock goes that the user has not placed: the same place at every start.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

// A window manager places a new window where it likes, a different place at each login, and a
// compositor centres a layer surface. A clock never placed by the user takes the top-right
// corner of the primary screen's free area instead, and one started beside another takes the
// first place along that row that no other clock has.
class ClockPlaces {
public:
    // From the free area's edges.
    static constexpr int kMargin = 24;
    // Between clocks side by side.
    static constexpr int kGap = 16;

    // The top-right corner of the area, kMargin inside it, or the first place leftwards along
    // that row clear of the others.
    static QPoint first(const QRect& area, const QSize& size, const QList<QRect>& others);
    // Beside `here` in the area: the first place to its right clear of the others, else the
    // first to its left, else just right of it.
    static QPoint beside(const QRect& here, const QRect& area, const QList<QRect>& others);
    // The places the program's other clocks keep in their settings: every clock of this
    // executable but the one named (empty: the default clock).
    static QList<QRect> ofOtherClocks(const QString& clockName);

private:
    // The first of `count` places from `start`, `step` apart along the row, that lies in the
    // area (when it is valid) and clear of the others.
    static bool firstClear(QPoint start, int step, const QSize& size, const QRect& area,
                           const QList<QRect>& others, QPoint& found);
};
