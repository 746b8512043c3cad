// A thread of Qt's global thread pool, borrowed for drawing frames.
#include "render/raster_thread.h"

#include <QThread>
#include <QThreadPool>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <utility>

struct RasterThread::State {
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable finished;
    std::function<void()> job;
    std::exception_ptr failure;
    bool pending = false;
    bool done = true;
    bool stopping = false;
    bool ended = false;

    void serve() {
        std::unique_lock lock(mutex);
        for (;;) {
            wake.wait(lock, [this] { return pending || stopping; });
            if (!pending) {
                break;
            }
            std::function<void()> running = std::move(job);
            pending = false;
            lock.unlock();
            std::exception_ptr thrown;
            try {
                running();
            } catch (...) {
                thrown = std::current_exception();
            }
            // Whatever the job holds goes before the caller hears that it is done.
            running = nullptr;
            lock.lock();
            failure = thrown;
            done = true;
            // Told after the lock is let go, so that the caller does not wake only to wait
            // for the lock.
            lock.unlock();
            finished.notify_one();
            lock.lock();
        }
        ended = true;
        lock.unlock();
        finished.notify_one();
    }
};

RasterThread::RasterThread() = default;

RasterThread::~RasterThread() {
    if (state_ == nullptr) {
        return;
    }
    {
        std::lock_guard lock(state_->mutex);
        state_->stopping = true;
    }
    state_->wake.notify_one();
    std::unique_lock lock(state_->mutex);
    // A job started last still runs to its end.
    state_->finished.wait(lock, [this] { return state_->ended; });
    if (QThreadPool* pool = QThreadPool::globalInstance()) {
        pool->setMaxThreadCount(pool->maxThreadCount() - 1);
    }
}

bool RasterThread::borrowThread() {
    QThreadPool* pool = QThreadPool::globalInstance();
    if (pool == nullptr) {
        return false;
    }
    pool->setMaxThreadCount(pool->maxThreadCount() + 1);
    state_ = std::make_shared<State>();
    pool->start([state = state_] { state->serve(); });
    return true;
}

void RasterThread::run(std::function<void()> job) {
    start(std::move(job));
    wait();
}

void RasterThread::start(std::function<void()> job) {
    wait();
    QThreadPool* pool = QThreadPool::globalInstance();
    if (pool == nullptr || pool->contains(QThread::currentThread()) ||
        (state_ == nullptr && !borrowThread())) {
        // Already where the fills stay put, or no pool (at exit): draw right here.
        try {
            job();
        } catch (...) {
            failedHere_ = std::current_exception();
        }
        return;
    }
    std::unique_lock lock(state_->mutex);
    state_->job = std::move(job);
    state_->pending = true;
    state_->done = false;
    lock.unlock();
    state_->wake.notify_one();
}

void RasterThread::wait() {
    std::exception_ptr failure = std::exchange(failedHere_, nullptr);
    if (state_ != nullptr) {
        std::unique_lock lock(state_->mutex);
        state_->finished.wait(lock, [this] { return state_->done; });
        if (!failure) {
            failure = std::exchange(state_->failure, nullptr);
        }
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}
