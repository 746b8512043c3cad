// LayerShellSurface: the pixels it hands the compositor, the input it takes, and a clean
// refusal, with the reason, where there is no compositor or it lacks what the surface needs.
#include "app/wayland/layer_catchers.h"
#include "app/wayland/layer_shell_surface.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QImage>
#include <QTemporaryDir>
#include <atomic>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <thread>
#include <vector>
#include <wayland-client-protocol.h>
#include <wayland-server-core.h>

// The layer shell's interface table, from the protocol code the surface is built with.
extern "C" const wl_interface zwlr_layer_shell_v1_interface;

namespace {

QImage frameOf(int w, int h, QRgb fill) {
    QImage frame(w, h, QImage::Format_ARGB32_Premultiplied);
    frame.fill(fill);
    return frame;
}

struct CopyRow {
    const char* name;
    QRgb pixel;
    int alpha;
    std::uint32_t expected;
};
void PrintTo(const CopyRow& row, std::ostream* out) {
    *out << row.name;
}

class CopyScaledTest : public testing::TestWithParam<CopyRow> {};

TEST_P(CopyScaledTest, ScalesEveryChannelOfTheBoxOnlyAndLeavesTheRest) {
    const CopyRow& row = GetParam();
    const QImage frame = frameOf(6, 5, row.pixel);
    constexpr std::uint32_t kUntouched = 0x12345678;
    std::vector<std::uint32_t> buffer(6 * 5, kUntouched);
    LayerBuffers::copyScaled(frame, QRect(1, 2, 3, 2), row.alpha, buffer.data(), 6);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 6; ++x) {
            const bool inside = x >= 1 && x <= 3 && y >= 2 && y <= 3;
            EXPECT_EQ(buffer[y * 6 + x], inside ? row.expected : kUntouched) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Alphas, CopyScaledTest,
    testing::Values(CopyRow{"opaque_as_is", 0xff204060, 255, 0xff204060},
                    CopyRow{"half_rounds_to_nearest", 0xff204060, 128, 0x80102030},
                    CopyRow{"premultiplied_stays_premultiplied", 0x80402010, 128, 0x40201008},
                    CopyRow{"zero_clears", 0xffffffff, 0, 0},
                    CopyRow{"out_of_range_clamps", 0xff204060, 400, 0xff204060}),
    [](const testing::TestParamInfo<CopyRow>& info) { return info.param.name; });

TEST(CopyScaled, ABoxPastTheFrameCopiesOnlyTheFramesPart) {
    const QImage frame = frameOf(4, 4, 0xffffffff);
    std::vector<std::uint32_t> buffer(4 * 4, 0);
    LayerBuffers::copyScaled(frame, QRect(2, 2, 10, 10), 255, buffer.data(), 4);
    EXPECT_EQ(buffer[3 * 4 + 3], 0xffffffffu);
    EXPECT_EQ(buffer[1 * 4 + 1], 0u);
}

// Two buffers taking turns while the compositor may hold one: each is brought up to date
// with the boxes it missed, never more.
TEST(TakeChanges, EachBufferCatchesUpOnWhatItMissed) {
    const QRegion whole(0, 0, 100, 100);
    const QRegion box1(10, 10, 5, 5);
    const QRegion box2(40, 40, 5, 5);
    const QRegion box3(70, 70, 5, 5);
    const QRegion box4(0, 90, 5, 5);
    QRegion first = whole;
    QRegion second = whole;
    const std::vector<QRegion*> missed{&first, &second};

    EXPECT_EQ(LayerBuffers::takeChanges(missed, 0, box1), whole) << "new: all of it";
    EXPECT_EQ(first, QRegion());
    EXPECT_EQ(second, whole);
    EXPECT_EQ(LayerBuffers::takeChanges(missed, 1, box2), whole);
    EXPECT_EQ(first, box2);
    EXPECT_EQ(LayerBuffers::takeChanges(missed, 0, box3), box2 + box3)
        << "the box the other buffer took, and the new one";
    EXPECT_EQ(second, box3);

    EXPECT_EQ(LayerBuffers::takeChanges(missed, LayerBuffers::kNoBuffer, box4), QRegion())
        << "no buffer free: nothing copied";
    EXPECT_EQ(first, box4);
    EXPECT_EQ(second, box3 + box4);
    EXPECT_EQ(LayerBuffers::takeChanges(missed, 1, QRegion()), box3 + box4)
        << "a frame with no change still catches up";
}

// A surface covering an output takes presses on all of it but what is kept out (an open menu,
// a clock above the windows), wherever that lies among the outputs.
TEST(LayerCatchers, TakeTheWholeOutputButWhatIsKeptOut) {
    const QRect output(640, 0, 640, 480);
    const QRegion keepOut = QRegion(600, 100, 200, 300) + QRegion(1000, 400, 280, 300);
    const QRegion taken = LayerCatchers::inputRegion(output, keepOut);
    EXPECT_TRUE(taken.contains(QPoint(0, 0)));
    EXPECT_FALSE(taken.contains(QPoint(639, 479))) << "the clock's part";
    EXPECT_FALSE(taken.contains(QPoint(0, 100))) << "the menu's part, in the output's own places";
    EXPECT_TRUE(taken.contains(QPoint(160, 100)));
    EXPECT_TRUE(taken.contains(QPoint(359, 479)));
    EXPECT_FALSE(taken.contains(QPoint(360, 400)));
    qint64 area = 0;
    for (const QRect& rect : taken) {
        area += qint64{rect.width()} * rect.height();
    }
    EXPECT_EQ(area, 640 * 480 - 160 * 300 - 280 * 80);
    // Nothing kept out on this output: all of it.
    EXPECT_EQ(LayerCatchers::inputRegion(QRect(1280, 0, 640, 480), keepOut),
              QRegion(0, 0, 640, 480));
}

TEST(LayerShellSurfaceConnect, WithoutACompositorItFailsWithAReason) {
    const QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    setenv("XDG_RUNTIME_DIR", qPrintable(runtime.path()), 1);
    setenv("WAYLAND_DISPLAY", "velmora-no-such-display", 1);
    std::string whyNot;
    EXPECT_EQ(LayerShellSurface::connect(whyNot), nullptr);
    EXPECT_NE(whyNot.find("no Wayland display"), std::string::npos) << whyNot;
}

// A compositor of a few globals on a socket of its own, run on a thread: enough for the
// client to list them and to find what it lacks.
class FakeCompositor {
public:
    struct Offer {
        bool layerShell = true;
        std::uint32_t compositorVersion = 4;
        bool output = true;
    };

