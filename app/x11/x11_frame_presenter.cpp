// Changed parts of the clock's frame put straight into its X window.
#include "app/x11/x11_frame_presenter.h"

#include <QGuiApplication>
#include <QPainter>
#include <QWidget>
#include <sys/mman.h>
#include <unistd.h>
#include <xcb/shm.h>
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

// Whether the server takes shared memory as a passed file descriptor (MIT-SHM 1.2).
bool serverSharesMemory(xcb_connection_t* connection) {
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_shm_id);
    if (extension == nullptr || extension->present == 0) {
        return false;
    }
    xcb_shm_query_version_reply_t* version =
        xcb_shm_query_version_reply(connection, xcb_shm_query_version(connection), nullptr);
    if (version == nullptr) {
        return false;
    }
    const bool passesFds =
        version->major_version > 1 || (version->major_version == 1 && version->minor_version >= 2);
    free(version);
    return passesFds;
}

} // namespace

// Memory shared with the server, attached to it as one segment.
struct X11FramePresenter::SharedSegment {
    xcb_connection_t* connection = nullptr;
    std::uint32_t id = 0;
    uchar* pixels = nullptr;
    std::size_t bytes = 0;

    ~SharedSegment() {
        // The server lets go of it once it has done the requests before.
        xcb_shm_detach(connection, id);
        xcb_flush(connection);
        munmap(pixels, bytes);
    }
};

QImage X11FramePresenter::createFrame(const QSize& pixels) {
    if (!canShare_ || pixels.isEmpty() || pixels.width() > 0x7FFF || pixels.height() > 0x7FFF) {
        return {};
    }
    const std::size_t bytes =
        static_cast<std::size_t>(pixels.width()) * static_cast<std::size_t>(pixels.height()) * 4;
    const int fd = memfd_create("velmora-frame", MFD_CLOEXEC);
    if (fd < 0) {
        return {};
    }
    void* memory = MAP_FAILED;
    if (ftruncate(fd, static_cast<off_t>(bytes)) == 0) {
        memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    }
    if (memory == MAP_FAILED) {
        close(fd);
        return {};
    }
    const std::uint32_t id = xcb_generate_id(connection_);
    // xcb sends the descriptor and closes it. Asked once per frame size, so a server that
    // refuses (another host, a limit) costs one round trip and the frame is made plainly.
    xcb_generic_error_t* error =
        xcb_request_check(connection_, xcb_shm_attach_fd_checked(connection_, id, fd, 1));
    if (error != nullptr) {
        free(error);
        munmap(memory, bytes);
        canShare_ = false;
        return {};
    }
    auto segment = std::make_shared<SharedSegment>();
    segment->connection = connection_;
    segment->id = id;
    segment->pixels = static_cast<uchar*>(memory);
    segment->bytes = bytes;
    shared_ = segment;
    QImage frame(
        segment->pixels, pixels.width(), pixels.height(), pixels.width() * 4,
        QImage::Format_ARGB32_Premultiplied,
        [](void* held) { delete static_cast<std::shared_ptr<SharedSegment>*>(held); },
        new std::shared_ptr<SharedSegment>(segment));
    return frame;
}

bool X11FramePresenter::presentShared(const QImage& frame, const QRegion& pixels) {
    const std::shared_ptr<SharedSegment> segment = shared_.lock();
    if (segment == nullptr || frame.constBits() != segment->pixels ||
        frame.bytesPerLine() != frame.width() * 4 ||
        static_cast<std::size_t>(frame.sizeInBytes()) != segment->bytes) {
        return false;
    }
    for (const QRect& area : pixels) {
        const QRect rect = area & frame.rect();
        if (rect.isEmpty()) {
            continue;
        }
        xcb_shm_put_image(
            connection_, window_, gc_, static_cast<std::uint16_t>(frame.width()),
            static_cast<std::uint16_t>(frame.height()), static_cast<std::uint16_t>(rect.left()),
            static_cast<std::uint16_t>(rect.top()), static_cast<std::uint16_t>(rect.width()),
            static_cast<std::uint16_t>(rect.height()), static_cast<std::int16_t>(rect.left()),
            static_cast<std::int16_t>(rect.top()), depth_, XCB_IMAGE_FORMAT_Z_PIXMAP, 0,
            segment->id, 0);
    }
    xcb_flush(connection_);
    return true;
}

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
    return std::unique_ptr<X11FramePresenter>(new X11FramePresenter(
        connection, id, depth, maxRequestBytes, serverSharesMemory(connection),
        X11PresentPacer::offeredBy(connection)));
}

X11FramePresenter::X11FramePresenter(xcb_connection_t* connection, std::uint32_t window,
                                     std::uint8_t depth, std::uint64_t maxRequestBytes,
                                     bool canShare, bool canPace)
    : connection_(connection), window_(window), depth_(depth), maxRequestBytes_(maxRequestBytes),
      canShare_(canShare), canPace_(canPace) {
    gc_ = xcb_generate_id(connection_);
    // Pixels only: no graphics exposures, which would send an event for every request.
    const std::uint32_t values[] = {0};
    xcb_create_gc(connection_, gc_, window_, XCB_GC_GRAPHICS_EXPOSURES, values);
}

X11FramePresenter::~X11FramePresenter() {
    // Its thread tells this presenter; it ends first.
    pacer_.reset();
    xcb_free_gc(connection_, gc_);
    xcb_flush(connection_);
}

void X11FramePresenter::requestReady() {
    if (pacer_ == nullptr && canPace_) {
        pacer_ = X11PresentPacer::forWindow(window_, [this] { tellReady(); });
        canPace_ = pacer_ != nullptr;
    }
    if (pacer_ == nullptr) {
        // No notice will come: the frame is not held back.
        tellReady();
        return;
    }
    pacer_->request();
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
    // Faded frames are blended on the way out, so their pixels travel.
    if (alpha >= 255 && presentShared(frame, pixels)) {
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
