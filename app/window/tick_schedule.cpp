// When the clock wakes, and which frames the drawing thread draws ahead.
#include "app/window/tick_schedule.h"

#include "time/packed_date_time.h"

TickSchedule::TickSchedule(QObject* parent) : QObject(parent) {
    connect(&timer_, &BoundaryTimer::timeout, this, &TickSchedule::tick);
}

std::chrono::nanoseconds TickSchedule::period() const {
    using namespace std::chrono;
    return continuous_ ? nanoseconds(kContinuousPeriod) : nanoseconds(seconds(1));
}

std::chrono::nanoseconds TickSchedule::untilNextTick(TimePoint now, bool continuous) {
    using namespace std::chrono;
    const nanoseconds period =
        continuous ? nanoseconds(kContinuousPeriod) : nanoseconds(seconds(1));
    const nanoseconds sinceEpoch = duration_cast<nanoseconds>(now.time_since_epoch());
    nanoseconds into = sinceEpoch % period;
    if (into < nanoseconds(0)) {
        into += period;
    }
    return period - into;
}

std::chrono::nanoseconds TickSchedule::schedule() {
    const TimePoint now = wallClock_();
    // Woken for the first frame the drawing thread has not got, else at the next tick.
    std::chrono::nanoseconds delay = untilNextTick(now, continuous_);
    if (aheadEnd_ && *aheadEnd_ > now) {
        delay = *aheadEnd_ - now;
    } else {
        aheadEnd_.reset();
    }
    timer_.start(delay);
    return delay;
}

// The frames of the ticks to come are recorded while this thread is awake, and the drawing
// thread draws and presents each at its moment on its own.
std::vector<FrameRenderer::Moment> TickSchedule::aheadMoments() const {
    using namespace std::chrono;
    const TimePoint now = wallClock_();
    // The tick of the frame just drawn.
    const TimePoint drawn = now - (period() - untilNextTick(now, continuous_));
    TimePoint end = drawn + kAheadFrames * period();
    if (polling_) {
        const auto next = floor<seconds>(drawn) + seconds(1);
        const auto count = next.time_since_epoch().count();
        end = std::min<TimePoint>(
            end, next + seconds((kPollSeconds - count % kPollSeconds) % kPollSeconds));
    }
    std::vector<FrameRenderer::Moment> moments;
    for (auto at = drawn + period(); at < end; at += period()) {
        moments.push_back({at, velmora::packedDateTimeFrom(at)});
    }
    return moments;
}

void TickSchedule::aheadTaken(const std::vector<FrameRenderer::Moment>& moments) {
    if (moments.empty()) {
        return;
    }
    aheadEnd_ = moments.back().at + period();
    schedule();
}

void TickSchedule::tick() {
    const int second = velmora::packedDateTimeFrom(wallClock_()).second();
    if (continuous_ || second != lastSecond_ || aheadEnd_) {
        const bool pollDue = second != lastSecond_ && second % kPollSeconds == 0;
        lastSecond_ = second;
        emit frameDue(pollDue);
    }
    schedule();
}
