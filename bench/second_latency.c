/* The X side of bench/idle_clock.sh, from outside the measured program.
 *
 * usage: second_latency desktop TIMEOUT_MS
 *   Waits until a window manager (the root's _NET_SUPPORTING_WM_CHECK names a window) and a
 *   compositing manager (the selection _NET_WM_CM_S0 of screen 0 has an owner) run on the
 *   display; exits 1 naming what is missing when they do not within TIMEOUT_MS.
 *
 * usage: second_latency watch NAME SECONDS
 *   Finds the viewable window named NAME (WM_NAME or WM_CLASS, see find_window.h; waits up to
 *   5 s), watches the damage to it and to its subwindows for SECONDS and prints one line:
 *     BOUNDARIES HITS MEDIAN_MS WORST_MS PHASE_MS FRAMES_PER_S
 *   For each whole second of CLOCK_REALTIME in the span (the first one after the watch starts
 *   through the last one followed by ATTRIBUTE_MS of watching), its latency is the arrival of
 *   the first damage event at or after the boundary, minus the boundary; damage later than
 *   ATTRIBUTE_MS after a boundary is not attributed to it. HITS is the number of boundaries
 *   with damage attributed, MEDIAN_MS and WORST_MS are over those ("-" for none). A frame is
 *   damage after at least FRAME_GAP_MS without any; PHASE_MS is the median of the frames'
 *   start within their second (0..999), FRAMES_PER_S their rate.
 *
 * usage: second_latency frames NAME SECONDS
 *   The same watch, for a window that draws many frames a second; prints FRAMES_PER_S, a
 *   frame being damage after at least BURST_GAP_MS without any (the requests of one frame
 *   reach the server together, and frames come at most every 8 ms or so).
 *
 * The server reports damage when it executes the drawing request (or the image upload, or
 * the buffer swap), so this is when the new pixels reach the X server, not when a compositor
 * or a monitor shows them. Each event is time-stamped as soon as poll() returns, so a figure
 * is late by the probe's wake-up (tens of microseconds on an idle core). The damage objects
 * are subtracted after each event (XDamageReportNonEmpty), so the server sends about one
 * event per frame: its cost to the X server is small, but it is there, which is why the
 * benchmark watches in a phase of its own after the idle figures are taken. */
#define _POSIX_C_SOURCE 200809L
#include "find_window.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <X11/extensions/Xfixes.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

enum {
    ATTRIBUTE_MS = 500,
    FRAME_GAP_MS = 100,
    BURST_GAP_MS = 4,
    FIND_MS = 5000,
    MAX_EVENTS = 1 << 16,
    MAX_WATCHED = 256,
};

static double realtimeMs(void) {
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    return (double)now.tv_sec * 1e3 + (double)now.tv_nsec / 1e6;
}

static void sleepMs(long ms) {
    struct timespec pause = {ms / 1000, (ms % 1000) * 1000000L};
    nanosleep(&pause, NULL);
}

/* A window may vanish between two requests: that is a miss, not a failure. */
static int ignoreXError(Display* display, XErrorEvent* error) {
    (void)display;
    (void)error;
    return 0;
}

static int compareDoubles(const void* a, const void* b) {
    double x = *(const double*)a, y = *(const double*)b;
    return (x > y) - (x < y);
}

static double median(double* values, int count) {
    qsort(values, (size_t)count, sizeof *values, compareDoubles);
    return count % 2 ? values[count / 2] : (values[count / 2 - 1] + values[count / 2]) / 2;
}

static int waitForDesktop(Display* display, long timeoutMs) {
    Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    Atom selection = XInternAtom(display, "_NET_WM_CM_S0", False);
    int haveManager = 0, haveCompositor = 0;
    double deadline = realtimeMs() + (double)timeoutMs;
    for (;;) {
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char* data = NULL;
        haveManager =
            XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False,
                               AnyPropertyType, &type, &format, &count, &after, &data) == Success &&
            data != NULL && count == 1;
        if (data != NULL) {
            XFree(data);
        }
        haveCompositor = XGetSelectionOwner(display, selection) != None;
        if ((haveManager && haveCompositor) || realtimeMs() > deadline) {
            break;
        }
        sleepMs(20);
    }
    if (!haveManager) {
        fprintf(stderr, "second_latency: no window manager (_NET_SUPPORTING_WM_CHECK unset)\n");
    }
    if (!haveCompositor) {
        fprintf(stderr, "second_latency: no compositing manager (_NET_WM_CM_S0 has no owner)\n");
    }
    return haveManager && haveCompositor ? 0 : 1;
}

static Damage watched[MAX_WATCHED];
static int watchedCount;

/* Damage to a window does not include its subwindows' (xclock draws into a child of its
 * top-level window), so each viewable window of the subtree gets a damage object. */
