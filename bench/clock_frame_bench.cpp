// Frames of the clock: whole frames of the default scheme at two sizes, a frame with a text,
// the first frame that decodes and scales the background, and the frames the window draws
// each second, where only what changed is drawn again, and their painting into the window.
#include "app/presentation/frame_painting.h"
#include "clock/class_registration.h"
#include "clock/clock_text.h"
#include "model/percent_property.h"
#include "model/string_property.h"
#include "model/time_value_property.h"
#include "render/frame_renderer.h"
#include "render/qt_canvas.h"
#include "resources/default_scheme.h"
#include "time/packed_date_time.h"
#include "time/zone_slots.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
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

// One second after another, as the clock window draws them: recording, comparing, and
// drawing the changed boxes on a raster thread (the hand-over to it included).
void secondStep(benchmark::State& state) {
    std::unique_ptr<Clock> clock = defaultClock();
    const int side = static_cast<int>(state.range(0));
    FrameRenderer renderer;
    velmora::PackedDateTime utc = kMoment;
    renderer.render(*clock, QSize(side, side), 1, utc);
    std::int64_t pixels = 0;
    for (auto _ : state) {
        utc.time = utc.time % 100000000 / 10000 * 10000 + (utc.time / 100 % 100 + 1) % 60 * 100;
        for (const QRect& rect : renderer.render(*clock, QSize(side, side), 1, utc)) {
            pixels += static_cast<std::int64_t>(rect.width()) * rect.height();
        }
    }
    state.counters["pixels"] =
        benchmark::Counter(static_cast<double>(pixels), benchmark::Counter::kAvgIterations);
}
BENCHMARK(secondStep)->Arg(200)->Arg(1000)->Unit(benchmark::kMicrosecond);

// The built-in scheme with its second hands moving continuously, at the size and frames a second
// given: 60, a frame each refresh of a 60 Hz display, as smooth motion draws them, or 10, as
// without it. Each frame records, compares and draws the changed strips.
void smoothStep(benchmark::State& state) {
    std::unique_ptr<Clock> clock = defaultClock();
    for (const auto& child : clock->children()) {
        auto* element = dynamic_cast<PropertyMap*>(child.get());
        auto* time =
            element != nullptr ? element->findChildAs<TimeValueProperty>(u"TimeValue") : nullptr;
        if (time != nullptr && time->value() == static_cast<int>(velmora::TimeValueKind::Second)) {
            time->setValue(static_cast<int>(velmora::TimeValueKind::SecondContinuous));
        }
    }
    const int side = static_cast<int>(state.range(0));
    FrameRenderer renderer;
    renderer.setKeepUnderlay(true);
    const auto start = std::chrono::system_clock::time_point(std::chrono::seconds(1'800'000'000));
    std::int64_t step = 0;
    renderer.render(*clock, QSize(side, side), 1, velmora::packedDateTimeFrom(start));
    std::int64_t pixels = 0;
    std::int64_t rects = 0;
    for (auto _ : state) {
        const auto at = start + std::chrono::nanoseconds(++step * 1'000'000'000 / state.range(1));
        const QRegion redrawn =
            renderer.render(*clock, QSize(side, side), 1, velmora::packedDateTimeFrom(at));
        for (const QRect& rect : redrawn) {
            pixels += static_cast<std::int64_t>(rect.width()) * rect.height();
        }
        rects += redrawn.rectCount();
    }
    state.counters["pixels"] =
        benchmark::Counter(static_cast<double>(pixels), benchmark::Counter::kAvgIterations);
    state.counters["rects"] =
        benchmark::Counter(static_cast<double>(rects), benchmark::Counter::kAvgIterations);
    state.counters["underlay"] = static_cast<double>(renderer.underlayCommands());
}
BENCHMARK(smoothStep)
    ->ArgNames({"side", "fps"})
    ->Args({200, 60})
    ->Args({800, 60})
    ->Args({800, 10})
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMicrosecond);

// A scheme of many texts, each showing the seconds at a place of its own: a second's frame as
// the window draws it (recording, comparing, drawing what changed), whose cost should grow with
// the number of elements and no faster.
void manyElementsSecond(benchmark::State& state) {
    std::unique_ptr<Clock> clock = defaultClock();
    const auto count = static_cast<int>(state.range(0));
    for (int i = 0; i < count; ++i) {
        auto& text = static_cast<ClockText&>(*clock->append(std::make_unique<ClockText>()));
        text.findChildAs<StringProperty>(u"Fmt")->setValue(u"%S");
        text.findChildAs<PercentProperty>(u"dX")->setValue(i % 181 - 90);
        text.findChildAs<PercentProperty>(u"dY")->setValue(i / 181 % 181 - 90);
    }
    const QSize pixels(400, 400);
    FrameRenderer renderer;
    velmora::PackedDateTime utc = kMoment;
    renderer.render(*clock, pixels, 1, utc);
    for (auto _ : state) {
        utc.time = utc.time % 100000000 / 10000 * 10000 + (utc.time / 100 % 100 + 1) % 60 * 100;
        renderer.render(*clock, pixels, 1, utc);
    }
    state.counters["per_element"] = benchmark::Counter(
        static_cast<double>(count),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(manyElementsSecond)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

// Painting each second's changed boxes into the window, over transparent pixels (a compositor
// blends) or over the desktop's background (none does); the frame itself is drawn beforehand.
void paintSecond(benchmark::State& state) {
    std::unique_ptr<Clock> clock = defaultClock();
    const QSize size(200, 200);
    QImage backdrop;
    if (state.range(0) != 0) {
        backdrop = QImage(size, QImage::Format_RGB32);
        backdrop.fill(qRgb(48, 96, 192));
    }
    QImage window(size, QImage::Format_ARGB32_Premultiplied);
    FrameRenderer renderer;
    velmora::PackedDateTime utc = kMoment;
    renderer.render(*clock, size, 1, utc);
    std::vector<QRegion> seconds;
    std::vector<QImage> frames;
    for (int second = 0; second < 60; ++second) {
        utc.time = utc.time % 100000000 / 10000 * 10000 + (utc.time / 100 % 100 + 1) % 60 * 100;
        seconds.push_back(renderer.render(*clock, size, 1, utc));
        frames.push_back(renderer.frame().copy());
    }
    std::size_t at = 0;
    for (auto _ : state) {
        QPainter painter(&window);
        for (const QRect& rect : seconds[at]) {
            paintFrameArea(painter, frames[at], backdrop, rect, 1);
        }
        at = (at + 1) % seconds.size();
    }
}
BENCHMARK(paintSecond)->ArgName("backdrop")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
