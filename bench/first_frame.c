/* Starts a program and reports how long it takes to show its first frame: the time until a
 * viewable window with a given name (WM_NAME or WM_CLASS, anywhere in the tree, as a window
 * manager reparents it; see find_window.h) appears, and until that window holds a pixel that
 * is not all zero (an unpainted or fully transparent window reads as all zero).
 *
 * usage: first_frame NAME LOGFILE COMMAND [ARG...]
 * Prints "PID MAPPED_MS PAINTED_MS" (a "-" for what was not seen within 20 s) and exits,
 * leaving the program running with its output in LOGFILE. Polls every POLL_US microseconds,
 * so each figure is late by at most that plus one window read. */
#define _POSIX_C_SOURCE 200809L
#include "find_window.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

enum { POLL_US = 2000, GIVE_UP_MS = 20000 };

static double elapsedMs(const struct timespec* since) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (double)(now.tv_sec - since->tv_sec) * 1e3 +
           (double)(now.tv_nsec - since->tv_nsec) / 1e6;
}

/* The window may vanish or unmap between two requests: that is a miss, not a failure. */
static int ignoreXError(Display* display, XErrorEvent* error) {
    (void)display;
    (void)error;
    return 0;
}

static int hasDrawnPixel(Display* display, Window window) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable) {
        return 0;
    }
    XImage* image = XGetImage(display, window, 0, 0, (unsigned)attributes.width,
                              (unsigned)attributes.height, AllPlanes, ZPixmap);
    if (image == NULL) {
        return 0;
    }
    int drawn = 0;
    for (int y = 0; y < image->height && !drawn; ++y) {
        for (int x = 0; x < image->width; ++x) {
            if (XGetPixel(image, x, y) != 0) {
                drawn = 1;
                break;
            }
        }
    }
    XDestroyImage(image);
    return drawn;
}

int main(int argc, char** argv) {
    if (argc < 4) {
        fprintf(stderr, "usage: first_frame NAME LOGFILE COMMAND [ARG...]\n");
        return 2;
    }
    const char* name = argv[1];
    Display* display = XOpenDisplay(NULL);
    if (display == NULL) {
        fprintf(stderr, "first_frame: cannot open display\n");
        return 1;
    }
    XSetErrorHandler(ignoreXError);
    int log = open(argv[2], O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (log < 0) {
        perror("first_frame: log file");
        return 1;
    }

    struct timespec start;
    clock_gettime(CLOCK_MONOTONIC, &start);
    pid_t pid = fork();
    if (pid < 0) {
        perror("first_frame: fork");
        return 1;
    }
    if (pid == 0) {
        close(ConnectionNumber(display));
        dup2(log, STDOUT_FILENO);
        dup2(log, STDERR_FILENO);
        close(log);
        execvp(argv[3], argv + 3);
        perror("first_frame: exec");
        _exit(127);
    }
    close(log);

    double mapped = -1, painted = -1;
    Window window = None;
    while (elapsedMs(&start) < GIVE_UP_MS && waitpid(pid, NULL, WNOHANG) == 0) {
        if (window == None) {
            window = findViewable(display, name);
            if (window != None) {
                mapped = elapsedMs(&start);
            }
        }
        if (window != None && hasDrawnPixel(display, window)) {
            painted = elapsedMs(&start);
            break;
        }
        nanosleep(&(struct timespec){0, POLL_US * 1000L}, NULL);
    }
    printf("%d ", (int)pid);
    if (mapped < 0) {
        printf("- -\n");
    } else if (painted < 0) {
        printf("%.0f -\n", mapped);
    } else {
        printf("%.0f %.0f\n", mapped, painted);
    }
    XCloseDisplay(display);
    return 0;
}
