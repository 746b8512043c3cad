// The clock shown on a Wayland layer-shell surface.
#include "app/window/layer_clock_surface.h"

#include "app/desktop/settings.h"
#include "app/dialogs/window_aligner.h"
#include "app/window/clock_dialogs.h"
#include "app/window/clock_host.h"
#include "app/window/layer_clock.h"
#include "app/window/layer_tool_tip.h"
#include "app/window/menu_catch.h"
#include "app/window/view_settings.h"
#include "app/window/window_corners.h"
#include "render/frame_renderer.h"

#include <QGuiApplication>
#include <QWidget>
#include <cstdio>

LayerClockSurface::LayerClockSurface(std::unique_ptr<LayerClock> layer, ClockHost& host,
                                     ClockPointer& pointer, DirectPresentation& direct,
                                     FrameRenderer& renderer, std::function<void()> lost,
                                     std::function<QString()> toolTip)
    : layer_(std::move(layer)), host_(host), window_(host.widget()), direct_(direct),
      renderer_(renderer), lost_(std::move(lost)) {
    layer_->setPointer(pointer, [this] { return window_.geometry(); });
    layer_->setScaleHandler([this] {
        // A surface made again on another output may have been brought onto it: the window
        // follows, unsaved, as the place is the compositor's doing, not the user's.
        if (layer_->position() != window_.geometry().topLeft()) {
            window_.move(layer_->position());
        }
        repaintWhole();
    });
    layer_->setLostHandler(lost_);
    // The hidden window keeps the surface's place; nothing saves it.
    host_.dialogs().setClockMover([this](const QPoint& at) {
        window_.move(at);
        layer_->move(at);
    });
    layer_->setHoverHandler([this](bool over) {
        hovered_ = over;
        host_.drawFrame();
        if (toolTip_ != nullptr) {
            toolTip_->hover(over);
        }
    });
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        menuCatch_ = std::make_unique<MenuCatch>(
            *layer_, [this] { return host_.view().stayOnTop ? window_.geometry() : QRect(); });
        toolTip_ = std::make_unique<LayerToolTip>(window_, std::move(toolTip));
    }
}

LayerClockSurface::~LayerClockSurface() = default;

std::unique_ptr<FramePresenter> LayerClockSurface::makePresenter() {
    return layer_->presenter();
}

void LayerClockSurface::placeAtStart(CWindowAligner& aligner,
                                     const std::function<QRect(const QRect& area)>& first) {
    // The compositor's outputs, not Qt's screens, decide where the surface may go, and the
    // surface is shown at its place from the start.
    aligner.initForWindow(&window_, nullptr, true, {}, false);
    window_.setGeometry(layer_->restorePlacement(host_.settings(), settings::kClockWindow,
                                                 first(layer_->freeArea()), WindowCorners::kSize));
    host_.applyViewState();
}

void LayerClockSurface::placeByUser(CWindowAligner&, const QRect& target, bool done) {
    // The tooltip stays where it opened; it has no place beside a clock on the move.
    if (toolTip_ != nullptr) {
        toolTip_->close();
    }
    // The hidden window takes no resize events: the frame of a new size is drawn here.
    const bool resized = target.size() != window_.size();
    window_.setGeometry(target);
    layer_->move(window_.geometry().topLeft());
    if (resized) {
        host_.drawFrame();
    }
    if (done) {
        layer_->savePlacement(window_.geometry());
    }
}

bool LayerClockSurface::applyView(const ViewSettings& view) {
    if (view.hiddenToTray) {
        // No frames for a surface that is not shown.
        direct_.settled();
        layer_->hide();
        return false;
    }
    layer_->setOnTop(view.stayOnTop);
    layer_->setClickThrough(view.clickThrough);
    if (!layer_->shown()) {
        std::string whyNot;
        if (!layer_->show(window_.geometry(), view.stayOnTop, whyNot)) {
            std::fprintf(stderr, "velmora: %s\n", whyNot.c_str());
            QMetaObject::invokeMethod(&window_, lost_, Qt::QueuedConnection);
            return false;
        }
        // A surface made anew has none of the frame yet.
        direct_.settled();
        renderer_.invalidate();
    }
    return true;
}

bool LayerClockSurface::shown() const {
    return layer_->shown();
}

qreal LayerClockSurface::frameRatio() const {
    return layer_->scale();
}

qreal LayerClockSurface::refreshRate() const {
    return layer_->refreshRate();
}

void LayerClockSurface::showFrame(DirectPresentation::Parts& parts, const QImage& frame,
                                  const QRegion& pixels, const QRegion&, int alpha) {
    // Nothing of the hidden window shows: the first frames go to the surface here.
    parts.presenter->present(frame, pixels, alpha);
}

void LayerClockSurface::repaintWhole() {
    direct_.settled();
    renderer_.invalidate();
    host_.drawFrame();
}

void LayerClockSurface::setInputRegion(const QRegion& region) {
    layer_->setInputRegion(region);
}
