// Benchmarks of the per-frame time work (zone conversion, time values), of building the system
// zone table and of finding the zones of the five slots without it.
#include "time/machine_zone.h"
#include "time/system_zone_table.h"
#include "time/time_value.h"
#include "time/zone_conversion.h"
#include "time/zone_history.h"

#include <array>
#include <benchmark/benchmark.h>

namespace velmora {
namespace {

SystemTime yearly(int month, int occurrence, int dayOfWeek, int hour) {
    SystemTime t;
    t.wMonth = static_cast<std::uint16_t>(month);
    t.wDay = static_cast<std::uint16_t>(occurrence);
    t.wDayOfWeek = static_cast<std::uint16_t>(dayOfWeek);
    t.wHour = static_cast<std::uint16_t>(hour);
    return t;
}

// A spread of instants over a year, so that branches and dates vary as over many frames.
std::array<PackedDateTime, 64> instants() {
    std::array<PackedDateTime, 64> out;
    for (int i = 0; i < 64; ++i) {
        out[i] = {20260000 + (i % 12 + 1) * 100 + i % 28 + 1,
                  (i * 37 % 24) * 1000000 + i * 7919 % 6000 * 100 + i};
    }
    return out;
}

void BM_ToZoneTimeDaylightSaving(benchmark::State& state) {
    ZoneRules rules;
    rules.Bias = -60;
    rules.DaylightBias = -60;
    rules.DaylightDate = yearly(3, 5, 0, 2);
    rules.StandardDate = yearly(10, 5, 0, 3);
    const auto times = instants();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(toZoneTime(rules, times[i++ & 63]));
    }
}
BENCHMARK(BM_ToZoneTimeDaylightSaving);

void BM_ToZoneTimeFixed(benchmark::State& state) {
    ZoneRules rules;
    rules.Bias = -330;
    const auto times = instants();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(toZoneTime(rules, times[i++ & 63]));
    }
}
BENCHMARK(BM_ToZoneTimeFixed);

// Exact history of a zone with daylight saving: binary search over the file's transitions and
// the footer rule's precomputed changes. Arg 0: instants within 2026; arg 1: spread over
// 1970 to 2100.
void BM_ToZoneTimeExactHistory(benchmark::State& state) {
    const auto history = loadZoneHistory(zoneinfoDirectory(), "Europe/Berlin");
    if (history == nullptr) {
        state.SkipWithError("no Europe/Berlin in the zoneinfo folder");
        return;
    }
    auto times = instants();
    if (state.range(0) == 1) {
        for (std::size_t i = 0; i < times.size(); ++i) {
            times[i].date = times[i].date % 10000 + static_cast<std::int32_t>(1970 + i * 2) * 10000;
        }
    }
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(history->toZoneTime(times[i++ & 63]));
    }
}
BENCHMARK(BM_ToZoneTimeExactHistory)->Arg(0)->Arg(1);

void BM_EvaluateTimeValue(benchmark::State& state) {
    const auto kind = static_cast<std::int32_t>(state.range(0));
    const auto times = instants();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(evaluateTimeValue(kind, times[i++ & 63]));
    }
}
BENCHMARK(BM_EvaluateTimeValue)->Arg(1)->Arg(6)->Arg(9)->Arg(11)->Arg(128);

void BM_ReadSystemZoneTable(benchmark::State& state) {
    std::vector<ZoneRecord> table;
    for (auto _ : state) {
        benchmark::DoNotOptimize(readSystemZoneTable(table));
    }
    state.counters["zones"] = static_cast<double>(table.size());
}
BENCHMARK(BM_ReadSystemZoneTable)->Unit(benchmark::kMillisecond);

// What the clock window does at start: the machine's zone and four stored names, one a link.
void BM_FindSlotZones(benchmark::State& state) {
    const std::u16string stored[] = {u"(UTC+01:00) Europe/Berlin", u"(UTC-05:00) US/Eastern",
                                     u"(UTC+09:00) Asia/Tokyo", u"(UTC+05:30) Asia/Kolkata"};
    for (auto _ : state) {
        ZoneFinder zones;
        const std::u16string machine = machineZoneDisplayName(zones, currentMachineZoneSources());
        benchmark::DoNotOptimize(zones.findByDisplayName(machine));
        for (const auto& name : stored) {
            benchmark::DoNotOptimize(zones.findByDisplayName(name));
        }
    }
}
BENCHMARK(BM_FindSlotZones)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace velmora

BENCHMARK_MAIN();
