/* The least an X11 client can make a compositing desktop do for a frame, for
 * bench/motion_clock.sh -f: what the X server and the compositor cost for each frame of a clock,
 * however little of it changes and however cheaply it is drawn.
 *
 * usage: present_floor_x11 SIZE RATE
 *   Maps a translucent window of SIZE x SIZE pixels at (100, 100), of the 32-bit visual a
 *   compositor blends as the clock's, and changes a box of 16 x 16 pixels in it RATE times a
 *   second with one PutImage each, until it is killed. RATE 0 changes it at each of the
 *   display's refreshes instead, paced by the Present extension's NotifyMSC as the clock's
 *   smooth motion is. The window is named "present-floor". */
#define _POSIX_C_SOURCE 200809L
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <xcb/present.h>
#include <xcb/xcb.h>

enum { kBox = 16 };

static xcb_visualtype_t* argbVisual(xcb_screen_t* screen) {
    xcb_depth_iterator_t depth = xcb_screen_allowed_depths_iterator(screen);
    for (; depth.rem > 0; xcb_depth_next(&depth)) {
        if (depth.data->depth != 32) {
            continue;
        }
        xcb_visualtype_iterator_t visual = xcb_depth_visuals_iterator(depth.data);
        if (visual.rem > 0) {
            return visual.data;
        }
    }
    return NULL;
}

static void putBox(xcb_connection_t* connection, xcb_window_t window, xcb_gcontext_t gc, int16_t x,
                   int16_t y, uint16_t side, uint32_t argb) {
    static uint32_t pixels[64 * 64];
    const size_t count = (size_t)side * side;
    for (size_t i = 0; i < count; ++i) {
        pixels[i] = argb;
    }
    xcb_put_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, gc, side, side, x, y, 0, 32,
                  (uint32_t)(count * 4), (const uint8_t*)pixels);
}

/* Waits for the refresh after now, told by a Present notice. */
static int awaitRefresh(xcb_connection_t* connection, xcb_special_event_t* events,
                        xcb_window_t window, uint32_t* serial) {
    xcb_present_notify_msc(connection, window, ++*serial, 0, 1, 0);
    xcb_flush(connection);
    for (;;) {
        xcb_generic_event_t* event = xcb_wait_for_special_event(connection, events);
        if (event == NULL) {
            return 0;
        }
        const int complete =
            ((xcb_present_generic_event_t*)event)->evtype == XCB_PRESENT_EVENT_COMPLETE_NOTIFY;
        free(event);
        if (complete) {
            return 1;
        }
    }
}

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: present_floor_x11 SIZE RATE\n");
        return 2;
    }
    const int size = atoi(argv[1]);
    const int rate = atoi(argv[2]);
    if (size < 64 || size > 4096 || rate < 0 || rate > 1000) {
        fprintf(stderr, "present_floor_x11: SIZE 64..4096, RATE 0..1000\n");
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(connection)) {
        fprintf(stderr, "present_floor_x11: no display\n");
        return 1;
    }
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    xcb_visualtype_t* visual = argbVisual(screen);
    if (visual == NULL) {
        fprintf(stderr, "present_floor_x11: no 32-bit visual\n");
        return 1;
    }
    const xcb_colormap_t colormap = xcb_generate_id(connection);
    xcb_create_colormap(connection, XCB_COLORMAP_ALLOC_NONE, colormap, screen->root,
                        visual->visual_id);
    const xcb_window_t window = xcb_generate_id(connection);
    const uint32_t values[] = {0, 0, 1, colormap};
    xcb_create_window(connection, 32, window, screen->root, 100, 100, (uint16_t)size,
                      (uint16_t)size, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, visual->visual_id,
                      XCB_CW_BACK_PIXEL | XCB_CW_BORDER_PIXEL | XCB_CW_OVERRIDE_REDIRECT |
                          XCB_CW_COLORMAP,
                      values);
    const xcb_gcontext_t gc = xcb_generate_id(connection);
    const uint32_t noExposures[] = {0};
    xcb_create_gc(connection, gc, window, XCB_GC_GRAPHICS_EXPOSURES, noExposures);
    /* Found by this name in the frame-rate phase. */
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME,
                        XCB_ATOM_STRING, 8, sizeof "present-floor" - 1, "present-floor");
    xcb_map_window(connection, window);
    /* A translucent face, as a clock's. */
    for (int y = 0; y < size; y += 64) {
        for (int x = 0; x < size; x += 64) {
            putBox(connection, window, gc, (int16_t)x, (int16_t)y, 64, 0x80203040u);
        }
    }
    xcb_flush(connection);

    xcb_special_event_t* events = NULL;
    if (rate == 0) {
        const uint32_t eventId = xcb_generate_id(connection);
        events = xcb_register_for_special_xge(connection, &xcb_present_id, eventId, NULL);
        xcb_present_select_input(connection, eventId, window,
                                 XCB_PRESENT_EVENT_MASK_COMPLETE_NOTIFY);
    }
    uint32_t serial = 0;
    struct timespec due;
    clock_gettime(CLOCK_MONOTONIC, &due);
    for (uint32_t frame = 0;; ++frame) {
        if (events != NULL) {
            if (!awaitRefresh(connection, events, window, &serial)) {
                return 1;
            }
        } else {
            due.tv_nsec += 1000000000L / rate;
            if (due.tv_nsec >= 1000000000L) {
                due.tv_nsec -= 1000000000L;
                ++due.tv_sec;
            }
            clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &due, NULL);
        }
        putBox(connection, window, gc, (int16_t)(size / 2), (int16_t)(size / 2), kBox,
               (frame & 1) != 0 ? 0xffff6020u : 0xffffffffu);
        xcb_flush(connection);
        if (xcb_connection_has_error(connection)) {
            return 1;
        }
    }
}
