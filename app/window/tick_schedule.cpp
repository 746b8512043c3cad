// When the clock wakes, and which frames the drawing thread draws ahead.
#include "app/window/tick_schedule.h"

#include "time/packed_date_time.h"

#include <algorithm>

TickSchedule::TickSchedule(QObject* parent) : QObject(parent) {
    connect(&timer_, &BoundaryTimer::timeout, this, &TickSchedule::tick);
}

namespace {

using namespace std::chrono;

// Where the k-th of n ticks lies within its second.
nanoseconds tickOffset(std::int64_t k, int perSecond) {
    return nanoseconds(k * 1'000'000'000 / perSecond);
}

// The poll period a wall-clock time lies in.
std::int64_t pollPeriod(TickSchedule::TimePoint time) {
    using Period = duration<std::int64_t, std::ratio<TickSchedule::kPollSeconds>>;
    return floor<Period>(time).time_since_epoch().count();
}

} // namespace

void TickSchedule::setSmoothRate(int framesPerSecond) {
    smoothRate_ = std::clamp(framesPerSecond, 0, kMaxSmoothRate);
}

int TickSchedule::ticksPerSecond() const {
    if (!continuous_) {
        return 1;
    }
    return smoothRate_ > 0 ? smoothRate_ : kContinuousRate;
}

TickSchedule::TimePoint TickSchedule::tickAtOrBefore(TimePoint time, int perSecond) {
    perSecond = std::max(perSecond, 1);
    // Floored, so that a time before 1970 lies in the second that began before it.
    const TimePoint second = floor<seconds>(time);
    const nanoseconds into = time - second;
    // The quotient may fall one short where the ticks' offsets are rounded down.
    std::int64_t k = into.count() * perSecond / 1'000'000'000;
    while (k + 1 < perSecond && tickOffset(k + 1, perSecond) <= into) {
        ++k;
    }
    return second + tickOffset(k, perSecond);
}

TickSchedule::TimePoint TickSchedule::tickAfter(TimePoint time, int perSecond) {
    perSecond = std::max(perSecond, 1);
    const TimePoint second = floor<seconds>(time);
    const nanoseconds into = time - second;
    std::int64_t k = into.count() * perSecond / 1'000'000'000 + 1;
    while (k < perSecond && tickOffset(k, perSecond) <= into) {
        ++k;
    }
    return second + tickOffset(k, perSecond);
}

std::chrono::nanoseconds TickSchedule::untilNextTick(TimePoint now, int perSecond) {
    return tickAfter(now, perSecond) - now;
}

TickSchedule::TimePoint TickSchedule::notBefore(TimePoint now) const {
    // A wall clock set back to before the last frame owes that frame no pause.
    if (!lastDue_ || now < *lastDue_) {
        return now;
    }
    return std::max(now, *lastDue_ + kBusyShare * frameCost_);
}

std::chrono::nanoseconds TickSchedule::schedule() {
    const TimePoint now = wallClock_();
    // Woken for the first frame the drawing thread has not got, else at the next tick that a
    // frame may be due at.
    const TimePoint earliest = notBefore(now);
    std::chrono::nanoseconds delay =
        tickAfter(earliest > now ? earliest - nanoseconds(1) : now, ticksPerSecond()) - now;
    if (aheadEnd_ && *aheadEnd_ > now) {
        const nanoseconds refill =
            smooth() ? kPacedRefillTicks * nanoseconds(seconds(1)) / ticksPerSecond()
                     : nanoseconds(0);
        delay = std::max(*aheadEnd_ - refill - now, nanoseconds(0));
    } else {
        aheadEnd_.reset();
    }
    timer_.start(delay);
    return delay;
}

// The frames of the ticks to come are recorded while this thread is awake, and the drawing
// thread draws and presents each at its moment on its own.
std::vector<FrameRenderer::Moment> TickSchedule::aheadMoments(bool fromNow) const {
    if (frameCost_ > kAheadCostLimit) {
        return {};
    }
    const int perSecond = ticksPerSecond();
    // The tick of the frame just drawn.
    const TimePoint drawn = tickAtOrBefore(wallClock_(), perSecond);
    TimePoint end = drawn + (continuous_ ? seconds(1) : seconds(kAheadFrames));
    if (polling_) {
        const auto next = floor<seconds>(drawn) + seconds(1);
        const auto count = next.time_since_epoch().count();
        end = std::min<TimePoint>(
            end, next + seconds((kPollSeconds - count % kPollSeconds) % kPollSeconds));
    }
    std::vector<FrameRenderer::Moment> moments;
    for (TimePoint at = fromNow ? drawn : tickAfter(drawn, perSecond); at < end;
         at = tickAfter(at, perSecond)) {
        moments.push_back({at, velmora::packedDateTimeFrom(at)});
    }
    return moments;
}

void TickSchedule::aheadTaken(const std::vector<FrameRenderer::Moment>& moments) {
    if (moments.empty()) {
        return;
    }
    aheadEnd_ = tickAfter(moments.back().at, ticksPerSecond());
    schedule();
}

void TickSchedule::tick() {
    const TimePoint now = wallClock_();
    const int second = velmora::packedDateTimeFrom(now).second();
    if ((continuous_ || second != lastSecond_ || aheadEnd_) && notBefore(now) == now) {
        // A frame drawn less often than each second polls when a period began since the last.
        const bool pollDue =
            second != lastSecond_ &&
            (lastDue_ ? pollPeriod(now) != pollPeriod(*lastDue_) : second % kPollSeconds == 0);
        lastSecond_ = second;
        lastDue_ = now;
        emit frameDue(pollDue);
    }
    schedule();
}
