// The option tree's arithmetic: divider limits, hit zones, row rectangles and scrolling.
#pragma once

#include <QPoint>
#include <QRect>
#include <algorithm>

namespace OptionTreeGeometry {

constexpr int kMargin = 16;
constexpr int kLabelPadding = 5;
constexpr int kDividerReach = 5;
constexpr int kLineStep = 21;

// The divider stays right of the margin and, in a list with some width, 16 pixels short of
// its right edge.
inline int clampColumn(int x, int listWidth) {
    x = std::max(x, kMargin);
    if (listWidth > 0 && x >= listWidth - kMargin) {
        x = listWidth - kMargin;
    }
    return x;
}

// Where a dragged divider lands when the button is released at x.
inline int releasedColumn(int x, int listWidth) {
    if (x <= 40) {
        return 41;
    }
    return std::min(x, listWidth - 25);
}

// A double click on the divider fits the label column to the widest label.
inline int fittedColumn(int widestLabelRight, int listWidth) {
    return std::min(widestLabelRight + kLabelPadding, listWidth - 25);
}

// The scroll offset kept inside the content; 0 when everything fits the page.
inline int clampScroll(int offset, int contentHeight, int page) {
    if (contentHeight < page) {
        return 0;
    }
    return std::clamp(offset, 0, contentHeight - page);
}

// Where a row draws its value and its editor sits.
inline QRect valueRect(int column, int top, int listWidth, int rowHeight) {
    int left = column + kLabelPadding;
    return QRect(left, top, std::max(0, listWidth - left), std::max(0, rowHeight - 1));
}

// The label area: up to the divider for a leaf, across the whole list for a group.
inline QRect labelArea(int indent, int top, int column, int listWidth, int rowHeight,
                       bool hasChildren) {
    int left = indent + kMargin;
    int right = hasChildren ? listWidth : column;
    return QRect(left, top, std::max(0, right - left), rowHeight);
}

inline QRect plusMinusBox(int top) {
    return QRect(4, top + 5, 9, 9);
}

} // namespace OptionTreeGeometry
