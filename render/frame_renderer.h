// A clock's frame kept from one moment to the next, drawn again only where it changed.
#pragma once

#include "clock/clock.h"
#include "clock/draw_list.h"
#include "render/qt_canvas.h"
#include "render/raster_thread.h"

#include <QImage>
#include <QRegion>
#include <functional>
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
    // What is to become of the drawn pixels, done on the drawing thread right after them.
    using Finish = std::function<void(const QImage& frame, const QRegion& redrawn)>;
    // As render(), but returns as soon as the drawing has begun; `finish` follows it on the
    // drawing thread. The caller then need not wake again when the frame is done.
    QRegion renderAndFinish(Clock& clock, const QSize& pixels, qreal ratio,
                            const velmora::PackedDateTime& utc, Finish finish);
    // Makes the frames from here on, for memory that others read too; a null image it returns
    // stands for "make it plainly".
    using Allocate = std::function<QImage(const QSize& pixels)>;
    void setAllocator(Allocate allocate) { allocate_ = std::move(allocate); }
    // Returns when the drawing that renderAndFinish() left running is done.
    void settle() const { rasterThread_.wait(); }
    // The next render() draws the whole frame: for when the caller drew over it.
    void invalidate() {
        settle();
        drawn_.reset();
    }
    // The frame, in premultiplied ARGB carrying its pixel density; null before the first
    // render() or when it could not be allocated. Settled first.
    QImage& frame() {
        settle();
        return frame_;
    }
    const QImage& frame() const {
        settle();
        return frame_;
    }

private:
    QRegion draw(Clock& clock, const QSize& pixels, qreal ratio, const velmora::PackedDateTime& utc,
                 Finish finish);

    QImage newFrame(const QSize& pixels) const;

    QImage frame_;
    Allocate allocate_;
    // Measures texts and scales images for the recordings, with a font cache that outlives
    // the frames.
    QImage measureTarget_;
    QtCanvas measurer_;
    std::optional<DrawList> drawn_;
    mutable RasterThread rasterThread_;
};
