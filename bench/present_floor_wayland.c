/* The least a Wayland client can make a compositor do for a frame, for bench/motion_clock.sh -f:
 * what the compositor costs for each frame of a clock, however little of it changes and however
 * cheaply it is drawn.
 *
 * usage: present_floor_wayland SIZE RATE
 *   Shows a translucent layer surface of SIZE x SIZE pixels at (100, 100) on the bottom layer,
 *   as the clock's, and changes a box of 16 x 16 pixels in it RATE times a second, each a commit
 *   of a buffer with that box damaged, until it is killed. RATE 0 changes it at each frame
 *   callback instead, as the clock's smooth motion is paced. */
#define _POSIX_C_SOURCE 200809L
#define _GNU_SOURCE
#include "layer_shell_client.h"

#include <poll.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/timerfd.h>
#include <unistd.h>
#include <wayland-client.h>

enum { kBox = 16, kBuffers = 2 };

static struct wl_compositor* compositor;
static struct wl_shm* shm;
static struct zwlr_layer_shell_v1* layerShell;
static int configured, closed, frameDone = 1;

struct Buffer {
    struct wl_buffer* buffer;
    uint32_t* pixels;
    int busy;
};
static struct Buffer buffers[kBuffers];

static void global(void* data, struct wl_registry* registry, uint32_t name, const char* interface,
                   uint32_t version) {
    (void)data, (void)version;
    if (strcmp(interface, wl_compositor_interface.name) == 0) {
        compositor = wl_registry_bind(registry, name, &wl_compositor_interface, 4);
    } else if (strcmp(interface, wl_shm_interface.name) == 0) {
        shm = wl_registry_bind(registry, name, &wl_shm_interface, 1);
    } else if (strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0) {
        layerShell = wl_registry_bind(registry, name, &zwlr_layer_shell_v1_interface, 1);
    }
}

static void globalRemove(void* data, struct wl_registry* registry, uint32_t name) {
    (void)data, (void)registry, (void)name;
}

static const struct wl_registry_listener registryListener = {global, globalRemove};

static void configure(void* data, struct zwlr_layer_surface_v1* surface, uint32_t serial,
                      uint32_t width, uint32_t height) {
    (void)data, (void)width, (void)height;
    zwlr_layer_surface_v1_ack_configure(surface, serial);
    configured = 1;
}

static void layerClosed(void* data, struct zwlr_layer_surface_v1* surface) {
    (void)data, (void)surface;
    closed = 1;
}

static const struct zwlr_layer_surface_v1_listener layerListener = {configure, layerClosed};

static void released(void* data, struct wl_buffer* buffer) {
    (void)buffer;
    ((struct Buffer*)data)->busy = 0;
}

static const struct wl_buffer_listener bufferListener = {released};

static void done(void* data, struct wl_callback* callback, uint32_t time) {
    (void)data, (void)time;
    wl_callback_destroy(callback);
    frameDone = 1;
}

static const struct wl_callback_listener frameListener = {done};

static int makeBuffers(int size) {
    const size_t bytes = (size_t)size * (size_t)size * 4;
    const int fd = memfd_create("present-floor", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, (off_t)(bytes * kBuffers)) != 0) {
        return 0;
    }
    uint32_t* memory = mmap(NULL, bytes * kBuffers, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (memory == MAP_FAILED) {
        return 0;
    }
    struct wl_shm_pool* pool = wl_shm_create_pool(shm, fd, (int32_t)(bytes * kBuffers));
    for (int i = 0; i < kBuffers; ++i) {
        buffers[i].pixels = memory + (size_t)i * size * size;
        /* A translucent face, as a clock's. */
        for (size_t p = 0; p < (size_t)size * size; ++p) {
            buffers[i].pixels[p] = 0x80203040u;
        }
        buffers[i].buffer = wl_shm_pool_create_buffer(pool, (int32_t)(i * bytes), size, size,
                                                      size * 4, WL_SHM_FORMAT_ARGB8888);
        wl_buffer_add_listener(buffers[i].buffer, &bufferListener, &buffers[i]);
    }
    wl_shm_pool_destroy(pool);
    close(fd);
    return 1;
}

