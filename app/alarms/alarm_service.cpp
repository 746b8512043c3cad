// The clock's alarms and timers while it runs: kept in its settings, woken by one wall-clock
// timer aimed at the next item due, and each ring told with its sound.
#include "app/alarms/alarm_service.h"

#include "app/alarms/alarm_texts.h"
#include "app/alarms/ringing_dialog.h"
#include "app/chime/chime_player.h"
#include "app/chime/sound_files.h"
#include "app/desktop/clock_request.h"
#include "model/settings_store.h"
#include "render/qt_text.h"
#include "time/alarm_text.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <ctime>

namespace {

using velmora::Alarm;
using velmora::AlarmSchedule;
using velmora::Timer;

// Asked afresh at each wake-up, so the timer never waits a day on a stale zone or a clock that
// drifted.
constexpr std::int64_t kLongestWaitMs = 24 * 3600 * 1000;
// A launch's moment is taken as the timer's start only when the two clocks agree this well.
constexpr std::int64_t kAskedAtSlackMs = 60 * 1000;

AlarmService::Instant systemNow() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// The time since the computer started, its sleep included: a resume is not a clock set.
AlarmService::Instant bootTime() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<AlarmService::Instant>(now.tv_sec) * 1000 + now.tv_nsec / 1'000'000;
}

bool timesDiffer(const Alarm& a, const Alarm& b) {
    return a.minuteOfDay != b.minuteOfDay || a.weekdays != b.weekdays || a.enabled != b.enabled;
}

} // namespace

AlarmService::AlarmService(SettingsStore& settings, Notifier& notifier, QObject* parent)
    : QObject(parent), settings_(settings), notifier_(notifier),
      schedule_(velmora::zoneSlotOffset(0)), wallClock_(systemNow), elapsedClock_(bootTime),
      soundPlayer_([](const QUrl& source, int loops) {
          return ChimePlayer::installed().play(QCoreApplication::instance(), source, loops);
      }) {
    connect(&timer_, &BoundaryTimer::timeout, this, &AlarmService::checkDue);
    connect(&notifier_, &Notifier::actionInvoked, this, &AlarmService::onAction);
    connect(&notifier_, &Notifier::closed, this, &AlarmService::onNoticeClosed);
}

AlarmService::~AlarmService() {
    for (auto& [id, ringing] : ringing_) {
        delete ringing.sound.data();
        delete ringing.dialog.data();
    }
}

void AlarmService::start() {
    for (const Alarm& alarm : velmora::alarmsFromText(settings_.readText(settings::kAlarms))) {
        schedule_.add(alarm);
    }
    for (const Timer& timer : velmora::timersFromText(settings_.readText(settings::kTimers))) {
        schedule_.add(timer);
    }
    checkDue();
}

void AlarmService::save() {
    std::vector<Alarm> alarms;
    for (const AlarmSchedule::AlarmEntry& entry : schedule_.alarms()) {
        alarms.push_back(entry.alarm);
    }
    std::vector<Timer> timers;
    for (const AlarmSchedule::TimerEntry& entry : schedule_.timers()) {
        timers.push_back(entry.timer);
    }
    settings_.writeText(settings::kAlarms, velmora::alarmsToText(alarms));
    settings_.writeText(settings::kTimers, velmora::timersToText(timers));
}

void AlarmService::setChanged() {
    save();
    arm();
    emit changed();
}

AlarmService::Id AlarmService::addAlarm(Alarm alarm) {
    alarm.label = velmora::cleanLabel(alarm.label);
    alarm.armedFrom = wallClock_();
    const Id id = schedule_.add(alarm);
    setChanged();
    return id;
}

void AlarmService::replaceAlarm(Id id, Alarm alarm) {
    const Alarm* old = schedule_.alarm(id);
    if (old == nullptr) {
        return;
    }
    alarm.label = velmora::cleanLabel(alarm.label);
    if (timesDiffer(*old, alarm)) {
        alarm.armedFrom = wallClock_();
        alarm.snoozedUntil = 0;
    }
    schedule_.replace(id, alarm);
    setChanged();
}

AlarmService::Id AlarmService::addTimer(const Timer& timer) {
    Timer clean = timer;
    clean.label = velmora::cleanLabel(timer.label);
    const Id id = schedule_.add(clean);
    setChanged();
    return id;
}

void AlarmService::replaceTimer(Id id, const Timer& timer) {
    Timer clean = timer;
    clean.label = velmora::cleanLabel(timer.label);
    if (schedule_.replace(id, clean)) {
        setChanged();
    }
}

