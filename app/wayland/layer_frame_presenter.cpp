// The clock's frames put on its layer-shell surface by the drawing thread.
#include "app/wayland/layer_frame_presenter.h"

#include "app/wayland/layer_shell_surface.h"

LayerFramePresenter::LayerFramePresenter(std::shared_ptr<LayerShellSurface> surface)
    : surface_(std::move(surface)) {
    surface_->setFrameHandler([this] { tellReady(); });
}

LayerFramePresenter::~LayerFramePresenter() {
    surface_->setFrameHandler(nullptr);
}

void LayerFramePresenter::requestReady() {
    if (!surface_->requestFrame()) {
        tellReady();
    }
}

QImage LayerFramePresenter::createFrame(const QSize& pixels) {
    return surface_->createFrame(pixels);
}

void LayerFramePresenter::present(const QImage& frame, const QRegion& pixels, int alpha) {
    surface_->present(frame, pixels, alpha);
}
