// LayerShellClock, and the Wayland module's entry points.
#include "app/wayland/layer_shell_clock.h"

#include "app/wayland/layer_frame_presenter.h"
#include "app/wayland/layer_shell_surface.h"
#include "app/window/clock_pointer.h"

#include <QGuiApplication>
#include <QStyleHints>

namespace {

using Layer = LayerShellSurface::Layer;

Layer layerFor(bool onTop) {
    return onTop ? Layer::Top : Layer::Bottom;
}

Qt::MouseButton qtButton(int button) {
    switch (button) {
    case 1:
        return Qt::LeftButton;
    case 2:
        return Qt::RightButton;
    case 4:
        return Qt::MiddleButton;
    default:
        return Qt::NoButton;
    }
}

// Whether a left press at `at`, elapsedMs after the previous one at `previous`, is the second
// of a double click, by the desktop's interval and Qt's drag distance.
bool secondClick(qint64 elapsedMs, const QPoint& previous, const QPoint& at) {
    return elapsedMs >= 0 &&
           elapsedMs <= QGuiApplication::styleHints()->mouseDoubleClickInterval() &&
           (at - previous).manhattanLength() < QGuiApplication::styleHints()->startDragDistance();
}

} // namespace

LayerShellClock::LayerShellClock(std::shared_ptr<LayerShellSurface> surface)
    : surface_(std::move(surface)) {}

LayerShellClock::~LayerShellClock() {
    // A pointer event must not reach a clock that is going.
    surface_->setPointerHandler({});
    surface_->setScaleHandler({});
    surface_->setLostHandler({});
}

namespace {

LayerClock* connectLayerClock(std::string& whyNot) {
    std::unique_ptr<LayerShellSurface> surface = LayerShellSurface::connect(whyNot);
    if (surface == nullptr) {
        return nullptr;
    }
    return new LayerShellClock(std::move(surface));
}

} // namespace

extern "C" Q_DECL_EXPORT const LayerShellModule* velmoraLayerShellModule() {
    static const LayerShellModule module{connectLayerClock, LayerShellSurface::offered};
    return &module;
}

QRect LayerShellClock::restorePlacement(SettingsStore& settings, std::string_view name,
                                        const QRect& fallback, int cornerSize) {
    placement_ = std::make_unique<LayerPlacement>(settings, name);
    QList<QRect> outputs;
    for (const LayerShellSurface::Output& output : surface_->outputs()) {
        outputs.append(output.logical());
    }
    return placement_->restore(fallback, outputs, cornerSize);
}

QRect LayerShellClock::freeArea() {
    return surface_->freeArea();
}

void LayerShellClock::savePlacement(const QRect& placement) {
    if (placement_ != nullptr) {
        placement_->save(placement);
    }
}

bool LayerShellClock::show(const QRect& logical, bool onTop, std::string& whyNot) {
    return surface_->show(logical.topLeft(), logical.size(), layerFor(onTop), whyNot);
}

void LayerShellClock::hide() {
    surface_->hide();
}

bool LayerShellClock::shown() const {
    return surface_->shown();
}

void LayerShellClock::move(const QPoint& position) {
    surface_->setPosition(position);
}

QPoint LayerShellClock::position() const {
    return surface_->position();
}

void LayerShellClock::setOnTop(bool onTop) {
    surface_->setLayer(layerFor(onTop));
}

void LayerShellClock::setClickThrough(bool on) {
    surface_->setClickThrough(on);
}

void LayerShellClock::setInputRegion(const QRegion& logical) {
    surface_->setInputRegion(logical);
}

int LayerShellClock::scale() const {
    return surface_->scale();
}

std::unique_ptr<FramePresenter> LayerShellClock::presenter() const {
    return std::make_unique<LayerFramePresenter>(surface_);
}

void LayerShellClock::setScaleHandler(std::function<void()> handler) {
    surface_->setScaleHandler([handler = std::move(handler)](int) { handler(); });
}

void LayerShellClock::setLostHandler(std::function<void()> handler) {
    surface_->setLostHandler(std::move(handler));
}

void LayerShellClock::catchPressesOutside(const QRegion& keepOut, std::function<void()> pressed) {
    outsidePressed_ = std::move(pressed);
    surface_->catchPressesOutside(keepOut);
}

void LayerShellClock::stopCatchingPresses() {
    surface_->stopCatchingPresses();
    outsidePressed_ = {};
}

void LayerShellClock::setPointer(ClockPointer& pointer, std::function<QRect()> geometry) {
    pointer_ = &pointer;
    geometry_ = std::move(geometry);
    surface_->setPointerHandler([this](const LayerShellSurface::PointerEvent& event) {
        const QPoint global = event.position.toPoint();
        const Qt::MouseButton button = qtButton(event.button);
        const QPointF local = event.position - QPointF(geometry_().topLeft());
        switch (event.kind) {
        case LayerShellSurface::PointerEvent::Kind::Press:
            held_ |= button;
            pressed(button, local, global);
            break;
        case LayerShellSurface::PointerEvent::Kind::Move:
            pointer_->move(held_, global);
            break;
        case LayerShellSurface::PointerEvent::Kind::Release:
            held_ &= ~button;
            pointer_->release(button, local, global);
            break;
        case LayerShellSurface::PointerEvent::Kind::OutsidePress:
            if (outsidePressed_) {
                // Called through a copy: what it does may stop the catching, and this with it.
                const std::function<void()> pressed = outsidePressed_;
                pressed();
            }
            break;
        case LayerShellSurface::PointerEvent::Kind::Enter:
        case LayerShellSurface::PointerEvent::Kind::Leave: {
            const bool over = event.kind == LayerShellSurface::PointerEvent::Kind::Enter;
            if (!over) {
                // The compositor ends a grab with the leave: no release follows.
                held_ = Qt::NoButton;
            }
            if (hover_) {
                hover_(over);
            }
            break;
        }
        }
    });
}

// Qt tells a double click by two presses within the desktop's interval; the compositor only
// sends presses, so the same rule is applied here. A third press begins a new click.
void LayerShellClock::pressed(Qt::MouseButton button, const QPointF& local, const QPoint& global) {
    if (button != Qt::LeftButton) {
        pointer_->press(button, local, global);
        return;
    }
    if (lastPress_.isValid() && secondClick(lastPress_.elapsed(), lastPressAt_, global)) {
        lastPress_.invalidate();
        pointer_->doubleClick(button);
        return;
    }
    lastPress_.start();
    lastPressAt_ = global;
    pointer_->press(button, local, global);
}