void AlarmService::remove(Id id) {
    endRinging(id, true);
    schedule_.remove(id);
    setChanged();
}

void AlarmService::setTimerRunning(Id id, bool running) {
    const Timer* timer = schedule_.timer(id);
    if (timer == nullptr) {
        return;
    }
    Timer changed = *timer;
    changed.endsAt = running ? wallClock_() + changed.lengthSeconds * 1000 : 0;
    changed.snoozedUntil = 0;
    replaceTimer(id, changed);
}

bool AlarmService::take(const ClockRequest& request) {
    const std::size_t count = request.kind == ClockRequest::Kind::Alarm ? schedule_.alarms().size()
                                                                        : schedule_.timers().size();
    if (count >= velmora::kMaxAlarms) {
        return false;
    }
    const std::u16string label = velmora::cleanLabel(request.label.toStdU16String());
    if (request.kind == ClockRequest::Kind::Alarm) {
        if (request.value < 0 || request.value >= 24 * 60) {
            return false;
        }
        addAlarm({static_cast<std::int32_t>(request.value), 0, true, label, 0, 0});
        return true;
    }
    if (request.kind != ClockRequest::Kind::Timer || request.value < 1 ||
        request.value > velmora::kMaxTimerSeconds) {
        return false;
    }
    const Instant now = wallClock_();
    const Instant start =
        std::abs(request.askedAt - now) <= kAskedAtSlackMs ? request.askedAt : now;
    Timer timer{request.value, label, start + request.value * 1000, 0};
    // The same timer set again runs again rather than filling the list.
    for (const AlarmSchedule::TimerEntry& entry : schedule_.timers()) {
        if (entry.timer.endsAt == 0 && entry.timer.lengthSeconds == timer.lengthSeconds &&
            entry.timer.label == timer.label) {
            replaceTimer(entry.id, timer);
            return true;
        }
    }
    addTimer(timer);
    return true;
}

void AlarmService::zoneChanged() {
    arm();
    emit changed();
}

QString AlarmService::nextAlarmText() const {
    Instant at = 0;
    const std::optional<AlarmSchedule::AlarmEntry> next = schedule_.nextAlarm(&at);
    if (!next) {
        return {};
    }
    const QString when = AlarmTexts::dayAndTime(at);
    return next->alarm.label.empty()
               ? when
               : QStringLiteral("%1 %2").arg(when, toQString(next->alarm.label));
}

std::vector<AlarmService::Id> AlarmService::ringingItems() const {
    std::vector<Id> items;
    for (const auto& [id, ringing] : ringing_) {
        items.push_back(id);
    }
    return items;
}

void AlarmService::arm() {
    const Instant now = wallClock_();
    anchorWall_ = now;
    anchorElapsed_ = elapsedClock_();
    armedFor_ = schedule_.nextDue();
    if (!armedFor_) {
        timer_.stop();
        return;
    }
    const Instant wait = std::clamp<Instant>(*armedFor_ - now, 0, kLongestWaitMs);
    timer_.start(std::chrono::milliseconds(wait));
}

void AlarmService::followSetClock(Instant now) {
    if (anchorWall_ == 0) {
        return;
    }
    const Instant expected = anchorWall_ + (elapsedClock_() - anchorElapsed_);
    const Instant jump = now - expected;
    if (std::abs(jump) > kSetThresholdMs) {
        schedule_.wallClockSet(jump);
        save();
    }
}

void AlarmService::checkDue() {
    const Instant now = wallClock_();
    followSetClock(now);
    const std::vector<AlarmSchedule::Ring> rings = schedule_.takeDue(now);
    if (!rings.empty()) {
        save();
    }
    arm();
    for (const AlarmSchedule::Ring& ring : rings) {
        announce(ring);
    }
    if (!rings.empty()) {
        emit changed();
    }
}

