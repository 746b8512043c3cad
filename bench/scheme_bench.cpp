// Reading, writing and cloning the default scheme, as loading, saving and the editor's undo do.
#include "clock/class_registration.h"
#include "clock/scheme_file.h"
#include "resources/default_scheme.h"

#include <benchmark/benchmark.h>

namespace {

void readDefault(benchmark::State& state) {
    registerSchemeClasses();
    for (auto _ : state) {
        std::unique_ptr<Clock> clock = readDefaultScheme();
        benchmark::DoNotOptimize(clock.get());
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(defaultSchemeBytes().size()));
}
BENCHMARK(readDefault)->Unit(benchmark::kMicrosecond);

void writeDefault(benchmark::State& state) {
    registerSchemeClasses();
    std::unique_ptr<Clock> clock = readDefaultScheme();
    for (auto _ : state) {
        MemoryByteStream stream;
        writeScheme(*clock, stream);
        benchmark::DoNotOptimize(stream.bytes().data());
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(defaultSchemeBytes().size()));
}
BENCHMARK(writeDefault)->Unit(benchmark::kMicrosecond);

void cloneDefault(benchmark::State& state) {
    registerSchemeClasses();
    std::unique_ptr<Clock> clock = readDefaultScheme();
    for (auto _ : state) {
        std::unique_ptr<Clock> copy = clock->cloneClock();
        benchmark::DoNotOptimize(copy.get());
    }
}
BENCHMARK(cloneDefault)->Unit(benchmark::kMicrosecond);

// The tree alone, without the carried image: what the object model itself costs.
void readDefaultWithoutImage(benchmark::State& state) {
    registerSchemeClasses();
    std::unique_ptr<Clock> clock = readDefaultScheme();
    clock->removeChild(clock->findChild(u"BackgroundImage"));
    std::vector<std::uint8_t> bytes = schemeBytes(*clock);
    for (auto _ : state) {
        std::unique_ptr<Clock> read = readSchemeBytes(bytes, nullptr);
        benchmark::DoNotOptimize(read.get());
    }
}
BENCHMARK(readDefaultWithoutImage)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
