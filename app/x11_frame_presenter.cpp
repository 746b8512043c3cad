// Changed parts of the clock's frame put straight into its X window.
#include "app/x11_frame_presenter.h"

#include <QGuiApplication>
#include <QPainter>
#include <QWidget>
#include <xcb/xcb.h>

namespace {

// The fixed part of a PutImage request.
constexpr std::uint64_t kPutImageHeaderBytes = 24;
constexpr int kBlendRows = 64;

// Whether the server stores pixels of this depth as 32-bit words in the host's byte order,
// as QImage's premultiplied ARGB holds them.
bool takesFramePixels(const xcb_setup_t* setup, std::uint8_t depth) {
    if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST ||
        QSysInfo::ByteOrder != QSysInfo::LittleEndian) {
        return false;
    }
    xcb_format_iterator_t format = xcb_setup_pixmap_formats_iterator(setup);
    for (; format.rem > 0; xcb_format_next(&format)) {
        if (format.data->depth == depth) {
            return format.data->bits_per_pixel == 32 && format.data->scanline_pad == 32;
        }
    }
    return false;
}

} // namespace

std::unique_ptr<X11FramePresenter> X11FramePresenter::forWindow(QWidget& window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr || !window.isWindow()) {
        return nullptr;
    }
    xcb_connection_t* connection = x11->connection();
    const auto id = static_cast<xcb_window_t>(window.winId());
    // Asked once: the window's depth does not change while it lives.
    xcb_get_geometry_reply_t* geometry =
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), nullptr);
    if (geometry == nullptr) {
        return nullptr;
    }
    const std::uint8_t depth = geometry->depth;
    free(geometry);
    // Depth 24 shows the colours and drops the alpha, as Qt's own flush does.
    if ((depth != 32 && depth != 24) || !takesFramePixels(xcb_get_setup(connection), depth)) {
        return nullptr;
    }
    const std::uint64_t maxRequestBytes =
        static_cast<std::uint64_t>(xcb_get_maximum_request_length(connection)) * 4;
    return std::unique_ptr<X11FramePresenter>(
        new X11FramePresenter(connection, id, depth, maxRequestBytes));
}

X11FramePresenter::X11FramePresenter(xcb_connection_t* connection, std::uint32_t window,
                                     std::uint8_t depth, std::uint64_t maxRequestBytes)
    : connection_(connection), window_(window), depth_(depth), maxRequestBytes_(maxRequestBytes) {
    gc_ = xcb_generate_id(connection_);
    // Pixels only: no graphics exposures, which would send an event for every request.
    const std::uint32_t values[] = {0};
    xcb_create_gc(connection_, gc_, window_, XCB_GC_GRAPHICS_EXPOSURES, values);
}

X11FramePresenter::~X11FramePresenter() {
    xcb_free_gc(connection_, gc_);
    xcb_flush(connection_);
}

int X11FramePresenter::rowsPerRequest(int width, std::uint64_t maxRequestBytes) {
    if (width <= 0 || maxRequestBytes <= kPutImageHeaderBytes) {
        return 0;
    }
    const std::uint64_t rowBytes = static_cast<std::uint64_t>(width) * 4;
    const std::uint64_t rows = (maxRequestBytes - kPutImageHeaderBytes) / rowBytes;
    return static_cast<int>(std::min<std::uint64_t>(rows, 0x7FFF));
}

void X11FramePresenter::packRows(const QImage& frame, const QRect& rect, int alpha,
                                 std::vector<std::uint32_t>& out) {
    const QRect inside = rect & frame.rect();
    out.resize(static_cast<std::size_t>(inside.width()) *
               static_cast<std::size_t>(inside.height()));
    if (inside.isEmpty()) {
        return;
    }
    if (alpha >= 255) {
        std::uint32_t* to = out.data();
        for (int y = inside.top(); y <= inside.bottom(); ++y) {
            const auto* from =
                reinterpret_cast<const std::uint32_t*>(frame.constScanLine(y)) + inside.left();
            to = std::copy(from, from + inside.width(), to);
        }
        return;
    }
    // Blended as the window's paint event blends the frame, so the pixels are the same
    // whichever way they reach the screen.
    QImage packed(reinterpret_cast<uchar*>(out.data()), inside.width(), inside.height(),
                  inside.width() * 4, QImage::Format_ARGB32_Premultiplied);
    packed.fill(Qt::transparent);
    // The same density as the frame's, so each of its pixels lands on one of ours.
    packed.setDevicePixelRatio(frame.devicePixelRatio());
    QPainter painter(&packed);
    painter.setOpacity(std::max(alpha, 0) / 255.0);
    painter.drawImage(QPoint(0, 0), frame, inside);
}

void X11FramePresenter::present(const QImage& frame, const QRegion& pixels, int alpha) {
    if (frame.format() != QImage::Format_ARGB32_Premultiplied) {
        return;
    }
    for (const QRect& area : pixels) {
        const QRect rect = area & frame.rect();
        int step = rowsPerRequest(rect.width(), maxRequestBytes_);
        if (alpha < 255) {
            // Below the height at which Qt's raster engine hands a blend to its worker threads.
            step = std::min(step, kBlendRows);
        }
        if (rect.isEmpty() || step <= 0) {
            continue;
        }
        for (int top = rect.top(); top <= rect.bottom(); top += step) {
            const QRect band(rect.left(), top, rect.width(),
                             std::min(step, rect.bottom() + 1 - top));
            packRows(frame, band, alpha, rows_);
            xcb_put_image(
                connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window_, gc_,
                static_cast<std::uint16_t>(band.width()), static_cast<std::uint16_t>(band.height()),
                static_cast<std::int16_t>(band.left()), static_cast<std::int16_t>(band.top()), 0,
                depth_, static_cast<std::uint32_t>(rows_.size() * 4),
                reinterpret_cast<const std::uint8_t*>(rows_.data()));
        }
    }
    xcb_flush(connection_);
}
