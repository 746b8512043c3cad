// The desktop's background under the clock window, for drawing the frame over it where no
// compositor blends translucent windows with what lies below them.
#include "app/x11/desktop_backdrop.h"

#include "app/presentation/frame_painting.h"
#include "app/x11/x11_selection.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <cstdlib>
#include <string>
#include <xcb/xcb.h>

// The X side: the root window, its background pixmap and the compositor's selection. Every
// request whose object may have gone (a freed pixmap) takes its error with the reply, so a
// stale id gives a null image, never an error in Qt's event handling.
class DesktopBackdrop::X11 {
public:
    static std::unique_ptr<X11> open();

    bool compositorRunning() const;
    // The background under the window's area of the screen, in screen pixels; null when
    // there is none or it cannot be read.
    QImage read(const QRect& area) const;
    // Whether an event changes what read() or compositorRunning() gives.
    bool changesBackdrop(const xcb_generic_event_t& event) const;

private:
    explicit X11(const QtX11Screen& screen);
    xcb_pixmap_t backgroundPixmap() const;
    xcb_pixmap_t pixmapIn(xcb_atom_t property) const;
    QImage readPixmap(xcb_pixmap_t pixmap, int depth, const QRect& source) const;
    void watchRoot();

    xcb_connection_t* connection_;
    xcb_window_t root_;
    xcb_atom_t rootPixmap_;
    xcb_atom_t esetrootPixmap_;
    xcb_atom_t compositorSelection_;
    // The code of XFixes' selection events; 0 without the extension.
    int selectionNotify_ = 0;
};

std::unique_ptr<DesktopBackdrop::X11> DesktopBackdrop::X11::open() {
    const QtX11Screen screen = qtX11Screen();
    if (screen.connection == nullptr) {
        return nullptr;
    }
    return std::unique_ptr<X11>(new X11(screen));
}

DesktopBackdrop::X11::X11(const QtX11Screen& screen)
    : connection_(screen.connection), root_(screen.root),
      rootPixmap_(internAtom(connection_, "_XROOTPMAP_ID")),
      esetrootPixmap_(internAtom(connection_, "ESETROOT_PMAP_ID")),
      compositorSelection_(
          internAtom(connection_, "_NET_WM_CM_S" + std::to_string(screen.number))) {
    watchRoot();
}

// Property changes of the root tell of a new background. A compositor starting or stopping
// changes the owner of its selection, which XFixes reports.
void DesktopBackdrop::X11::watchRoot() {
    selectPropertyChanges(connection_, root_);
    selectionNotify_ = watchSelectionOwner(connection_, root_, compositorSelection_);
    xcb_flush(connection_);
}

bool DesktopBackdrop::X11::compositorRunning() const {
    Reply<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
        connection_, xcb_get_selection_owner(connection_, compositorSelection_), nullptr));
    return owner != nullptr && owner->owner != XCB_NONE;
}

bool DesktopBackdrop::X11::changesBackdrop(const xcb_generic_event_t& event) const {
    const int type = event.response_type & 0x7f;
    if (type == XCB_PROPERTY_NOTIFY) {
        const auto& notify = reinterpret_cast<const xcb_property_notify_event_t&>(event);
        return notify.window == root_ &&
               (notify.atom == rootPixmap_ || notify.atom == esetrootPixmap_);
    }
    return isSelectionOwnerReport(event, selectionNotify_, compositorSelection_);
}

// _XROOTPMAP_ID is what compositors and pagers read; some setters write only ESETROOT_PMAP_ID.
xcb_pixmap_t DesktopBackdrop::X11::backgroundPixmap() const {
    const xcb_pixmap_t pixmap = pixmapIn(rootPixmap_);
    return pixmap != XCB_NONE ? pixmap : pixmapIn(esetrootPixmap_);
}

xcb_pixmap_t DesktopBackdrop::X11::pixmapIn(xcb_atom_t property) const {
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, root_, property, XCB_ATOM_PIXMAP, 0, 1),
        nullptr));
    if (reply == nullptr || reply->type != XCB_ATOM_PIXMAP || reply->format != 32 ||
        xcb_get_property_value_length(reply.get()) < 4) {
        return XCB_NONE;
    }
    return *static_cast<const xcb_pixmap_t*>(xcb_get_property_value(reply.get()));
}

