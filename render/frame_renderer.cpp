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

namespace {

// Each tile's share of the region, by the tile's index.
std::vector<std::vector<PixelBox>> partsByTile(const TileGrid& grid, const PixelRegion& region) {
    std::vector<std::vector<PixelBox>> parts(static_cast<std::size_t>(grid.count()));
    for (const PixelBox& box : region.boxes()) {
        const TileGrid::Span span = grid.reach(box);
        for (int row = span.firstRow; row <= span.lastRow; ++row) {
            for (int column = span.firstColumn; column <= span.lastColumn; ++column) {
                const auto index = static_cast<std::size_t>(row * grid.columns() + column);
                parts[index].push_back(box.intersected(grid.tile(static_cast<int>(index))));
            }
        }
    }
    return parts;
}

PixelBox boxAround(const std::vector<PixelBox>& boxes) {
    PixelBox around;
    for (const PixelBox& box : boxes) {
        around = around.united(box);
    }
    return around;
}

// Copies the pixels of a box of the frame between two images, each placed at its own top left
// in the frame.
void copyPixels(const QImage& from, QPoint fromAt, QImage& to, QPoint toAt, const PixelBox& box) {
    if (box.empty()) {
        return;
    }
    const std::size_t bytes = static_cast<std::size_t>(box.right - box.left) * 4;
    const qsizetype fromLine = from.bytesPerLine();
    const qsizetype toLine = to.bytesPerLine();
    const uchar* source = from.constScanLine(box.top - fromAt.y()) +
                          static_cast<qsizetype>(box.left - fromAt.x()) * 4;
    uchar* target =
        to.scanLine(box.top - toAt.y()) + static_cast<qsizetype>(box.left - toAt.x()) * 4;
    for (int y = box.top; y < box.bottom; ++y, source += fromLine, target += toLine) {
        std::memcpy(target, source, bytes);
    }
}

} // namespace

void FrameRenderer::setKeepUnderlay(bool keep) {
    settle();
    keepUnderlay_ = keep;
}

PixelRegion FrameRenderer::planUnderlay(const DrawList& list, const DrawList* previous) {
    const PixelBox bounds = frameBox(frame_.size());
    PixelRegion redraw(bounds);
    std::size_t count = underCount_;
    if (previous != nullptr) {
        windowFirsts_[windowFrames_] = list.firstChangeSince(*previous);
        if (++windowFrames_ == kUnderlayWindow) {
            // What changes in a quarter of the frames or more stays above the underlay; what
            // changes more rarely (a minute hand) is drawn into it again where it changed.
            auto quarter = windowFirsts_.begin() + kUnderlayWindow / 4;
            std::nth_element(windowFirsts_.begin(), quarter, windowFirsts_.end());
            count = *quarter;
            windowFrames_ = 0;
        }
    }
    if (!keepUnderlay_ || count == 0 || count >= list.size()) {
        under_ = QImage();
        underCount_ = 0;
        if (!keepUnderlay_) {
            windowFrames_ = 0;
        }
        return redraw;
    }
    const bool whole =
        previous == nullptr || count != underCount_ || under_.size() != frame_.size();
    underCount_ = count;
    if (!whole) {
        return list.changedSince(*previous, bounds, underCount_);
    }
    under_ = QImage(frame_.size(), QImage::Format_ARGB32_Premultiplied);
    if (under_.isNull()) {
        underCount_ = 0;
        return redraw;
    }
    redraw.addEverything();
    return redraw;
}

bool FrameRenderer::replay(const DrawList& list, const DrawList* previous,
                           const PixelRegion& region) {
    const PixelRegion underRedraw = planUnderlay(list, previous);
    const TileGrid grid{frameBox(frame_.size()), kTileSide};
    const std::vector<std::vector<PixelBox>> parts = partsByTile(grid, region);
    const std::vector<std::vector<PixelBox>> underParts = partsByTile(grid, underRedraw);
    std::vector<PixelBox> wanted(parts.size());
    for (std::size_t index = 0; index < wanted.size(); ++index) {
        wanted[index] = boxAround(parts[index]).united(boxAround(underParts[index]));
    }
    if (tile_.isNull()) {
        tile_ = QImage(kTileSide, kTileSide, QImage::Format_ARGB32_Premultiplied);
    }
    const std::vector<DrawList::Commands> commands = list.commandsByTile(grid, wanted);
    QtCanvas canvas(tile_, QPoint(), frame_.size());
    for (std::size_t index = 0; index < wanted.size(); ++index) {
        if (wanted[index].empty()) {
            continue;
        }
        if (abandoning_) {
            return false;
        }
        const PixelBox tile = grid.tile(static_cast<int>(index));
        if (underCount_ > 0) {
            drawOverUnderlay(canvas, list, commands[index], tile, underParts[index], parts[index]);
            continue;
        }
        const QPoint tileAt(tile.left, tile.top);
        canvas.setPart(tileAt);
        canvas.clear();
        list.replay(canvas, commands[index]);
        canvas.finishPart();
        // Only the changed pixels of the tile go into the frame, and only the commands that
        // may paint them were drawn: what else the frame holds (the corner marks) stays.
        for (const PixelBox& part : parts[index]) {
            copyPixels(tile_, tileAt, frame_, QPoint(0, 0), part);
        }
    }
    return true;
}

