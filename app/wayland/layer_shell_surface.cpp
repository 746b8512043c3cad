// The clock's frames shown on a Wayland layer-shell surface, a desktop widget of its own.
#include "app/wayland/layer_shell_surface.h"

#include "layer_shell_client.h"
#include "relative_pointer_client.h"
#include "viewporter_client.h"
#include "xdg_output_client.h"

#include <QSocketNotifier>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <wayland-client.h>

namespace {

// The versions whose messages the code below knows; a newer compositor is spoken to in these.
constexpr std::uint32_t kCompositorVersion = 4; // damage_buffer
constexpr std::uint32_t kOutputVersion = 2;     // scale and done
constexpr std::uint32_t kSeatVersion = 5;
constexpr std::uint32_t kLayerShellVersion = 4;
constexpr std::uint32_t kRelativePointerVersion = 1;
constexpr std::uint32_t kOutputManagerVersion = 2;
// What the surface is called where the name does not matter (sway ignores it; others match
// their rules against it).
constexpr const char* kNamespace = "velmora-clock";

} // namespace

// KWin reads a layer surface's namespace as the kind of window it is. Of the kinds it knows,
// a desktop window and a dock stay on the screen when the desktop is shown (a surface of
// another name is hidden under the desktop there); and it stacks a desktop below the windows
// and a dock above them whatever the surface's layer, as it stacks those layers for a surface
// of a name it does not know.
const char* LayerShellSurface::namespaceFor(Layer layer) const {
    if (!namedByKind_) {
        return kNamespace;
    }
    return layer == Layer::Top ? "dock" : "desktop";
}

struct LayerShellSurface::PendingPlacement {
    LayerShellSurface* owner = nullptr;
    wl_callback* callback = nullptr;
    QPoint position;
};

LayerShellSurface::LayerShellSurface(wl_display* display) : display_(display) {
    pointer_.watchCatchers(catchers_.surfaces());
}

std::unique_ptr<LayerShellSurface> LayerShellSurface::open(std::string& whyNot) {
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        whyNot = "no Wayland display to connect to (WAYLAND_DISPLAY unset or its compositor "
                 "not running)";
        return nullptr;
    }
    std::unique_ptr<LayerShellSurface> surface(new LayerShellSurface(display));
    if (!surface->bindGlobals(whyNot)) {
        return nullptr;
    }
    return surface;
}

std::unique_ptr<LayerShellSurface> LayerShellSurface::connect(std::string& whyNot) {
    std::unique_ptr<LayerShellSurface> surface = open(whyNot);
    if (surface == nullptr) {
        return nullptr;
    }
    surface->notifier_ = std::make_unique<QSocketNotifier>(wl_display_get_fd(surface->display_),
                                                           QSocketNotifier::Read);
    QObject::connect(surface->notifier_.get(), &QSocketNotifier::activated,
                     [raw = surface.get()] { raw->dispatch(); });
    return surface;
}

bool LayerShellSurface::offered(std::string& whyNot) {
    return open(whyNot) != nullptr;
}

bool LayerShellSurface::bindGlobals(std::string& whyNot) {
    static const wl_registry_listener listener = {&LayerShellSurface::registryGlobal,
                                                  &LayerShellSurface::registryGlobalRemove};
    registry_ = wl_display_get_registry(display_);
    wl_registry_add_listener(registry_, &listener, this);
    // The first round trip lists the globals, the second the outputs' and seat's details.
    if (wl_display_roundtrip(display_) < 0 || wl_display_roundtrip(display_) < 0) {
        whyNot = "the Wayland compositor closed the connection";
        return false;
    }
    if (layerShell_ == nullptr) {
        whyNot = "the Wayland compositor offers no layer shell (zwlr_layer_shell_v1); the clock "
                 "can run through XWayland instead";
        return false;
    }
    if (compositor_ == nullptr || shm_ == nullptr) {
        whyNot = "the Wayland compositor lacks wl_compositor version 4 or wl_shm";
        return false;
    }
    if (outputs_.empty()) {
        whyNot = "the Wayland compositor has no output";
        return false;
    }
    return true;
}

