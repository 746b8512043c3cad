// Frames presented by the drawing thread, with the window's input shape kept in step.
#pragma once

#include "app/presentation/frame_presenter.h"
#include "render/frame_renderer.h"

#include <QImage>
#include <QRegion>
#include <functional>
#include <memory>

// While the drawing thread finishes a frame (its outline, then its upload), the presenter and
// the input bits are that thread's. The window's thread reaches them only through settled(),
// which first waits for the drawing thread to let go of them: no caller can forget to.
class DirectPresentation {
public:
    // What a finished frame needs besides its pixels.
    struct Parts {
        // Null where frames go through Qt's backing store.
        std::unique_ptr<FramePresenter> presenter;
        // One bit a window pixel (see InputShape); null while nothing is tracked.
        QImage inputBits;
    };

    explicit DirectPresentation(FrameRenderer& renderer) : renderer_(renderer) {}
    DirectPresentation(const DirectPresentation&) = delete;
    DirectPresentation& operator=(const DirectPresentation&) = delete;

    // The parts, once no frame is being finished.
    Parts& settled() {
        renderer_.settle();
        return parts_;
    }
    // Shows frames through this presenter from now on (null: through Qt's backing store);
    // where it tells when the display is ready, frames drawn ahead with a pacing wait for it.
    void setPresenter(std::unique_ptr<FramePresenter> presenter);

    // Told on the window's thread of a new outline, which only that thread may set.
    using OutlineChanged = std::function<void(const QImage& bits)>;
    // Drawn over the frame's changed pixels before anything else reads them (the window's
    // corner marks); may be null.
    using Overlay = std::function<void(QImage& frame, const QRegion& redrawn)>;
    // What follows a frame's pixels on the drawing thread: the overlay is drawn; with
    // `outline`, the input bits are brought in line where the frame changed; then the frame is
    // presented with the overall alpha. A changed outline is sent to `changed` through the
    // event loop of `context`, which settles this before it goes.
    FrameRenderer::Finish finish(qreal ratio, int alpha, bool outline, QObject* context,
                                 OutlineChanged changed, Overlay overlay = nullptr);

private:
    void finishFrame(QImage& frame, const QRegion& redrawn, qreal ratio, int alpha, bool outline,
                     QObject* context, const OutlineChanged& changed, const Overlay& overlay);

    FrameRenderer& renderer_;
    Parts parts_;
};
