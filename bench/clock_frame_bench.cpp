// Whole frames of the clock as the window draws them: the default scheme at two sizes, a
// frame with a text, and the first frame that decodes and scales the background.
#include "clock/class_registration.h"
#include "clock/clock_text.h"
#include "render/qt_canvas.h"
#include "resources/default_scheme.h"
#include "time/zone_slots.h"

#include <QGuiApplication>
#include <QImage>
#include <benchmark/benchmark.h>

namespace {

const velmora::PackedDateTime kMoment{20261207, 10083000};

std::unique_ptr<Clock> defaultClock() {
    registerSchemeClasses();
    return readDefaultScheme();
}

void frame(benchmark::State& state, Clock& clock, bool firstFrame) {
    int side = static_cast<int>(state.range(0));
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        if (firstFrame) {
            clock.setBackgroundDirty();
        }
        image.fill(Qt::transparent);
        QtCanvas canvas(image);
        clock.layoutAndDraw(canvas, {0, 0, side, side}, kMoment);
    }
}

void defaultSchemeFrame(benchmark::State& state) {
    std::unique_ptr<Clock> clock = defaultClock();
    frame(state, *clock, false);
}
BENCHMARK(defaultSchemeFrame)->Arg(200)->Arg(1000)->Unit(benchmark::kMicrosecond);

void defaultSchemeFrameWithText(benchmark::State& state) {
    std::unique_ptr<Clock> clock = defaultClock();
    clock->append(std::make_unique<ClockText>());
    frame(state, *clock, false);
}
BENCHMARK(defaultSchemeFrameWithText)->Arg(200)->Unit(benchmark::kMicrosecond);

void firstFrame(benchmark::State& state) {
    std::unique_ptr<Clock> clock = defaultClock();
    frame(state, *clock, true);
}
BENCHMARK(firstFrame)->Arg(200)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
