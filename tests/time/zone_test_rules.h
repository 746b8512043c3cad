// Zone rules the time tests share.
#pragma once

#include "time/zone_record.h"

namespace velmora::test {

inline SystemTime yearlyRule(int month, int occurrence, int dayOfWeek, int hour, int minute = 0,
                             int second = 0) {
    SystemTime t;
    t.wMonth = static_cast<std::uint16_t>(month);
    t.wDay = static_cast<std::uint16_t>(occurrence);
    t.wDayOfWeek = static_cast<std::uint16_t>(dayOfWeek);
    t.wHour = static_cast<std::uint16_t>(static_cast<std::int16_t>(hour));
    t.wMinute = static_cast<std::uint16_t>(minute);
    t.wSecond = static_cast<std::uint16_t>(second);
    return t;
}

inline ZoneRules makeRules(int bias, int daylightBias, SystemTime daylight, SystemTime standard) {
    ZoneRules r;
    r.Bias = bias;
    r.DaylightBias = daylightBias;
    r.DaylightDate = daylight;
    r.StandardDate = standard;
    return r;
}

// UTC+1, daylight from the last Sunday of March at 2:00 to the last Sunday of October at 3:00.
inline ZoneRules centralEurope() {
    return makeRules(-60, -60, yearlyRule(3, 5, 0, 2), yearlyRule(10, 5, 0, 3));
}

// UTC+10, daylight from the first Sunday of October at 2:00 to the first Sunday of April at 3:00.
inline ZoneRules eastAustralia() {
    return makeRules(-600, -60, yearlyRule(10, 1, 0, 2), yearlyRule(4, 1, 0, 3));
}

inline ZoneRules fixedBias(int bias) {
    ZoneRules r;
    r.Bias = bias;
    return r;
}

} // namespace velmora::test
