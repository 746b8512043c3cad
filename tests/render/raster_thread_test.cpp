// The borrowed drawing thread: jobs run on one thread of the pool, failures come back, and the
// pool keeps a thread for everyone else.
#include "render/raster_thread.h"

#include <QThread>
#include <QThreadPool>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <mutex>
#include <stdexcept>
#include <vector>

namespace {

TEST(RasterThreadTest, JobsRunOneAfterAnotherOnOneThreadOfThePool) {
    RasterThread thread;
    QThread* first = nullptr;
    for (int i = 0; i < 20; ++i) {
        QThread* ran = nullptr;
        bool inPool = false;
        thread.run([&] {
            ran = QThread::currentThread();
            inPool = QThreadPool::globalInstance()->contains(ran);
        });
        EXPECT_TRUE(inPool);
        EXPECT_NE(ran, QThread::currentThread());
        if (first == nullptr) {
            first = ran;
        }
        EXPECT_EQ(ran, first) << i;
    }
}

TEST(RasterThreadTest, AFailureReachesTheCallerAndTheThreadGoesOn) {
    RasterThread thread;
    EXPECT_THROW(thread.run([] { throw std::runtime_error("no frame"); }), std::runtime_error);
    int ran = 0;
    thread.run([&] { ++ran; });
    EXPECT_EQ(ran, 1);
}

bool waitFor(const std::atomic<bool>& flag) {
    for (int i = 0; i < 5000 && !flag; ++i) {
        QThread::msleep(1);
    }
    return flag;
}

// A started job runs while the caller goes on; wait() returns once it has ended and hands over
// what it threw; a job started last still runs to its end when the thread goes.
TEST(RasterThreadTest, StartedJobsRunWhileTheCallerGoesOn) {
    std::atomic<bool> release = false;
    std::atomic<bool> ended = false;
    {
        RasterThread thread;
        thread.start([&] {
            waitFor(release);
            ended = true;
        });
        EXPECT_FALSE(ended) << "start() waited for the job";
        release = true;
        thread.wait();
        EXPECT_TRUE(ended);

        thread.start([] { throw std::runtime_error("no frame"); });
        EXPECT_THROW(thread.wait(), std::runtime_error);
        EXPECT_NO_THROW(thread.wait()) << "a failure is handed over once";

        ended = false;
        thread.start([&] {
            QThread::msleep(50);
            ended = true;
        });
    }
    EXPECT_TRUE(ended);
}

TEST(RasterThreadTest, TimedJobsRunInOrderAtTheirMomentsUntilTheCallerWaits) {
    using namespace std::chrono;
    RasterThread thread;
    std::mutex mutex;
    std::vector<std::pair<int, system_clock::time_point>> ran;
    auto job = [&](int number) {
        return [&, number] {
            std::lock_guard lock(mutex);
            ran.emplace_back(number, system_clock::now());
        };
    };
    const auto start = system_clock::now();
    // Given out of order, and one long past: they run by their moments.
    ASSERT_TRUE(thread.startAt({{start + milliseconds(60), job(3)},
                                {start + milliseconds(30), job(2)},
                                {system_clock::time_point{}, job(1)},
                                {start + seconds(30), job(4)}}));
    const auto waitedUntil = [&](std::size_t count) {
        for (int i = 0; i < 400; ++i) {
            {
                std::lock_guard lock(mutex);
                if (ran.size() >= count) {
                    return true;
                }
            }
            QThread::msleep(5);
        }
        return false;
    };
    ASSERT_TRUE(waitedUntil(3));
    {
        std::lock_guard lock(mutex);
        EXPECT_EQ(ran[0].first, 1);
        EXPECT_EQ(ran[1].first, 2);
        EXPECT_EQ(ran[2].first, 3);
        EXPECT_GE(ran[1].second, start + milliseconds(30));
        EXPECT_GE(ran[2].second, start + milliseconds(60));
    }
    // The job half a minute away is dropped, and said to be.
    EXPECT_TRUE(thread.wait());
    EXPECT_FALSE(thread.wait());
    EXPECT_EQ(ran.size(), 3u);

    // Nor does one waiting keep the thread from ending.
    ASSERT_TRUE(thread.startAt({{system_clock::now() + hours(1), job(5)}}));
}

// Qt's own parallel work (image scaling, large fills) needs a free thread of the pool: a pool
// of one must still serve it while the drawing thread is kept, and get its size back after.
TEST(RasterThreadTest, ThePoolStillServesOthersAndGetsItsSizeBack) {
    QThreadPool* pool = QThreadPool::globalInstance();
    const int before = pool->maxThreadCount();
    pool->setMaxThreadCount(1);
    {
        RasterThread thread;
        thread.run([] {});
        std::atomic<bool> served = false;
        pool->start([&] { served = true; });
        EXPECT_TRUE(waitFor(served));

        // A job given on a thread of the pool runs right there.
        std::atomic<bool> ranInPlace = false;
        std::atomic<bool> returned = false;
        pool->start([&] {
            QThread* caller = QThread::currentThread();
            thread.run([&] { ranInPlace = QThread::currentThread() == caller; });
            returned = true;
        });
        EXPECT_TRUE(waitFor(returned));
        EXPECT_TRUE(ranInPlace);
    }
    EXPECT_EQ(pool->maxThreadCount(), 1);
    pool->setMaxThreadCount(before);
}

} // namespace