    explicit FakeCompositor(const Offer& offer) : display_(wl_display_create()) {
        socket_ = wl_display_add_socket_auto(display_);
        offerGlobal(&wl_compositor_interface, offer.compositorVersion);
        offerGlobal(&wl_shm_interface, 1);
        if (offer.output) {
            offerGlobal(&wl_output_interface, 2);
        }
        if (offer.layerShell) {
            offerGlobal(&zwlr_layer_shell_v1_interface, 4);
        }
        thread_ = std::thread([this] {
            wl_event_loop* loop = wl_display_get_event_loop(display_);
            while (!stop_) {
                wl_event_loop_dispatch(loop, 20);
                wl_display_flush_clients(display_);
            }
        });
    }
    ~FakeCompositor() {
        stop_ = true;
        thread_.join();
        // Its clients see their connection close, as when a compositor ends.
        wl_display_destroy_clients(display_);
        wl_display_destroy(display_);
    }
    FakeCompositor(const FakeCompositor&) = delete;
    FakeCompositor& operator=(const FakeCompositor&) = delete;

    const char* socket() const { return socket_; }

private:
    void offerGlobal(const wl_interface* kind, std::uint32_t version) {
        // The interface travels as the global's data to its bind, which only reads it.
        wl_global_create(display_, kind, static_cast<int>(version), const_cast<wl_interface*>(kind),
                         &bindInert);
    }
    // The only requests the client sends to these objects are destructors, as it lets go
    // of what it looked at (the layer shell has one).
    static int dispatchInert(const void* /*implementation*/, void* target, std::uint32_t /*opcode*/,
                             const wl_message* /*message*/, wl_argument* /*arguments*/) {
        wl_resource_destroy(static_cast<wl_resource*>(target));
        return 0;
    }
    static void bindInert(wl_client* client, void* data, std::uint32_t version, std::uint32_t id) {
        wl_resource* resource = wl_resource_create(client, static_cast<const wl_interface*>(data),
                                                   static_cast<int>(version), id);
        wl_resource_set_dispatcher(resource, &dispatchInert, nullptr, nullptr, nullptr);
    }

