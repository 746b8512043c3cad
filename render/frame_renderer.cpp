#include "render/frame_renderer.h"

#include "render/raster_thread.h"

#include <cstring>

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

void FrameRenderer::abandon() {
    abandoning_ = true;
    invalidate();
    abandoning_ = false;
}

bool FrameRenderer::replay(const DrawList& list, const PixelRegion& region) {
    const TileGrid grid{frameBox(frame_.size()), kTileSide};
    // Each tile's changed pixels, and the box around them.
    std::vector<std::vector<PixelBox>> parts(static_cast<std::size_t>(grid.count()));
    std::vector<PixelBox> wanted(parts.size());
    for (const PixelBox& box : region.boxes()) {
        const TileGrid::Span span = grid.reach(box);
        for (int row = span.firstRow; row <= span.lastRow; ++row) {
            for (int column = span.firstColumn; column <= span.lastColumn; ++column) {
                const auto index = static_cast<std::size_t>(row * grid.columns() + column);
                const PixelBox part = box.intersected(grid.tile(static_cast<int>(index)));
                parts[index].push_back(part);
                wanted[index] = wanted[index].united(part);
            }
        }
    }
    if (tile_.isNull()) {
        tile_ = QImage(kTileSide, kTileSide, QImage::Format_ARGB32_Premultiplied);
    }
    const std::vector<DrawList::Commands> commands = list.commandsByTile(grid, wanted);
    for (std::size_t index = 0; index < wanted.size(); ++index) {
        if (wanted[index].empty()) {
            continue;
        }
        if (abandoning_) {
            return false;
        }
        const PixelBox tile = grid.tile(static_cast<int>(index));
        {
            QtCanvas canvas(tile_, QPoint(tile.left, tile.top), frame_.size());
            canvas.clear();
            list.replay(canvas, commands[index]);
        }
        // Only the changed pixels of the tile go into the frame, and only the commands that
        // may paint them were drawn: what else the frame holds (the corner marks) stays.
        for (const PixelBox& part : parts[index]) {
            const std::size_t bytes = static_cast<std::size_t>(part.right - part.left) * 4;
            for (int y = part.top; y < part.bottom; ++y) {
                std::memcpy(frame_.scanLine(y) + static_cast<qsizetype>(part.left) * 4,
                            tile_.constScanLine(y - tile.top) +
                                static_cast<qsizetype>(part.left - tile.left) * 4,
                            bytes);
            }
        }
    }
    return true;
}

void FrameRenderer::drawOver(Ahead& ahead, const Finish& finish) {
    if (drawnId_ != ahead.previousId) {
        ahead.region = ahead.list.changedSince(*drawn_, frameBox(frame_.size()));
    }
    const PixelRegion& region = ahead.region;
    const QRegion redrawn = regionOf(region);
    if (!region.empty() && !replay(ahead.list, region)) {
        return;
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
    const auto recording = std::chrono::steady_clock::now();
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
    recordCost_ = std::chrono::steady_clock::now() - recording;
    if (!region.empty()) {
        // The recording stays in drawn_ and the frame in place until the next settle().
        rasterThread_.start(
            [this, region = std::move(region), redrawn, finish = std::move(finish)] {
                const auto drawing = std::chrono::steady_clock::now();
                if (!replay(*drawn_, region)) {
                    return;
                }
                drawCost_ = (std::chrono::steady_clock::now() - drawing).count();
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
