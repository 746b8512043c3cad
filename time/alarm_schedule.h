// The clock's alarms and timers, and when each is due next by the wall clock of its zone.
#pragma once

#include "time/wall_clock_zone.h"
#include "velmora_export.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

// Instants are UTC milliseconds since 1970: a timer set for three seconds ends three seconds
// later, not at the next whole second.
using Instant = std::int64_t;

struct Alarm {
    // Minutes after local midnight.
    std::int32_t minuteOfDay = 0;
    // Bit d: rings on weekday d (0 = Sunday). None: once, at the next such time of day, and then
    // it turns itself off.
    std::uint8_t weekdays = 0;
    bool enabled = true;
    std::u16string label;
    // Occurrences are looked for after this instant: when the alarm was set, or the occurrence
    // handled last. Kept, so that one missed while the clock did not run is found at its start.
    Instant armedFrom = 0;
    // Rings again at this instant after a snooze; 0 for none.
    Instant snoozedUntil = 0;

    friend bool operator==(const Alarm&, const Alarm&) = default;
};

struct Timer {
    std::int64_t lengthSeconds = 0;
    std::u16string label;
    // When it ends while it runs; 0 when it does not run.
    Instant endsAt = 0;
    Instant snoozedUntil = 0;

    friend bool operator==(const Timer&, const Timer&) = default;
};

class VELMORA_EXPORT AlarmSchedule {
public:
    using Id = std::uint32_t;
    struct AlarmEntry {
        Id id;
        Alarm alarm;
    };
    struct TimerEntry {
        Id id;
        Timer timer;
    };
    // Something due: rung on time, or found later than kLateMs (the computer slept, or the clock
    // did not run), which is only told as missed.
    struct Ring {
        Id id;
        bool timer;
        Instant at;
        bool missed;
    };

    static constexpr std::int64_t kSnoozeMs = 5 * 60 * 1000;
    static constexpr std::int64_t kLateMs = 60 * 1000;

    // The zone whose wall clock the alarms keep to; asked afresh each time, so a change of the
    // clock's zone moves them.
    explicit AlarmSchedule(ZoneOffsetAt zone) : zone_(std::move(zone)) {}

    Id add(const Alarm& alarm);
    Id add(const Timer& timer);
    // Replaces the item of the id; false when there is none.
    bool replace(Id id, const Alarm& alarm);
    bool replace(Id id, const Timer& timer);
    void remove(Id id);
    const std::vector<AlarmEntry>& alarms() const { return alarms_; }
    const std::vector<TimerEntry>& timers() const { return timers_; }
    const Alarm* alarm(Id id) const;
    const Timer* timer(Id id) const;

    // The first time of day of the alarm after `after`, whether on or off; nothing for an alarm
    // with an impossible time of day.
    std::optional<Instant> nextOccurrence(const Alarm& alarm, Instant after) const;
    // When the item rings next (a snooze included); nothing when it is off or stopped.
    std::optional<Instant> dueAt(const Alarm& alarm) const;
    static std::optional<Instant> dueAt(const Timer& timer);
    // The earliest of them all.
    std::optional<Instant> nextDue() const;
    // The alarm that rings next and when, for telling the user; timers are not alarms.
    std::optional<AlarmEntry> nextAlarm(Instant* at) const;

    // Every item due at `now`, each moved on: an alarm to its next occurrence (one set once
    // turns off), a timer stopped, a snooze spent. Occurrences missed one after the other are
    // told once, as the last of them.
    std::vector<Ring> takeDue(Instant now);
    // The item rings again kSnoozeMs after now.
    void snooze(Id id, Instant now);

    // The wall clock was set by `jumpMs` while no time passed: timers and snoozes count time
    // that passes and move with it, while alarms keep to the wall clock.
    void wallClockSet(std::int64_t jumpMs);

private:
    ZoneOffsetAt zone_;
    std::vector<AlarmEntry> alarms_;
    std::vector<TimerEntry> timers_;
    Id nextId_ = 1;
};

} // namespace velmora
