// The seat's pointer over a layer surface, as presses, moves and releases in the desktop's
// logical coordinates.
#pragma once

#include <QPoint>
#include <QPointF>
#include <cstdint>
#include <vector>

struct wl_pointer;
struct wl_seat;
struct wl_surface;
struct zwp_relative_pointer_manager_v1;
struct zwp_relative_pointer_v1;

struct LayerPointerEvent {
    // Enter and Leave: the pointer came over the surface's input region, or left it.
    // OutsidePress: a press on one of the surfaces that catch presses outside an open menu.
    enum class Kind { Press, Move, Release, Enter, Leave, OutsidePress };
    Kind kind = Kind::Move;
    // Qt's numbers: 1 left, 2 right, 4 middle; 0 for a move.
    int button = 0;
    // In logical coordinates spanning the outputs, like the surface's position.
    QPointF position;
};

// The compositor gives positions relative to the surface; the surface moves under the pointer
// while it is dragged, so positions are turned into the desktop's coordinates with where the
// compositor had the surface when it sent them. Events are gathered while the compositor's
// events are read and taken once the surface's lock is let go. Not thread-safe: the surface's
// lock guards it.
class LayerPointer {
public:
    // surface is the layer surface whose pointer events count (null while there is none);
    // origin is where the compositor had it when it sent the events being read. Both are
    // the owner's, read at each event.
    LayerPointer(wl_surface* const& surface, const QPoint& origin)
        : surface_(surface), origin_(origin) {}
    // The surfaces that catch presses outside an open menu (the owner's, read at each event).
    void watchCatchers(const std::vector<wl_surface*>& catchers) { catchers_ = &catchers; }
    // They were taken away: the pointer is over none of them any more.
    void catchersGone() { overCatcher_ = false; }
    LayerPointer(const LayerPointer&) = delete;
    LayerPointer& operator=(const LayerPointer&) = delete;

    // The seat is bound by the registry; the pointer comes with its capabilities.
    void listenTo(wl_seat* seat);
    bool hasSeat() const { return seat_ != nullptr; }
    // The pointer's own motion, used during drags where the compositor reports it.
    void useRelativeMotion(zwp_relative_pointer_manager_v1* manager) { relativeManager_ = manager; }
    // The surface was destroyed: the pointer is over it no longer, which the compositor does
    // not tell.
    void surfaceGone();
    // Whether a button pressed on the surface is held.
    bool held() const { return held_ > 0; }
    std::vector<LayerPointerEvent> take();
    // Lets go of every object, before the connection closes.
    void clear();

private:
    void listenToRelativeMotion();
    void dropPointer();
    // The pointer is over the surface no longer: tells so once.
    void leaveSurface();
    void deliver(LayerPointerEvent::Kind kind, int button);
    void moved();
    void button(std::uint32_t code, bool pressed);
    QPointF position() const;

    wl_surface* const& surface_;
    const QPoint& origin_;
    wl_seat* seat_ = nullptr;
    wl_pointer* pointer_ = nullptr;
    std::uint32_t pointerVersion_ = 0;
    zwp_relative_pointer_manager_v1* relativeManager_ = nullptr;
    zwp_relative_pointer_v1* relativePointer_ = nullptr;
    const std::vector<wl_surface*>* catchers_ = nullptr;
    QPointF local_;
    bool over_ = false;
    bool overCatcher_ = false;
    // While a button is held, some compositors (sway) keep measuring surface-local positions
    // from where the surface was at the press, so a surface that moves under the pointer
    // cannot tell where the pointer is from them; others (KWin) measure from where it is.
    // The pointer's own relative motion tells either way, but a compositor reports it only
    // for devices that move by steps, not for tablets, virtual machines' pointers and remote
    // desktops, which move to positions. So a move that comes with relative motion adds it to
    // the drag's position, and one without takes the position from the surface's place.
    // held_ counts the buttons down; dragPosition_ is the pointer's position during the grab;
    // relative_ the relative motion of the move being read, and relativeInMove_ whether it
    // came with any.
    int held_ = 0;
    QPointF dragPosition_;
    QPointF relative_;
    bool relativeInMove_ = false;
    bool moved_ = false;
    std::vector<LayerPointerEvent> queued_;
};
