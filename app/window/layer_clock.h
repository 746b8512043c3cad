// The clock shown on a Wayland layer-shell surface instead of its Qt window.
#pragma once

#include "app/presentation/frame_presenter.h"
#include "velmora_export.h"

#include <QPoint>
#include <QRect>
#include <QRegion>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class ClockPointer;
class SettingsStore;

// The clock's QWidget stays hidden and keeps the clock's logical geometry, so everything that
// sizes frames or places dialogs beside the clock works as on X11; this puts that geometry,
// the frames, the layer and the input region on the surface, and brings the surface's
// pointer events to the clock's own drag, menu and double-click handling. It lives in a
// module of its own, with libwayland-client, which an X11 session never loads.
class VELMORA_EXPORT LayerClock {
public:
    // The module (velmora_wayland) and its entry point, which gives a LayerShellModule.
    static constexpr const char* kModuleName = "velmora_wayland";
    static constexpr const char* kEntryName = "velmoraLayerShellModule";

    // Null, with the reason, where the compositor offers no layer shell or the program's
    // Wayland module cannot be loaded.
    static std::unique_ptr<LayerClock> connect(std::string& whyNot);
    // Whether connect would succeed, asked before Qt starts: the program chooses Qt's platform
    // by it.
    static bool offered(std::string& whyNot);

    virtual ~LayerClock() = default;
    LayerClock(const LayerClock&) = delete;
    LayerClock& operator=(const LayerClock&) = delete;

    // The stored placement of the window of this settings name, brought onto the outputs;
    // a clock never placed before goes to `fallback`.
    virtual QRect restorePlacement(SettingsStore& settings, std::string_view name,
                                   const QRect& fallback, int cornerSize) = 0;
    // The part of the first output that the compositor leaves to surfaces beside the panels,
    // in the logical coordinates spanning the outputs.
    virtual QRect freeArea() = 0;
    // A placement the user made, saved where restorePlacement finds it.
    virtual void savePlacement(const QRect& placement) = 0;

    // Puts the surface on the screen at the logical rectangle; false with the reason when the
    // compositor refuses it.
    virtual bool show(const QRect& logical, bool onTop, std::string& whyNot) = 0;
    virtual void hide() = 0;
    virtual bool shown() const = 0;
    virtual void move(const QPoint& position) = 0;
    // Where the surface is: it comes onto another output by itself when its own goes away.
    virtual QPoint position() const = 0;
    virtual void setOnTop(bool onTop) = 0;
    virtual void setClickThrough(bool on) = 0;
    // The logical pixels that take the pointer.
    virtual void setInputRegion(const QRegion& logical) = 0;
    // Frames are drawn this many times the logical size.
    virtual int scale() const = 0;
    virtual std::unique_ptr<FramePresenter> presenter() const = 0;

    // While menus are open: a press anywhere on the outputs but keepOut (logical coordinates)
    // calls pressed and reaches nothing else. Called again, keepOut changes.
    virtual void catchPressesOutside(const QRegion& keepOut, std::function<void()> pressed) = 0;
    virtual void stopCatchingPresses() = 0;

    // Where the surface's pointer events go; positions arrive in the desktop's logical
    // coordinates, local ones are measured from geometry()'s corner.
    virtual void setPointer(ClockPointer& pointer, std::function<QRect()> geometry) = 0;
    // Called with true when the pointer comes over the clock and false when it leaves.
    virtual void setHoverHandler(std::function<void(bool)> handler) = 0;
    // Called on the window's thread when frames must be drawn at a new scale.
    virtual void setScaleHandler(std::function<void()> handler) = 0;
    // Called once the compositor has gone: nothing can show the clock any more.
    virtual void setLostHandler(std::function<void()> handler) = 0;

protected:
    LayerClock() = default;
};

// What the Wayland module (velmora_wayland) offers through its one entry point.
struct LayerShellModule {
    LayerClock* (*connect)(std::string& whyNot);
    bool (*offered)(std::string& whyNot);
};
extern "C" const LayerShellModule* velmoraLayerShellModule();
