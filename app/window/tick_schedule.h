// When the clock wakes: at each second boundary (each tenth for a clock that moves
// continuously, or each refresh of the display with smooth motion), and not at all for the
// frames the drawing thread draws ahead on its own.
#pragma once

#include "app/desktop/boundary_timer.h"
#include "render/frame_renderer.h"

#include <QObject>
#include <chrono>
#include <functional>
#include <optional>
#include <vector>

class TickSchedule : public QObject {
    Q_OBJECT
public:
    using TimePoint = std::chrono::system_clock::time_point;
    // Where the time comes from: the system clock, or a test's own.
    using WallClock = std::function<TimePoint()>;
    // Step-wise clocks wake at each second boundary; continuous ones at each tenth of a
    // second, so that their second changes on the boundary too.
    static constexpr int kContinuousRate = 10;
    // How often, in seconds, whatever cannot be watched is polled; on a tick, so that an idle
    // clock wakes only once a second.
    static constexpr int kPollSeconds = 3;
    // The ticks recorded ahead for the drawing thread, which the window's thread then sleeps
    // through: ten seconds of a clock that ticks, one of a clock that moves continuously.
    static constexpr int kAheadFrames = 10;
    // Smooth motion is never faster than this, whatever a display claims.
    static constexpr int kMaxSmoothRate = 240;

    explicit TickSchedule(QObject* parent = nullptr);

    void setWallClock(WallClock clock) { wallClock_ = std::move(clock); }
    TimePoint now() const { return wallClock_(); }
    // Whether the clock moves continuously, as its last frame said.
    void setContinuous(bool continuous) { continuous_ = continuous; }
    bool continuous() const { return continuous_; }
    // How long the clock's frames take to record and draw. A scheme whose frames take long is
    // drawn less often rather than without pause: never again within kBusyShare times that
    // long, so that it keeps a core busy a quarter of the time at most; and one whose frames
    // take longer than kAheadCostLimit has none recorded ahead, which would keep the window's
    // thread from its input all the while.
    void setFrameCost(std::chrono::nanoseconds cost) { frameCost_ = cost; }
    static constexpr int kBusyShare = 4;
    static constexpr std::chrono::milliseconds kAheadCostLimit{20};
    // Smooth motion: a continuous clock ticks at the display's refresh rate (frames a second,
    // at most kMaxSmoothRate), each second's ticks evenly spread from its boundary; 0 for ten
    // a second.
    void setSmoothRate(int framesPerSecond);
    // Ticks a second: 1 for a step-wise clock, else 10 or the smooth rate.
    int ticksPerSecond() const;
    // Whether something is polled every few seconds; frames drawn ahead then stop at the poll.
    void setPolling(bool polling) { polling_ = polling; }

    // Aims the next wake-up: at the first tick the drawing thread has no frame for, else at
    // the next tick. Every wake-up reads the wall clock afresh, and the timer ends its wait
    // when the wall clock is set, so clock changes show at once and a resume at the next tick.
    // Returns how far ahead it aimed.
    std::chrono::nanoseconds schedule();
    // The moments of the ticks after the one drawn now, for frames drawn ahead; with
    // `fromNow`, from the tick at or before now, for when none is drawn now.
    std::vector<FrameRenderer::Moment> aheadMoments(bool fromNow = false) const;
    // Smooth frames are paced by the display and drawn up to a refresh and a half before their
    // moments: the window's thread wakes this many ticks before they run out, to record the
    // next ones while the drawing thread still has frames to draw.
    static constexpr int kPacedRefillTicks = 3;
    // The drawing thread took frames up to and including the last of these moments.
    void aheadTaken(const std::vector<FrameRenderer::Moment>& moments);
    // The frames ahead are gone (a frame drawn now, or dropped by the drawing thread).
    void aheadGone() { aheadEnd_.reset(); }

    // From a wall-clock time to the next of the ticks spread evenly over each second, the
    // first on the second itself.
    static std::chrono::nanoseconds untilNextTick(TimePoint now, int ticksPerSecond);
    // The tick at or before a wall-clock time, and the one after it.
    static TimePoint tickAtOrBefore(TimePoint time, int ticksPerSecond);
    static TimePoint tickAfter(TimePoint time, int ticksPerSecond);

    // One wake-up of the timer: tells of a frame when one is due, then aims the next.
    void tick();

signals:
    // A frame is due: the second changed, the clock moves continuously, or the frames drawn
    // ahead ran out or are for the wrong moments (the wall clock was set). `pollDue` at the
    // first tick of each poll period.
    void frameDue(bool pollDue);

private:
    bool smooth() const { return continuous_ && smoothRate_ > 0; }
    // The first moment from `now` on that a frame may be due again, after the last one.
    TimePoint notBefore(TimePoint now) const;

    BoundaryTimer timer_;
    WallClock wallClock_ = [] { return std::chrono::system_clock::now(); };
    bool continuous_ = false;
    int smoothRate_ = 0;
    std::chrono::nanoseconds frameCost_{0};
    // When the last frame was told to be due.
    std::optional<TimePoint> lastDue_;
    bool polling_ = false;
    int lastSecond_ = -1;
    // The first tick after those the drawing thread has frames for; unset when it has none.
    std::optional<TimePoint> aheadEnd_;
};
