// When the clock wakes: at each second boundary (each tenth for a clock that moves
// continuously), and not at all for the frames the drawing thread draws ahead on its own.
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
    static constexpr std::chrono::milliseconds kContinuousPeriod{100};
    // How often, in seconds, whatever cannot be watched is polled; on a tick, so that an idle
    // clock wakes only once a second.
    static constexpr int kPollSeconds = 3;
    // The ticks recorded ahead for the drawing thread, which the window's thread then sleeps
    // through: ten seconds of a clock that ticks, one of a clock that moves continuously.
    static constexpr int kAheadFrames = 10;

    explicit TickSchedule(QObject* parent = nullptr);

    void setWallClock(WallClock clock) { wallClock_ = std::move(clock); }
    TimePoint now() const { return wallClock_(); }
    // Whether the clock moves continuously, as its last frame said.
    void setContinuous(bool continuous) { continuous_ = continuous; }
    bool continuous() const { return continuous_; }
    // Whether something is polled every few seconds; frames drawn ahead then stop at the poll.
    void setPolling(bool polling) { polling_ = polling; }

    // Aims the next wake-up: at the first tick the drawing thread has no frame for, else at
    // the next tick. Every wake-up reads the wall clock afresh, and the timer ends its wait
    // when the wall clock is set, so clock changes show at once and a resume at the next tick.
    // Returns how far ahead it aimed.
    std::chrono::nanoseconds schedule();
    // The moments of the ticks after the one drawn now, for frames drawn ahead.
    std::vector<FrameRenderer::Moment> aheadMoments() const;
    // The drawing thread took frames up to and including the last of these moments.
    void aheadTaken(const std::vector<FrameRenderer::Moment>& moments);
    // The frames ahead are gone (a frame drawn now, or dropped by the drawing thread).
    void aheadGone() { aheadEnd_.reset(); }

    // From a wall-clock time to the next whole second, or to the next tenth of a second for a
    // clock that moves continuously.
    static std::chrono::nanoseconds untilNextTick(TimePoint now, bool continuous);

    // One wake-up of the timer: tells of a frame when one is due, then aims the next.
    void tick();

signals:
    // A frame is due: the second changed, the clock moves continuously, or the frames drawn
    // ahead ran out or are for the wrong moments (the wall clock was set). `pollDue` at the
    // first tick of each poll period.
    void frameDue(bool pollDue);

private:
    std::chrono::nanoseconds period() const;

    BoundaryTimer timer_;
    WallClock wallClock_ = [] { return std::chrono::system_clock::now(); };
    bool continuous_ = false;
    bool polling_ = false;
    int lastSecond_ = -1;
    // The first tick after those the drawing thread has frames for; unset when it has none.
    std::optional<TimePoint> aheadEnd_;
};