QImage DesktopBackdrop::X11::read(const QRect& area) const {
    const xcb_pixmap_t pixmap = backgroundPixmap();
    if (pixmap == XCB_NONE) {
        return {};
    }
    xcb_generic_error_t* error = nullptr;
    Reply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, pixmap), &error));
    std::free(error);
    if (geometry == nullptr) {
        return {};
    }
    const QSize tile(geometry->width, geometry->height);
    const int depth = geometry->depth;
    return assembleBackdrop(area, tile, [this, pixmap, depth](const QRect& source) {
        return readPixmap(pixmap, depth, source);
    });
}

// Pixmaps of 24 and 32 bits (read as opaque) and of 16 bits; other depths give null.
QImage DesktopBackdrop::X11::readPixmap(xcb_pixmap_t pixmap, int depth, const QRect& source) const {
    const xcb_setup_t* setup = xcb_get_setup(connection_);
    if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST) {
        return {};
    }
    const xcb_format_t* format = nullptr;
    for (auto formats = xcb_setup_pixmap_formats_iterator(setup); formats.rem > 0;
         xcb_format_next(&formats)) {
        if (formats.data->depth == depth) {
            format = formats.data;
        }
    }
    if (format == nullptr ||
        (format->bits_per_pixel != 32 && !(format->bits_per_pixel == 16 && depth == 16))) {
        return {};
    }
    xcb_generic_error_t* error = nullptr;
    Reply<xcb_get_image_reply_t> reply(xcb_get_image_reply(
        connection_,
        xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap,
                      static_cast<int16_t>(source.x()), static_cast<int16_t>(source.y()),
                      static_cast<uint16_t>(source.width()), static_cast<uint16_t>(source.height()),
                      ~0U),
        &error));
    std::free(error);
    if (reply == nullptr) {
        return {};
    }
    const int pad = format->scanline_pad;
    const qsizetype stride =
        (static_cast<qsizetype>(source.width()) * format->bits_per_pixel + pad - 1) / pad * pad / 8;
    if (xcb_get_image_data_length(reply.get()) < stride * source.height()) {
        return {};
    }
    const bool wide = format->bits_per_pixel == 32;
    // A view of the reply, which goes at the end: copied, since converting an image to its
    // own format shares the pixels.
    const QImage view(xcb_get_image_data(reply.get()), source.width(), source.height(), stride,
                      wide ? QImage::Format_RGB32 : QImage::Format_RGB16);
    QImage image = wide ? view.copy() : view.convertToFormat(QImage::Format_RGB32);
    if (wide) {
        // Qt takes the top byte of RGB32 as alpha where it copies pixels unchanged; X leaves
        // it 0 in 24-bit pixmaps.
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                line[x] |= 0xff000000U;
            }
        }
    }
    return image;
}

DesktopBackdrop::DesktopBackdrop(QWidget& window) : window_(window) {
    x11_ = X11::open();
    if (x11_ == nullptr) {
        return;
    }
    window_.installEventFilter(this);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

// The native filter removes itself from the application.
DesktopBackdrop::~DesktopBackdrop() = default;

bool DesktopBackdrop::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
                                event->type() == QEvent::Show)) {
        // At once, so that the paint the window's own handler asks for finds it in place.
        refresh();
    }
    return false;
}

bool DesktopBackdrop::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t" || refreshQueued_ ||
        !x11_->changesBackdrop(*static_cast<const xcb_generic_event_t*>(message))) {
        return false;
    }
    // Read after the event has been handled: a burst of property changes reads once.
    refreshQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            refreshQueued_ = false;
            refresh();
        },
        Qt::QueuedConnection);
    return false;
}

void DesktopBackdrop::refresh() {
    QImage fresh;
    if (window_.isVisible() && !x11_->compositorRunning()) {
        // The window's pixels on the screen: Qt's logical geometry scaled by the density,
        // which is exact on a single screen and wherever the density is 1.
        const qreal ratio = window_.devicePixelRatioF();
        const QRect geometry = window_.geometry();
        const QRect area(QPoint(qRound(geometry.x() * ratio), qRound(geometry.y() * ratio)),
                         QSize(static_cast<int>(geometry.width() * ratio),
                               static_cast<int>(geometry.height() * ratio)));
        fresh = x11_->read(area);
        fresh.setDevicePixelRatio(ratio);
    }
    if (fresh.isNull() && image_.isNull()) {
        return;
    }
    image_ = std::move(fresh);
    emit changed();
}
