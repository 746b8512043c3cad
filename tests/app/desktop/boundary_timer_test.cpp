// The wall-clock timer: never early, once per start, and a new start replaces the old one.
#include "app/desktop/boundary_timer.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono;

TEST(BoundaryTimerTest, FiresOnceAndNeverBeforeTheMomentAsked) {
    BoundaryTimer timer;
    system_clock::time_point firedAt;
    QObject::connect(&timer, &BoundaryTimer::timeout, [&] { firedAt = system_clock::now(); });
    QSignalSpy spy(&timer, &BoundaryTimer::timeout);
    const system_clock::time_point due = system_clock::now() + milliseconds(30);
    timer.start(milliseconds(30));
    EXPECT_TRUE(timer.isActive());
    ASSERT_TRUE(spy.wait(2000));
    EXPECT_GE(firedAt, due);
    EXPECT_FALSE(timer.isActive());
    QTest::qWait(60);
    EXPECT_EQ(spy.count(), 1);
}

TEST(BoundaryTimerTest, AStartReplacesThePendingOneAndStopCancels) {
    BoundaryTimer timer;
    QSignalSpy spy(&timer, &BoundaryTimer::timeout);
    timer.start(seconds(30));
    timer.start(milliseconds(10));
    ASSERT_TRUE(spy.wait(2000));
    QTest::qWait(50);
    EXPECT_EQ(spy.count(), 1);

    timer.start(milliseconds(10));
    timer.stop();
    EXPECT_FALSE(timer.isActive());
    QTest::qWait(60);
    EXPECT_EQ(spy.count(), 1);
}

TEST(BoundaryTimerTest, AMomentAlreadyPastFiresAtOnce) {
    BoundaryTimer timer;
    QSignalSpy spy(&timer, &BoundaryTimer::timeout);
    timer.start(-milliseconds(5));
    EXPECT_TRUE(spy.wait(500));
    timer.start(nanoseconds(0));
    EXPECT_TRUE(spy.wait(500));
}

} // namespace
