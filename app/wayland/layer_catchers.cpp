// Transparent surfaces over whole outputs that take the presses outside an open menu.
#include "app/wayland/layer_catchers.h"

#include "layer_shell_client.h"
#include "viewporter_client.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

struct LayerCatchers::Catcher {
    const LayerCatchers* owner = nullptr;
    QRect area;
    wl_surface* surface = nullptr;
    zwlr_layer_surface_v1* layer = nullptr;
    wp_viewport* viewport = nullptr;
    wl_buffer* buffer = nullptr;

    ~Catcher() {
        if (viewport != nullptr) {
            wp_viewport_destroy(viewport);
        }
        if (layer != nullptr) {
            zwlr_layer_surface_v1_destroy(layer);
        }
        if (surface != nullptr) {
            wl_surface_destroy(surface);
        }
        if (buffer != nullptr) {
            wl_buffer_destroy(buffer);
        }
    }
};

LayerCatchers::LayerCatchers() = default;

LayerCatchers::~LayerCatchers() {
    clear();
}

QRegion LayerCatchers::inputRegion(const QRect& output, const QRegion& keepOut) {
    return QRegion(QRect(QPoint(0, 0), output.size())) - keepOut.translated(-output.topLeft());
}

void LayerCatchers::cover(const Globals& globals, const std::vector<LayerOutputs::Output>& outputs,
                          const QRegion& keepOut, const char* nameSpace) {
    globals_ = globals;
    keepOut_ = keepOut;
    if (covering()) {
        for (const std::unique_ptr<Catcher>& catcher : catchers_) {
            applyInput(*catcher);
            wl_surface_commit(catcher->surface);
        }
        return;
    }
    static const zwlr_layer_surface_v1_listener listener = {
        .configure =
            [](void* data, zwlr_layer_surface_v1* /*surface*/, uint32_t serial, uint32_t width,
               uint32_t height) {
                configured(*static_cast<Catcher*>(data), serial, static_cast<int>(width),
                           static_cast<int>(height));
            },
        // A catcher the compositor closes (its output gone) just takes nothing more.
        .closed = [](void*, zwlr_layer_surface_v1*) {},
    };
    for (const LayerOutputs::Output& output : outputs) {
        auto catcher = std::make_unique<Catcher>();
        catcher->owner = this;
        catcher->area = output.logical();
        catcher->surface = wl_compositor_create_surface(globals_.compositor);
        catcher->layer = zwlr_layer_shell_v1_get_layer_surface(
            globals_.layerShell, catcher->surface, output.proxy, ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY,
            nameSpace);
        zwlr_layer_surface_v1_add_listener(catcher->layer, &listener, catcher.get());
        zwlr_layer_surface_v1_set_anchor(catcher->layer, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP |
                                                             ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                                                             ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT |
                                                             ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
        zwlr_layer_surface_v1_set_size(catcher->layer, 0, 0);
        // Over the panels too, taking no room from them.
        zwlr_layer_surface_v1_set_exclusive_zone(catcher->layer, -1);
        zwlr_layer_surface_v1_set_keyboard_interactivity(
            catcher->layer, ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
        applyInput(*catcher);
        wl_surface_commit(catcher->surface);
        surfaces_.push_back(catcher->surface);
        catchers_.push_back(std::move(catcher));
    }
}

// The first buffer may only follow the compositor's configure, which gives the output's size.
void LayerCatchers::configured(Catcher& catcher, std::uint32_t serial, int width, int height) {
    zwlr_layer_surface_v1_ack_configure(catcher.layer, serial);
    if (catcher.buffer != nullptr || width <= 0 || height <= 0) {
        wl_surface_commit(catcher.surface);
        return;
    }
    const Globals& globals = catcher.owner->globals_;
    // One transparent pixel stretched over the output where the compositor can, else a
    // transparent buffer of the output's size.
    if (globals.viewporter != nullptr) {
        catcher.viewport = wp_viewporter_get_viewport(globals.viewporter, catcher.surface);
        wp_viewport_set_destination(catcher.viewport, width, height);
        catcher.buffer = transparentBuffer(globals.shm, 1, 1);
    } else {
        catcher.buffer = transparentBuffer(globals.shm, width, height);
    }
    if (catcher.buffer != nullptr) {
        wl_surface_attach(catcher.surface, catcher.buffer, 0, 0);
    }
    wl_surface_commit(catcher.surface);
}

wl_buffer* LayerCatchers::transparentBuffer(wl_shm* shm, int width, int height) {
    const int stride = width * 4;
    const auto bytes = static_cast<off_t>(stride) * height;
    // A new file reads as zeros: transparent pixels, never written.
    const int fd = memfd_create("velmora-catcher", MFD_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    if (ftruncate(fd, bytes) != 0) {
        close(fd);
        return nullptr;
    }
    wl_shm_pool* pool = wl_shm_create_pool(shm, fd, static_cast<int32_t>(bytes));
    wl_buffer* buffer =
        wl_shm_pool_create_buffer(pool, 0, width, height, stride, WL_SHM_FORMAT_ARGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    return buffer;
}

void LayerCatchers::applyInput(Catcher& catcher) const {
    wl_region* region = wl_compositor_create_region(globals_.compositor);
    for (const QRect& rect : inputRegion(catcher.area, keepOut_)) {
        wl_region_add(region, rect.x(), rect.y(), rect.width(), rect.height());
    }
    wl_surface_set_input_region(catcher.surface, region);
    wl_region_destroy(region);
}

void LayerCatchers::clear() {
    catchers_.clear();
    surfaces_.clear();
}
