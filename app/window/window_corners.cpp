// The corner squares of the clock's window: resizing, and the focus marks.
#include "app/window/window_corners.h"

#include "render/png_image.h"

#include <QPainter>
#include <algorithm>

namespace {

// Corner order: top-left, top-right, bottom-right, bottom-left.
constexpr std::array<const char*, 4> kCornerNames = {"tl", "tr", "br", "bl"};

std::array<QImage, 4> loadMarks(const char* colour) {
    std::array<QImage, 4> marks;
    for (std::size_t i = 0; i < marks.size(); ++i) {
        marks[i] =
            readPng(QStringLiteral(":/corners/corner_%1_%2.png").arg(colour, kCornerNames[i]));
    }
    return marks;
}

} // namespace

Qt::Edges WindowCorners::at(const QPoint& position, const QSize& window) {
    const bool left = position.x() < kSize;
    const bool right = position.x() >= window.width() - kSize;
    const bool top = position.y() < kSize;
    const bool bottom = position.y() >= window.height() - kSize;
    if (bottom && right) {
        return Qt::BottomEdge | Qt::RightEdge;
    }
    if (bottom && left) {
        return Qt::BottomEdge | Qt::LeftEdge;
    }
    if (top && right) {
        return Qt::TopEdge | Qt::RightEdge;
    }
    if (top && left) {
        return Qt::TopEdge | Qt::LeftEdge;
    }
    return {};
}

QRect WindowCorners::dragged(const QRect& start, Qt::Edges edges, const QPoint& delta) {
    QRect target = start;
    if (!edges) {
        target.moveTopLeft(target.topLeft() + delta);
        return target;
    }
    if (edges & Qt::LeftEdge) {
        target.setLeft(std::min(target.left() + delta.x(), target.right() - kSize));
    } else {
        target.setRight(std::max(target.right() + delta.x(), target.left() + kSize));
    }
    if (edges & Qt::TopEdge) {
        target.setTop(std::min(target.top() + delta.y(), target.bottom() - kSize));
    } else {
        target.setBottom(std::max(target.bottom() + delta.y(), target.top() + kSize));
    }
    return target;
}

// Drawn in the frame's pixels, where the marks are scaled by the density like the clock.
void WindowCorners::draw(Marks marks, QImage& frame, const QSize& window, const QRegion& area) {
    if (marks == Marks::None || frame.isNull()) {
        return;
    }
    const bool red = marks == Marks::Red;
    std::array<QImage, 4>& images = red ? red_ : green_;
    if (images[0].isNull()) {
        images = loadMarks(red ? "red" : "green");
    }
    const qreal ratio = frame.devicePixelRatio();
    QPainter painter(&frame);
    painter.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
    painter.setClipRegion(area);
    const int right = window.width() - kSize;
    const int bottom = window.height() - kSize;
    const std::array<QPoint, 4> at = {QPoint(0, 0), QPoint(right, 0), QPoint(right, bottom),
                                      QPoint(0, bottom)};
    for (std::size_t i = 0; i < images.size(); ++i) {
        painter.drawImage(QRectF(QPointF(at[i]) * ratio, QSizeF(kSize, kSize) * ratio), images[i]);
    }
}
