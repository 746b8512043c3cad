// A clock's frame kept from one moment to the next, drawn again only where it changed.
#pragma once

#include "clock/clock.h"
#include "clock/draw_list.h"
#include "render/qt_canvas.h"
#include "render/raster_thread.h"

#include <QImage>
#include <QRegion>
#include <optional>

// Each frame is first recorded, which costs microseconds; the pixels of the commands that
// differ from the previous frame are then cleared and drawn again, clipped, on a thread of Qt's
// pool. The result is the same as drawing the whole frame, but a clock whose hands
// move draws the boxes around its hands each second rather than the whole window.
class FrameRenderer {
public:
    FrameRenderer();

    // Brings the frame up to the moment at the given size in pixels and pixel density, and
    // returns the pixels drawn again: empty when nothing changed, the whole frame for the
    // first frame, a new size or density, or after invalidate().
    QRegion render(Clock& clock, const QSize& pixels, qreal ratio,
                   const velmora::PackedDateTime& utc);
    // The next render() draws the whole frame: for when the caller drew over it.
    void invalidate() { drawn_.reset(); }
    // The frame, in premultiplied ARGB carrying its pixel density; null before the first
    // render() or when it could not be allocated.
    QImage& frame() { return frame_; }
    const QImage& frame() const { return frame_; }

private:
    QImage frame_;
    // Measures texts and scales images for the recordings, with a font cache that outlives
    // the frames.
    QImage measureTarget_;
    QtCanvas measurer_;
    std::optional<DrawList> drawn_;
    RasterThread rasterThread_;
};
