// A zone as the alarm schedule sees it: its offset at any instant, and the instants at which
// its wall clock shows a given time.
#pragma once

#include "velmora_export.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace velmora {

inline constexpr std::int64_t kSecondsPerDay = 86400;

// Seconds east of UTC in force at a UTC instant (seconds since 1970).
using ZoneOffsetAt = std::function<std::int32_t(std::int64_t utcSeconds)>;

// The offset of zone slot i (0: the clock's local zone), as its elements convert the time.
VELMORA_EXPORT ZoneOffsetAt zoneSlotOffset(int slot);

// The first UTC instant at which the zone's wall clock shows `localSeconds` (seconds since 1970
// read as local time). A time shown twice, as the clock is set back, counts at its first
// showing; a time the clock skips, as it is set forward, at the instant it skips it, so that
// whatever was due then is not lost.
VELMORA_EXPORT std::int64_t firstInstantShowing(const ZoneOffsetAt& zone,
                                                std::int64_t localSeconds);

// The first instant after `afterSeconds` at which the zone's wall clock shows a whole multiple of
// `periodSeconds` (an hour, a quarter): a time shown twice, as the clock is set back, comes
// twice; one it skips does not come. Nothing for a period that does not divide a day.
std::optional<std::int64_t> nextWallClockBoundary(const ZoneOffsetAt& zone,
                                                  std::int64_t afterSeconds,
                                                  std::int64_t periodSeconds);

// The day a local time falls on, as days since 1970-01-01 (floor), and its weekday (0 = Sunday).
constexpr std::int64_t localDay(std::int64_t localSeconds) {
    return localSeconds >= 0 ? localSeconds / kSecondsPerDay
                             : -((-localSeconds + kSecondsPerDay - 1) / kSecondsPerDay);
}
constexpr int weekdayOfDay(std::int64_t day) {
    // 1970-01-01 was a Thursday.
    const std::int64_t w = (day + 4) % 7;
    return static_cast<int>(w < 0 ? w + 7 : w);
}

} // namespace velmora
