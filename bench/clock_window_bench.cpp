// The clock window's start, with the built-in scheme and with a stored scheme whose background
// would take minutes to decode (left out, refused by its decode budget), and a resize of that
// window: none may wait for the decode.
#include "app/dialogs/about_dialog.h"
#include "app/window/velmora_dlg.h"
#include "clock/class_registration.h"
#include "clock/clock.h"
#include "clock/scheme_file.h"
#include "model/file_property.h"
#include "model/utf.h"
#include "tests/clock/memory_settings.h"
#include "tests/image_bombs.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A scheme whose background is a progressive JPEG of far more scans than the budget allows.
std::u16string schemeOverTheDecodeBudget(const QTemporaryDir& folder) {
    const QString image = folder.filePath("bomb.jpg");
    QFile file(image);
    if (!file.open(QIODevice::WriteOnly)) {
        return {};
    }
    file.write(image_bombs::jpegScanBomb(5600, 20000));
    file.close();
    Clock clock;
    clock.findChildAs<FileProperty>(u"BackgroundImage")->chooseSource(image.toStdU16String());
    const std::string scheme = folder.filePath("bomb.Velmora").toStdString();
    std::string error;
    return saveSchemeFile(clock, scheme, &error) ? fromPath(scheme) : std::u16string();
}

// Windows started and ended, each with the scheme stored as the last one loaded (none: the
// built-in one).
void starts(benchmark::State& state, const std::u16string& scheme) {
    for (auto _ : state) {
        MemorySettings settings;
        if (!scheme.empty()) {
            settings.writeText(settings::kSchemeLoaded, scheme);
        }
        CVelmoraDlg window(settings);
        window.initialize();
        QApplication::processEvents();
    }
}

void startWithTheBuiltInScheme(benchmark::State& state) {
    starts(state, {});
}
BENCHMARK(startWithTheBuiltInScheme)->Unit(benchmark::kMillisecond);

void startWithABackgroundOverTheDecodeBudget(benchmark::State& state) {
    QTemporaryDir folder;
    const std::u16string scheme = schemeOverTheDecodeBudget(folder);
    if (scheme.empty()) {
        state.SkipWithError("cannot write the scheme");
        return;
    }
    starts(state, scheme);
}
BENCHMARK(startWithABackgroundOverTheDecodeBudget)->Unit(benchmark::kMillisecond);

void resizeWithABackgroundOverTheDecodeBudget(benchmark::State& state) {
    QTemporaryDir folder;
    const std::u16string scheme = schemeOverTheDecodeBudget(folder);
    if (scheme.empty()) {
        state.SkipWithError("cannot write the scheme");
        return;
    }
    MemorySettings settings;
    settings.writeText(settings::kSchemeLoaded, scheme);
    CVelmoraDlg window(settings);
    window.initialize();
    QApplication::processEvents();
    int side = 200;
    for (auto _ : state) {
        side = side == 200 ? 300 : 200;
        window.resize(side, side);
        QApplication::processEvents();
    }
}
BENCHMARK(resizeWithABackgroundOverTheDecodeBudget)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    loadAppResources();
    registerSchemeClasses();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
