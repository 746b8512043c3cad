// The clock window on a layer surface, headless: a recording surface stands for the
// compositor's, which the Wayland checks drive for real.
#include "app/desktop/clock_request.h"
#include "app/desktop/settings.h"
#include "app/window/clock_pointer.h"
#include "app/window/layer_clock.h"
#include "app/window/velmora_dlg.h"
#include "tests/app/window/clock_window_probe.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <atomic>
#include <gtest/gtest.h>

namespace {

// What the window asked of its surface.
struct SurfaceRecord {
    bool refuseShow = false;
    bool shown = false;
    int shows = 0;
    bool onTop = false;
    bool clickThrough = false;
    QPoint position;
    QRegion input;
    std::vector<QRect> saved;
    ClockPointer* pointer = nullptr;
    std::function<void(bool)> hover;
    std::atomic<int> presented{0};
};

class RecordingPresenter final : public FramePresenter {
public:
    explicit RecordingPresenter(SurfaceRecord& record) : record_(record) {}
    bool showsInto(WId) const override { return false; }
    QImage createFrame(const QSize&) override { return QImage(); }
    void present(const QImage&, const QRegion& pixels, int) override {
        if (!pixels.isEmpty()) {
            ++record_.presented;
        }
    }

private:
    SurfaceRecord& record_;
};

class RecordingLayer final : public LayerClock {
public:
    explicit RecordingLayer(SurfaceRecord& record) : record_(record) {}

    QRect restorePlacement(SettingsStore&, std::string_view, const QRect& fallback, int) override {
        return fallback;
    }
    QRect freeArea() override { return QRect(0, 0, 1000, 700); }
    void savePlacement(const QRect& placement) override { record_.saved.push_back(placement); }
    bool show(const QRect& logical, bool onTop, std::string& whyNot) override {
        if (record_.refuseShow) {
            whyNot = "the compositor refused the surface";
            return false;
        }
        record_.shown = true;
        ++record_.shows;
        record_.position = logical.topLeft();
        record_.onTop = onTop;
        return true;
    }
    void hide() override { record_.shown = false; }
    bool shown() const override { return record_.shown; }
    void move(const QPoint& position) override { record_.position = position; }
    QPoint position() const override { return record_.position; }
    void setOnTop(bool onTop) override { record_.onTop = onTop; }
    void setClickThrough(bool on) override { record_.clickThrough = on; }
    void setInputRegion(const QRegion& logical) override { record_.input = logical; }
    int scale() const override { return 1; }
    double refreshRate() const override { return 0; }
    std::unique_ptr<FramePresenter> presenter() const override {
        return std::make_unique<RecordingPresenter>(record_);
    }
    void catchPressesOutside(const QRegion&, std::function<void()>) override {}
    void stopCatchingPresses() override {}
    void setPointer(ClockPointer& pointer, std::function<QRect()>) override {
        record_.pointer = &pointer;
    }
    void setHoverHandler(std::function<void(bool)> handler) override {
        record_.hover = std::move(handler);
    }
    void setScaleHandler(std::function<void()>) override {}
    void setLostHandler(std::function<void()>) override {}

private:
    SurfaceRecord& record_;
};

class LayerClockSurfaceTest : public testing::Test {
protected:
    std::unique_ptr<CVelmoraDlg> start() {
        ClockWindowOptions options;
        options.layer = std::make_unique<RecordingLayer>(record_);
        options.trayProbe = [] { return true; };
        auto window = std::make_unique<CVelmoraDlg>(settings_, std::move(options));
        window->initialize();
        QApplication::processEvents();
        return window;
    }

