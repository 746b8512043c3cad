// A single-shot timer aimed at a moment of the wall clock, to the microsecond.
#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <memory>

class QSocketNotifier;

// Qt's timers count whole milliseconds on the monotonic clock, so a wake-up aimed at a second
// boundary lands up to a few milliseconds after it, and a change of the wall clock is only seen
// at the next wake-up. On Linux this timer waits on the wall clock itself (a timerfd with an
// absolute deadline): it fires at the moment asked, and at once when the wall clock is set.
// Elsewhere it falls back to a precise QTimer.
class BoundaryTimer : public QObject {
    Q_OBJECT
public:
    explicit BoundaryTimer(QObject* parent = nullptr);
    ~BoundaryTimer() override;

    // Fires once, the given time from now; replaces any wake-up still pending.
    void start(std::chrono::nanoseconds delay);
    void stop();
    bool isActive() const { return active_; }

signals:
    void timeout();

private:
    void fire();

    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    QTimer fallback_;
    bool active_ = false;
};
