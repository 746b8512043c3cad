/* The Wayland side of bench/motion_clock.sh: how many frames a second a compositor shows of
 * its first output while something on it changes, seen from outside as a screen recorder sees
 * them.
 *
 * usage: wayland_frame_rate SECONDS
 *   Copies the output over and over with the screen copy protocol's copy_with_damage, which
 *   the compositor answers once the output has changed since the last copy, for SECONDS, and
 *   prints one line: FRAMES_PER_S, the copies answered a second. With only the measured
 *   program changing on the output, that is the rate of its frames the compositor showed
 *   (at most the output's refresh rate). Each copy costs the compositor a read of the whole
 *   output, which is why the benchmark counts in a phase of its own. */
#define _POSIX_C_SOURCE 200809L
#include "screencopy_client.h"

#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>
#include <wayland-client.h>

static struct wl_shm* shm;
static struct wl_output* output;
static struct zwlr_screencopy_manager_v1* manager;

static struct {
    uint32_t format, width, height, stride;
    int described, done, failed;
} copy;

static double monotonicSeconds(void) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (double)now.tv_sec + (double)now.tv_nsec / 1e9;
}

static void global(void* data, struct wl_registry* registry, uint32_t name, const char* interface,
                   uint32_t version) {
    (void)data;
    if (strcmp(interface, wl_shm_interface.name) == 0) {
        shm = wl_registry_bind(registry, name, &wl_shm_interface, 1);
    } else if (strcmp(interface, wl_output_interface.name) == 0 && output == NULL) {
        output = wl_registry_bind(registry, name, &wl_output_interface, 1);
    } else if (strcmp(interface, zwlr_screencopy_manager_v1_interface.name) == 0 && version >= 2) {
        manager = wl_registry_bind(registry, name, &zwlr_screencopy_manager_v1_interface,
                                   version < 3 ? version : 3);
    }
}

static void globalRemove(void* data, struct wl_registry* registry, uint32_t name) {
    (void)data, (void)registry, (void)name;
}

static void buffer(void* data, struct zwlr_screencopy_frame_v1* frame, uint32_t format,
                   uint32_t width, uint32_t height, uint32_t stride) {
    (void)data, (void)frame;
    copy.format = format, copy.width = width, copy.height = height, copy.stride = stride;
    copy.described = 1;
}
static void flags(void* data, struct zwlr_screencopy_frame_v1* frame, uint32_t value) {
    (void)data, (void)frame, (void)value;
}
static void ready(void* data, struct zwlr_screencopy_frame_v1* frame, uint32_t hi, uint32_t lo,
                  uint32_t ns) {
    (void)data, (void)frame, (void)hi, (void)lo, (void)ns;
    copy.done = 1;
}
static void failed(void* data, struct zwlr_screencopy_frame_v1* frame) {
    (void)data, (void)frame;
    copy.failed = 1;
}
static void damage(void* data, struct zwlr_screencopy_frame_v1* frame, uint32_t x, uint32_t y,
                   uint32_t w, uint32_t h) {
    (void)data, (void)frame, (void)x, (void)y, (void)w, (void)h;
}
static void dmabuf(void* data, struct zwlr_screencopy_frame_v1* frame, uint32_t format,
                   uint32_t w, uint32_t h) {
    (void)data, (void)frame, (void)format, (void)w, (void)h;
}
static void bufferDone(void* data, struct zwlr_screencopy_frame_v1* frame) {
    (void)data, (void)frame;
}

static const struct zwlr_screencopy_frame_v1_listener frameListener = {
    buffer, flags, ready, failed, damage, dmabuf, bufferDone,
};

/* A shared-memory buffer of the size the compositor asked for. */
static struct wl_buffer* makeBuffer(void) {
    size_t bytes = (size_t)copy.stride * copy.height;
    char name[] = "/tmp/wayland-frame-rate-XXXXXX";
    int fd = mkstemp(name);
    if (fd < 0) {
        return NULL;
    }
    unlink(name);
    if (ftruncate(fd, (off_t)bytes) != 0) {
        close(fd);
        return NULL;
    }
    struct wl_shm_pool* pool = wl_shm_create_pool(shm, fd, (int32_t)bytes);
    struct wl_buffer* made = wl_shm_pool_create_buffer(pool, 0, (int32_t)copy.width,
                                                       (int32_t)copy.height,
                                                       (int32_t)copy.stride, copy.format);
    wl_shm_pool_destroy(pool);
    close(fd);
    return made;
}

/* Dispatches the compositor's events until *flag is set or the time is past `until`; false
 * when the connection broke. */
static int dispatchUntil(struct wl_display* display, const int* flag, double until) {
    while (!*flag) {
        if (wl_display_dispatch_pending(display) < 0) {
            return 0;
        }
        if (*flag) {
            break;
        }
        while (wl_display_prepare_read(display) != 0) {
            wl_display_dispatch_pending(display);
        }
        wl_display_flush(display);
        double left = until - monotonicSeconds();
        struct pollfd connection = {wl_display_get_fd(display), POLLIN, 0};
        if (left <= 0 || poll(&connection, 1, (int)(left * 1e3) + 1) <= 0) {
            wl_display_cancel_read(display);
            return 1;
        }
        if (wl_display_read_events(display) < 0) {
            return 0;
        }
    }
    return 1;
}

int main(int argc, char** argv) {
    if (argc != 2 || atof(argv[1]) <= 0) {
        fprintf(stderr, "usage: wayland_frame_rate SECONDS\n");
        return 2;
    }
    double seconds = atof(argv[1]);
    struct wl_display* display = wl_display_connect(NULL);
    if (display == NULL) {
        fprintf(stderr, "wayland_frame_rate: no Wayland display\n");
        return 1;
    }
    static const struct wl_registry_listener registryListener = {global, globalRemove};
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, NULL);
    wl_display_roundtrip(display);
    if (shm == NULL || output == NULL || manager == NULL) {
        fprintf(stderr, "wayland_frame_rate: the compositor offers no screen copy (version 2)\n");
        return 1;
    }
    struct wl_buffer* target = NULL;
    int frames = 0;
    double end = monotonicSeconds() + seconds;
    /* The first copy is taken at once, whatever changed: it is not counted. */
    for (int first = 1; monotonicSeconds() < end; first = 0) {
        struct zwlr_screencopy_frame_v1* frame =
            zwlr_screencopy_manager_v1_capture_output(manager, 0, output);
        memset(&copy, 0, sizeof copy);
        zwlr_screencopy_frame_v1_add_listener(frame, &frameListener, NULL);
        if (!dispatchUntil(display, &copy.described, end + 5)) {
            copy.failed = 1;
        }
        if (copy.failed || (target == NULL && (target = makeBuffer()) == NULL)) {
            fprintf(stderr, "wayland_frame_rate: the output cannot be copied\n");
            return 1;
        }
        if (first) {
            zwlr_screencopy_frame_v1_copy(frame, target);
        } else {
            zwlr_screencopy_frame_v1_copy_with_damage(frame, target);
        }
        /* Nothing changing is no failure: the copy is given up at the end. */
        if (!dispatchUntil(display, &copy.done, first ? end + 5 : end) || copy.failed) {
            fprintf(stderr, "wayland_frame_rate: a copy failed\n");
            return 1;
        }
        zwlr_screencopy_frame_v1_destroy(frame);
        frames += !first && copy.done;
    }
    printf("%.2f\n", frames / seconds);
    wl_display_disconnect(display);
    return 0;
}