    wl_display* display_;
    const char* socket_ = nullptr;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

struct RefusalRow {
    const char* name;
    FakeCompositor::Offer offer;
    const char* reason;
};
void PrintTo(const RefusalRow& row, std::ostream* out) {
    *out << row.name;
}

class LayerShellRefusalTest : public testing::TestWithParam<RefusalRow> {
protected:
    void SetUp() override {
        ASSERT_TRUE(runtime_.isValid());
        setenv("XDG_RUNTIME_DIR", qPrintable(runtime_.path()), 1);
    }
    QTemporaryDir runtime_;
};

TEST_P(LayerShellRefusalTest, SaysWhatTheCompositorLacks) {
    const RefusalRow& row = GetParam();
    const FakeCompositor compositor(row.offer);
    ASSERT_NE(compositor.socket(), nullptr);
    setenv("WAYLAND_DISPLAY", compositor.socket(), 1);
    std::string whyNot;
    const bool offered = LayerShellSurface::offered(whyNot);
    if (row.reason == nullptr) {
        EXPECT_TRUE(offered) << whyNot;
        return;
    }
    EXPECT_FALSE(offered);
    EXPECT_EQ(LayerShellSurface::connect(whyNot), nullptr);
    EXPECT_NE(whyNot.find(row.reason), std::string::npos) << whyNot;
}

INSTANTIATE_TEST_SUITE_P(
    Compositors, LayerShellRefusalTest,
    testing::Values(
        RefusalRow{"everything_offered", {}, nullptr},
        RefusalRow{"no_layer_shell_as_on_gnome", {.layerShell = false}, "offers no layer shell"},
        RefusalRow{"old_compositor", {.compositorVersion = 3}, "version 4"},
        RefusalRow{"no_output", {.output = false}, "no output"}),
    [](const testing::TestParamInfo<RefusalRow>& info) { return info.param.name; });

TEST_F(LayerShellRefusalTest, ACompositorThatGoesIsReportedOnce) {
    int argc = 1;
    char name[] = "layer-shell-test";
    char* argv[] = {name, nullptr};
    const QCoreApplication app(argc, argv);
    auto compositor = std::make_unique<FakeCompositor>(FakeCompositor::Offer{});
    setenv("WAYLAND_DISPLAY", compositor->socket(), 1);
    std::string whyNot;
    const std::unique_ptr<LayerShellSurface> surface = LayerShellSurface::connect(whyNot);
    ASSERT_NE(surface, nullptr) << whyNot;
    int lost = 0;
    surface->setLostHandler([&] { ++lost; });
    compositor.reset();
    QDeadlineTimer deadline(5000);
    while (lost == 0 && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(lost, 1);
    // Nothing is sent on a connection that is gone.
    surface->present(QImage(4, 4, QImage::Format_ARGB32_Premultiplied), QRegion(0, 0, 4, 4), 255);
}

} // namespace
