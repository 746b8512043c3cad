// The clock shown on a Wayland layer-shell surface, beside its hidden window.
#pragma once

#include "app/window/clock_surface.h"

#include <QString>
#include <functional>
#include <memory>

class ClockDialogs;
class ClockHost;
class ClockPointer;
class FrameRenderer;
class LayerClock;
class LayerToolTip;
class MenuCatch;
class QWidget;

class LayerClockSurface final : public ClockSurface {
public:
    // The surface takes the window's pointer handling and its dialogs' moves of the clock;
    // `lost` is called once nothing can show the clock any more; `toolTip` gives the tooltip's
    // text when it opens.
    LayerClockSurface(std::unique_ptr<LayerClock> layer, ClockHost& host, ClockPointer& pointer,
                      DirectPresentation& direct, FrameRenderer& renderer,
                      std::function<void()> lost, std::function<QString()> toolTip);
    ~LayerClockSurface() override;

    void prepare() override {}
    std::unique_ptr<FramePresenter> makePresenter() override;
    bool presentsHere(const FramePresenter&) const override { return true; }
    void placeAtStart(CWindowAligner& aligner,
                      const std::function<QRect(const QRect& area)>& first) override;
    // The surface follows the compositor's outputs itself.
    bool followsScreensItself() const override { return true; }
    void placeByUser(CWindowAligner& aligner, const QRect& target, bool done) override;
    bool applyView(const ViewSettings& view) override;
    // The compositor keeps the layer's order; nothing raises a surface within it.
    void bringToFront() override {}

    bool shown() const override;
    qreal frameRatio() const override;
    qreal refreshRate() const override;
    bool covered() const override { return false; }
    // The surface is never the active window: the marks show while the pointer is over it.
    bool showsMarks() const override { return hovered_; }
    // The hidden window sees no pointer.
    bool setHovered(bool) override { return false; }

    bool takesDirectFrames() const override { return shown(); }
    void presentedDirectly(const QRegion&, const QRegion&, qreal) override {}
    void showFrame(DirectPresentation::Parts& parts, const QImage& frame, const QRegion& pixels,
                   const QRegion& logical, int alpha) override;
    void repaintWhole() override;

    void setInputRegion(const QRegion& region) override;
    // The surface takes no input at all in click-through mode, as applyView tells it.
    void takeNoInput() override {}

private:
    std::unique_ptr<LayerClock> layer_;
    ClockHost& host_;
    QWidget& window_;
    DirectPresentation& direct_;
    FrameRenderer& renderer_;
    std::function<void()> lost_;
    // Where the menus run through XWayland beside the layer surface: presses outside them
    // close them. After the surface, which it uses.
    std::unique_ptr<MenuCatch> menuCatch_;
    std::unique_ptr<LayerToolTip> toolTip_;
    bool hovered_ = false;
};
