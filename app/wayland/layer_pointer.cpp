// The seat's pointer over a layer surface, as presses, moves and releases in the desktop's
// logical coordinates.
#include "app/wayland/layer_pointer.h"

#include "relative_pointer_client.h"

#include <algorithm>
#include <wayland-client.h>

namespace {

// Linux input event codes of the buttons.
constexpr std::uint32_t kButtonLeft = 0x110;
constexpr std::uint32_t kButtonRight = 0x111;
constexpr std::uint32_t kButtonMiddle = 0x112;

int qtButton(std::uint32_t code) {
    switch (code) {
    case kButtonLeft:
        return 1;
    case kButtonRight:
        return 2;
    case kButtonMiddle:
        return 4;
    default:
        return 0;
    }
}

} // namespace

void LayerPointer::listenTo(wl_seat* seat) {
    static const wl_pointer_listener pointerListener = {
        .enter =
            [](void* data, wl_pointer* /*pointer*/, uint32_t /*serial*/, wl_surface* surface,
               wl_fixed_t x, wl_fixed_t y) {
                auto* self = static_cast<LayerPointer*>(data);
                // Entering another surface leaves this one, whether or not a leave came first.
                if (surface != self->surface_) {
                    self->leaveSurface();
                }
                self->over_ = surface == self->surface_;
                self->overCatcher_ = self->catchers_ != nullptr &&
                                     std::find(self->catchers_->begin(), self->catchers_->end(),
                                               surface) != self->catchers_->end();
                self->local_ = QPointF(wl_fixed_to_double(x), wl_fixed_to_double(y));
                if (self->over_) {
                    self->deliver(LayerPointerEvent::Kind::Enter, 0);
                }
            },
        .leave =
            [](void* data, wl_pointer* /*pointer*/, uint32_t /*serial*/, wl_surface* /*surface*/) {
                // A compositor keeps the pointer while a button is held: a leave ends a grab.
                auto* self = static_cast<LayerPointer*>(data);
                self->leaveSurface();
                self->overCatcher_ = false;
                self->held_ = 0;
            },
        .motion =
            [](void* data, wl_pointer* /*pointer*/, uint32_t /*time*/, wl_fixed_t x, wl_fixed_t y) {
                auto* self = static_cast<LayerPointer*>(data);
                self->local_ = QPointF(wl_fixed_to_double(x), wl_fixed_to_double(y));
                self->moved_ = true;
                // Without frames each motion is complete in itself.
                if (self->pointerVersion_ < WL_POINTER_FRAME_SINCE_VERSION) {
                    self->moved();
                }
            },
        .button =
            [](void* data, wl_pointer* /*pointer*/, uint32_t /*serial*/, uint32_t /*time*/,
               uint32_t button, uint32_t state) {
                static_cast<LayerPointer*>(data)->button(button,
                                                         state == WL_POINTER_BUTTON_STATE_PRESSED);
            },
        .axis = [](void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {},
        // The relative motion of a move may come before or after its absolute one.
        .frame = [](void* data, wl_pointer*) { static_cast<LayerPointer*>(data)->moved(); },
        .axis_source = [](void*, wl_pointer*, uint32_t) {},
        .axis_stop = [](void*, wl_pointer*, uint32_t, uint32_t) {},
        .axis_discrete = [](void*, wl_pointer*, uint32_t, int32_t) {},
        .axis_value120 = [](void*, wl_pointer*, uint32_t, int32_t) {},
    };
    static const wl_seat_listener seatListener = {
        .capabilities =
            [](void* data, wl_seat* seat, uint32_t caps) {
                auto* self = static_cast<LayerPointer*>(data);
                const bool hasPointer = (caps & WL_SEAT_CAPABILITY_POINTER) != 0;
                if (hasPointer && self->pointer_ == nullptr) {
                    self->pointer_ = wl_seat_get_pointer(seat);
                    self->pointerVersion_ = wl_pointer_get_version(self->pointer_);
                    wl_pointer_add_listener(self->pointer_, &pointerListener, self);
                    self->listenToRelativeMotion();
                } else if (!hasPointer && self->pointer_ != nullptr) {
                    self->dropPointer();
                }
            },
        .name = [](void*, wl_seat*, const char*) {},
    };
    seat_ = seat;
    wl_seat_add_listener(seat_, &seatListener, this);
}

void LayerPointer::listenToRelativeMotion() {
    static const zwp_relative_pointer_v1_listener listener = {
        .relative_motion =
            [](void* data, zwp_relative_pointer_v1* /*pointer*/, uint32_t, uint32_t, wl_fixed_t dx,
               wl_fixed_t dy, wl_fixed_t, wl_fixed_t) {
                auto* self = static_cast<LayerPointer*>(data);
                self->relative_ += QPointF(wl_fixed_to_double(dx), wl_fixed_to_double(dy));
                self->relativeInMove_ = true;
            },
    };
    if (relativeManager_ == nullptr || pointer_ == nullptr) {
        return;
    }
    relativePointer_ =
        zwp_relative_pointer_manager_v1_get_relative_pointer(relativeManager_, pointer_);
    zwp_relative_pointer_v1_add_listener(relativePointer_, &listener, this);
}

void LayerPointer::surfaceGone() {
    leaveSurface();
    held_ = 0;
}

void LayerPointer::leaveSurface() {
    if (over_) {
        deliver(LayerPointerEvent::Kind::Leave, 0);
    }
    over_ = false;
}

void LayerPointer::dropPointer() {
    if (relativePointer_ != nullptr) {
        zwp_relative_pointer_v1_destroy(relativePointer_);
        relativePointer_ = nullptr;
    }
    if (pointer_ != nullptr) {
        wl_pointer_release(pointer_);
        pointer_ = nullptr;
    }
    // The seat's last pointer device went (unplugged, or a virtual one ended).
    leaveSurface();
    overCatcher_ = false;
    held_ = 0;
}

void LayerPointer::moved() {
    if (!moved_) {
        return;
    }
    moved_ = false;
    if (held_ > 0) {
        // Without frames a move's relative motion may still be to come: it counts with the
        // next one.
        const bool relative = relativeInMove_ && pointerVersion_ >= WL_POINTER_FRAME_SINCE_VERSION;
        dragPosition_ = relative ? dragPosition_ + relative_ : local_ + QPointF(origin_);
    }
    relative_ = QPointF();
    relativeInMove_ = false;
    if (over_ || held_ > 0) {
        deliver(LayerPointerEvent::Kind::Move, 0);
    }
}

void LayerPointer::button(std::uint32_t code, bool pressed) {
    const int button = qtButton(code);
    if (overCatcher_ && pressed) {
        deliver(LayerPointerEvent::Kind::OutsidePress, button);
        return;
    }
    if (!over_ || button == 0) {
        return;
    }
    moved();
    if (pressed) {
        if (held_++ == 0) {
            dragPosition_ = local_ + QPointF(origin_);
        }
        deliver(LayerPointerEvent::Kind::Press, button);
        return;
    }
    deliver(LayerPointerEvent::Kind::Release, button);
    held_ = std::max(held_ - 1, 0);
}

QPointF LayerPointer::position() const {
    return held_ > 0 ? dragPosition_ : local_ + QPointF(origin_);
}

void LayerPointer::deliver(LayerPointerEvent::Kind kind, int button) {
    LayerPointerEvent event;
    event.kind = kind;
    event.button = button;
    event.position = position();
    queued_.push_back(event);
}

std::vector<LayerPointerEvent> LayerPointer::take() {
    std::vector<LayerPointerEvent> events;
    events.swap(queued_);
    return events;
}

void LayerPointer::clear() {
    dropPointer();
    if (relativeManager_ != nullptr) {
        zwp_relative_pointer_manager_v1_destroy(relativeManager_);
        relativeManager_ = nullptr;
    }
    if (seat_ != nullptr) {
        wl_seat_destroy(seat_);
        seat_ = nullptr;
    }
}
