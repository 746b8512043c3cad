// A thread of Qt's global thread pool, borrowed for drawing frames.
#include "render/raster_thread.h"

#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <utility>

struct RasterThread::State {
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable finished;
    // The job started last, then the timed ones in order of their moments.
    std::deque<Timed> jobs;
    std::exception_ptr failure;
    bool running = false;
    bool stopping = false;
    bool ended = false;

    // The moment given to a job started to run at once: before any real moment.
    static constexpr std::chrono::system_clock::time_point kAtOnce{};

    // Drops the timed jobs; true when there were any.
    bool dropTimed() {
        const auto timed = std::find_if(jobs.begin(), jobs.end(),
                                        [](const Timed& queued) { return queued.at != kAtOnce; });
        const bool dropped = timed != jobs.end();
        jobs.erase(timed, jobs.end());
        return dropped;
    }

    void serve() {
        std::unique_lock lock(mutex);
        for (;;) {
            if (jobs.empty()) {
                if (stopping) {
                    break;
                }
                wake.wait(lock);
                continue;
            }
            // The wall clock's own deadline: a clock that is set moves the wake-up with it.
            if (const auto at = jobs.front().at;
                at != kAtOnce && at > std::chrono::system_clock::now()) {
                wake.wait_until(lock, at);
                continue;
            }
            std::function<void()> job = std::move(jobs.front().job);
            jobs.pop_front();
            running = true;
            lock.unlock();
            std::exception_ptr thrown;
            try {
                job();
            } catch (...) {
                thrown = std::current_exception();
            }
            // Whatever the job holds goes before the caller hears that it is done.
            job = nullptr;
            lock.lock();
            if (thrown) {
                failure = thrown;
            }
            running = false;
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
        state_->dropTimed();
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
    state_->jobs.push_front({State::kAtOnce, std::move(job)});
    lock.unlock();
    state_->wake.notify_one();
}

bool RasterThread::startAt(std::vector<Timed> jobs) {
    QThreadPool* pool = QThreadPool::globalInstance();
    if (pool == nullptr || pool->contains(QThread::currentThread()) ||
        (state_ == nullptr && !borrowThread())) {
        return false;
    }
    std::unique_lock lock(state_->mutex);
    for (Timed& timed : jobs) {
        // Never the immediate job's mark, which would run it at once and out of order.
        timed.at = std::max(timed.at, State::kAtOnce + std::chrono::nanoseconds(1));
        const auto later =
            std::upper_bound(state_->jobs.begin(), state_->jobs.end(), timed.at,
                             [](const auto& at, const Timed& queued) { return at < queued.at; });
        state_->jobs.insert(later, std::move(timed));
    }
    lock.unlock();
    state_->wake.notify_one();
    return true;
}

bool RasterThread::wait() {
    std::exception_ptr failure = std::exchange(failedHere_, nullptr);
    bool dropped = false;
    if (state_ != nullptr) {
        std::unique_lock lock(state_->mutex);
        dropped = state_->dropTimed();
        state_->finished.wait(lock, [this] { return !state_->running && state_->jobs.empty(); });
        if (!failure) {
            failure = std::exchange(state_->failure, nullptr);
        }
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
    return dropped;
}