    QTemporaryDir folder_;
    Settings settings_{folder_.filePath("clock.conf")};
    SurfaceRecord record_;
};

// The window keeps the clock's geometry and stays hidden; the surface shows its frames and
// takes the pointer where the clock is drawn.
TEST_F(LayerClockSurfaceTest, TheClockShowsOnTheSurfaceBesideItsHiddenWindow) {
    auto window = start();
    EXPECT_TRUE(record_.shown);
    EXPECT_TRUE(record_.onTop);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(record_.position, window->geometry().topLeft());
    EXPECT_TRUE(QRect(0, 0, 1000, 700).contains(window->geometry()));
    EXPECT_GT(record_.presented.load(), 0);
    EXPECT_FALSE(record_.input.isEmpty());
    EXPECT_TRUE(QRect(QPoint(), window->size()).contains(record_.input.boundingRect()));
}

// A drag moves the surface as it goes; only where it ends is saved. A corner drag draws the
// frame of the new size at once, as the hidden window takes no resize events.
TEST_F(LayerClockSurfaceTest, TheUsersDragsMoveAndResizeTheSurfaceAndItsEndIsSaved) {
    auto window = start();
    ASSERT_NE(record_.pointer, nullptr);
    const QRect before = window->geometry();
    const QPoint grip = before.topLeft() + QPoint(100, 40);
    record_.pointer->press(Qt::LeftButton, QPointF(100, 40), grip);
    record_.pointer->move(Qt::LeftButton, grip + QPoint(20, 0));
    record_.pointer->move(Qt::LeftButton, grip + QPoint(30, 20));
    EXPECT_EQ(record_.position, before.topLeft() + QPoint(30, 20));
    EXPECT_TRUE(record_.saved.empty()) << "nothing saved during the drag";
    record_.pointer->release(Qt::LeftButton, QPointF(100, 40), grip + QPoint(30, 20));
    ASSERT_EQ(record_.saved.size(), 1u);
    EXPECT_EQ(record_.saved[0], before.translated(30, 20));

    const QRect moved = window->geometry();
    const QPoint corner = moved.bottomRight();
    const QPointF local(moved.width() - 1, moved.height() - 1);
    record_.pointer->press(Qt::LeftButton, local, corner);
    record_.pointer->move(Qt::LeftButton, corner + QPoint(40, 30));
    record_.pointer->release(Qt::LeftButton, local, corner + QPoint(40, 30));
    EXPECT_EQ(window->size(), moved.size() + QSize(40, 30));
    EXPECT_EQ(ClockWindowProbe(*window).lastFrame().size(), window->size());
    EXPECT_EQ(record_.saved.back(), QRect(moved.topLeft(), moved.size() + QSize(40, 30)));
}

// The surface is never the active window: its corner marks show while the pointer is over it.
TEST_F(LayerClockSurfaceTest, TheCornerMarksFollowThePointer) {
    auto window = start();
    const ClockWindowProbe probe(*window);
    ASSERT_TRUE(record_.hover);
    const auto corner = [&] { return probe.lastFrame().pixelColor(2, 2); };
    EXPECT_EQ(corner().alpha(), 0);
    record_.hover(true);
    EXPECT_GT(corner().alpha(), 0);
    EXPECT_GT(corner().green(), corner().red());
    record_.hover(false);
    EXPECT_EQ(corner().alpha(), 0);
}

// Hidden to the tray the surface goes, and a later launch shows it anew; click-through is
// passed on to the surface, which then takes no pointer.
TEST_F(LayerClockSurfaceTest, HidingAndClickThroughReachTheSurface) {
    auto window = start();
    const ClockWindowProbe probe(*window);
    probe.runCommand(MenuCommand::ClickThrough);
    EXPECT_TRUE(record_.clickThrough);
    probe.runCommand(MenuCommand::ClickThrough);
    EXPECT_FALSE(record_.clickThrough);

    probe.updateMenu();
    probe.runCommand(MenuCommand::HideToTray);
    EXPECT_FALSE(record_.shown);
    EXPECT_FALSE(window->isVisible());
    window->takeRequest(ClockRequest::show(QString()));
    EXPECT_TRUE(record_.shown);
    EXPECT_EQ(record_.shows, 2);
}

// A compositor that refuses the surface leaves nothing to show the clock: it ends, once the
// start has returned.
TEST_F(LayerClockSurfaceTest, ARefusedSurfaceEndsTheClock) {
    record_.refuseShow = true;
    ClockWindowOptions options;
    options.layer = std::make_unique<RecordingLayer>(record_);
    CVelmoraDlg window(settings_, std::move(options));
    QSignalSpy exits(&window, &CVelmoraDlg::exitRequested);
    window.initialize();
    EXPECT_EQ(exits.count(), 0);
    QApplication::processEvents();
    EXPECT_EQ(exits.count(), 1);
    EXPECT_FALSE(record_.shown);
}

} // namespace
