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

// The boxes are in the order QRegion keeps its own, so they are taken as they are.
QRegion regionOf(const PixelRegion& pixels) {
    std::vector<QRect> rects;
    rects.reserve(pixels.boxes().size());
    for (const PixelBox& box : pixels.boxes()) {
        rects.emplace_back(box.left, box.top, box.right - box.left, box.bottom - box.top);
    }
    QRegion region;
    region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

PixelBox frameBox(const QSize& pixels) {
    return {0, 0, pixels.width(), pixels.height()};
}

} // namespace

void FrameRenderer::settle() const {
    if (rasterThread_.wait() && aheadDropped_) {
        aheadDropped_();
    }
}

void FrameRenderer::replay(const DrawList& list, const PixelRegion& region,
                           const QRegion& redrawn) {
    QtCanvas canvas(frame_);
    canvas.clearAndClipTo(redrawn);
    list.replay(canvas, region);
}

void FrameRenderer::drawOver(Ahead& ahead, const Finish& finish) {
    if (drawnId_ != ahead.previousId) {
        ahead.region = ahead.list.changedSince(*drawn_, frameBox(frame_.size()));
    }
    const PixelRegion& region = ahead.region;
    const QRegion redrawn = regionOf(region);
    if (!region.empty()) {
        replay(ahead.list, region, redrawn);
    }
    drawn_ = std::move(ahead.list);
    drawnId_ = ahead.id;
    if (finish && !redrawn.isEmpty()) {
        finish(frame_, redrawn);
    }
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
    PixelRegion region(frameBox(pixels));
    if (whole) {
        region.addEverything();
    } else {
        region = list.changedSince(*drawn_, frameBox(pixels));
    }
    const QRegion redrawn = regionOf(region);
    drawn_ = std::move(list);
    drawnId_ = ++lastId_;
    if (!region.empty()) {
        // The recording stays in drawn_ and the frame in place until the next settle().
        rasterThread_.start(
            [this, region = std::move(region), redrawn, finish = std::move(finish)] {
                replay(*drawn_, region, redrawn);
                if (finish) {
                    finish(frame_, redrawn);
                }
            });
    }
    return redrawn;
}

std::optional<QRegion> FrameRenderer::renderAhead(Clock& clock, std::span<const Moment> moments,
                                                  Finish finish, std::chrono::nanoseconds pacing) {
    if (!drawn_ || frame_.isNull() || moments.empty()) {
        return std::nullopt;
    }
    const PixelBox bounds = frameBox(frame_.size());
    // Read while the drawing thread may still replay it: recordings are not changed by that.
    const DrawList* previous = &*drawn_;
    std::uint64_t previousId = drawnId_;
    std::vector<RasterThread::Timed> jobs;
    QRegion redrawnAll;
    // The display's sign may come up to half a refresh before a frame's refresh.
    const std::chrono::nanoseconds lead = pacing + pacing / 2;
    for (const Moment& moment : moments) {
        auto ahead = std::make_shared<Ahead>(
            Ahead{DrawList(measurer_), ++lastId_, previousId, PixelRegion(bounds)});
        ahead->list.reserve(previous->size());
        clock.layoutAndDraw(ahead->list, {0, 0, bounds.right, bounds.bottom}, moment.utc);
        ahead->region = ahead->list.changedSince(*previous, bounds);
        redrawnAll += regionOf(ahead->region);
        previous = &ahead->list;
        previousId = ahead->id;
        jobs.push_back({moment.at, [this, ahead, finish] { drawOver(*ahead, finish); }, lead});
    }
    if (!rasterThread_.startAt(std::move(jobs))) {
        return std::nullopt;
    }
    return redrawnAll;
}
