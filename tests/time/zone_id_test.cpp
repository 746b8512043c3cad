// The one check of zone ids, and that every way into the zone database goes through it.
#include "time/machine_zone.h"
#include "time/system_zone_table.h"
#include "time/zone_history.h"
#include "time/zone_id.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

const std::filesystem::path kFixture = std::filesystem::path(VELMORA_TEST_DATA_DIR) / "zoneinfo";

using namespace std::string_literals;

struct IdCase {
    const char* name;
    std::string id;
    bool viaTz = true; // TZ may name a zone file by its path, so an absolute one is no id there
};

// Each names a file that exists in the fixture once the unsafe part is cut off or resolved, so
// that only the check can refuse it.
const IdCase kUnsafeIds[] = {
    {"Empty", ""},
    {"Absolute", (kFixture / "Test/Central").string(), false},
    {"ParentFolder", "../zoneinfo/Test/Central"},
    {"ParentInside", "Test/../Test/Central"},
    {"NulCutsThePath", "Test/Central\0/x"s},
    {"TrailingNul", "Test/Central\0"s},
    {"Newline", "Test/Central\n"},
    {"Delete", "Test/Central\x7f"},
};

class UnsafeZoneId : public testing::TestWithParam<IdCase> {};

TEST_P(UnsafeZoneId, IsRefusedEverywhere) {
    const std::string& id = GetParam().id;
    EXPECT_FALSE(isSafeZoneId(id));
    EXPECT_EQ(loadZoneHistory(kFixture, id), nullptr);
    EXPECT_FALSE(readZoneRecord(kFixture, id).has_value());
    if (!GetParam().viaTz) {
        return;
    }
    MachineZoneSources sources;
    sources.localtime = kFixture / "missing-localtime";
    sources.timezoneFile = kFixture / "missing-timezone";
    sources.zoneinfo = kFixture;
    sources.tz = id;
    EXPECT_NE(machineZoneId(sources), "Test/Central");
}

INSTANTIATE_TEST_SUITE_P(Ids, UnsafeZoneId, testing::ValuesIn(kUnsafeIds),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ZoneId, OrdinaryIdsPass) {
    for (const char* id : {"UTC", "Test/Central", "America/Argentina/Buenos_Aires", "Etc/GMT+5",
                           "<+04>-4", "Test/a.b"}) {
        EXPECT_TRUE(isSafeZoneId(id)) << id;
    }
    EXPECT_TRUE(readZoneRecord(kFixture, "Test/Central").has_value());
}

} // namespace
} // namespace velmora
