// The clock's alarms and timers, and when each is due next by the wall clock of its zone.
#include "time/alarm_schedule.h"

#include <algorithm>

namespace velmora {

namespace {

constexpr std::int64_t kMsPerSecond = 1000;
constexpr std::int32_t kMinutesPerDay = 24 * 60;
// Looked back over when occurrences were missed: a week holds one of every weekday.
constexpr Instant kMissedLookBack = 8 * kSecondsPerDay * kMsPerSecond;

std::int64_t floorSeconds(Instant at) {
    return at >= 0 ? at / kMsPerSecond : -((-at + kMsPerSecond - 1) / kMsPerSecond);
}

template <typename Entries> auto findId(Entries& entries, AlarmSchedule::Id id) {
    return std::find_if(entries.begin(), entries.end(),
                        [id](const auto& entry) { return entry.id == id; });
}

// Replaces the item of the entry with the id; false when there is none.
template <typename Entries, typename Item>
bool replaceIn(Entries& entries, AlarmSchedule::Id id, const Item& item) {
    const auto found = findId(entries, id);
    if (found == entries.end()) {
        return false;
    }
    *found = typename Entries::value_type{id, item};
    return true;
}

void keepEarliest(std::optional<Instant>& earliest, std::optional<Instant> candidate) {
    if (candidate && (!earliest || *candidate < *earliest)) {
        earliest = candidate;
    }
}

} // namespace

AlarmSchedule::Id AlarmSchedule::add(const Alarm& alarm) {
    alarms_.push_back({nextId_, alarm});
    return nextId_++;
}

AlarmSchedule::Id AlarmSchedule::add(const Timer& timer) {
    timers_.push_back({nextId_, timer});
    return nextId_++;
}

bool AlarmSchedule::replace(Id id, const Alarm& alarm) {
    return replaceIn(alarms_, id, alarm);
}

bool AlarmSchedule::replace(Id id, const Timer& timer) {
    return replaceIn(timers_, id, timer);
}

void AlarmSchedule::remove(Id id) {
    std::erase_if(alarms_, [id](const AlarmEntry& entry) { return entry.id == id; });
    std::erase_if(timers_, [id](const TimerEntry& entry) { return entry.id == id; });
}

const Alarm* AlarmSchedule::alarm(Id id) const {
    const auto found = findId(alarms_, id);
    return found != alarms_.end() ? &found->alarm : nullptr;
}

const Timer* AlarmSchedule::timer(Id id) const {
    const auto found = findId(timers_, id);
    return found != timers_.end() ? &found->timer : nullptr;
}

std::optional<Instant> AlarmSchedule::nextOccurrence(const Alarm& alarm, Instant after) const {
    if (alarm.minuteOfDay < 0 || alarm.minuteOfDay >= kMinutesPerDay) {
        return std::nullopt;
    }
    const std::int64_t seconds = floorSeconds(after);
    // From the day before the local day of `after`: a time shown twice may come first there.
    const std::int64_t firstDay = localDay(seconds + zone_(seconds)) - 1;
    for (std::int64_t day = firstDay; day <= firstDay + 9; ++day) {
        if (alarm.weekdays != 0 && (alarm.weekdays & (1u << weekdayOfDay(day))) == 0) {
            continue;
        }
        const Instant at =
            firstInstantShowing(zone_, day * kSecondsPerDay + alarm.minuteOfDay * 60) *
            kMsPerSecond;
        if (at > after) {
            return at;
        }
    }
    return std::nullopt;
}

std::optional<Instant> AlarmSchedule::dueAt(const Alarm& alarm) const {
    std::optional<Instant> due;
    if (alarm.snoozedUntil != 0) {
        due = alarm.snoozedUntil;
    }
    if (alarm.enabled) {
        keepEarliest(due, nextOccurrence(alarm, alarm.armedFrom));
    }
    return due;
}

std::optional<Instant> AlarmSchedule::dueAt(const Timer& timer) {
    std::optional<Instant> due;
    if (timer.snoozedUntil != 0) {
        due = timer.snoozedUntil;
    }
    if (timer.endsAt != 0) {
        keepEarliest(due, timer.endsAt);
    }
    return due;
}

std::optional<Instant> AlarmSchedule::nextDue() const {
    std::optional<Instant> due;
    for (const AlarmEntry& entry : alarms_) {
        keepEarliest(due, dueAt(entry.alarm));
    }
    for (const TimerEntry& entry : timers_) {
        keepEarliest(due, dueAt(entry.timer));
    }
    return due;
}

std::optional<AlarmSchedule::AlarmEntry> AlarmSchedule::nextAlarm(Instant* at) const {
    std::optional<AlarmEntry> next;
    std::optional<Instant> earliest;
    for (const AlarmEntry& entry : alarms_) {
        const std::optional<Instant> due = dueAt(entry.alarm);
        if (due && (!earliest || *due < *earliest)) {
            earliest = due;
            next = entry;
        }
    }
    if (at != nullptr && earliest) {
        *at = *earliest;
    }
    return next;
}

std::vector<AlarmSchedule::Ring> AlarmSchedule::takeDue(Instant now) {
    std::vector<Ring> rings;
    for (AlarmEntry& entry : alarms_) {
        Alarm& alarm = entry.alarm;
        const bool snoozeDue = alarm.snoozedUntil != 0 && alarm.snoozedUntil <= now;
        const Instant occurrence =
            alarm.enabled ? nextOccurrence(alarm, alarm.armedFrom).value_or(0) : 0;
        const bool occurrenceDue = occurrence != 0 && occurrence <= now;
        if (!snoozeDue && !occurrenceDue) {
            continue;
        }
        Instant at = snoozeDue ? alarm.snoozedUntil : 0;
        if (occurrenceDue) {
            Instant last = occurrence;
            for (std::optional<Instant> later =
                     nextOccurrence(alarm, std::max(last, now - kMissedLookBack));
                 later && *later <= now; later = nextOccurrence(alarm, *later)) {
                last = *later;
            }
            at = std::max(at, last);
            alarm.armedFrom = last;
            alarm.enabled = alarm.weekdays != 0;
        }
        // A fresh ring takes the place of a snooze still to come.
        alarm.snoozedUntil = 0;
        rings.push_back({entry.id, false, at, now - at > kLateMs});
    }
    for (TimerEntry& entry : timers_) {
        Timer& timer = entry.timer;
        const bool endDue = timer.endsAt != 0 && timer.endsAt <= now;
        const bool snoozeDue = timer.snoozedUntil != 0 && timer.snoozedUntil <= now;
        if (!endDue && !snoozeDue) {
            continue;
        }
        const Instant at =
            std::max(endDue ? timer.endsAt : Instant{0}, snoozeDue ? timer.snoozedUntil : 0);
        if (endDue) {
            timer.endsAt = 0;
        }
        timer.snoozedUntil = 0;
        rings.push_back({entry.id, true, at, now - at > kLateMs});
    }
    return rings;
}

void AlarmSchedule::snooze(Id id, Instant now) {
    if (const auto found = findId(alarms_, id); found != alarms_.end()) {
        found->alarm.snoozedUntil = now + kSnoozeMs;
    }
    if (const auto found = findId(timers_, id); found != timers_.end()) {
        found->timer.snoozedUntil = now + kSnoozeMs;
    }
}

void AlarmSchedule::wallClockSet(std::int64_t jumpMs) {
    const auto shift = [jumpMs](Instant& at) {
        if (at != 0) {
            at += jumpMs;
        }
    };
    for (AlarmEntry& entry : alarms_) {
        shift(entry.alarm.snoozedUntil);
    }
    for (TimerEntry& entry : timers_) {
        shift(entry.timer.endsAt);
        shift(entry.timer.snoozedUntil);
    }
}

} // namespace velmora
