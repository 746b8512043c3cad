// Painting the clock's frame into its window, over the desktop's background where no
// compositor blends it, and the tiling of that background.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QRegion>
#include <functional>
#include <vector>

// A part of a root background pixmap: its rectangle in the pixmap, and where it goes relative
// to the top-left corner of the area asked for.
struct BackdropPiece {
    QRect source;
    QPoint target;
};

// The pieces of a pixmap of the given size that cover an area of the screen, with the pixmap
// repeated from the screen's origin in every direction, as the X server tiles a root
// background. A pixmap smaller than the screen (a tiled wallpaper) therefore wraps, and so
// does the part of a window that lies off the screen. None for an empty area or tile.
std::vector<BackdropPiece> tiledPieces(const QRect& area, const QSize& tile);

// The background under an area of the screen, in RGB32: one read of the part of the pixmap
// that the pieces need, then the pieces put in place. Null when the read gives null or an
// image of another size (a pixmap gone or of a depth that cannot be read).
using PixmapReader = std::function<QImage(const QRect& source)>;
QImage assembleBackdrop(const QRect& area, const QSize& tile, const PixmapReader& read);

// Paints the window area (logical coordinates) from the frame, which carries its pixel
// density: over the backdrop where one is given and covers it, else over transparent pixels.
// The backdrop has the frame's pixels and density. The result is the same whether a window is
// painted whole or, after each frame, only where the frame changed.
void paintFrameArea(QPainter& painter, const QImage& frame, const QImage& backdrop,
                    const QRect& area, qreal opacity);

// Pixels of a frame drawn at the pixel density `ratio`, in the window's coordinates, rounded
// outwards.
QRegion logicalArea(const QRegion& pixels, qreal ratio);
