// Frames presented by the drawing thread, with the window's input shape kept in step.
#include "app/presentation/direct_presentation.h"

#include "app/presentation/frame_painting.h"
#include "app/presentation/input_shape.h"

#include <QMetaObject>

void DirectPresentation::setPresenter(std::unique_ptr<FramePresenter> presenter) {
    settled().presenter = std::move(presenter);
    FramePresenter* shown = parts_.presenter.get();
    if (shown == nullptr || !shown->pacesFrames()) {
        renderer_.setPacer(nullptr);
        return;
    }
    // Asked on the drawing thread, while the presenter is that thread's.
    renderer_.setPacer([shown] { shown->requestReady(); });
    shown->setReadyHandler([renderer = &renderer_] { renderer->displayReady(); });
}

FrameRenderer::Finish DirectPresentation::finish(qreal ratio, int alpha, bool outline,
                                                 QObject* context, OutlineChanged changed,
                                                 Overlay overlay) {
    return [this, ratio, alpha, outline, context, changed = std::move(changed),
            overlay = std::move(overlay)](QImage& frame, const QRegion& redrawn) {
        finishFrame(frame, redrawn, ratio, alpha, outline, context, changed, overlay);
    };
}

// On the drawing thread, right after the frame's pixels: the outline and the upload need
// nothing of the window's thread, which sleeps on. Only a changed outline is handed back, as
// a window's mask is set there.
void DirectPresentation::finishFrame(QImage& frame, const QRegion& redrawn, qreal ratio, int alpha,
                                     bool outline, QObject* context, const OutlineChanged& changed,
                                     const Overlay& overlay) {
    if (overlay) {
        overlay(frame, redrawn);
    }
    bool outlineChanged = false;
    if (outline && !parts_.inputBits.isNull()) {
        for (const QRect& area : logicalArea(redrawn, ratio)) {
            outlineChanged = InputShape::update(parts_.inputBits, frame, area) || outlineChanged;
        }
    }
    if (parts_.presenter != nullptr) {
        parts_.presenter->present(frame, redrawn, alpha);
    }
    if (outlineChanged && context != nullptr) {
        QMetaObject::invokeMethod(
            context, [changed, bits = parts_.inputBits.copy()] { changed(bits); },
            Qt::QueuedConnection);
    }
}
