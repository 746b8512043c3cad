// How alarms and timers read to the user: times of day in the desktop's form, durations, and
// days of the week.
#pragma once

#include "time/alarm_schedule.h"
#include "velmora_export.h"

#include <QString>
#include <array>
#include <cstdint>

class VELMORA_EXPORT AlarmTexts {
public:
    // The desktop's short form of a time of day, without seconds.
    static QString minutesFormat();
    // 07:30 or 7:30 AM, as the desktop writes a time.
    static QString timeOfDay(std::int32_t minuteOfDay);
    // 5:00, 1:30:00: minutes and seconds, hours in front where there are any.
    static QString duration(std::int64_t seconds);
    // "Once", "Every day", "Mon to Fri", "Sat, Sun" or the days in the week's order of the
    // desktop's locale.
    static QString weekdays(std::uint8_t weekdays);
    // The weekday and time of day an instant shows on the clock's local zone: "Tue 07:30".
    static QString dayAndTime(velmora::Instant at);
    // The short name of weekday d (0 = Sunday).
    static QString dayName(int weekday);
    // The weekdays (0 = Sunday) in the order the desktop's locale starts its week.
    static std::array<int, 7> weekOrder();
};
