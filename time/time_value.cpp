// Evaluation of time value kinds. Several periods look odd; stored dial designs rely on them.
#include "time/time_value.h"

#include "time/calendar.h"

#include <array>

namespace velmora {

namespace {

constexpr std::array<TimeValueKindInfo, 18> kKinds = {{
    {TimeValueKind::Stopped, 1},
    {TimeValueKind::Second, 2},
    {TimeValueKind::SecondContinuous, 3},
    {TimeValueKind::Minute, 4},
    {TimeValueKind::MinuteContinuous, 5},
    {TimeValueKind::Hours12, 6},
    {TimeValueKind::Hours12Continuous, 7},
    {TimeValueKind::Hours24, 8},
    {TimeValueKind::Hours24Continuous, 9},
    {TimeValueKind::DayOfWeek, 48},
    {TimeValueKind::DayOfMonth, 58},
    {TimeValueKind::WeekOfYear, 61},
    {TimeValueKind::MonthOfYear, 60},
    {TimeValueKind::Centiseconds, 59},
    {TimeValueKind::MemoryLoad, 69},
    {TimeValueKind::PageFile, 70},
    {TimeValueKind::RealMemory, 71},
    {TimeValueKind::CpuPerformance, 68},
}};

TimeValue of(std::int32_t value, std::int32_t period) {
    return {static_cast<float>(value), static_cast<float>(period)};
}

} // namespace

double secondsPerTurn(TimeValueKind kind) {
    switch (kind) {
    case TimeValueKind::Second:
    case TimeValueKind::SecondContinuous:
        return 60;
    case TimeValueKind::Minute:
    case TimeValueKind::MinuteContinuous:
        return 3600;
    case TimeValueKind::Hours12:
    case TimeValueKind::Hours12Continuous:
        return 43200;
    case TimeValueKind::Hours24:
    case TimeValueKind::Hours24Continuous:
        return 86400;
    case TimeValueKind::Centiseconds:
        return 0.1;
    default:
        return 0;
    }
}

TimeValue evaluateTimeValue(std::int32_t kind, const PackedDateTime& t) {
    switch (static_cast<TimeValueKind>(kind)) {
    case TimeValueKind::Second:
        return of(t.second(), 60);
    case TimeValueKind::SecondContinuous:
        return of(t.second() * 100 + t.centisecond(), 6000);
    case TimeValueKind::Minute:
        return of(t.minute(), 60);
    case TimeValueKind::MinuteContinuous:
        return of(t.minute() * 6000 + t.second() * 100 + t.centisecond(), 360000);
    case TimeValueKind::Hours12:
        return of(t.hour() % 12, 12);
    case TimeValueKind::Hours12Continuous:
        return of(t.minute() * 60 + t.hour() % 12 * 3600 + t.second(), 43200);
    case TimeValueKind::Hours24:
    // "Continuous" in name only: whole hours, like kind 7; stored designs expect that.
    case TimeValueKind::Hours24Continuous:
        return of(t.hour(), 24);
    case TimeValueKind::DayOfWeek:
        return of(weekday(t.date), 7);
    case TimeValueKind::DayOfMonth:
        return of(t.day(), 31);
    case TimeValueKind::WeekOfYear:
        return of(weekOfYear(t.date), 52);
    case TimeValueKind::MonthOfYear:
        // The period is 11, not 12: December points to 12 o'clock like January, and saved dial
        // designs rely on it.
        return of(t.month() - 1, 11);
    case TimeValueKind::Centiseconds:
        // Period 10, not 100: the hand turns ten times a second, as designs expect.
        return of(t.centisecond(), 10);
    default:
        // Stopped, the load kinds (no load is measured) and unknown ids.
        return of(0, 60);
    }
}

std::span<const TimeValueKindInfo> timeValueKinds() {
    return kKinds;
}

} // namespace velmora