static void watchTree(Display* display, Window window) {
    if (watchedCount < MAX_WATCHED) {
        watched[watchedCount++] = XDamageCreate(display, window, XDamageReportNonEmpty);
    }
    Window root, parent, *children = NULL;
    unsigned int count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) {
        return;
    }
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) &&
            attributes.map_state == IsViewable) {
            watchTree(display, children[i]);
        }
    }
    if (children != NULL) {
        XFree(children);
    }
}

static double events[MAX_EVENTS];

/* Collects the arrival times of the damage to the window named NAME for SECONDS into events;
 * returns their count, or -1 when the window cannot be watched. */
static int collect(Display* display, const char* name, double seconds, double* start) {
    int damageEvent, damageError;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
        fprintf(stderr, "second_latency: the X server has no DAMAGE extension\n");
        return -1;
    }
    int major = 1, minor = 1;
    XDamageQueryVersion(display, &major, &minor);

    Window window = None;
    double giveUp = realtimeMs() + FIND_MS;
    while ((window = findViewable(display, name)) == None && realtimeMs() < giveUp) {
        sleepMs(20);
    }
    if (window == None) {
        fprintf(stderr, "second_latency: no viewable window named %s\n", name);
        return -1;
    }
    watchTree(display, window);
    XSync(display, False);

    *start = realtimeMs();
    double end = *start + seconds * 1e3;
    int count = 0;
    struct pollfd connection = {ConnectionNumber(display), POLLIN, 0};
    for (;;) {
        while (XPending(display) == 0) {
            double left = end - realtimeMs();
            if (left <= 0) {
                break;
            }
            poll(&connection, 1, (int)left + 1);
        }
        if (realtimeMs() >= end) {
            break;
        }
        double arrived = realtimeMs();
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == damageEvent + XDamageNotify) {
                XDamageNotifyEvent* damage = (XDamageNotifyEvent*)&event;
                XDamageSubtract(display, damage->damage, None, None);
                if (count < MAX_EVENTS) {
                    events[count++] = arrived;
                }
            }
        }
        XFlush(display);
    }
    return count;
}

static int watch(Display* display, const char* name, double seconds) {
    double start = 0;
    int count = collect(display, name, seconds, &start);
    if (count < 0) {
        return 1;
    }
    double end = start + seconds * 1e3;

    /* The boundaries: whole seconds after the start, each followed by ATTRIBUTE_MS of watching. */
    static double latencies[MAX_EVENTS], phases[MAX_EVENTS];
    int boundaries = 0, hits = 0, frames = 0, next = 0;
    for (double boundary = (double)((long long)(start / 1e3) + 1) * 1e3;
         boundary + ATTRIBUTE_MS <= end; boundary += 1e3) {
        ++boundaries;
        while (next < count && events[next] < boundary) {
            ++next;
        }
        if (next < count && events[next] - boundary <= ATTRIBUTE_MS) {
            latencies[hits++] = events[next] - boundary;
        }
    }
    for (int i = 0; i < count; ++i) {
        if (i == 0 || events[i] - events[i - 1] >= FRAME_GAP_MS) {
            long long ms = (long long)events[i];
            phases[frames++] = (double)(ms % 1000) + (events[i] - (double)ms);
        }
    }
    printf("%d %d ", boundaries, hits);
    if (hits > 0) {
        double worst = 0;
        for (int i = 0; i < hits; ++i) {
            worst = latencies[i] > worst ? latencies[i] : worst;
        }
        printf("%.2f %.2f ", median(latencies, hits), worst);
    } else {
        printf("- - ");
    }
    if (frames > 0) {
        printf("%.0f ", median(phases, frames));
    } else {
        printf("- ");
    }
    printf("%.2f\n", (double)frames / seconds);
    return 0;
}

static int frames(Display* display, const char* name, double seconds) {
    double start = 0;
    int count = collect(display, name, seconds, &start);
    if (count < 0) {
        return 1;
    }
    int bursts = 0;
    for (int i = 0; i < count; ++i) {
        bursts += i == 0 || events[i] - events[i - 1] >= BURST_GAP_MS;
    }
    printf("%.2f\n", (double)bursts / seconds);
    return 0;
}

int main(int argc, char** argv) {
    int isDesktop = argc == 3 && strcmp(argv[1], "desktop") == 0;
    int isWatch = argc == 4 && strcmp(argv[1], "watch") == 0;
    int isFrames = argc == 4 && strcmp(argv[1], "frames") == 0;
    if (!isDesktop && !isWatch && !isFrames) {
        fprintf(stderr, "usage: second_latency desktop TIMEOUT_MS\n"
                        "       second_latency watch NAME SECONDS\n"
                        "       second_latency frames NAME SECONDS\n");
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (display == NULL) {
        fprintf(stderr, "second_latency: cannot open display\n");
        return 1;
    }
    XSetErrorHandler(ignoreXError);
    int status = isDesktop ? waitForDesktop(display, atol(argv[2]))
                 : isWatch ? watch(display, argv[2], atof(argv[3]))
                           : frames(display, argv[2], atof(argv[3]));
    XCloseDisplay(display);
    return status;
}
