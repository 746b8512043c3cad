// Where the keyboard is, drawn the same in the list and its description pane.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QRect>

// A dotted frame just inside rect in color: styles draw their own focus frame in the highlight
// colour, which a marked row or a highlight-coloured pane would hide.
inline void drawKeyboardFocus(QPainter& painter, const QRect& rect, const QColor& color) {
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(color, 1, Qt::DotLine));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.restore();
}
