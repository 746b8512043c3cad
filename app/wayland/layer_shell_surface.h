// The clock's frames shown on a Wayland layer-shell surface, a desktop widget of its own.
#pragma once

#include "app/wayland/layer_buffers.h"
#include "app/wayland/layer_catchers.h"
#include "app/wayland/layer_outputs.h"
#include "app/wayland/layer_pointer.h"

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class QSocketNotifier;
struct wl_callback;
struct wl_compositor;
struct wl_display;
struct wl_registry;
struct wl_shm;
struct wl_surface;
struct wp_viewporter;
struct zwlr_layer_shell_v1;
struct zwlr_layer_surface_v1;

// A Wayland client window can neither place itself nor stay above others, and a tiling
// compositor tiles it; a layer-shell surface is placed by margins from an output's corner,
// lives on a layer below or above all windows and gets no decoration. It has its own
// connection to the compositor: Qt 6.4 has no public way to share its own, and the clock's
// other windows (menus, dialogs) may as well run through XWayland, where Qt has none at all.
//
// Positions are in the compositor's logical coordinates, which span all outputs; frames are
// in buffer pixels, the output's integer scale times the logical size. Everything but
// present() and createFrame() belongs to the thread that made the surface, whose Qt event
// loop reads the compositor's events; present() may run on a drawing thread.
class LayerShellSurface {
public:
    // The layer-shell numbers of the layers: the clock's two, between which windows lie, and
    // the outer two.
    enum class Layer : std::uint32_t { Background = 0, Bottom = 1, Top = 2, Overlay = 3 };

    using PointerEvent = LayerPointerEvent;
    using Output = LayerOutputs::Output;

    // Connects to the compositor of WAYLAND_DISPLAY. Null, with the reason in whyNot, where
    // there is no Wayland display or it offers no layer shell (GNOME's does not).
    static std::unique_ptr<LayerShellSurface> connect(std::string& whyNot);
    // Whether connect would succeed, asked before Qt starts (it needs no event loop): the
    // program chooses Qt's platform by it.
    static bool offered(std::string& whyNot);
    ~LayerShellSurface();
    LayerShellSurface(const LayerShellSurface&) = delete;
    LayerShellSurface& operator=(const LayerShellSurface&) = delete;

    // Makes the surface on the output the position lies on (else on the first, brought
    // within it) with the given logical size and layer, and waits for the compositor's
    // answer. False, with the reason, when the compositor refuses.
    bool show(const QPoint& position, const QSize& size, Layer layer, std::string& whyNot);
    // Takes the surface off the screen (the clock hidden to the tray) until the next show();
    // frames presented meanwhile are dropped.
    void hide();
    bool shown() const;
    // Moves the surface's top-left corner to the position: new margins on the same output,
    // or the surface made again on the output the position now lies on (once no button is
    // held: until a drag ends the surface stays on its output, partly hidden past its edge).
    void setPosition(const QPoint& position);
    QPoint position() const;
    // Makes the surface again on the layer, without the frame until it is presented whole again
    // (the scale handler is told).
    void setLayer(Layer layer);
    // The pixels that take the pointer, in logical coordinates of the surface.
    void setInputRegion(const QRegion& logical);
    // No input at all: clicks reach whatever is below.
    void setClickThrough(bool on);
    // The integer scale of the surface's output: frames are this many times the logical size.
    int scale() const;
    std::vector<Output> outputs() const;
    // The part of the first output that the panels leave free, as the compositor tells it; the
    // whole output when it does not. It tells the size only, not which sides the panels take:
    // the area is taken to lie at the output's bottom-left, so that its top and right edges
    // clear a panel on either side.
    QRect freeArea();

    // While a menu is open: a press anywhere on the outputs but keepOut (logical coordinates)
    // reaches the pointer handler as an OutsidePress, and nothing else.
    void catchPressesOutside(const QRegion& keepOut);
    void stopCatchingPresses();

    // Called on the surface's thread for each press, move and release over the surface (and
    // while a button held on it is down), and as the pointer comes over it and leaves.
    void setPointerHandler(std::function<void(const PointerEvent&)> handler);
    // Called on the surface's thread, with the scale, when the surface was made again (on
    // another output, or after its output went away): it then shows nothing until frames are
    // presented whole again, at that scale.
    void setScaleHandler(std::function<void(int)> handler);
    // Called once on the surface's thread when the compositor has gone (or broke the
    // connection over a protocol error): nothing shows any more.
    void setLostHandler(std::function<void()> handler);

    // An empty frame of the size in pixels; the surface copies what present() names out of it,
    // so it is ordinary memory.
    QImage createFrame(const QSize& pixels) const;
    // Shows the frame's pixels under the region (in the frame's pixels) scaled by the overall
    // alpha (0 to 255). A frame of a new size resizes the surface to it divided by the scale.
    void present(const QImage& frame, const QRegion& pixels, int alpha);

private:
    struct PendingPlacement;

    explicit LayerShellSurface(wl_display* display);
    static std::unique_ptr<LayerShellSurface> open(std::string& whyNot);
    bool bindGlobals(std::string& whyNot);
    void dispatch();
    // Hands the pointer events gathered so far to the handler, with the lock let go.
    void deliverPointerEvents();
    void flush();
    bool makeSurface(std::string& whyNot);
    void remakeSurface();
    void moveTo(const QPoint& position);
    bool settleOutput();
    void dropSurface();
    void applyMargins();
    void commitPlacement();
    void applyInputRegion();
    // The namespace a surface on the layer is given.
    const char* namespaceFor(Layer layer) const;
    // Tells the scale handler, with the lock let go, when the surface was made again since
    // remakes_ was `before`.
    void reportRemake(unsigned before);

    static void registryGlobal(void* data, wl_registry* registry, std::uint32_t name,
                               const char* interface, std::uint32_t version);
    static void registryGlobalRemove(void* data, wl_registry* registry, std::uint32_t name);

    wl_display* display_;
    wl_registry* registry_ = nullptr;
    wl_compositor* compositor_ = nullptr;
    wl_shm* shm_ = nullptr;
    zwlr_layer_shell_v1* layerShell_ = nullptr;
    std::uint32_t layerShellVersion_ = 0;
    // Whether the compositor reads a namespace as a kind of window (KWin).
    bool namedByKind_ = false;
    wl_surface* surface_ = nullptr;
    zwlr_layer_surface_v1* layerSurface_ = nullptr;
    std::unique_ptr<QSocketNotifier> notifier_;
    LayerOutputs outputs_;
    LayerBuffers buffers_;
    std::vector<std::unique_ptr<PendingPlacement>> pending_;

    // The present() of a drawing thread and the event handling of the surface's thread
    // share the connection's objects.
    mutable std::recursive_mutex mutex_;
    QPoint position_;
    QSize logicalSize_;
    Layer layer_ = Layer::Bottom;
    std::uint32_t outputName_ = 0;
    int scale_ = 1;
    bool configured_ = false;
    bool closed_ = false;
    bool clickThrough_ = false;
    QRegion inputRegion_;
    bool inputRegionSet_ = false;
    // The surface position the compositor had when it sent the events being read now: the
    // placement of the last commit it has answered.
    QPoint appliedPosition_;
    wp_viewporter* viewporter_ = nullptr;
    LayerCatchers catchers_;
    LayerPointer pointer_{surface_, appliedPosition_};
    std::function<void(const PointerEvent&)> handler_;
    std::function<void(int)> scaleHandler_;
    std::function<void()> lostHandler_;
    bool lost_ = false;
    // How often the surface was made again, for telling the scale handler.
    unsigned remakes_ = 0;
};
