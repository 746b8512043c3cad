// The shared-memory buffers a layer surface shows the clock's frames in.
#pragma once

#include <QImage>
#include <QRegion>
#include <QSize>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

struct wl_shm;
struct wl_surface;

// The compositor reads a buffer from its attach until it releases it, so frames take turns
// in a few buffers, each brought up to date with the boxes it missed since it was last
// filled. Not thread-safe: the surface's lock guards it.
class LayerBuffers {
public:
    LayerBuffers();
    ~LayerBuffers();
    LayerBuffers(const LayerBuffers&) = delete;
    LayerBuffers& operator=(const LayerBuffers&) = delete;

    void setShm(wl_shm* shm) { shm_ = shm; }
    // Copies the changed boxes (and what the chosen buffer missed) of the frame into a free
    // buffer of its size, scaled by alpha, and attaches it to the surface with exactly the
    // changed boxes damaged. False when no buffer is free: the change then waits for the next
    // frame.
    bool attach(const QImage& frame, const QSize& size, const QRegion& changed, int alpha,
                wl_surface* surface);
    // A surface made anew shows nothing yet: every buffer must be filled whole again.
    void markAllStale();
    void clear();

    // Each buffer records the boxes it missed (missed, one per buffer). Returns what to copy
    // into buffer chosen for a frame whose boxes changed: those plus what it missed, which it
    // then no longer misses, while every other buffer now misses changed. With chosen out of
    // range (no buffer free) every buffer misses changed and nothing is copied.
    static constexpr std::size_t kNoBuffer = static_cast<std::size_t>(-1);
    static QRegion takeChanges(const std::vector<QRegion*>& missed, std::size_t chosen,
                               const QRegion& changed);
    // Copies the rectangle of the frame into 32-bit pixels at the same place of a buffer of
    // the given stride, scaled by alpha.
    static void copyScaled(const QImage& frame, const QRect& rect, int alpha, std::uint32_t* target,
                           int strideInPixels);

private:
    struct Buffer;
    Buffer* freeBuffer(const QSize& pixels);

    wl_shm* shm_ = nullptr;
    std::vector<std::unique_ptr<Buffer>> buffers_;
};
