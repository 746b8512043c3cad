// The smooth motion check's eye: how often a window's pixels change, read back from the X
// server as a screen recorder would.
//
//   motion-probe WINDOW_ID SECONDS
//     Reads the window's pixels every four milliseconds for SECONDS and prints the number of
//     times a second they differed from the reading before. A clock moving at the display's
//     rate changes at about that rate; one moving ten times a second ten times.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>
#include <xcb/xcb.h>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: motion-probe WINDOW_ID SECONDS\n");
        return 2;
    }
    const auto window = static_cast<xcb_window_t>(std::strtoul(argv[1], nullptr, 0));
    const double seconds = std::atof(argv[2]);
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        std::fprintf(stderr, "motion-probe: no X display\n");
        return 1;
    }
    xcb_get_geometry_reply_t* geometry =
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
    if (geometry == nullptr) {
        std::fprintf(stderr, "motion-probe: no window %s\n", argv[1]);
        return 1;
    }
    const std::uint16_t width = geometry->width;
    const std::uint16_t height = geometry->height;
    std::free(geometry);
    std::vector<std::uint8_t> last;
    int changes = 0;
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) {
        xcb_get_image_reply_t* image = xcb_get_image_reply(
            connection,
            xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, width, height, ~0u),
            nullptr);
        if (image == nullptr) {
            std::fprintf(stderr, "motion-probe: the window cannot be read\n");
            return 1;
        }
        const std::uint8_t* data = xcb_get_image_data(image);
        const auto length = static_cast<std::size_t>(xcb_get_image_data_length(image));
        if (!last.empty() &&
            (last.size() != length || std::memcmp(last.data(), data, length) != 0)) {
            ++changes;
        }
        last.assign(data, data + length);
        std::free(image);
        std::this_thread::sleep_for(std::chrono::milliseconds(4));
    }
    std::printf("%.1f\n", changes / seconds);
    xcb_disconnect(connection);
    return 0;
}