void LayerShellSurface::registryGlobal(void* data, wl_registry* registry, std::uint32_t name,
                                       const char* interface, std::uint32_t version) {
    auto* self = static_cast<LayerShellSurface*>(data);
    const auto bind = [&](const wl_interface* kind, std::uint32_t wanted) {
        return wl_registry_bind(registry, name, kind, std::min(version, wanted));
    };
    if (std::strcmp(interface, wl_compositor_interface.name) == 0 &&
        version >= kCompositorVersion) {
        self->compositor_ =
            static_cast<wl_compositor*>(bind(&wl_compositor_interface, kCompositorVersion));
    } else if (std::strcmp(interface, wl_shm_interface.name) == 0) {
        self->shm_ = static_cast<wl_shm*>(bind(&wl_shm_interface, 1));
        self->buffers_.setShm(self->shm_);
    } else if (std::strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0) {
        self->layerShell_ = static_cast<zwlr_layer_shell_v1*>(
            bind(&zwlr_layer_shell_v1_interface, kLayerShellVersion));
        self->layerShellVersion_ = std::min(version, kLayerShellVersion);
    } else if (std::strcmp(interface, wl_output_interface.name) == 0) {
        self->outputs_.add(static_cast<wl_output*>(bind(&wl_output_interface, kOutputVersion)),
                           name);
    } else if (std::strcmp(interface, zxdg_output_manager_v1_interface.name) == 0) {
        self->outputs_.describeWith(static_cast<zxdg_output_manager_v1*>(
            bind(&zxdg_output_manager_v1_interface, kOutputManagerVersion)));
    } else if (std::strcmp(interface, zwp_relative_pointer_manager_v1_interface.name) == 0) {
        self->pointer_.useRelativeMotion(static_cast<zwp_relative_pointer_manager_v1*>(
            bind(&zwp_relative_pointer_manager_v1_interface, kRelativePointerVersion)));
    } else if (std::strcmp(interface, wp_viewporter_interface.name) == 0) {
        self->viewporter_ = static_cast<wp_viewporter*>(bind(&wp_viewporter_interface, 1));
    } else if (std::strcmp(interface, "org_kde_plasma_shell") == 0) {
        // Only KWin offers Plasma's shell, and only KWin reads namespaces as kinds.
        self->namedByKind_ = true;
    } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !self->pointer_.hasSeat()) {
        self->pointer_.listenTo(static_cast<wl_seat*>(bind(&wl_seat_interface, kSeatVersion)));
    }
}

void LayerShellSurface::registryGlobalRemove(void* data, wl_registry* /*registry*/,
                                             std::uint32_t name) {
    auto* self = static_cast<LayerShellSurface*>(data);
    // The surface on a removed output is closed by the compositor, which makes it again.
    self->outputs_.remove(name);
}

LayerShellSurface::~LayerShellSurface() {
    notifier_.reset();
    catchers_.clear();
    dropSurface();
    buffers_.clear();
    if (viewporter_ != nullptr) {
        wp_viewporter_destroy(viewporter_);
    }
    pointer_.clear();
    outputs_.clear();
    if (layerShell_ != nullptr) {
        if (layerShellVersion_ >= ZWLR_LAYER_SHELL_V1_DESTROY_SINCE_VERSION) {
            zwlr_layer_shell_v1_destroy(layerShell_);
        } else {
            wl_proxy_destroy(reinterpret_cast<wl_proxy*>(layerShell_));
        }
    }
    if (shm_ != nullptr) {
        wl_shm_destroy(shm_);
    }
    if (compositor_ != nullptr) {
        wl_compositor_destroy(compositor_);
    }
    if (registry_ != nullptr) {
        wl_registry_destroy(registry_);
    }
    wl_display_flush(display_);
    wl_display_disconnect(display_);
}

bool LayerShellSurface::show(const QPoint& position, const QSize& size, Layer layer,
                             std::string& whyNot) {
    const std::lock_guard lock(mutex_);
    position_ = position;
    logicalSize_ = size.expandedTo(QSize(1, 1));
    layer_ = layer;
    dropSurface();
    return makeSurface(whyNot);
}

void LayerShellSurface::hide() {
    {
        const std::lock_guard lock(mutex_);
        dropSurface();
        flush();
    }
    deliverPointerEvents();
}

bool LayerShellSurface::shown() const {
    const std::lock_guard lock(mutex_);
    return surface_ != nullptr;
}

