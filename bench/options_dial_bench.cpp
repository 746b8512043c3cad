// The customize dialog: rebuilding the tree after a toolbar command, on the built-in scheme
// and on a scheme of 200 elements, the way from a committed edit to the frame on screen, and
// selecting an element by a click on the clock.
#include "app/dialogs/about_dialog.h"
#include "app/editor/options_dial.h"
#include "app/window/editor_module.h"
#include "app/window/velmora_dlg.h"
#include "clock/class_registration.h"
#include "clock/clock_hand.h"
#include "resources/default_scheme.h"
#include "tests/app/window/clock_window_probe.h"
#include "tests/clock/memory_settings.h"

#include <QApplication>
#include <QMouseEvent>
#include <benchmark/benchmark.h>

namespace {

ClockObject* firstElement(Clock& clock) {
    for (const auto& child : clock.children()) {
        if (child->isKindOf(ClockObject::kTypeName)) {
            return static_cast<ClockObject*>(child.get());
        }
    }
    return nullptr;
}

// Moves the first element down and back up: two real commands, each ending in a rebuild.
void rebuildAfterCommand(benchmark::State& state) {
    MemorySettings settings;
    Clock clock;
    std::unique_ptr<Clock> defaults = readDefaultScheme();
    clock.adopt(*defaults);
    for (int i = 0; i < state.range(0); ++i) {
        clock.append(std::make_unique<ClockHand>());
    }
    std::size_t elements = 0;
    for (const auto& child : clock.children()) {
        elements += child->isKindOf(ClockObject::kTypeName) ? 1 : 0;
    }
    COptionsDial dial(clock, settings);
    auto* row = static_cast<COptionTreeItem*>(firstElement(clock)->item());
    dial.tree()->selectItems(nullptr, false);
    row->setMarked(true);
    dial.treeNotify(*dial.tree(), OptionTreeNotify::kSelectionChanged, row);
    bool down = true;
    for (auto _ : state) {
        dial.runCommand(down ? COptionsDial::MoveDown : COptionsDial::MoveUp);
        // The events the new rows posted are handled before the next click, as the event
        // loop does; their cost is counted.
        QApplication::processEvents();
        down = !down;
    }
    state.counters["elements"] = static_cast<double>(elements);
}
BENCHMARK(rebuildAfterCommand)->Arg(0)->Arg(191)->Unit(benchmark::kMillisecond);

// A colour committed in the tree, applied to the clock, drawn and painted by the window.
void editToFrame(benchmark::State& state) {
    MemorySettings settings;
    CVelmoraDlg window(settings);
    const ClockWindowProbe probe(window);
    window.initialize();
    QApplication::processEvents();
    probe.runCommand(MenuCommand::Customize);
    auto* dial = qobject_cast<COptionsDial*>(probe.dialogs().optionsDialog());
    ClockObject* hand = firstElement(probe.clock());
    COptionTreeItem* colour = static_cast<COptionTreeItem*>(hand->item())->firstChild();
    std::uint32_t rgb = 0x102030;
    for (auto _ : state) {
        rgb ^= 0x00FFFF;
        colour->setColor(rgb);
        dial->treeNotify(*dial->tree(), OptionTreeNotify::kItemChanged, colour);
        QApplication::processEvents();
    }
    state.counters["frames"] = probe.framesDrawn();
}
BENCHMARK(editToFrame)->Unit(benchmark::kMillisecond);

// A click on the clock that picks the second hand and selects its row in the open dialog.
void selectByClickOnClock(benchmark::State& state) {
    MemorySettings settings;
    ClockWindowOptions options;
    options.wallClock = [] {
        return std::chrono::system_clock::time_point(std::chrono::seconds(1'800'000'015));
    };
    CVelmoraDlg window(settings, std::move(options));
    const ClockWindowProbe probe(window);
    window.initialize();
    QApplication::processEvents();
    probe.runCommand(MenuCommand::Customize);
    auto* dial = qobject_cast<COptionsDial*>(probe.dialogs().optionsDialog());
    Clock& clock = probe.clock();
    ClockObject* hand = nullptr;
    // The second hand, the last hand that shows seconds; drawn over its shadow.
    for (const auto& child : clock.children()) {
        auto* element = static_cast<ClockObject*>(child.get());
        if (child->isKindOf(ClockHand::kTypeName) &&
            element->timeValueKind() == velmora::TimeValueKind::Second) {
            hand = element;
        }
    }
    const velmora::PackedDateTime utc = velmora::packedDateTimeFrom(
        std::chrono::system_clock::time_point(std::chrono::seconds(1'800'000'015)));
    const PointF onHand = clock.pointAt(hand->timeValueKind(), utc, 60, 0, 0).point;
    const QPointF at(onHand.x / window.devicePixelRatioF(), onHand.y / window.devicePixelRatioF());
    for (auto _ : state) {
        QMouseEvent press(QEvent::MouseButtonPress, at, window.mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, window.mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &release);
    }
    state.counters["picked"] = dial->selectedElement() == hand ? 1 : 0;
}
BENCHMARK(selectByClickOnClock)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    loadAppResources();
    registerSchemeClasses();
    EditorModule::useLinked(velmoraClockEditor());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
