// The clock shown on a Wayland layer-shell surface instead of its Qt window.
#pragma once

#include "app/frame_presenter.h"
#include "app/layer_placement.h"

#include <QElapsedTimer>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <functional>
#include <memory>
#include <string>

class ClockPointer;
class LayerShellSurface;
class SettingsStore;

// The clock's QWidget stays hidden and keeps the clock's logical geometry, so everything that
// sizes frames or places dialogs beside the clock works as on X11; this puts that geometry,
// the frames, the layer and the input region on the surface, and brings the surface's
// pointer events to the clock's own drag, menu and double-click handling.
class LayerClock {
public:
    // Null, with the reason, where the compositor offers no layer shell.
    static std::unique_ptr<LayerClock> connect(std::string& whyNot);
    ~LayerClock();
    LayerClock(const LayerClock&) = delete;
    LayerClock& operator=(const LayerClock&) = delete;

    // The stored placement of the window of this settings name, brought onto the outputs;
    // a clock never placed before goes to the middle of the first output.
    QRect restorePlacement(SettingsStore& settings, std::string_view name, const QSize& size,
                           int cornerSize);
    // A placement the user made, saved where restorePlacement finds it.
    void savePlacement(const QRect& placement);

    // Puts the surface on the screen at the logical rectangle; false with the reason when the
    // compositor refuses it.
    bool show(const QRect& logical, bool onTop, std::string& whyNot);
    void hide();
    bool shown() const;
    void move(const QPoint& position);
    // Where the surface is: it comes onto another output by itself when its own goes away.
    QPoint position() const;
    void setOnTop(bool onTop);
    void setClickThrough(bool on);
    // The logical pixels that take the pointer.
    void setInputRegion(const QRegion& logical);
    // Frames are drawn this many times the logical size.
    int scale() const;
    std::unique_ptr<FramePresenter> presenter() const;

    // Where the surface's pointer events go; positions arrive in the desktop's logical
    // coordinates, local ones are measured from geometry()'s corner.
    void setPointer(ClockPointer& pointer, std::function<QRect()> geometry);
    // Called with true when the pointer comes over the clock and false when it leaves.
    void setHoverHandler(std::function<void(bool)> handler) { hover_ = std::move(handler); }
    // Called on the window's thread when frames must be drawn at a new scale.
    void setScaleHandler(std::function<void()> handler);
    // Called once the compositor has gone: nothing can show the clock any more.
    void setLostHandler(std::function<void()> handler);

private:
    explicit LayerClock(std::shared_ptr<LayerShellSurface> surface);
    void pressed(Qt::MouseButton button, const QPointF& local, const QPoint& global);

    std::shared_ptr<LayerShellSurface> surface_;
    std::unique_ptr<LayerPlacement> placement_;
    ClockPointer* pointer_ = nullptr;
    std::function<QRect()> geometry_;
    std::function<void(bool)> hover_;
    Qt::MouseButtons held_;
    // The last left press that began a click, for telling a double click.
    QElapsedTimer lastPress_;
    QPoint lastPressAt_;
};
