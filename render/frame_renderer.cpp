#include "render/frame_renderer.h"

#include "render/raster_thread.h"

FrameRenderer::FrameRenderer()
    : measureTarget_(1, 1, QImage::Format_ARGB32_Premultiplied), measurer_(measureTarget_) {}

QRegion FrameRenderer::render(Clock& clock, const QSize& pixels, qreal ratio,
                              const velmora::PackedDateTime& utc) {
    DrawList list(measurer_);
    clock.layoutAndDraw(list, {0, 0, pixels.width(), pixels.height()}, utc);
    const bool whole = !drawn_ || frame_.size() != pixels || frame_.devicePixelRatio() != ratio;
    if (whole) {
        drawn_.reset();
        frame_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
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
    if (!area.empty()) {
        rasterThread_.run([&] {
            QtCanvas canvas(frame_);
            canvas.clearAndClipTo(redrawn);
            list.replay(canvas, area);
        });
    }
    drawn_ = std::move(list);
    return redrawn;
}
