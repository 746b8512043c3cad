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

namespace {

QRegion regionOf(const PixelArea& area) {
    QRegion region;
    for (const PixelBox& box : area.boxes()) {
        region += QRect(box.left, box.top, box.right - box.left, box.bottom - box.top);
    }
    return region;
}

} // namespace

void FrameRenderer::settle() const {
    if (rasterThread_.wait() && aheadDropped_) {
        aheadDropped_();
    }
}

void FrameRenderer::replay(const DrawList& list, const PixelArea& area, const QRegion& redrawn) {
    QtCanvas canvas(frame_);
    canvas.clearAndClipTo(redrawn);
    list.replay(canvas, area);
}

void FrameRenderer::prepareBackground(Clock& clock, const QSize& pixels) {
    clock.prepareBackground(measurer_, {0, 0, pixels.width(), pixels.height()});
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
    const QRegion redrawn = regionOf(area);
    drawn_ = std::move(list);
    if (!area.empty()) {
        // The recording stays in drawn_ and the frame in place until the next settle().
        rasterThread_.start([this, area, redrawn, finish = std::move(finish)] {
            replay(*drawn_, area, redrawn);
            if (finish) {
                finish(frame_, redrawn);
            }
        });
    }
    return redrawn;
}

std::optional<QRegion> FrameRenderer::renderAhead(Clock& clock, std::span<const Moment> moments,
                                                  Finish finish) {
    if (!drawn_ || frame_.isNull() || moments.empty()) {
        return std::nullopt;
    }
    const QRect bounds = frame_.rect();
    // Read while the drawing thread may still replay it: recordings are not changed by that.
    const DrawList* previous = &*drawn_;
    std::vector<RasterThread::Timed> jobs;
    QRegion redrawnAll;
    for (const Moment& moment : moments) {
        auto list = std::make_shared<DrawList>(measurer_);
        list->reserve(previous->size());
        clock.layoutAndDraw(*list, {0, 0, bounds.width(), bounds.height()}, moment.utc);
        const PixelArea area =
            list->changedSince(*previous).intersected({0, 0, bounds.width(), bounds.height()});
        const QRegion redrawn = regionOf(area);
        redrawnAll += redrawn;
        previous = list.get();
        // Each frame's recording becomes drawn_ as it is drawn, so that a settle() between
        // two of them leaves drawn_ matching the pixels.
        jobs.push_back({moment.at, [this, list, area, redrawn, finish] {
                            if (!area.empty()) {
                                replay(*list, area, redrawn);
                            }
                            drawn_ = std::move(*list);
                            if (finish && !area.empty()) {
                                finish(frame_, redrawn);
                            }
                        }});
    }
    if (!rasterThread_.startAt(std::move(jobs))) {
        return std::nullopt;
    }
    return redrawnAll;
}
