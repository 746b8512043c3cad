// The Wayland checks' helper: shows a frame on a layer surface, shows a plain window that
// reports clicks, or moves and clicks a virtual pointer.
//
//   wayland-probe layer IMAGE.png X Y [top] [through] [tick:IMAGE2.png] [quit:MS] [STATE]
//                       exit 3 with no layer shell; tick: the two images take turns each
//                       second, only their differing box presented (an idle clock's work);
//                       quit:MS ends it normally after that long
//   wayland-probe window                                         a red window, prints clicks
//   wayland-probe pointer W H STEP...   STEP: move:X,Y (to a position) by:DX,DY (by steps, as
//                       a mouse moves) press release rpress rrelease wait:MS
//                       through wlroots' virtual pointer, else KWin's fake input (whose
//                       absolute motion is in the outputs' logical coordinates: W H unused)
//   wayland-probe kwin-shot OUT.png      KWin's picture of the whole workspace, by its D-Bus
//                                        screenshot interface
//   wayland-probe kwin-show-desktop MS   KWin's "Show desktop" for that long: KWin ends it
//                                        once its caller leaves the session bus
#include "app/presentation/input_shape.h"
#include "app/wayland/layer_shell_surface.h"
#include "virtual_pointer_client.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusUnixFileDescriptor>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QRasterWindow>
#include <QStringList>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <wayland-client.h>

namespace {

// The logical pixels of a frame at the scale that take the pointer, as the clock sets them.
QRegion inputRegion(const QImage& frame, int scale) {
    QImage bits = InputShape::emptyBits(frame.size() / scale);
    InputShape::update(bits, frame, bits.rect());
    return InputShape::region(bits);
}

int runLayer(QGuiApplication& app, const QStringList& args) {
    if (args.size() < 5) {
        std::fprintf(stderr, "usage: wayland-probe layer IMAGE X Y [top] [through] [STATE]\n");
        return 2;
    }
    const QImage image = QImage(args[2]).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        std::fprintf(stderr, "wayland-probe: cannot read %s\n", qPrintable(args[2]));
        return 2;
    }
    const QPoint at(args[3].toInt(), args[4].toInt());
    const bool top = args.contains(QStringLiteral("top"));
    const bool through = args.contains(QStringLiteral("through"));
    const QString state =
        args.size() > 5 && args.last().startsWith(QLatin1Char('/')) ? args.last() : QString();
    std::string whyNot;
    std::unique_ptr<LayerShellSurface> surface = LayerShellSurface::connect(whyNot);
    if (surface == nullptr) {
        std::printf("no layer shell: %s\n", whyNot.c_str());
        return 3;
    }
    const auto layer = top ? LayerShellSurface::Layer::Top
                       : args.contains(QStringLiteral("background"))
                           ? LayerShellSurface::Layer::Background
                           : LayerShellSurface::Layer::Bottom;
    if (!surface->show(at, image.size(), layer, whyNot)) {
        std::printf("not shown: %s\n", whyNot.c_str());
        return 1;
    }
    const int scale = surface->scale();
    const QImage frame = image.scaled(image.size() * scale);
    surface->setInputRegion(inputRegion(frame, scale));
    surface->setClickThrough(through);
    surface->present(frame, QRegion(frame.rect()), 255);

    QImage second;
    for (const QString& arg : args) {
        if (arg.startsWith(QStringLiteral("tick:"))) {
            second = QImage(arg.mid(5))
                         .convertToFormat(QImage::Format_ARGB32_Premultiplied)
                         .scaled(frame.size());
        }
    }
    QTimer ticker;
    if (!second.isNull()) {
        QRect changed;
        for (int y = 0; y < frame.height(); ++y) {
            for (int x = 0; x < frame.width(); ++x) {
                if (frame.pixel(x, y) != second.pixel(x, y)) {
                    changed |= QRect(x, y, 1, 1);
                }
            }
        }
        auto odd = std::make_shared<bool>(false);
        ticker.setTimerType(Qt::PreciseTimer);
        QObject::connect(&ticker, &QTimer::timeout,
                         [raw = surface.get(), frame, second, changed, odd] {
                             *odd = !*odd;
                             raw->present(*odd ? second : frame, QRegion(changed), 255);
                         });
        ticker.start(1000);
    }