static struct Buffer* freeBuffer(void) {
    for (int i = 0; i < kBuffers; ++i) {
        if (!buffers[i].busy) {
            return &buffers[i];
        }
    }
    return NULL;
}

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: present_floor_wayland SIZE RATE\n");
        return 2;
    }
    const int size = atoi(argv[1]);
    const int rate = atoi(argv[2]);
    if (size < 64 || size > 4096 || rate < 0 || rate > 1000) {
        fprintf(stderr, "present_floor_wayland: SIZE 64..4096, RATE 0..1000\n");
        return 2;
    }
    struct wl_display* display = wl_display_connect(NULL);
    if (display == NULL) {
        fprintf(stderr, "present_floor_wayland: no compositor\n");
        return 1;
    }
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, NULL);
    wl_display_roundtrip(display);
    if (compositor == NULL || shm == NULL || layerShell == NULL || !makeBuffers(size)) {
        fprintf(stderr, "present_floor_wayland: no layer shell or shared memory\n");
        return 1;
    }
    struct wl_surface* surface = wl_compositor_create_surface(compositor);
    struct zwlr_layer_surface_v1* layer = zwlr_layer_shell_v1_get_layer_surface(
        layerShell, surface, NULL, ZWLR_LAYER_SHELL_V1_LAYER_BOTTOM, "present-floor");
    zwlr_layer_surface_v1_add_listener(layer, &layerListener, NULL);
    zwlr_layer_surface_v1_set_size(layer, (uint32_t)size, (uint32_t)size);
    zwlr_layer_surface_v1_set_anchor(layer, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP |
                                                ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT);
    zwlr_layer_surface_v1_set_margin(layer, 100, 0, 0, 100);
    wl_surface_commit(surface);
    while (!configured && !closed && wl_display_dispatch(display) >= 0) {
    }
    wl_surface_attach(surface, buffers[0].buffer, 0, 0);
    wl_surface_damage_buffer(surface, 0, 0, size, size);
    buffers[0].busy = 1;
    wl_surface_commit(surface);

    const int timer = timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC);
    if (rate > 0) {
        const long interval = 1000000000L / rate;
        const struct itimerspec every = {{interval / 1000000000L, interval % 1000000000L},
                                         {interval / 1000000000L, interval % 1000000000L}};
        timerfd_settime(timer, 0, &every, NULL);
    }
    for (uint32_t frame = 0; !closed;) {
        /* A frame is due at the timer's tick, or once the last one's callback came. */
        int due = rate == 0 && frameDone;
        if (!due) {
            while (wl_display_prepare_read(display) != 0) {
                wl_display_dispatch_pending(display);
            }
            wl_display_flush(display);
            struct pollfd watched[2] = {{wl_display_get_fd(display), POLLIN, 0},
                                        {timer, POLLIN, 0}};
            if (poll(watched, rate > 0 ? 2 : 1, -1) < 0) {
                wl_display_cancel_read(display);
                continue;
            }
            if ((watched[0].revents & POLLIN) != 0) {
                wl_display_read_events(display);
            } else {
                wl_display_cancel_read(display);
            }
            if (wl_display_dispatch_pending(display) < 0) {
                return 1;
            }
            uint64_t ticks = 0;
            if (rate > 0 && (watched[1].revents & POLLIN) != 0 &&
                read(timer, &ticks, sizeof ticks) == (ssize_t)sizeof ticks) {
                due = 1;
            }
            due = due || (rate == 0 && frameDone);
        }
        struct Buffer* buffer = due ? freeBuffer() : NULL;
        if (buffer == NULL) {
            continue;
        }
        ++frame;
        const uint32_t argb = (frame & 1) != 0 ? 0xffff6020u : 0xffffffffu;
        for (int y = 0; y < kBox; ++y) {
            for (int x = 0; x < kBox; ++x) {
                buffer->pixels[(size_t)(size / 2 + y) * size + size / 2 + x] = argb;
            }
        }
        if (rate == 0) {
            wl_callback_add_listener(wl_surface_frame(surface), &frameListener, NULL);
            frameDone = 0;
        }
        wl_surface_attach(surface, buffer->buffer, 0, 0);
        wl_surface_damage_buffer(surface, size / 2, size / 2, kBox, kBox);
        buffer->busy = 1;
        wl_surface_commit(surface);
        wl_display_flush(display);
    }
    return 0;
}
