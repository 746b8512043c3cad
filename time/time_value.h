// The time value kinds that hands and slices show, and their evaluation into (value, period).
#pragma once

#include "time/packed_date_time.h"

#include <cstdint>
#include <span>

namespace velmora {

// Kind ids as stored in schemes.
enum class TimeValueKind : std::int32_t {
    Stopped = 0,
    Second = 1,
    SecondContinuous = 2,
    Minute = 3,
    MinuteContinuous = 4,
    Hours12 = 5,
    Hours12Continuous = 6,
    Hours24 = 7,
    Hours24Continuous = 8,
    DayOfWeek = 9,
    DayOfMonth = 10,
    WeekOfYear = 11,
    MonthOfYear = 12,
    Centiseconds = 13,
    MemoryLoad = 121,
    PageFile = 122,
    RealMemory = 123,
    CpuPerformance = 128,
};

struct TimeValue {
    float value = 0.0f;
    float period = 60.0f;
};

// Every id yields a value and a non-zero period; unknown ids and the load kinds give 0 of 60.
TimeValue evaluateTimeValue(std::int32_t kind, const PackedDateTime& t);

inline TimeValue evaluateTimeValue(TimeValueKind kind, const PackedDateTime& t) {
    return evaluateTimeValue(static_cast<std::int32_t>(kind), t);
}

// How long the kind takes to go once round the dial, in seconds; 0 for the kinds that follow
// no clock (the calendar, the loads, unknown ids).
double secondsPerTurn(TimeValueKind kind);

struct TimeValueKindInfo {
    TimeValueKind kind;
    std::int32_t labelTextId; // string-table entry of the label
};

// The eighteen kinds in the order the editor lists them (ascending id). The CPU entry's label
// is a printf-style format taking the processor number, which is 0.
std::span<const TimeValueKindInfo> timeValueKinds();

} // namespace velmora
