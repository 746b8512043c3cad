// Which pixels of the clock's window take the mouse: those the frame draws anything on.
#pragma once

#include <QImage>
#include <QRect>
#include <QRegion>
#include <QSize>

// The shape is kept as one bit a window pixel, so that a frame's changed boxes update it in
// place and the window system is told only when the outline really changed.
class InputShape {
public:
    // All bits clear: nothing takes the mouse.
    static QImage emptyBits(const QSize& logicalSize);
    // Brings the bits of the area in line with the frame; whether any bit changed.
    static bool update(QImage& bits, const QImage& frame, const QRect& area);
    // The bits as a region: pixels with any alpha take the mouse, fully transparent ones let
    // clicks through.
    static QRegion region(const QImage& bits);
};
