// A zone as the alarm schedule sees it: its offset at any instant, and the instants at which
// its wall clock shows a given time.
#include "time/wall_clock_zone.h"

#include "time/zone_history.h"
#include "time/zone_slots.h"

#include <algorithm>
#include <vector>

namespace velmora {

namespace {

// The offsets in force around an instant: a zone changes its offset at most a few times a
// year, so those of the days either side include every one a wall time near it can have.
std::vector<std::int32_t> offsetsAround(const ZoneOffsetAt& zone, std::int64_t seconds) {
    std::vector<std::int32_t> offsets;
    for (std::int64_t step = -2; step <= 2; ++step) {
        const std::int32_t offset = zone(seconds + step * kSecondsPerDay / 2);
        if (std::find(offsets.begin(), offsets.end(), offset) == offsets.end()) {
            offsets.push_back(offset);
        }
    }
    return offsets;
}

// The largest multiple of `period` not above `value`.
std::int64_t floorMultiple(std::int64_t value, std::int64_t period) {
    const std::int64_t remainder = value % period;
    return value - (remainder < 0 ? remainder + period : remainder);
}

} // namespace

ZoneOffsetAt zoneSlotOffset(int slot) {
    return [slot](std::int64_t utcSeconds) {
        const PackedDateTime utc = packedFromSeconds(utcSeconds);
        return static_cast<std::int32_t>(secondsSinceEpoch(zoneSlotTime(slot, utc)) - utcSeconds);
    };
}

std::int64_t firstInstantShowing(const ZoneOffsetAt& zone, std::int64_t localSeconds) {
    const std::vector<std::int32_t> offsets = offsetsAround(zone, localSeconds);
    std::optional<std::int64_t> first;
    for (const std::int32_t offset : offsets) {
        const std::int64_t candidate = localSeconds - offset;
        if (zone(candidate) == offset && (!first || candidate < *first)) {
            first = candidate;
        }
    }
    if (first) {
        return *first;
    }
    // Skipped: the wall clock shows the time before it under the smallest offset and after it
    // under the largest; between those instants lies the change, found by halving.
    const auto [smallest, largest] = std::minmax_element(offsets.begin(), offsets.end());
    std::int64_t before = localSeconds - *largest;
    std::int64_t after = localSeconds - *smallest;
    if (before + zone(before) >= localSeconds || after + zone(after) < localSeconds) {
        return localSeconds - zone(localSeconds);
    }
    while (after - before > 1) {
        const std::int64_t middle = before + (after - before) / 2;
        if (middle + zone(middle) >= localSeconds) {
            after = middle;
        } else {
            before = middle;
        }
    }
    return after;
}

std::optional<std::int64_t> nextWallClockBoundary(const ZoneOffsetAt& zone,
                                                  std::int64_t afterSeconds,
                                                  std::int64_t periodSeconds) {
    if (periodSeconds <= 0 || kSecondsPerDay % periodSeconds != 0) {
        return std::nullopt;
    }
    const std::int64_t horizon = afterSeconds + 2 * kSecondsPerDay;
    std::optional<std::int64_t> next;
    // Under each offset the zone may have, the first boundary shown while that offset is in
    // force; the earliest of those is the next one the wall clock shows.
    for (const std::int32_t offset : offsetsAround(zone, afterSeconds + kSecondsPerDay)) {
        const std::int64_t local = afterSeconds + offset;
        std::int64_t instant = floorMultiple(local, periodSeconds) + periodSeconds - offset;
        while (instant <= horizon && zone(instant) != offset) {
            instant += periodSeconds;
        }
        if (instant <= horizon && (!next || instant < *next)) {
            next = instant;
        }
    }
    return next;
}

} // namespace velmora
