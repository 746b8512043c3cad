// LayerPlacement: the clock's place on the layer shell restored onto the outputs and saved
// under the window's settings.
#include "app/wayland/layer_placement.h"
#include "model/settings_keys.h"
#include "tests/clock/memory_settings.h"

#include <gtest/gtest.h>
#include <optional>
#include <ostream>

namespace {

using settings::PlacementPart;
constexpr std::string_view kClock = settings::kClockWindow;
const QList<QRect> kOutputs{QRect(0, 0, 640, 480), QRect(640, 0, 320, 240)};
const QRect kFallback(20, 30, 200, 200);

// Stored as four values rather than a QRect: far ones would overflow its right edge.
struct Stored {
    int x, y, w, h;
};
struct RestoreRow {
    const char* name;
    std::optional<Stored> stored;
    QRect expected;
};
void PrintTo(const RestoreRow& row, std::ostream* out) {
    *out << row.name;
}

class LayerPlacementTest : public testing::TestWithParam<RestoreRow> {};

TEST_P(LayerPlacementTest, RestoresOntoTheOutputs) {
    const RestoreRow& row = GetParam();
    MemorySettings store;
    LayerPlacement placement(store, kClock);
    if (row.stored) {
        const auto write = [&](PlacementPart part, int value) {
            store.writeInt(settings::windowLayoutKey(kClock, part), value);
        };
        write(PlacementPart::X, row.stored->x);
        write(PlacementPart::Y, row.stored->y);
        write(PlacementPart::W, row.stored->w);
        write(PlacementPart::H, row.stored->h);
    }
    EXPECT_EQ(placement.restore(kFallback, kOutputs, 32), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LayerPlacementTest,
    testing::Values(
        RestoreRow{"nothing_stored", std::nullopt, kFallback},
        RestoreRow{"on_the_first_output", Stored{100, 80, 150, 150}, QRect(100, 80, 150, 150)},
        RestoreRow{"on_the_second_output", Stored{700, 20, 100, 100}, QRect(700, 20, 100, 100)},
        RestoreRow{"on_an_output_since_removed", Stored{2000, 900, 100, 100},
                   QRect(540, 380, 100, 100)},
        RestoreRow{"empty_size", Stored{100, 80, 0, -5}, QRect(100, 80, 200, 200)},
        RestoreRow{"far_away", Stored{-2147483647, 2147483647, 100, 100}, QRect(0, 380, 100, 100)}),
    [](const testing::TestParamInfo<RestoreRow>& info) { return info.param.name; });

TEST(LayerPlacementSave, WritesTheWindowsFourValuesInOneUpdate) {
    struct Counting : MemorySettings {
        bool writeInts(std::span<const IntValue> values) override {
            ++updates;
            for (const IntValue& entry : values) {
                MemorySettings::writeInt(entry.key, entry.value);
            }
            return true;
        }
        int updates = 0;
    } store;
    LayerPlacement(store, kClock).save(QRect(160, 120, 210, 190));
    EXPECT_EQ(store.updates, 1);
    const auto read = [&](PlacementPart part) {
        return store.readInt(settings::windowLayoutKey(kClock, part), -1);
    };
    EXPECT_EQ(QRect(read(PlacementPart::X), read(PlacementPart::Y), read(PlacementPart::W),
                    read(PlacementPart::H)),
              QRect(160, 120, 210, 190));
}

} // namespace
