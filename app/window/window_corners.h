// The corner squares of the clock's window: a drag there resizes it, and while the window is
// active they show marks, green, or red in click-through mode.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <array>

class WindowCorners {
public:
    static constexpr int kSize = 32;

    // The square under a point of a window of the given size, as the edges it resizes; none
    // outside the squares.
    static Qt::Edges at(const QPoint& position, const QSize& window);
    // A window's geometry after a drag by delta that began at `start`: moved whole without
    // edges, else resized by the edges, never below one square across.
    static QRect dragged(const QRect& start, Qt::Edges edges, const QPoint& delta);

    enum class Marks { None, Red, Green };
    // Draws the marks over the frame (which carries its pixel density) within area, for a
    // window of the given logical size.
    void draw(Marks marks, QImage& frame, const QSize& window, const QRegion& area);

private:
    // Read when first shown: most sessions never show one colour or the other.
    std::array<QImage, 4> red_;
    std::array<QImage, 4> green_;
};
