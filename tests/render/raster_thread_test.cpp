// The borrowed drawing thread: jobs run on one thread of the pool, failures come back, and the
// pool keeps a thread for everyone else.
#include "render/raster_thread.h"

#include <QThread>
#include <QThreadPool>
#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>

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
