#include "render/frame_renderer.h"

#include "render/raster_thread.h"

FrameRenderer::FrameRenderer()
    : measureTarget_(1, 1, QImage::Format_ARGB32_Premultiplied), measurer_(measureTarget_) {}

QImage FrameRenderer::newFrame(const QSize& pixels) const {
    if (allocate_) {
        QImage made = allocate_(pixels);
        if (made.size() == pixels && made.format() == QImage::Format_ARGB32_Premultiplied) {
            return made;
        }
    }
    return QImage(pixels, QImage::Format_ARGB32_Premultiplied);
}

QRegion FrameRenderer::render(Clock& clock, const QSize& pixels, qreal ratio,
                              const velmora::PackedDateTime& utc) {
    QRegion redrawn = draw(clock, pixels, ratio, utc, nullptr);
    settle();
    return redrawn;
}

QRegion FrameRenderer::renderAndFinish(Clock& clock, const QSize& pixels, qreal ratio,
                                       const velmora::PackedDateTime& utc, Finish finish) {
    return draw(clock, pixels, ratio, utc, std::move(finish));
}

QRegion FrameRenderer::draw(Clock& clock, const QSize& pixels, qreal ratio,
                            const velmora::PackedDateTime& utc, Finish finish) {
    settle();
    DrawList list(measurer_);
    if (drawn_) {
        list.reserve(drawn_->size());
    }
    clock.layoutAndDraw(list, {0, 0, pixels.width(), pixels.height()}, utc);
    const bool whole = !drawn_ || frame_.size() != pixels || frame_.devicePixelRatio() != ratio;
    if (whole) {
        drawn_.reset();
        frame_ = newFrame(pixels);
        if (frame_.isNull()) {
            return {};
        }
        frame_.setDevicePixelRatio(ratio);
    }
    const PixelArea area = (whole ? PixelArea(PixelBox::everything()) : list.changedSince(*drawn_))
                               .intersected({0, 0, pixels.width(), pixels.height()});
    QRegion redrawn;
    for (const PixelBox& box : area.boxes()) {
        redrawn += QRect(box.left, box.top, box.right - box.left, box.bottom - box.top);
    }
    drawn_ = std::move(list);
    if (!area.empty()) {
        // The recording stays in drawn_ and the frame in place until the next settle().
        rasterThread_.start([this, area, redrawn, finish = std::move(finish)] {
            {
                QtCanvas canvas(frame_);
                canvas.clearAndClipTo(redrawn);
                drawn_->replay(canvas, area);
            }
            if (finish) {
                finish(frame_, redrawn);
            }
        });
    }
    return redrawn;
}
