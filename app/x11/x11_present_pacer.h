// The X server's refreshes, told by its Present extension, for pacing the clock's frames.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

struct xcb_connection_t;
struct xcb_special_event;

// Each request asks the server for a notice at its next refresh of the window's screen (a
// vertical blank, or a timer of the same rate where the server has no screen to follow).
// The notices come on a connection of the pacer's own, read by a thread of its own, so that
// neither Qt's event thread nor the window's thread wakes for them.
class X11PresentPacer {
public:
    // Whether the server of the connection has the Present extension.
    static bool offeredBy(xcb_connection_t* connection);
    // For the window on the display of DISPLAY, told to `ready` from the pacer's thread;
    // null where the server has no Present extension or the window is not on that display.
    static std::unique_ptr<X11PresentPacer> forWindow(std::uint32_t window,
                                                      std::function<void()> ready);
    ~X11PresentPacer();
    X11PresentPacer(const X11PresentPacer&) = delete;
    X11PresentPacer& operator=(const X11PresentPacer&) = delete;

    // Asks for a notice at the next refresh; from any thread.
    void request();

private:
    X11PresentPacer(xcb_connection_t* connection, std::uint32_t window, int stopFd,
                    std::function<void()> ready);
    void listen();

    xcb_connection_t* connection_;
    std::uint32_t window_;
    std::function<void()> ready_;
    xcb_special_event* events_ = nullptr;
    std::uint32_t eventId_ = 0;
    std::atomic<std::uint32_t> serial_{0};
    // Written to end the thread's wait.
    int stopFd_;
    std::thread thread_;
};
