#include "app/presentation/direct_presentation.h"
#include "app/presentation/input_shape.h"
#include "app/window/tick_schedule.h"
#include "clock/clock.h"
#include "time/packed_date_time.h"

#include <QCoreApplication>
#include <QPainter>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono;

TEST(TickScheduleTest, WakesOnEachSecondTenthOrRefresh) {
    system_clock::time_point second(seconds(1'800'000'000));
    EXPECT_EQ(TickSchedule::untilNextTick(second + microseconds(250'001), 1),
              microseconds(749'999));
    EXPECT_EQ(TickSchedule::untilNextTick(second + nanoseconds(999'999'999), 1), nanoseconds(1));
    EXPECT_EQ(TickSchedule::untilNextTick(second, 1), seconds(1));
    EXPECT_EQ(TickSchedule::untilNextTick(second + milliseconds(250), 10), milliseconds(50));
    EXPECT_EQ(TickSchedule::untilNextTick(second + milliseconds(900), 10), milliseconds(100));
    // Before 1970 the remainder is negative; the next boundary is still ahead.
    system_clock::time_point early(-milliseconds(250));
    EXPECT_EQ(TickSchedule::untilNextTick(early, 1), milliseconds(250));
    EXPECT_EQ(TickSchedule::tickAtOrBefore(early, 10), early - milliseconds(50));

    // A refresh rate that does not divide a second: its ticks start afresh on each boundary,
    // so that the second hand's second still changes on it.
    EXPECT_EQ(TickSchedule::untilNextTick(second + milliseconds(10), 60), nanoseconds(6'666'666));
    EXPECT_EQ(TickSchedule::tickAfter(second + nanoseconds(983'333'333), 60), second + seconds(1));
    EXPECT_EQ(TickSchedule::tickAtOrBefore(second + nanoseconds(983'333'332), 60),
              second + nanoseconds(966'666'666));
    EXPECT_EQ(TickSchedule::tickAtOrBefore(second + nanoseconds(983'333'333), 60),
              second + nanoseconds(983'333'333));
    int ticks = 0;
    for (auto at = second; at < second + seconds(1); at = TickSchedule::tickAfter(at, 7)) {
        ++ticks;
    }
    EXPECT_EQ(ticks, 7);
}

// Frames ahead start at the tick after the one drawn now, a period apart; where something is
// polled they stop before the poll's second, so that the poll's tick wakes the window.
TEST(TickScheduleTest, FramesAheadFollowTheDrawnTickAndStopAtThePoll) {
    // 1'800'000'000 is a multiple of the poll period of three seconds.
    system_clock::time_point now(seconds(1'800'000'000) + milliseconds(20));
    TickSchedule schedule;
    schedule.setWallClock([&now] { return now; });

    std::vector<FrameRenderer::Moment> moments = schedule.aheadMoments();
    ASSERT_EQ(moments.size(), std::size_t{TickSchedule::kAheadFrames - 1});
    EXPECT_EQ(moments.front().at, system_clock::time_point(seconds(1'800'000'001)));
    EXPECT_EQ(moments.back().at, system_clock::time_point(seconds(1'800'000'009)));
    EXPECT_EQ(moments.front().utc, velmora::packedDateTimeFrom(moments.front().at));

    schedule.setPolling(true);
    moments = schedule.aheadMoments();
    ASSERT_EQ(moments.size(), 2u) << "the seconds before the next poll at ...003";
    EXPECT_EQ(moments.back().at, system_clock::time_point(seconds(1'800'000'002)));
    now += seconds(2);
    EXPECT_TRUE(schedule.aheadMoments().empty()) << "the next tick polls";

    schedule.setPolling(false);
    schedule.setContinuous(true);
    now = system_clock::time_point(seconds(1'800'000'000) + milliseconds(130));
    moments = schedule.aheadMoments();
    ASSERT_EQ(moments.size(), std::size_t{TickSchedule::kAheadFrames - 1});
    EXPECT_EQ(moments.front().at,
              system_clock::time_point(seconds(1'800'000'000) + milliseconds(200)));
    EXPECT_EQ(moments[1].at - moments[0].at, milliseconds(100));

    // Smooth motion: a second of the display's refreshes, the next second's boundary among them.
    schedule.setSmoothRate(60);
    EXPECT_EQ(schedule.ticksPerSecond(), 60);
    moments = schedule.aheadMoments();
    ASSERT_EQ(moments.size(), 59u);
    EXPECT_EQ(moments.front().at,
              system_clock::time_point(seconds(1'800'000'000) + nanoseconds(133'333'333)));
    EXPECT_EQ(moments[52].at, system_clock::time_point(seconds(1'800'000'001)));
    EXPECT_EQ(moments.back().at,
              system_clock::time_point(seconds(1'800'000'001) + nanoseconds(100'000'000)));
    for (std::size_t i = 1; i < moments.size(); ++i) {
        EXPECT_NEAR(static_cast<double>((moments[i].at - moments[i - 1].at).count()), 1e9 / 60, 1)
            << i;
    }
    // Where none is drawn now, they start at the tick at or before now; the window's thread
    // wakes a few refreshes before they run out, while the drawing thread still draws.
    const std::vector<FrameRenderer::Moment> fromNow = schedule.aheadMoments(true);
    ASSERT_EQ(fromNow.size(), 60u);
    EXPECT_EQ(fromNow.front().at,
              system_clock::time_point(seconds(1'800'000'000) + nanoseconds(116'666'666)));
    schedule.aheadTaken(fromNow);
    const auto end = system_clock::time_point(seconds(1'800'000'001) + nanoseconds(116'666'666));
    EXPECT_NEAR(
        static_cast<double>(schedule.schedule().count()),
        static_cast<double>(
            (end - TickSchedule::kPacedRefillTicks * nanoseconds(seconds(1)) / 60 - now).count()),
        1);
    schedule.aheadGone();
    schedule.setSmoothRate(100'000);
    EXPECT_EQ(schedule.ticksPerSecond(), TickSchedule::kMaxSmoothRate);
    // A step-wise clock stays at a frame a second, smooth or not.
    schedule.setContinuous(false);
    EXPECT_EQ(schedule.ticksPerSecond(), 1);
}

// A frame is due on a new second, for a continuous clock on every tick, and whenever frames
// taken ahead are pending (the wall clock was set, or they ran out); the poll is due on the
// first tick of each third second only.
TEST(TickScheduleTest, TicksTellWhenAFrameAndAPollAreDue) {
    system_clock::time_point now(seconds(1'800'000'002) + milliseconds(5));
    TickSchedule schedule;
    schedule.setWallClock([&now] { return now; });
    QSignalSpy due(&schedule, &TickSchedule::frameDue);

    schedule.tick();
    ASSERT_EQ(due.size(), 1);
    EXPECT_FALSE(due.takeFirst().at(0).toBool());
    now += milliseconds(400);
    schedule.tick();
    EXPECT_EQ(due.size(), 0) << "same second, step-wise";
    now += seconds(1);
    schedule.tick();
    ASSERT_EQ(due.size(), 1);
    EXPECT_TRUE(due.takeFirst().at(0).toBool()) << "second ...003 polls";
    schedule.tick();
    EXPECT_EQ(due.size(), 0);

    // Frames taken for the next two seconds: the schedule wakes after the last of them.
    const auto next = system_clock::time_point(seconds(1'800'000'004));
    schedule.aheadTaken({{next, velmora::packedDateTimeFrom(next)},
                         {next + seconds(1), velmora::packedDateTimeFrom(next + seconds(1))}});
    EXPECT_EQ(schedule.schedule(), next + seconds(2) - now);
    schedule.tick();
    ASSERT_EQ(due.size(), 1) << "frames taken ahead are pending: drawn anew";
    EXPECT_FALSE(due.takeFirst().at(0).toBool()) << "a poll once a second at most";
    schedule.aheadGone();

    schedule.setContinuous(true);
    schedule.tick();
    schedule.tick();
    EXPECT_EQ(due.size(), 2);
}

// A scheme whose frames take long is drawn less often: a frame is due again only four frame
// costs after the last, at the first tick from then on, and none is recorded ahead.
TEST(TickScheduleTest, CostlyFramesAreDueLessOften) {
    system_clock::time_point now(seconds(1'800'000'001) + milliseconds(5));
    TickSchedule schedule;
    schedule.setWallClock([&now] { return now; });
    QSignalSpy due(&schedule, &TickSchedule::frameDue);
    schedule.tick();
    EXPECT_EQ(due.size(), 1);
    EXPECT_FALSE(schedule.aheadMoments().empty());

    schedule.setFrameCost(milliseconds(600));
    EXPECT_TRUE(schedule.aheadMoments().empty()) << "no frames ahead of a costly scheme";
    // Due again no sooner than 2.4 s later: at ...004.
    EXPECT_EQ(schedule.schedule(), system_clock::time_point(seconds(1'800'000'004)) - now);
    for (int second = 2; second <= 3; ++second) {
        now = system_clock::time_point(seconds(1'800'000'000 + second));
        schedule.tick();
    }
    EXPECT_EQ(due.size(), 1) << "new seconds, but too soon";
    now = system_clock::time_point(seconds(1'800'000'004));
    schedule.tick();
    EXPECT_EQ(due.size(), 2);

    // A cheap frame again: every second.
    schedule.setFrameCost(milliseconds(1));
    now += seconds(1);
    schedule.tick();
    EXPECT_EQ(due.size(), 3);
    EXPECT_FALSE(schedule.aheadMoments().empty());
}

// Frames drawn seconds apart still poll once in each period, whatever second they fall on;
// and a wall clock set back does not wait for the moment the last frame was due.
TEST(TickScheduleTest, CostlyFramesPollAndFollowAClockSetBack) {
    system_clock::time_point now(seconds(1'800'000'000) + milliseconds(5));
    TickSchedule schedule;
    schedule.setWallClock([&now] { return now; });
    QSignalSpy due(&schedule, &TickSchedule::frameDue);
    schedule.tick();
    ASSERT_EQ(due.size(), 1);
    EXPECT_TRUE(due.takeFirst().at(0).toBool());

    schedule.setFrameCost(milliseconds(1100));
    now = system_clock::time_point(seconds(1'800'000'005));
    schedule.tick();
    ASSERT_EQ(due.size(), 1);
    EXPECT_TRUE(due.takeFirst().at(0).toBool()) << "...003 passed without a frame";
    now = system_clock::time_point(seconds(1'800'000'010));
    schedule.tick();
    ASSERT_EQ(due.size(), 1);
    EXPECT_TRUE(due.takeFirst().at(0).toBool()) << "...009 passed without a frame";

    now = system_clock::time_point(seconds(1'800'000'011) - hours(1));
    EXPECT_EQ(schedule.schedule(), seconds(1));
    schedule.tick();
    EXPECT_EQ(due.size(), 1) << "set back an hour: due at once";
}

// Stands for the window system: what a presenter was given.
class RecordingPresenter : public FramePresenter {
public:
    bool showsInto(WId) const override { return true; }
    QImage createFrame(const QSize&) override { return QImage(); }
    void present(const QImage& frame, const QRegion& pixels, int alpha) override {
        presented += pixels;
        alphas.push_back(alpha);
        if (onPresent) {
            onPresent(frame);
        }
    }
    QRegion presented;
    std::vector<int> alphas;
    std::function<void(const QImage&)> onPresent;
};

// The drawing thread's part of a direct frame: the input bits follow the frame where it
// changed (at the window's density), the frame is presented with the overall alpha, and only
// a changed outline is sent back to the window's thread.
TEST(DirectPresentationTest, FinishUpdatesTheOutlineAndPresents) {
    FrameRenderer renderer;
    DirectPresentation direct(renderer);
    auto presenter = std::make_unique<RecordingPresenter>();
    RecordingPresenter* seen = presenter.get();
    direct.settled().presenter = std::move(presenter);
    direct.settled().inputBits = InputShape::emptyBits(QSize(20, 20));

    // A frame at density 2: a 10 x 10 window pixel square of opaque pixels.
    QImage frame(40, 40, QImage::Format_ARGB32_Premultiplied);
    frame.fill(Qt::transparent);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            frame.setPixel(x, y, qRgba(255, 0, 0, 255));
        }
    }
    QObject context;
    std::vector<QImage> outlines;
    FrameRenderer::Finish finish = direct.finish(
        2.0, 128, true, &context, [&outlines](const QImage& bits) { outlines.push_back(bits); });

    finish(frame, QRegion(0, 0, 40, 40));
    QCoreApplication::processEvents();
    EXPECT_EQ(seen->presented, QRegion(0, 0, 40, 40));
    EXPECT_EQ(seen->alphas, std::vector<int>{128});
    ASSERT_EQ(outlines.size(), 1u);
    EXPECT_EQ(InputShape::region(outlines[0]), QRegion(0, 0, 10, 10));

    // The same pixels again: presented, but the outline is unchanged and not sent.
    finish(frame, QRegion(0, 0, 40, 40));
    QCoreApplication::processEvents();
    EXPECT_EQ(seen->alphas.size(), 2u);
    EXPECT_EQ(outlines.size(), 1u);

    // In click-through mode the outline is not followed at all.
    frame.fill(Qt::transparent);
    direct.finish(2.0, 255, false, &context, [&outlines](const QImage& bits) {
        outlines.push_back(bits);
    })(frame, QRegion(0, 0, 40, 40));
    QCoreApplication::processEvents();
    EXPECT_EQ(outlines.size(), 1u);
    EXPECT_EQ(InputShape::region(direct.settled().inputBits), QRegion(0, 0, 10, 10));

    // An overlay (the corner marks) is drawn before the outline is taken: its pixels take the
    // mouse, and they are what is presented.
    QImage presentedFrame;
    seen->onPresent = [&presentedFrame](const QImage& shown) { presentedFrame = shown.copy(); };
    direct.finish(
        2.0, 255, true, &context, [&outlines](const QImage& bits) { outlines.push_back(bits); },
        [](QImage& drawn, const QRegion&) {
            QPainter painter(&drawn);
            painter.fillRect(32, 32, 8, 8, QColor(0, 255, 0));
        })(frame, QRegion(0, 0, 40, 40));
    QCoreApplication::processEvents();
    ASSERT_EQ(outlines.size(), 2u);
    EXPECT_EQ(InputShape::region(outlines[1]), QRegion(16, 16, 4, 4));
    EXPECT_EQ(presentedFrame.pixel(35, 35), qRgb(0, 255, 0));
}

} // namespace