    // A drag moves the surface live, as the clock does, and its end is what would be saved.
    struct Drag {
        QPointF start;
        QPoint origin;
        bool active = false;
    };
    auto drag = std::make_shared<Drag>();
    LayerShellSurface* raw = surface.get();
    surface->setPointerHandler([raw, drag, state,
                                frame](const LayerShellSurface::PointerEvent& event) {
        using Kind = LayerShellSurface::PointerEvent::Kind;
        const QPoint at = event.position.toPoint();
        if (event.kind == Kind::Press) {
            std::printf("press %d %d %d\n", event.button, at.x(), at.y());
            if (event.button == 1) {
                *drag = Drag{event.position, raw->position(), true};
            }
        } else if (event.kind == Kind::Move && drag->active) {
            raw->setPosition(drag->origin + (event.position - drag->start).toPoint());
        } else if (event.kind == Kind::Release) {
            std::printf("release %d %d %d\n", event.button, at.x(), at.y());
            if (event.button == 1 && drag->active) {
                drag->active = false;
                const QPoint placed = raw->position();
                std::printf("placed %d %d\n", placed.x(), placed.y());
                QFile file(state);
                if (!state.isEmpty() && file.open(QIODevice::WriteOnly)) {
                    file.write(QStringLiteral("%1 %2\n").arg(placed.x()).arg(placed.y()).toUtf8());
                }
            }
            // The right button stands for a smaller size chosen from the menu: the top-left
            // quarter of the frame, so the surface shrinks to half its width and height.
            if (event.button == 2) {
                const QImage smaller = frame.copy(QRect(QPoint(0, 0), frame.size() / 2));
                raw->setInputRegion(inputRegion(smaller, raw->scale()));
                raw->present(smaller, QRegion(smaller.rect()), 255);
                std::printf("shrunk\n");
            }
        }
        std::fflush(stdout);
    });
    surface->setLostHandler([] { QCoreApplication::exit(4); });
    // A surface made again (on another output) is drawn whole again, at its scale.
    surface->setScaleHandler([raw, image](int factor) {
        const QImage scaled = image.scaled(image.size() * factor);
        raw->setInputRegion(inputRegion(scaled, factor));
        raw->present(scaled, QRegion(scaled.rect()), 255);
        std::printf("scale %d\n", factor);
        std::fflush(stdout);
    });
    // quit:MS ends the probe normally after that long, taking the surface down as the
    // program does at its end.
    for (const QString& arg : args) {
        if (arg.startsWith(QStringLiteral("quit:"))) {
            QTimer::singleShot(arg.mid(5).toInt(), &app, &QCoreApplication::quit);
        }
    }
    std::printf("shown scale %d\n", scale);
    std::fflush(stdout);
    return app.exec();
}

class ClickWindow : public QRasterWindow {
protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        painter.fillRect(QRect(QPoint(0, 0), size()), QColor(255, 0, 0));
    }
    void mousePressEvent(QMouseEvent* event) override {
        std::printf("clicked %d %d\n", static_cast<int>(event->position().x()),
                    static_cast<int>(event->position().y()));
        std::fflush(stdout);
    }
};

int runWindow(QGuiApplication& app) {
    ClickWindow window;
    window.resize(200, 200);
    window.show();
    return app.exec();
}

struct PointerGlobals {
    wl_seat* seat = nullptr;
    zwlr_virtual_pointer_manager_v1* manager = nullptr;
    org_kde_kwin_fake_input* fake = nullptr;
};

// Moves and presses through one of the two interfaces, as the compositor offers.
class PointerDevice {
public:
    PointerDevice(const PointerGlobals& globals, std::uint32_t width, std::uint32_t height)
        : width_(width), height_(height) {
        if (globals.manager != nullptr) {
            virtual_ = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(globals.manager,
                                                                              globals.seat);
        } else {
            fake_ = globals.fake;
            org_kde_kwin_fake_input_authenticate(fake_, "velmora checks", "pointer steps");
        }
    }
    ~PointerDevice() {
        if (virtual_ != nullptr) {
            zwlr_virtual_pointer_v1_destroy(virtual_);
        }
    }
    PointerDevice(const PointerDevice&) = delete;
    PointerDevice& operator=(const PointerDevice&) = delete;

