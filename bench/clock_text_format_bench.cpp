// Benchmarks of the clock text formatter, which runs for every text in every frame.
#include "clock/clock_text_format.h"

#include <benchmark/benchmark.h>

namespace {

constexpr velmora::PackedDateTime kLocal{20070314, 12412900};

void formatRepeatedly(benchmark::State& state, std::u16string_view format) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(formatClockText(format, kLocal, u"CET"));
    }
}

void BM_FormatShortDate(benchmark::State& state) {
    formatRepeatedly(state, u"%d.%m.%Y");
}
BENCHMARK(BM_FormatShortDate);

void BM_FormatLongDateAndTime(benchmark::State& state) {
    formatRepeatedly(state, u"%#x %X");
}
BENCHMARK(BM_FormatLongDateAndTime);

} // namespace

BENCHMARK_MAIN();
