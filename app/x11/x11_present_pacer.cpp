// The X server's refreshes, told by its Present extension, for pacing the clock's frames.
#include "app/x11/x11_present_pacer.h"

#include <cstdlib>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <xcb/present.h>
#include <xcb/xcb.h>

bool X11PresentPacer::offeredBy(xcb_connection_t* connection) {
    const xcb_query_extension_reply_t* extension =
        xcb_get_extension_data(connection, &xcb_present_id);
    return extension != nullptr && extension->present != 0;
}

std::unique_ptr<X11PresentPacer> X11PresentPacer::forWindow(std::uint32_t window,
                                                            std::function<void()> ready) {
    const int stopFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (stopFd < 0) {
        return nullptr;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        xcb_disconnect(connection);
        return nullptr;
    }
    xcb_present_query_version_reply_t* version =
        offeredBy(connection)
            ? xcb_present_query_version_reply(connection,
                                              xcb_present_query_version(connection, 1, 0), nullptr)
            : nullptr;
    // The window is Qt's; it must be found on this connection's display too.
    xcb_get_geometry_reply_t* geometry =
        version != nullptr
            ? xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr)
            : nullptr;
    const bool usable = geometry != nullptr;
    free(version);
    free(geometry);
    if (!usable) {
        xcb_disconnect(connection);
        close(stopFd);
        return nullptr;
    }
    return std::unique_ptr<X11PresentPacer>(
        new X11PresentPacer(connection, window, stopFd, std::move(ready)));
}

X11PresentPacer::X11PresentPacer(xcb_connection_t* connection, std::uint32_t window, int stopFd,
                                 std::function<void()> ready)
    : connection_(connection), window_(window), ready_(std::move(ready)), stopFd_(stopFd) {
    eventId_ = xcb_generate_id(connection_);
    events_ = xcb_register_for_special_xge(connection_, &xcb_present_id, eventId_, nullptr);
    xcb_present_select_input(connection_, eventId_, window_,
                             XCB_PRESENT_EVENT_MASK_COMPLETE_NOTIFY);
    xcb_flush(connection_);
    thread_ = std::thread([this] { listen(); });
}

X11PresentPacer::~X11PresentPacer() {
    const std::uint64_t one = 1;
    // A fresh eventfd cannot overflow.
    [[maybe_unused]] const ssize_t written = write(stopFd_, &one, sizeof one);
    thread_.join();
    xcb_unregister_for_special_event(connection_, events_);
    xcb_disconnect(connection_);
    close(stopFd_);
}

void X11PresentPacer::request() {
    // Divisor 1 and remainder 0: the first refresh after now.
    xcb_present_notify_msc(connection_, window_, ++serial_, 0, 1, 0);
    xcb_flush(connection_);
}

void X11PresentPacer::listen() {
    pollfd watched[2] = {{xcb_get_file_descriptor(connection_), POLLIN, 0}, {stopFd_, POLLIN, 0}};
    for (;;) {
        // Errors and other events are read and let go; only the notices count.
        while (xcb_generic_event_t* other = xcb_poll_for_event(connection_)) {
            free(other);
        }
        bool told = false;
        while (xcb_generic_event_t* event = xcb_poll_for_special_event(connection_, events_)) {
            const auto* present = reinterpret_cast<const xcb_present_generic_event_t*>(event);
            told = told || present->evtype == XCB_PRESENT_EVENT_COMPLETE_NOTIFY;
            free(event);
        }
        if (told) {
            ready_();
        }
        if (xcb_connection_has_error(connection_) != 0) {
            return;
        }
        if (poll(watched, 2, -1) < 0) {
            continue;
        }
        if ((watched[1].revents & POLLIN) != 0 || (watched[0].revents & (POLLERR | POLLHUP)) != 0) {
            return;
        }
    }
}
