// Transparent surfaces over whole outputs that take the presses outside an open menu.
#pragma once

#include "app/wayland/layer_outputs.h"

#include <QRegion>
#include <cstdint>
#include <memory>
#include <vector>

struct wl_buffer;
struct wl_compositor;
struct wl_shm;
struct wl_surface;
struct wp_viewporter;
struct zwlr_layer_shell_v1;

// The clock's menu runs through XWayland, whose pointer grab never hears a press on a Wayland
// surface (the desktop's background, another program's window), so such a press would leave
// the menu open. While a menu is open, each output gets a transparent surface on the overlay
// layer whose input region is the whole output but the menus and the clock: a press anywhere
// else lands on the program's own surface, while one on a menu or the clock reaches it as
// before. They take no keyboard and no room from other surfaces. Not thread-safe: the layer
// surface's lock guards it.
class LayerCatchers {
public:
    // What the surfaces are made with; the viewporter may be null, the rest may not.
    struct Globals {
        wl_compositor* compositor = nullptr;
        wl_shm* shm = nullptr;
        zwlr_layer_shell_v1* layerShell = nullptr;
        wp_viewporter* viewporter = nullptr;
    };

    LayerCatchers();
    ~LayerCatchers();
    LayerCatchers(const LayerCatchers&) = delete;
    LayerCatchers& operator=(const LayerCatchers&) = delete;

    // Covers every output, taking presses everywhere but on keepOut (logical coordinates
    // spanning the outputs); covered already, only the input regions change.
    void cover(const Globals& globals, const std::vector<LayerOutputs::Output>& outputs,
               const QRegion& keepOut, const char* nameSpace);
    // Takes the surfaces away.
    void clear();
    bool covering() const { return !catchers_.empty(); }
    // The surfaces, for telling a press on them.
    const std::vector<wl_surface*>& surfaces() const { return surfaces_; }

    // The part of an output's area that takes presses, in the surface's own coordinates.
    static QRegion inputRegion(const QRect& output, const QRegion& keepOut);

private:
    struct Catcher;
    static void configured(Catcher& catcher, std::uint32_t serial, int width, int height);
    static wl_buffer* transparentBuffer(wl_shm* shm, int width, int height);
    void applyInput(Catcher& catcher) const;

    Globals globals_;
    QRegion keepOut_;
    std::vector<std::unique_ptr<Catcher>> catchers_;
    std::vector<wl_surface*> surfaces_;
};