    void moveTo(std::uint32_t x, std::uint32_t y) {
        if (virtual_ != nullptr) {
            zwlr_virtual_pointer_v1_motion_absolute(virtual_, time_++, x, y, width_, height_);
            zwlr_virtual_pointer_v1_frame(virtual_);
        } else {
            org_kde_kwin_fake_input_pointer_motion_absolute(fake_, wl_fixed_from_int(int(x)),
                                                            wl_fixed_from_int(int(y)));
        }
    }
    void moveBy(int dx, int dy) {
        if (virtual_ != nullptr) {
            zwlr_virtual_pointer_v1_motion(virtual_, time_++, wl_fixed_from_int(dx),
                                           wl_fixed_from_int(dy));
            zwlr_virtual_pointer_v1_frame(virtual_);
        } else {
            org_kde_kwin_fake_input_pointer_motion(fake_, wl_fixed_from_int(dx),
                                                   wl_fixed_from_int(dy));
        }
    }
    void button(std::uint32_t code, std::uint32_t pressed) {
        if (virtual_ != nullptr) {
            zwlr_virtual_pointer_v1_button(virtual_, time_++, code, pressed);
            zwlr_virtual_pointer_v1_frame(virtual_);
        } else {
            org_kde_kwin_fake_input_button(fake_, code, pressed);
        }
    }

private:
    std::uint32_t width_;
    std::uint32_t height_;
    std::uint32_t time_ = 1;
    zwlr_virtual_pointer_v1* virtual_ = nullptr;
    org_kde_kwin_fake_input* fake_ = nullptr;
};

int runPointer(const QStringList& args) {
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: wayland-probe pointer W H STEP...\n");
        return 2;
    }
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "wayland-probe: no Wayland display\n");
        return 1;
    }
    PointerGlobals globals;
    static const wl_registry_listener listener = {
        .global =
            [](void* data, wl_registry* registry, uint32_t name, const char* interface,
               uint32_t version) {
                auto* found = static_cast<PointerGlobals*>(data);
                if (std::strcmp(interface, wl_seat_interface.name) == 0 && found->seat == nullptr) {
                    found->seat = static_cast<wl_seat*>(
                        wl_registry_bind(registry, name, &wl_seat_interface, 1));
                } else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) ==
                           0) {
                    found->manager = static_cast<zwlr_virtual_pointer_manager_v1*>(wl_registry_bind(
                        registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
                } else if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 &&
                           version >= 3) {
                    found->fake = static_cast<org_kde_kwin_fake_input*>(
                        wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 3));
                }
            },
        .global_remove = [](void*, wl_registry*, uint32_t) {},
    };
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &globals);
    wl_display_roundtrip(display);
    if (globals.manager == nullptr && globals.fake == nullptr) {
        std::fprintf(stderr, "wayland-probe: the compositor offers no virtual pointer\n");
        return 1;
    }
    {
        PointerDevice pointer(globals, args[2].toUInt(), args[3].toUInt());
        for (const QString& step : args.mid(4)) {
            if (step.startsWith(QStringLiteral("move:"))) {
                const QStringList xy = step.mid(5).split(QLatin1Char(','));
                pointer.moveTo(xy.value(0).toUInt(), xy.value(1).toUInt());
            } else if (step.startsWith(QStringLiteral("by:"))) {
                const QStringList xy = step.mid(3).split(QLatin1Char(','));
                pointer.moveBy(xy.value(0).toInt(), xy.value(1).toInt());
            } else if (step == QStringLiteral("press")) {
                pointer.button(0x110, 1);
            } else if (step == QStringLiteral("release")) {
                pointer.button(0x110, 0);
            } else if (step == QStringLiteral("rpress")) {
                pointer.button(0x111, 1);
            } else if (step == QStringLiteral("rrelease")) {
                pointer.button(0x111, 0);
            } else if (step.startsWith(QStringLiteral("wait:"))) {
                wl_display_roundtrip(display);
                std::this_thread::sleep_for(std::chrono::milliseconds(step.mid(5).toInt()));
            }
            wl_display_roundtrip(display);
        }
    }
    if (globals.manager != nullptr) {
        zwlr_virtual_pointer_manager_v1_destroy(globals.manager);
    }
    if (globals.fake != nullptr) {
        wl_proxy_destroy(reinterpret_cast<wl_proxy*>(globals.fake));
    }
    if (globals.seat != nullptr) {
        wl_seat_destroy(globals.seat);
    }
    wl_registry_destroy(registry);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}

