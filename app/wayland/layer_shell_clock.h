// LayerClock on a layer-shell surface: the Wayland module's side of the clock.
#pragma once

#include "app/wayland/layer_placement.h"
#include "app/window/layer_clock.h"

#include <QElapsedTimer>
#include <memory>

class LayerShellSurface;

class LayerShellClock final : public LayerClock {
public:
    explicit LayerShellClock(std::shared_ptr<LayerShellSurface> surface);
    ~LayerShellClock() override;

    QRect restorePlacement(SettingsStore& settings, std::string_view name, const QRect& fallback,
                           int cornerSize) override;
    QRect freeArea() override;
    void savePlacement(const QRect& placement) override;
    bool show(const QRect& logical, bool onTop, std::string& whyNot) override;
    void hide() override;
    bool shown() const override;
    void move(const QPoint& position) override;
    QPoint position() const override;
    void setOnTop(bool onTop) override;
    void setClickThrough(bool on) override;
    void setInputRegion(const QRegion& logical) override;
    int scale() const override;
    std::unique_ptr<FramePresenter> presenter() const override;
    void catchPressesOutside(const QRegion& keepOut, std::function<void()> pressed) override;
    void stopCatchingPresses() override;
    void setPointer(ClockPointer& pointer, std::function<QRect()> geometry) override;
    void setHoverHandler(std::function<void(bool)> handler) override {
        hover_ = std::move(handler);
    }
    void setScaleHandler(std::function<void()> handler) override;
    void setLostHandler(std::function<void()> handler) override;

private:
    void pressed(Qt::MouseButton button, const QPointF& local, const QPoint& global);

    std::shared_ptr<LayerShellSurface> surface_;
    std::unique_ptr<LayerPlacement> placement_;
    ClockPointer* pointer_ = nullptr;
    std::function<QRect()> geometry_;
    std::function<void(bool)> hover_;
    std::function<void()> outsidePressed_;
    Qt::MouseButtons held_;
    // The last left press that began a click, for telling a double click.
    QElapsedTimer lastPress_;
    QPoint lastPressAt_;
};
