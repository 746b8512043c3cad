/* Finding a program's top-level window on a display where a window manager runs: the window
 * manager reparents it into a frame, so the whole tree is searched. A window matches when its
 * WM_NAME, or the name or the class of its WM_CLASS, equals the given name. Shared by the
 * probes of bench/idle_clock.sh (first_frame.c, second_latency.c); header only, as each probe
 * is built from one file. */
#ifndef VELMORA_BENCH_FIND_WINDOW_H
#define VELMORA_BENCH_FIND_WINDOW_H

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <string.h>

static int windowHasName(Display* display, Window window, const char* name) {
    int matches = 0;
    char* title = NULL;
    if (XFetchName(display, window, &title) && title != NULL) {
        matches = strcmp(title, name) == 0;
        XFree(title);
    }
    XClassHint hint = {NULL, NULL};
    if (!matches && XGetClassHint(display, window, &hint)) {
        matches = (hint.res_name != NULL && strcmp(hint.res_name, name) == 0) ||
                  (hint.res_class != NULL && strcmp(hint.res_class, name) == 0);
    }
    if (hint.res_name != NULL) {
        XFree(hint.res_name);
    }
    if (hint.res_class != NULL) {
        XFree(hint.res_class);
    }
    return matches;
}

/* The first viewable window named NAME below PARENT (depth first), or None. */
static Window findViewableBelow(Display* display, Window parent, const char* name) {
    Window root, up, *children = NULL, found = None;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &root, &up, &children, &count)) {
        return None;
    }
    for (unsigned int i = 0; i < count && found == None; ++i) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, children[i], &attributes) ||
            attributes.map_state != IsViewable) {
            continue;
        }
        if (windowHasName(display, children[i], name)) {
            found = children[i];
        } else {
            found = findViewableBelow(display, children[i], name);
        }
    }
    if (children != NULL) {
        XFree(children);
    }
    return found;
}

static Window findViewable(Display* display, const char* name) {
    return findViewableBelow(display, DefaultRootWindow(display), name);
}

#endif