// KWin writes the picture's pixels into a pipe and answers the call with their layout. The
// pipe is read on a thread of its own meanwhile, whichever KWin does first.
int runKwinShot(const QStringList& args) {
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: wayland-probe kwin-shot OUT.png\n");
        return 2;
    }
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        return 1;
    }
    QByteArray pixels;
    std::atomic<bool> refused = false;
    std::thread reader([&pixels, &refused, fd = fds[0]] {
        char chunk[65536];
        pollfd ready{fd, POLLIN, 0};
        while (!refused) {
            if (::poll(&ready, 1, 100) <= 0) {
                continue;
            }
            const ssize_t got = ::read(fd, chunk, sizeof chunk);
            if (got <= 0) {
                break;
            }
            pixels.append(chunk, got);
        }
        ::close(fd);
    });
    QDBusMessage reply;
    {
        // The message holds a copy of the pipe's end, which must go before the end can be read.
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.kde.KWin"), QStringLiteral("/org/kde/KWin/ScreenShot2"),
            QStringLiteral("org.kde.KWin.ScreenShot2"), QStringLiteral("CaptureWorkspace"));
        call << QVariantMap() << QVariant::fromValue(QDBusUnixFileDescriptor(fds[1]));
        ::close(fds[1]);
        reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 20000);
    }
    // Refused, KWin may keep the pipe open: nothing more comes through it.
    refused = reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty();
    reader.join();
    if (refused) {
        std::fprintf(stderr, "wayland-probe: no screenshot: %s\n",
                     qPrintable(reply.errorMessage()));
        return 1;
    }
    const QVariantMap layout = qdbus_cast<QVariantMap>(reply.arguments().front());
    const int width = layout.value(QStringLiteral("width")).toInt();
    const int height = layout.value(QStringLiteral("height")).toInt();
    const int stride = layout.value(QStringLiteral("stride")).toInt();
    const auto format = static_cast<QImage::Format>(layout.value(QStringLiteral("format")).toInt());
    if (width <= 0 || height <= 0 || stride < width * 4 ||
        pixels.size() < qsizetype(stride) * height) {
        std::fprintf(stderr, "wayland-probe: a screenshot of %d x %d came with %lld bytes\n", width,
                     height, static_cast<long long>(pixels.size()));
        return 1;
    }
    const QImage image(reinterpret_cast<const uchar*>(pixels.constData()), width, height, stride,
                       format);
    return image.convertToFormat(QImage::Format_RGB32).save(args[2]) ? 0 : 1;
}

int runKwinShowDesktop(const QStringList& args) {
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: wayland-probe kwin-show-desktop MS\n");
        return 2;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.kde.KWin"), QStringLiteral("/KWin"), QStringLiteral("org.kde.KWin"),
        QStringLiteral("showDesktop"));
    call << true;
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 10000);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        std::fprintf(stderr, "wayland-probe: no show desktop: %s\n",
                     qPrintable(reply.errorMessage()));
        return 1;
    }
    std::printf("showing\n");
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::milliseconds(args[2].toInt()));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "pointer") {
        QStringList args;
        for (int i = 0; i < argc; ++i) {
            args << QString::fromLocal8Bit(argv[i]);
        }
        return runPointer(args);
    }
    // The layer surface needs only Qt's event loop; the window is an ordinary Wayland one.
    qputenv("QT_QPA_PLATFORM", mode == "window" ? "wayland" : "offscreen");
    QGuiApplication::setDesktopFileName(QStringLiteral("velmora-probe-window"));
    QGuiApplication app(argc, argv);
    if (mode == "layer") {
        return runLayer(app, app.arguments());
    }
    if (mode == "window") {
        return runWindow(app);
    }
    if (mode == "kwin-shot") {
        return runKwinShot(app.arguments());
    }
    if (mode == "kwin-show-desktop") {
        return runKwinShowDesktop(app.arguments());
    }
    std::fprintf(stderr,
                 "usage: wayland-probe layer|window|pointer|kwin-shot|kwin-show-desktop ...\n");
    return 2;
}
