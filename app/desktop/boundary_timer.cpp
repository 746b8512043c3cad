// A single-shot timer aimed at a moment of the wall clock, to the microsecond.
#include "app/desktop/boundary_timer.h"

#include <QSocketNotifier>
#include <cerrno>
#include <cstdint>
#include <sys/timerfd.h>
#include <unistd.h>

namespace {

timespec toTimespec(std::chrono::system_clock::time_point at) {
    const auto since = std::chrono::duration_cast<std::chrono::nanoseconds>(at.time_since_epoch());
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(since);
    timespec result{};
    result.tv_sec = static_cast<time_t>(seconds.count());
    result.tv_nsec = static_cast<long>((since - seconds).count());
    return result;
}

} // namespace

BoundaryTimer::BoundaryTimer(QObject* parent) : QObject(parent) {
    fallback_.setSingleShot(true);
    fallback_.setTimerType(Qt::PreciseTimer);
    connect(&fallback_, &QTimer::timeout, this, &BoundaryTimer::fire);
    fd_ = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (fd_ < 0) {
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        // Either the expiry count or ECANCELED for a wall clock that was set; both end the
        // wait, and the owner reads the clock afresh.
        std::uint64_t expiries = 0;
        if (read(fd_, &expiries, sizeof expiries) < 0 && errno == EAGAIN) {
            return;
        }
        fire();
    });
}

BoundaryTimer::~BoundaryTimer() {
    notifier_.reset();
    if (fd_ >= 0) {
        close(fd_);
    }
}

void BoundaryTimer::start(std::chrono::nanoseconds delay) {
    stop();
    active_ = true;
    if (fd_ >= 0) {
        itimerspec deadline{};
        deadline.it_value = toTimespec(std::chrono::system_clock::now() + delay);
        // A zero deadline would disarm the timer rather than fire it.
        if (deadline.it_value.tv_sec <= 0 && deadline.it_value.tv_nsec == 0) {
            deadline.it_value.tv_nsec = 1;
        }
        if (timerfd_settime(fd_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &deadline, nullptr) ==
            0) {
            return;
        }
    }
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(delay);
    fallback_.start(static_cast<int>(std::max<std::chrono::milliseconds::rep>(0, ms.count())));
}

void BoundaryTimer::stop() {
    active_ = false;
    fallback_.stop();
    if (fd_ >= 0) {
        const itimerspec disarmed{};
        timerfd_settime(fd_, 0, &disarmed, nullptr);
    }
}

void BoundaryTimer::fire() {
    if (!active_) {
        return;
    }
    active_ = false;
    emit timeout();
}
