// The clock's alarms and timers while it runs: kept in its settings, woken by one wall-clock
// timer aimed at the next item due, and each ring told through the desktop's notifications (a
// dialog of the clock's own where none answer) with its sound while "Play sounds" is on.
#pragma once

#include "app/alarms/notifier.h"
#include "app/desktop/boundary_timer.h"
#include "time/alarm_schedule.h"
#include "velmora_export.h"

#include <QPointer>
#include <QUrl>
#include <chrono>
#include <functional>
#include <map>
#include <optional>

struct ClockRequest;
class QTimer;
class QWidget;
class SettingsStore;

class VELMORA_EXPORT AlarmService : public QObject {
    Q_OBJECT
public:
    using Id = velmora::AlarmSchedule::Id;
    using Instant = velmora::Instant;
    // Where the time comes from: the wall clock, and a clock of the time that passes (which
    // counts while the computer sleeps, and is never set); or a test's own.
    using Clock = std::function<Instant()>;
    // Plays a sound `loops` times (ChimePlayer::kLoopForever: until deleted) and returns it, or
    // null; deleting it stops it.
    using SoundPlayer = std::function<QObject*(const QUrl& source, int loops)>;

    // How long a ring sounds when nobody answers it.
    static constexpr std::chrono::seconds kRingTime{60};
    // A wall clock found this far from where the time that passed puts it was set.
    static constexpr std::int64_t kSetThresholdMs = 2000;

    // Keeps the alarms of the clock whose settings these are; told through `notifier`.
    AlarmService(SettingsStore& settings, Notifier& notifier, QObject* parent = nullptr);
    ~AlarmService() override;

    void setWallClock(Clock clock) { wallClock_ = std::move(clock); }
    void setElapsedClock(Clock clock) { elapsedClock_ = std::move(clock); }
    void setSoundPlayer(SoundPlayer player) { soundPlayer_ = std::move(player); }
    // The clock's window, which the clock's own notices open beside.
    void setWindow(QWidget* window) { window_ = window; }

    // Reads the items from the settings and aims the timer; what came due while the clock did
    // not run is told now, as missed.
    void start();

    const velmora::AlarmSchedule& schedule() const { return schedule_; }
    Id addAlarm(velmora::Alarm alarm);
    // A new time, days or switch set it afresh from now: an alarm moved to a time already past
    // today is not missed, it rings tomorrow.
    void replaceAlarm(Id id, velmora::Alarm alarm);
    Id addTimer(const velmora::Timer& timer);
    void replaceTimer(Id id, const velmora::Timer& timer);
    void remove(Id id);
    // Starts the timer from now, or stops it (a snooze of it too).
    void setTimerRunning(Id id, bool running);
    // A later launch's --alarm or --timer; false for one out of range.
    bool take(const ClockRequest& request);
    // The clock's zone changed: the alarms keep to its wall clock.
    void zoneChanged();

    // "Tue 07:30 Wake up" for the next alarm; empty without one.
    QString nextAlarmText() const;
    // The moment the timer is aimed at; nothing when no item is due.
    std::optional<Instant> armedFor() const { return armedFor_; }
    // The items ringing now, told and not yet answered.
    std::vector<Id> ringingItems() const;

    // The timer's wake-up: tells of everything due and aims at the next.
    void checkDue();
    // The user's answers to a ring.
    void dismiss(Id id);
    void snooze(Id id);

signals:
    // The items, or when the next one is due, changed.
    void changed();

private:
    struct Ringing {
        quint32 notification = 0;
        QPointer<QWidget> dialog;
        QPointer<QObject> sound;
        // Which telling of the item this is: answers to an older one are stale.
        int serial = 0;
        bool canSnooze = false;
    };

    void save();
    // Aims the timer at the next item due, and notes where the wall clock and the time that
    // passes stand, to tell a set clock later.
    void arm();
    // The wall clock was set since the timer was aimed: timers move with it.
    void followSetClock(Instant now);
    void announce(const velmora::AlarmSchedule::Ring& ring);
    Notifier::Notice noticeFor(const velmora::AlarmSchedule::Ring& ring) const;
    void showDialog(Id id, const Notifier::Notice& notice);
    // Ends the item's ring: its sound, its notice and its dialog.
    void endRinging(Id id, bool closeNotice);
    void onAction(quint32 notification, const QString& action);
    void onNoticeClosed(quint32 notification);
    void setChanged();

    SettingsStore& settings_;
    Notifier& notifier_;
    velmora::AlarmSchedule schedule_;
    BoundaryTimer timer_;
    Clock wallClock_;
    Clock elapsedClock_;
    SoundPlayer soundPlayer_;
    QPointer<QWidget> window_;
    std::optional<Instant> armedFor_;
    Instant anchorWall_ = 0;
    Instant anchorElapsed_ = 0;
    std::map<Id, Ringing> ringing_;
    int serial_ = 0;
};
