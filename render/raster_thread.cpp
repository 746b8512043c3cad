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
    std::function<void()> askPacer;
    // A sign of the display came since the pacer was last asked.
    bool displayReady = false;
    bool pacerAsked = false;

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

    // Whether the timed job in front may run now, else waits a while; drops those before the
    // last of the jobs due.
    bool timedJobDue(std::unique_lock<std::mutex>& lock) {
        // Copies: the job may be dropped while the thread waits.
        const auto at = jobs.front().at;
        const std::chrono::nanoseconds refresh = jobs.front().refresh;
        const auto now = std::chrono::system_clock::now();
        if (refresh <= std::chrono::nanoseconds(0) || askPacer == nullptr) {
            if (at > now) {
                // The wall clock's own deadline: a clock that is set moves the wake-up with it.
                wake.wait_until(lock, at);
                return false;
            }
            dropAllButLastDue(now);
            return true;
        }
        const std::chrono::nanoseconds lead = refresh + refresh / 2;
        const auto opens = at - lead;
        if (displayReady) {
            if (now >= opens) {
                displayReady = false;
                dropAllButLastDue(now + lead);
                return true;
            }
            // The display is ready a little before the frame is due: the frame is drawn as its
            // window opens. A question asked again would have a compositor that waits for
            // nothing answer it at once, over and over.
            if (now >= opens - refresh) {
                wake.wait_until(lock, opens);
                return false;
            }
            // A sign long before the job's window tells nothing of the refresh that shows it.
            displayReady = false;
        }
        if (pacerAsked) {
            wake.wait(lock);
            return false;
        }
        // Asked a refresh before the window opens, which in a steady flow of frames is right
        // after the sign that drew the frame before: a question asked late within a refresh
        // may miss the next, as a server that counts refreshes ahead of telling them answers
        // it with the one after.
        if (now < opens - refresh) {
            wake.wait_until(lock, opens - refresh);
            return false;
        }
        pacerAsked = true;
        // Counted as running, so that no one takes what the pacer uses meanwhile.
        running = true;
        const std::function<void()> ask = askPacer;
        lock.unlock();
        ask();
        lock.lock();
        running = false;
        lock.unlock();
        finished.notify_one();
        lock.lock();
        return false;
    }

    void dropAllButLastDue(std::chrono::system_clock::time_point horizon) {
        while (jobs.size() > 1 && jobs[1].at != kAtOnce && jobs[1].at <= horizon) {
            jobs.pop_front();
        }
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
            if (jobs.front().at != kAtOnce && !timedJobDue(lock)) {
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
    if (runsHere() || (state_ == nullptr && !borrowThread())) {
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

bool RasterThread::runsHere() const {
    const QThreadPool* pool = QThreadPool::globalInstance();
    return pool == nullptr || pool->contains(QThread::currentThread());
}

void RasterThread::setPacer(std::function<void()> ask) {
    if (runsHere() || (state_ == nullptr && !borrowThread())) {
        return;
    }
    std::lock_guard lock(state_->mutex);
    state_->askPacer = std::move(ask);
    state_->pacerAsked = false;
    state_->displayReady = false;
}

void RasterThread::displayReady() {
    if (state_ == nullptr) {
        return;
    }
    {
        std::lock_guard lock(state_->mutex);
        state_->displayReady = true;
        state_->pacerAsked = false;
    }
    state_->wake.notify_one();
}

bool RasterThread::startAt(std::vector<Timed> jobs) {
    if (runsHere() || (state_ == nullptr && !borrowThread())) {
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
