// PackedDateTime: a date and a time of day packed into two decimal-coded 32-bit integers.
#pragma once

#include "velmora_export.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string_view>

namespace velmora {

inline constexpr std::int32_t kCentisecondsPerDay = 8640000;

struct PackedDateTime {
    // year * 10000 + month * 100 + day
    std::int32_t date = 0;
    // hour * 1000000 + minute * 10000 + second * 100 + centisecond
    std::int32_t time = 0;

    // Field extraction uses truncating division, so negative fields read back as negative.
    constexpr std::int32_t year() const { return date / 10000; }
    constexpr std::int32_t month() const { return date % 10000 / 100; }
    constexpr std::int32_t day() const { return date % 100; }
    constexpr std::int32_t hour() const { return time / 1000000; }
    constexpr std::int32_t minute() const { return time % 1000000 / 10000; }
    constexpr std::int32_t second() const { return time % 10000 / 100; }
    constexpr std::int32_t centisecond() const { return time % 100; }

    // Replaces the fields one after the other inside the existing value. Unlike packing from
    // scratch this tolerates negative fields, which is how offsets below one day are written.
    constexpr void setTime(std::int32_t h, std::int32_t m, std::int32_t s, std::int32_t cs) {
        time = time % 1000000 + h * 1000000;
        time = time + (m - time % 1000000 / 10000) * 10000;
        time = time + (s - time % 10000 / 100) * 100;
        time = time + cs - time % 100;
    }

    friend constexpr bool operator==(const PackedDateTime&, const PackedDateTime&) = default;
};

constexpr std::int32_t packDate(std::int32_t year, std::int32_t month, std::int32_t day) {
    return year * 10000 + month * 100 + day;
}

constexpr std::int32_t packTime(std::int32_t hour, std::int32_t minute, std::int32_t second,
                                std::int32_t centisecond) {
    return hour * 1000000 + minute * 10000 + second * 100 + centisecond;
}

// Centiseconds since midnight of a packed time of day.
constexpr std::int32_t centisecondsOfDay(std::int32_t time) {
    const PackedDateTime t{0, time};
    return (t.second() + t.minute() * 60 + t.hour() * 3600) * 100 + t.centisecond();
}

struct DayTime {
    std::int32_t days = 0; // whole days carried out of the count, rounded towards minus infinity
    std::int32_t time = 0; // packed time of day, 00:00:00.00 to 23:59:59.99
};

// Splits a count of centiseconds into whole days and a time of day (floor division).
constexpr DayTime splitCentiseconds(std::int64_t n) {
    auto days = n / kCentisecondsPerDay;
    auto r = n - days * kCentisecondsPerDay;
    if (r < 0) {
        r += kCentisecondsPerDay;
        --days;
    }
    const auto rem = static_cast<std::int32_t>(r);
    return {static_cast<std::int32_t>(days),
            packTime(rem / 360000, rem % 360000 / 6000, rem % 6000 / 100, rem % 100)};
}

// The form without the day carry: truncating operations, so a negative count gives negative
// fields (an offset such as -00:30 is time -3000). Meant for offsets below one day.
constexpr std::int32_t timeFromCentiseconds(std::int32_t n) {
    PackedDateTime t;
    t.setTime(n / 360000, n % 360000 / 6000, n % 6000 / 100, n % 100);
    return t.time;
}

// Packs a point of the system clock (UTC), truncating below the centisecond.
PackedDateTime packedDateTimeFrom(std::chrono::system_clock::time_point tp);

// The current UTC date and time, from one reading of the system clock: date and time always
// belong to the same instant, even at 23:59:59.99.
VELMORA_EXPORT PackedDateTime currentUtcDateTime();

// The years over which the calendar arithmetic of the conversion is exact.
inline constexpr int kFirstExactYear = 1;
inline constexpr int kLastExactYear = 4000;

// Reads "YYYY-MM-DDTHH:MM:SS" or "YYYY-MM-DDTHH:MM:SS.cc" as written on command lines; empty
// for anything else, including dates that do not exist and years outside the exact range.
std::optional<PackedDateTime> parseUtcInstant(std::string_view text);

} // namespace velmora