bool LayerShellSurface::makeSurface(std::string& whyNot) {
    const Output* output = outputs_.at(position_);
    if (output == nullptr) {
        whyNot = "the Wayland compositor has no output";
        return false;
    }
    // A position on no output (its output went away) would leave the surface out of sight
    // past the edge of the one it falls back to: it comes onto that output.
    const QRect area = output->logical();
    if (!area.contains(position_) && area.isValid()) {
        position_.setX(std::clamp(position_.x(), area.left(),
                                  std::max(area.left(), area.right() + 1 - logicalSize_.width())));
        position_.setY(std::clamp(position_.y(), area.top(),
                                  std::max(area.top(), area.bottom() + 1 - logicalSize_.height())));
    }
    outputName_ = output->name;
    scale_ = output->scale;
    configured_ = false;
    closed_ = false;
    surface_ = wl_compositor_create_surface(compositor_);
    wl_surface_set_buffer_scale(surface_, scale_);
    layerSurface_ = zwlr_layer_shell_v1_get_layer_surface(layerShell_, surface_, output->proxy,
                                                          static_cast<std::uint32_t>(layer_),
                                                          namespaceFor(layer_));
    static const zwlr_layer_surface_v1_listener listener = {
        .configure =
            [](void* data, zwlr_layer_surface_v1* surface, uint32_t serial, uint32_t /*width*/,
               uint32_t /*height*/) {
                // The clock asks for its own size; the compositor's answer only needs the ack.
                zwlr_layer_surface_v1_ack_configure(surface, serial);
                static_cast<LayerShellSurface*>(data)->configured_ = true;
            },
        .closed =
            [](void* data, zwlr_layer_surface_v1* /*surface*/) {
                static_cast<LayerShellSurface*>(data)->closed_ = true;
            },
    };
    zwlr_layer_surface_v1_add_listener(layerSurface_, &listener, this);
    zwlr_layer_surface_v1_set_anchor(layerSurface_, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP |
                                                        ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT);
    // Placed by the margins from the output's own corner, as the saved position counts it,
    // wherever panels keep room for themselves.
    zwlr_layer_surface_v1_set_exclusive_zone(layerSurface_, -1);
    zwlr_layer_surface_v1_set_size(layerSurface_, logicalSize_.width(), logicalSize_.height());
    zwlr_layer_surface_v1_set_keyboard_interactivity(
        layerSurface_, ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
    applyInputRegion();
    applyMargins();
    appliedPosition_ = position_;
    wl_surface_commit(surface_);
    // The first buffer may only follow the compositor's first configure.
    if (wl_display_roundtrip(display_) < 0 || !configured_) {
        whyNot = closed_ ? "the Wayland compositor closed the clock's layer surface at once"
                         : "the Wayland compositor did not configure the clock's layer surface";
        dropSurface();
        return false;
    }
    buffers_.markAllStale();
    return true;
}

void LayerShellSurface::dropSurface() {
    for (std::unique_ptr<PendingPlacement>& pending : pending_) {
        wl_callback_destroy(pending->callback);
    }
    pending_.clear();
    if (layerSurface_ != nullptr) {
        zwlr_layer_surface_v1_destroy(layerSurface_);
        layerSurface_ = nullptr;
    }
    if (surface_ != nullptr) {
        wl_surface_destroy(surface_);
        surface_ = nullptr;
    }
    pointer_.surfaceGone();
    configured_ = false;
}

void LayerShellSurface::applyMargins() {
    const Output* output = outputs_.named(outputName_);
    const QPoint margin =
        position_ - (output != nullptr ? output->logical().topLeft() : QPoint(0, 0));
    zwlr_layer_surface_v1_set_margin(layerSurface_, margin.y(), 0, 0, margin.x());
}

void LayerShellSurface::commitPlacement() {
    static const wl_callback_listener listener = {
        .done =
            [](void* data, wl_callback* callback, uint32_t /*unused*/) {
                auto* pending = static_cast<PendingPlacement*>(data);
                LayerShellSurface* self = pending->owner;
                self->appliedPosition_ = pending->position;
                wl_callback_destroy(callback);
                std::erase_if(self->pending_,
                              [pending](const std::unique_ptr<PendingPlacement>& p) {
                                  return p.get() == pending;
                              });
            },
    };
    applyMargins();
    wl_surface_commit(surface_);
    // The compositor answers in order: once this answer is read, the pointer events read
    // after it were measured from the new place.
    auto pending = std::make_unique<PendingPlacement>();
    pending->owner = this;
    pending->position = position_;
    pending->callback = wl_display_sync(display_);
    wl_callback_add_listener(pending->callback, &listener, pending.get());
    pending_.push_back(std::move(pending));
    flush();
}

void LayerShellSurface::setPosition(const QPoint& position) {
    unsigned before = 0;
    {
        const std::lock_guard lock(mutex_);
        before = remakes_;
        moveTo(position);
    }
    reportRemake(before);
}

void LayerShellSurface::reportRemake(unsigned before) {
    int scale = 0;
    {
        const std::lock_guard lock(mutex_);
        if (remakes_ == before) {
            return;
        }
        scale = scale_;
    }
    if (scaleHandler_) {
        scaleHandler_(scale);
    }
}

void LayerShellSurface::moveTo(const QPoint& position) {
    const bool moved = position != position_;
    position_ = position;
    if (surface_ == nullptr) {
        return;
    }
    if (!settleOutput() && moved) {
        commitPlacement();
    }
}

bool LayerShellSurface::settleOutput() {
    // A layer surface stays on the output it was made for, so it is made again on the one its
    // position now lies on; not while a button is held, as that would end the drag.
    const Output* output = outputs_.at(position_);
    if (surface_ == nullptr || pointer_.held() || output == nullptr ||
        output->name == outputName_) {
        return false;
    }
    remakeSurface();
    return true;
}

void LayerShellSurface::remakeSurface() {
    std::string whyNot;
    ++remakes_;
    dropSurface();
    if (!makeSurface(whyNot)) {
        std::fprintf(stderr, "velmora: %s\n", whyNot.c_str());
    }
}

QPoint LayerShellSurface::position() const {
    const std::lock_guard lock(mutex_);
    return position_;
}

void LayerShellSurface::setLayer(Layer layer) {
    unsigned before = 0;
    {
        const std::lock_guard lock(mutex_);
        before = remakes_;
        if (layer == layer_) {
            return;
        }
        layer_ = layer;
        if (surface_ == nullptr) {
            return;
        }
        // Made again on the new layer rather than moved there: KWin leaves a mapped surface on
        // its layer, and a namespace, which it reads, cannot change.
        remakeSurface();
    }
    reportRemake(before);
    // The pointer left the surface that went.
    deliverPointerEvents();
}

void LayerShellSurface::setInputRegion(const QRegion& logical) {
    const std::lock_guard lock(mutex_);
    inputRegion_ = logical;
    inputRegionSet_ = true;
    if (surface_ != nullptr) {
        applyInputRegion();
        wl_surface_commit(surface_);
        flush();
    }
}

void LayerShellSurface::setClickThrough(bool on) {
    const std::lock_guard lock(mutex_);
    clickThrough_ = on;
    if (surface_ != nullptr) {
        applyInputRegion();
        wl_surface_commit(surface_);
        flush();
    }
}

void LayerShellSurface::applyInputRegion() {
    if (!clickThrough_ && !inputRegionSet_) {
        // Without a region of its own the whole surface takes input.
        wl_surface_set_input_region(surface_, nullptr);
        return;
    }
    wl_region* region = wl_compositor_create_region(compositor_);
    if (!clickThrough_) {
        for (const QRect& rect : inputRegion_) {
            wl_region_add(region, rect.x(), rect.y(), rect.width(), rect.height());
        }
    }
    wl_surface_set_input_region(surface_, region);
    wl_region_destroy(region);
}

int LayerShellSurface::scale() const {
    const std::lock_guard lock(mutex_);
    return scale_;
}

QRect LayerShellSurface::freeArea() {
    const std::lock_guard lock(mutex_);
    if (outputs_.empty()) {
        return {};
    }
    const Output& first = outputs_.list().front();
    const QRect whole = first.logical();
    // A surface anchored to all four edges that keeps no room of its own is given what the
    // panels leave; with no buffer it is never shown.
    struct Answer {
        bool configured = false;
        QSize size;
    } answer;
    static const zwlr_layer_surface_v1_listener listener = {
        .configure =
            [](void* data, zwlr_layer_surface_v1* surface, uint32_t serial, uint32_t width,
               uint32_t height) {
                zwlr_layer_surface_v1_ack_configure(surface, serial);
                auto* told = static_cast<Answer*>(data);
                told->configured = true;
                told->size = QSize(static_cast<int>(width), static_cast<int>(height));
            },
        .closed = [](void*, zwlr_layer_surface_v1*) {},
    };
    wl_surface* probe = wl_compositor_create_surface(compositor_);
    zwlr_layer_surface_v1* layer = zwlr_layer_shell_v1_get_layer_surface(
        layerShell_, probe, first.proxy, static_cast<std::uint32_t>(Layer::Bottom),
        namespaceFor(Layer::Bottom));
    zwlr_layer_surface_v1_add_listener(layer, &listener, &answer);
    zwlr_layer_surface_v1_set_anchor(
        layer, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                   ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
    zwlr_layer_surface_v1_set_size(layer, 0, 0);
    zwlr_layer_surface_v1_set_exclusive_zone(layer, 0);
    wl_surface_commit(probe);
    wl_display_roundtrip(display_);
    zwlr_layer_surface_v1_destroy(layer);
    wl_surface_destroy(probe);
    flush();
    const QSize free = answer.size.boundedTo(whole.size());
    if (!answer.configured || free.isEmpty()) {
        return whole;
    }
    return QRect(QPoint(whole.left(), whole.bottom() + 1 - free.height()), free);
}

std::vector<LayerShellSurface::Output> LayerShellSurface::outputs() const {
    const std::lock_guard lock(mutex_);
    return outputs_.list();
}

void LayerShellSurface::catchPressesOutside(const QRegion& keepOut) {
    const std::lock_guard lock(mutex_);
    if (lost_) {
        return;
    }
    catchers_.cover({compositor_, shm_, layerShell_, viewporter_}, outputs_.list(), keepOut,
                    kNamespace);
    flush();
}

void LayerShellSurface::stopCatchingPresses() {
    const std::lock_guard lock(mutex_);
    if (!catchers_.covering()) {
        return;
    }
    catchers_.clear();
    pointer_.catchersGone();
    if (!lost_) {
        flush();
    }
}

void LayerShellSurface::setLostHandler(std::function<void()> handler) {
    lostHandler_ = std::move(handler);
}

void LayerShellSurface::setScaleHandler(std::function<void(int)> handler) {
    scaleHandler_ = std::move(handler);
}

void LayerShellSurface::setPointerHandler(std::function<void(const PointerEvent&)> handler) {
    handler_ = std::move(handler);
}

void LayerShellSurface::deliverPointerEvents() {
    std::vector<PointerEvent> events;
    {
        const std::lock_guard lock(mutex_);
        events = pointer_.take();
    }
    if (handler_) {
        for (const PointerEvent& event : events) {
            handler_(event);
        }
    }
}

void LayerShellSurface::dispatch() {
    unsigned before = 0;
    {
        const std::lock_guard lock(mutex_);
        if (lost_) {
            return;
        }
        before = remakes_;
        while (wl_display_prepare_read(display_) != 0) {
            wl_display_dispatch_pending(display_);
        }
        if (wl_display_read_events(display_) < 0 || wl_display_dispatch_pending(display_) < 0) {
            lost_ = true;
            notifier_->setEnabled(false);
        } else if (closed_) {
            // Its output went away: the clock goes to the output its position now lies on.
            remakeSurface();
        }
        if (!lost_) {
            flush();
        }
    }
    if (lost_) {
        // Nothing can be shown any more; the program decides whether to end.
        std::fprintf(stderr, "velmora: the connection to the Wayland compositor is lost\n");
        if (lostHandler_) {
            lostHandler_();
        }
        return;
    }
    deliverPointerEvents();
    {
        // A drag that ended over another output moves the surface there.
        const std::lock_guard lock(mutex_);
        settleOutput();
    }
    reportRemake(before);
}

void LayerShellSurface::flush() {
    wl_display_flush(display_);
}

QImage LayerShellSurface::createFrame(const QSize& pixels) const {
    QImage frame(pixels, QImage::Format_ARGB32_Premultiplied);
    frame.fill(Qt::transparent);
    return frame;
}

void LayerShellSurface::present(const QImage& frame, const QRegion& pixels, int alpha) {
    const std::lock_guard lock(mutex_);
    if (lost_ || surface_ == nullptr || !configured_ || frame.isNull()) {
        return;
    }
    // A buffer must be a whole number of scale units; a stray last row or column is left out.
    const QSize size = frame.size() / scale_ * scale_;
    if (size.isEmpty()) {
        return;
    }
    const QRect bounds(QPoint(0, 0), size);
    const QRegion changed = pixels & bounds;
    if (size / scale_ != logicalSize_) {
        logicalSize_ = size / scale_;
        zwlr_layer_surface_v1_set_size(layerSurface_, logicalSize_.width(), logicalSize_.height());
    }
    if (!buffers_.attach(frame, size, changed, alpha, surface_)) {
        return;
    }
    wl_surface_commit(surface_);
    flush();
}
