// Painting the clock's frame into its window, over the desktop's background where no
// compositor blends it, and the tiling of that background.
#include "app/presentation/frame_painting.h"

#include <algorithm>
#include <cmath>

namespace {

// The start of the tile cell holding a coordinate, for negative coordinates too.
int cellStart(int at, int size) {
    const int cell = at >= 0 ? at / size : -((-at + size - 1) / size);
    return cell * size;
}

// The frame's pixels under a rectangle of the window, rounded outwards.
QRect framePixels(const QRect& logical, qreal ratio) {
    return QRect(QPoint(static_cast<int>(std::floor(logical.left() * ratio)),
                        static_cast<int>(std::floor(logical.top() * ratio))),
                 QPoint(static_cast<int>(std::ceil((logical.right() + 1) * ratio)) - 1,
                        static_cast<int>(std::ceil((logical.bottom() + 1) * ratio)) - 1));
}

// Drawn in bands of rows: Qt would hand a larger blend to its worker threads and wake them
// every second.
void drawInBands(QPainter& painter, const QImage& image, const QRect& pixels, qreal ratio) {
    constexpr int kBandRows = 64;
    for (int top = pixels.top(); top <= pixels.bottom(); top += kBandRows) {
        const int rows = std::min(kBandRows, pixels.bottom() + 1 - top);
        painter.drawImage(QPointF(pixels.left() / ratio, top / ratio), image,
                          QRect(pixels.left(), top, pixels.width(), rows));
    }
}

} // namespace

std::vector<BackdropPiece> tiledPieces(const QRect& area, const QSize& tile) {
    std::vector<BackdropPiece> pieces;
    if (area.isEmpty() || tile.isEmpty()) {
        return pieces;
    }
    for (int y = cellStart(area.top(), tile.height()); y <= area.bottom(); y += tile.height()) {
        for (int x = cellStart(area.left(), tile.width()); x <= area.right(); x += tile.width()) {
            const QRect covered = area & QRect(QPoint(x, y), tile);
            pieces.push_back({covered.translated(-x, -y), covered.topLeft() - area.topLeft()});
        }
    }
    return pieces;
}

QImage assembleBackdrop(const QRect& area, const QSize& tile, const PixmapReader& read) {
    const std::vector<BackdropPiece> pieces = tiledPieces(area, tile);
    if (pieces.empty()) {
        return {};
    }
    QRect needed;
    for (const BackdropPiece& piece : pieces) {
        needed |= piece.source;
    }
    const QImage part = read(needed);
    if (part.isNull() || part.size() != needed.size()) {
        return {};
    }
    if (pieces.size() == 1) {
        return part.convertToFormat(QImage::Format_RGB32);
    }
    QImage backdrop(area.size(), QImage::Format_RGB32);
    QPainter painter(&backdrop);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const BackdropPiece& piece : pieces) {
        painter.drawImage(piece.target, part, piece.source.translated(-needed.topLeft()));
    }
    return backdrop;
}

void paintFrameArea(QPainter& painter, const QImage& frame, const QImage& backdrop,
                    const QRect& area, qreal opacity) {
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(area, Qt::transparent);
    if (frame.isNull()) {
        return;
    }
    const qreal ratio = frame.devicePixelRatio();
    const QRect pixels = framePixels(area, ratio) & frame.rect();
    if (!backdrop.isNull()) {
        drawInBands(painter, backdrop, pixels & backdrop.rect(), ratio);
    }
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setOpacity(opacity);
    drawInBands(painter, frame, pixels, ratio);
    painter.setOpacity(1);
}

QRegion logicalArea(const QRegion& pixels, qreal ratio) {
    if (ratio == 1) {
        return pixels;
    }
    QRegion logical;
    for (const QRect& rect : pixels) {
        const int left = static_cast<int>(std::floor(rect.left() / ratio));
        const int top = static_cast<int>(std::floor(rect.top() / ratio));
        const int right = static_cast<int>(std::ceil((rect.right() + 1) / ratio));
        const int bottom = static_cast<int>(std::ceil((rect.bottom() + 1) / ratio));
        logical += QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    }
    return logical;
}
