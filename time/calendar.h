// Calendar arithmetic on packed dates: leap years, weekdays, day and week of the year, the
// yearly transition dates of time-zone rules, and Julian Day Numbers.
#pragma once

#include <cstdint>

namespace velmora {

// Gregorian leap year.
bool isLeapYear(std::int32_t year);

// Days of month 1 to 12 in a year.
std::int32_t daysInMonth(std::int32_t month, std::int32_t year);

// 0 = Sunday to 6 = Saturday, by a Zeller-style congruence. Exact for the years 1 to 4599; past
// that its constant no longer keeps the sum positive.
std::int32_t weekday(std::int32_t date);

// 1 for January 1.
std::int32_t dayOfYear(std::int32_t date);

// The Monday-based week number (days before the year's first Monday are week 0, as strftime's
// %W). The formula's constant only holds for the years 2001 to 2200.
std::int32_t weekOfYear(std::int32_t date);

// The `occurrence`-th (1 to 5, 5 = the last) `dayOfWeek` (0 = Sunday) of a month, as a packed date.
std::int32_t transitionDate(std::int32_t dayOfWeek, std::int32_t occurrence, std::int32_t month,
                            std::int32_t year);

// The Julian Day Number of a Gregorian date (2000-01-01 is 2451545), and back. Exact for the
// years 1 to 9999 at least.
std::int32_t julianDay(std::int32_t date);
std::int32_t dateFromJulianDay(std::int32_t n);

} // namespace velmora