void FrameRenderer::drawOverUnderlay(QtCanvas& canvas, const DrawList& list,
                                     const DrawList::Commands& commands, const PixelBox& tile,
                                     const std::vector<PixelBox>& underParts,
                                     const std::vector<PixelBox>& parts) {
    DrawList::Commands below;
    DrawList::Commands above;
    for (const std::uint32_t command : commands) {
        if (command < underCount_) {
            below.push_back(command);
        }
        // Settings hold for what follows them.
        if (command >= underCount_ || list.isSetting(command)) {
            above.push_back(command);
        }
    }
    const QPoint tileAt(tile.left, tile.top);
    if (!underParts.empty()) {
        canvas.setPart(tileAt);
        canvas.clear();
        list.replay(canvas, below);
        canvas.finishPart();
        for (const PixelBox& part : underParts) {
            copyPixels(tile_, tileAt, under_, QPoint(0, 0), part);
        }
    }
    if (parts.empty()) {
        return;
    }
    // Only the changed pixels come from the underlay, not the whole tile: a pixel's colour
    // depends only on what lay beneath it and on the shapes over it, and only those pixels go
    // into the frame.
    if (underParts.empty()) {
        for (const PixelBox& part : parts) {
            copyPixels(under_, QPoint(0, 0), tile_, tileAt, part);
        }
    }
    canvas.setPart(tileAt);
    list.replay(canvas, above);
    canvas.finishPart();
    for (const PixelBox& part : parts) {
        copyPixels(tile_, tileAt, frame_, QPoint(0, 0), part);
    }
}

void FrameRenderer::drawOver(Ahead& ahead, const Finish& finish) {
    if (drawnId_ != ahead.previousId) {
        ahead.region = ahead.list.changedSince(*drawn_, frameBox(frame_.size()));
    }
    const PixelRegion& region = ahead.region;
    const QRegion redrawn = regionOf(region);
    if (!region.empty() && !replay(ahead.list, &*drawn_, region)) {
        return;
    }
    drawn_ = std::move(ahead.list);
    drawnId_ = ahead.id;
    drawnAt_ = ahead.at;
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
    replaced_ = std::move(drawn_);
    drawn_ = std::move(list);
    drawnId_ = ++lastId_;
    drawnAt_ = {};
    recordCost_ = std::chrono::steady_clock::now() - recording;
    if (!region.empty()) {
        // The recordings stay in drawn_ and replaced_, and the frame in place, until the next
        // settle().
        rasterThread_.start(
            [this, region = std::move(region), redrawn, finish = std::move(finish)] {
                const auto drawing = std::chrono::steady_clock::now();
                if (!replay(*drawn_, replaced_ ? &*replaced_ : nullptr, region)) {
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
    for (const Moment& moment : moments) {
        if (moment.at <= drawnAt_) {
            continue;
        }
        auto ahead = std::make_shared<Ahead>(
            Ahead{DrawList(measurer_), ++lastId_, previousId, PixelRegion(bounds), moment.at});
        ahead->list.reserve(previous->size());
        clock.layoutAndDraw(ahead->list, {0, 0, bounds.right, bounds.bottom}, moment.utc);
        ahead->region = ahead->list.changedSince(*previous, bounds);
        redrawnAll += regionOf(ahead->region);
        previous = &ahead->list;
        previousId = ahead->id;
        jobs.push_back({moment.at, [this, ahead, finish] { drawOver(*ahead, finish); }, pacing});
    }
    if (!rasterThread_.startAt(std::move(jobs))) {
        return std::nullopt;
    }
    return redrawnAll;
}
