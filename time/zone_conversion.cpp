// UTC to zone time. Instants are compared as centiseconds since Julian day 0.
#include "time/zone_conversion.h"

#include "time/calendar.h"

#include <cstdint>

namespace velmora {

namespace {

constexpr std::int64_t kCentisecondsPerMinute = 6000;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// The transition instant, on the local time line it is written in, for the given year.
// Hours beyond the day (up to 167, or negative) carry into the neighbouring days.
std::int64_t transitionInstant(const SystemTime& t, std::int32_t year) {
    const std::int32_t date = t.wYear != 0 ? packDate(t.wYear, t.wMonth, t.wDay)
                                           : transitionDate(t.wDayOfWeek, t.wDay, t.wMonth, year);
    const std::int64_t seconds =
        std::int64_t{signedHour(t)} * 3600 + std::int64_t{t.wMinute} * 60 + t.wSecond;
    return std::int64_t{julianDay(date)} * kCentisecondsPerDay + seconds * 100 +
           t.wMilliseconds / 10;
}

std::int32_t yearOfInstant(std::int64_t instant) {
    const auto days = static_cast<std::int32_t>(floorDiv(instant, kCentisecondsPerDay));
    return dateFromJulianDay(days) / 10000;
}

} // namespace

bool isDaylightTime(const ZoneRules& rules, const PackedDateTime& utc) {
    if (rules.DaylightDate.wMonth == 0) {
        return false;
    }
    const std::int64_t instant =
        std::int64_t{julianDay(utc.date)} * kCentisecondsPerDay + centisecondsOfDay(utc.time);
    const std::int64_t standardLocal =
        instant - (std::int64_t{rules.Bias} + rules.StandardBias) * kCentisecondsPerMinute;
    const std::int64_t daylightLocal =
        instant - (std::int64_t{rules.Bias} + rules.DaylightBias) * kCentisecondsPerMinute;
    // Both transitions of one year, the year of local standard time: mixing the years of the
    // two local times would pair December's standard time with the next year's rules.
    const std::int32_t year = yearOfInstant(standardLocal);
    const std::int64_t daylightStart = transitionInstant(rules.DaylightDate, year);
    const std::int64_t standardStart = transitionInstant(rules.StandardDate, year);
    const bool afterDaylightStart = daylightStart <= standardLocal;
    const bool beforeStandardStart = daylightLocal < standardStart;
    // Which change comes first in the year, not which month: both may fall in one month.
    if (daylightStart >= standardStart) {
        // Daylight time spans the turn of the year (southern hemisphere).
        return beforeStandardStart || afterDaylightStart;
    }
    return afterDaylightStart && beforeStandardStart;
}

PackedDateTime toZoneTime(const ZoneRules& rules, const PackedDateTime& utc) {
    std::int64_t bias = rules.Bias;
    if (rules.DaylightDate.wMonth != 0) {
        bias += isDaylightTime(rules, utc) ? rules.DaylightBias : rules.StandardBias;
    }
    const auto split =
        splitCentiseconds(centisecondsOfDay(utc.time) - bias * kCentisecondsPerMinute);
    if (split.days == 0) {
        return {utc.date, split.time};
    }
    return {dateFromJulianDay(julianDay(utc.date) + split.days), split.time};
}

} // namespace velmora
