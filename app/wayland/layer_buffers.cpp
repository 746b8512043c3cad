// The shared-memory buffers a layer surface shows the clock's frames in.
#include "app/wayland/layer_buffers.h"

#include <algorithm>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

namespace {

// More than two buffers are only needed while the compositor is slow to give them back.
constexpr std::size_t kMaxBuffers = 4;

const wl_buffer_listener kBufferListener = {
    .release = [](void* data, wl_buffer* /*buffer*/) { static_cast<bool*>(data)[0] = false; },
};

} // namespace

struct LayerBuffers::Buffer {
    wl_buffer* proxy = nullptr;
    std::uint32_t* pixels = nullptr;
    std::size_t bytes = 0;
    QSize size;
    // Held by the compositor from attach to release: drawing into it then could tear.
    bool busy = false;
    // What changed in the frames since this buffer was last filled.
    QRegion stale;

    ~Buffer() {
        if (proxy != nullptr) {
            wl_buffer_destroy(proxy);
        }
        if (pixels != nullptr) {
            munmap(pixels, bytes);
        }
    }
};

LayerBuffers::LayerBuffers() = default;
LayerBuffers::~LayerBuffers() = default;

void LayerBuffers::clear() {
    buffers_.clear();
}

void LayerBuffers::markAllStale() {
    for (const std::unique_ptr<Buffer>& buffer : buffers_) {
        buffer->stale = QRegion(QRect(QPoint(0, 0), buffer->size));
    }
}

bool LayerBuffers::attach(const QImage& frame, const QSize& size, const QRegion& changed, int alpha,
                          wl_surface* surface) {
    const QRect bounds(QPoint(0, 0), size);
    Buffer* buffer = freeBuffer(size);
    std::vector<QRegion*> missed;
    std::size_t chosen = kNoBuffer;
    for (const std::unique_ptr<Buffer>& each : buffers_) {
        if (each.get() == buffer) {
            chosen = missed.size();
        }
        missed.push_back(&each->stale);
    }
    const QRegion copy = takeChanges(missed, chosen, changed & bounds) & bounds;
    if (buffer == nullptr) {
        return false;
    }
    for (const QRect& rect : copy) {
        copyScaled(frame, rect, alpha, buffer->pixels, size.width());
    }
    wl_surface_attach(surface, buffer->proxy, 0, 0);
    // What the buffer missed is brought level with the buffer shown before: only the frame's
    // own change is new to the compositor.
    for (const QRect& rect : changed& bounds) {
        wl_surface_damage_buffer(surface, rect.x(), rect.y(), rect.width(), rect.height());
    }
    buffer->busy = true;
    return true;
}

LayerBuffers::Buffer* LayerBuffers::freeBuffer(const QSize& pixels) {
    // Buffers of another size are of no more use once the compositor has let go of them.
    std::erase_if(buffers_, [&](const std::unique_ptr<Buffer>& buffer) {
        return buffer->size != pixels && !buffer->busy;
    });
    for (const std::unique_ptr<Buffer>& buffer : buffers_) {
        if (!buffer->busy && buffer->size == pixels) {
            return buffer.get();
        }
    }
    if (buffers_.size() >= kMaxBuffers) {
        return nullptr;
    }
    auto buffer = std::make_unique<Buffer>();
    buffer->size = pixels;
    const int stride = pixels.width() * 4;
    buffer->bytes = static_cast<std::size_t>(stride) * pixels.height();
    const int fd = memfd_create("velmora-frame", MFD_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    if (ftruncate(fd, static_cast<off_t>(buffer->bytes)) != 0) {
        close(fd);
        return nullptr;
    }
    void* memory = mmap(nullptr, buffer->bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (memory == MAP_FAILED) {
        close(fd);
        return nullptr;
    }
    buffer->pixels = static_cast<std::uint32_t*>(memory);
    wl_shm_pool* pool = wl_shm_create_pool(shm_, fd, static_cast<int32_t>(buffer->bytes));
    buffer->proxy = wl_shm_pool_create_buffer(pool, 0, pixels.width(), pixels.height(), stride,
                                              WL_SHM_FORMAT_ARGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    wl_buffer_add_listener(buffer->proxy, &kBufferListener, &buffer->busy);
    buffer->stale = QRegion(QRect(QPoint(0, 0), pixels));
    buffers_.push_back(std::move(buffer));
    return buffers_.back().get();
}

QRegion LayerBuffers::takeChanges(const std::vector<QRegion*>& missed, std::size_t chosen,
                                  const QRegion& changed) {
    QRegion copy;
    for (std::size_t i = 0; i < missed.size(); ++i) {
        if (i == chosen) {
            copy = changed + *missed[i];
            *missed[i] = QRegion();
        } else {
            *missed[i] += changed;
        }
    }
    return copy;
}

void LayerBuffers::copyScaled(const QImage& frame, const QRect& rect, int alpha,
                              std::uint32_t* target, int strideInPixels) {
    const QRect area = rect & frame.rect();
    const int a = std::clamp(alpha, 0, 255);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* from = reinterpret_cast<const std::uint32_t*>(frame.constScanLine(y));
        std::uint32_t* to = target + static_cast<std::ptrdiff_t>(y) * strideInPixels;
        if (a == 255) {
            std::memcpy(to + area.left(), from + area.left(),
                        static_cast<std::size_t>(area.width()) * 4);
            continue;
        }
        for (int x = area.left(); x <= area.right(); ++x) {
            // Premultiplied: every channel scales alike, rounded to nearest.
            const std::uint32_t p = from[x];
            std::uint32_t out = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                const std::uint32_t c = ((p >> shift) & 0xffu) * static_cast<std::uint32_t>(a);
                out |= ((c + 128 + ((c + 128) >> 8)) >> 8) << shift;
            }
            to[x] = out;
        }
    }
}
