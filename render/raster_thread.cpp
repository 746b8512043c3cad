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
    const std::function<void()>* job = nullptr;
    std::exception_ptr failure;
    bool done = false;
    bool stopping = false;
    bool ended = false;

    void serve() {
        std::unique_lock lock(mutex);
        for (;;) {
            wake.wait(lock, [this] { return job != nullptr || stopping; });
            if (stopping) {
                break;
            }
            const std::function<void()>* running = job;
            lock.unlock();
            std::exception_ptr thrown;
            try {
                (*running)();
            } catch (...) {
                thrown = std::current_exception();
            }
            lock.lock();
            job = nullptr;
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
    state_->finished.wait(lock, [this] { return state_->ended; });
    if (QThreadPool* pool = QThreadPool::globalInstance()) {
        pool->setMaxThreadCount(pool->maxThreadCount() - 1);
    }
}

bool RasterThread::start() {
    QThreadPool* pool = QThreadPool::globalInstance();
    if (pool == nullptr) {
        return false;
    }
    pool->setMaxThreadCount(pool->maxThreadCount() + 1);
    state_ = std::make_shared<State>();
    pool->start([state = state_] { state->serve(); });
    return true;
}

void RasterThread::run(const std::function<void()>& job) {
    QThreadPool* pool = QThreadPool::globalInstance();
    if (pool == nullptr || pool->contains(QThread::currentThread()) ||
        (state_ == nullptr && !start())) {
        // Already where the fills stay put, or no pool (at exit): draw right here.
        job();
        return;
    }
    std::unique_lock lock(state_->mutex);
    state_->job = &job;
    state_->done = false;
    lock.unlock();
    state_->wake.notify_one();
    lock.lock();
    state_->finished.wait(lock, [this] { return state_->done; });
    std::exception_ptr failure = std::exchange(state_->failure, nullptr);
    lock.unlock();
    if (failure) {
        std::rethrow_exception(failure);
    }
}
