// The clock's frames put on its layer-shell surface by the drawing thread.
#pragma once

#include "app/presentation/frame_presenter.h"

#include <memory>

class LayerShellSurface;

// The layer surface copies the changed boxes of each frame into buffers the compositor reads,
// so frames drawn ahead show as they do on X11, without waking the window's thread. It holds
// the surface too: a frame still being finished on the drawing thread keeps it alive.
class LayerFramePresenter : public FramePresenter {
public:
    explicit LayerFramePresenter(std::shared_ptr<LayerShellSurface> surface);
    ~LayerFramePresenter() override;

    // The clock has no native window of its own on the layer shell: whatever Qt made for the
    // hidden widget, frames go to the surface.
    bool showsInto(WId /*window*/) const override { return true; }
    QImage createFrame(const QSize& pixels) override;
    void present(const QImage& frame, const QRegion& pixels, int alpha) override;
    // Paced by the compositor's frame callbacks, which it sends only while it shows the surface.
    bool pacesFrames() const override { return true; }
    void requestReady() override;

private:
    std::shared_ptr<LayerShellSurface> surface_;
};
