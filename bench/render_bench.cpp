// Drawing speed of the Qt canvas: the default scheme's hands over its background, and a text.
#include "render/qt_canvas.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace {

struct Hand {
    std::uint32_t argb;
    float begin;
    float end;
    float thickness;
    float degrees;
    float shadow;
};

// The default scheme's nine hands at 10:08:37: shadows, hour, minute, second and centre dots.
constexpr Hand kHands[] = {
    {0x64000000, -15, 50, 9, 304, 1}, {0xFFFFFFFF, -15, 50, 9, 304, 0},
    {0x64000000, -15, 78, 6, 48, 1},  {0xFFFFFFFF, -15, 78, 6, 48, 0},
    {0x64000000, -15, 85, 4, 222, 1}, {0x64000000, 0, 0, 15, 0, 1},
    {0xFFFF6820, -15, 85, 3, 222, 0}, {0xFFFF6820, 0, 0, 15, 0, 0},
    {0xFF000000, 0, 0, 2, 0, 0},
};

void drawFrame(QImage& target, const CanvasImage& background) {
    QtCanvas canvas(target);
    canvas.setSmoothingMode(2);
    canvas.setTextAntialias(true);
    canvas.drawImage(background, 0, 0);
    const float radius = std::min(target.width(), target.height()) * 0.5f;
    const float cx = target.width() / 2;
    const float cy = target.height() / 2;
    for (const Hand& hand : kHands) {
        const float g = hand.degrees * 3.14159265f / 180;
        const float x = cx + radius * hand.shadow / 100;
        const float y = cy + radius * 2 * hand.shadow / 100;
        PointF from{x + std::sin(g) * radius * hand.begin / 100,
                    y - std::cos(g) * radius * hand.begin / 100};
        const PointF to{x + std::sin(g) * radius * hand.end / 100,
                        y - std::cos(g) * radius * hand.end / 100};
        if (from == to) {
            from.y -= 1;
        }
        const LineCap cap =
            hand.thickness == 4 || hand.thickness == 3 ? LineCap::Flat : LineCap::Round;
        canvas.drawLine(Pen{hand.argb, radius * hand.thickness / 100, cap, cap}, from, to);
    }
}

void defaultFrame(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    QImage dial(side, side, QImage::Format_ARGB32_Premultiplied);
    dial.fill(0xFF405060);
    const QtCanvasImage background(dial);
    QImage target(side, side, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        target.fill(Qt::transparent);
        drawFrame(target, background);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(defaultFrame)->Arg(200)->Arg(1000)->Unit(benchmark::kMicrosecond);

void cachedText(benchmark::State& state) {
    QImage target(200, 200, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::transparent);
    QtCanvas canvas(target);
    const FontSpec font{u"Tahoma", 5, false, false};
    for (auto _ : state) {
        const std::optional<SizeF> box = canvas.measureText(font, u"14.03.2007");
        canvas.drawText(font, 0xFF000000, u"14.03.2007",
                        {(200 - box->width) / 2, (200 - box->height) / 2});
    }
}
BENCHMARK(cachedText)->Unit(benchmark::kMicrosecond);

// What a frame pays when its canvas, and so its font, is new.
void textOnNewCanvas(benchmark::State& state) {
    QImage target(200, 200, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::transparent);
    const FontSpec font{u"Tahoma", 5, false, false};
    for (auto _ : state) {
        QtCanvas canvas(target);
        const std::optional<SizeF> box = canvas.measureText(font, u"14.03.2007");
        canvas.drawText(font, 0xFF000000, u"14.03.2007",
                        {(200 - box->width) / 2, (200 - box->height) / 2});
    }
}
BENCHMARK(textOnNewCanvas)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    // Fonts need a QGuiApplication; benchmarks run headless.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