Notifier::Notice AlarmService::noticeFor(const AlarmSchedule::Ring& ring) const {
    Notifier::Notice notice;
    notice.actions = !ring.missed;
    notice.urgent = !ring.missed;
    QString label;
    QString what;
    if (ring.timer) {
        const Timer* timer = schedule_.timer(ring.id);
        label = timer != nullptr ? toQString(timer->label) : QString();
        what = QCoreApplication::translate("AlarmService", "The timer of %1 has ended.")
                   .arg(AlarmTexts::duration(timer != nullptr ? timer->lengthSeconds : 0));
        notice.summary = ring.missed ? QCoreApplication::translate("AlarmService", "Missed timer")
                                     : QCoreApplication::translate("AlarmService", "Timer");
    } else {
        const Alarm* alarm = schedule_.alarm(ring.id);
        label = alarm != nullptr ? toQString(alarm->label) : QString();
        what = QCoreApplication::translate("AlarmService", "Alarm at %1")
                   .arg(AlarmTexts::timeOfDay(alarm != nullptr ? alarm->minuteOfDay : 0));
        notice.summary = ring.missed ? QCoreApplication::translate("AlarmService", "Missed alarm")
                                     : QCoreApplication::translate("AlarmService", "Alarm");
    }
    // The label is what the user wrote to be reminded of: the summary where it rings, and
    // beside what was missed.
    if (!label.isEmpty() && !ring.missed) {
        notice.summary = label;
    } else if (!label.isEmpty()) {
        what = QStringLiteral("%1 (%2)").arg(label, what);
    }
    notice.body = ring.missed
                      ? QCoreApplication::translate("AlarmService",
                                                    "%1\nDue %2, while the computer slept or the "
                                                    "clock was not running.")
                            .arg(what, AlarmTexts::dayAndTime(ring.at))
                      : what;
    return notice;
}

void AlarmService::announce(const AlarmSchedule::Ring& ring) {
    endRinging(ring.id, true);
    const Notifier::Notice notice = noticeFor(ring);
    Ringing& ringing = ringing_[ring.id];
    ringing.serial = ++serial_;
    ringing.canSnooze = notice.actions;
    if (!ring.missed && settings_.readInt(settings::kPlaySounds) != 0) {
        const QString own = toQString(settings_.readText(settings::kAlarmSound));
        const QUrl source = SoundFiles::chosen(SoundFiles::Sound::Alarm, own);
        QObject* sound =
            source.isEmpty() ? nullptr : soundPlayer_(source, ChimePlayer::kLoopForever);
        if (sound != nullptr) {
            ringing.sound = sound;
            QTimer::singleShot(kRingTime, sound, &QObject::deleteLater);
        }
    }
    const Id id = ring.id;
    notifier_.show(notice, [this, id, serial = ringing.serial, notice](quint32 notification) {
        const auto found = ringing_.find(id);
        if (found == ringing_.end() || found->second.serial != serial) {
            // Answered or rung anew meanwhile: this notice is not wanted any more.
            notifier_.close(notification);
            return;
        }
        if (notification == 0) {
            showDialog(id, notice);
            return;
        }
        found->second.notification = notification;
    });
}

void AlarmService::showDialog(Id id, const Notifier::Notice& notice) {
    auto* dialog = new RingingDialog(notice.summary, notice.body, notice.actions, window_);
    ringing_[id].dialog = dialog;
    connect(dialog, &RingingDialog::dismissed, this, [this, id] { dismiss(id); });
    connect(dialog, &RingingDialog::snoozed, this, [this, id] { snooze(id); });
    dialog->show();
    dialog->raise();
}

void AlarmService::endRinging(Id id, bool closeNotice) {
    const auto found = ringing_.find(id);
    if (found == ringing_.end()) {
        return;
    }
    Ringing ringing = found->second;
    ringing_.erase(found);
    delete ringing.sound.data();
    if (closeNotice) {
        notifier_.close(ringing.notification);
    }
    if (ringing.dialog != nullptr) {
        // Closing it answers nothing more: its item is no longer ringing.
        ringing.dialog->disconnect(this);
        ringing.dialog->close();
    }
}

void AlarmService::dismiss(Id id) {
    endRinging(id, true);
}

void AlarmService::snooze(Id id) {
    const auto found = ringing_.find(id);
    if (found == ringing_.end() || !found->second.canSnooze) {
        return;
    }
    endRinging(id, true);
    schedule_.snooze(id, wallClock_());
    setChanged();
}

void AlarmService::onAction(quint32 notification, const QString& action) {
    for (const auto& [id, ringing] : ringing_) {
        if (ringing.notification != notification) {
            continue;
        }
        const Id ringingId = id;
        if (action == QLatin1String(Notifier::kSnooze)) {
            snooze(ringingId);
        } else {
            dismiss(ringingId);
        }
        return;
    }
}

void AlarmService::onNoticeClosed(quint32 notification) {
    for (const auto& [id, ringing] : ringing_) {
        if (ringing.notification == notification) {
            endRinging(id, false);
            return;
        }
    }
}
