// The time zone dialog: opening it reads and sorts the whole zone table and fills five lists.
#include "app/dialogs/about_dialog.h"
#include "app/editor/timezones_dial.h"
#include "tests/clock/memory_settings.h"
#include "time/system_zone_table.h"
#include "time/zone_slots.h"

#include <QApplication>
#include <QComboBox>
#include <benchmark/benchmark.h>

namespace {

// From the menu command to the dialog on screen, its lists filled and laid out, and closed.
void openDialog(benchmark::State& state) {
    MemorySettings settings;
    std::vector<velmora::ZoneRecord> table;
    velmora::readSystemZoneTable(table);
    for (int slot = 0; slot < velmora::kZoneSlotCount; ++slot) {
        velmora::setZoneSlot(slot, table.empty() ? velmora::ZoneRecord{} : table.back());
    }
    int zones = 0;
    for (auto _ : state) {
        CTimezonesDial dial(settings);
        dial.show();
        QApplication::processEvents();
        zones = dial.zoneBox(4)->count();
        dial.reject();
    }
    state.counters["zones"] = zones;
}
BENCHMARK(openDialog)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TZ", "UTC");
    QApplication application(argc, argv);
    loadAppResources();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
