// The zone finder gives the records the whole system zone table gives, for every kind of name.
#include "time/machine_zone.h"
#include "time/system_zone_table.h"
#include "time/zone_finder.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <unistd.h>

namespace velmora {
namespace {

namespace fs = std::filesystem;

const fs::path kFixture = fs::path(VELMORA_TEST_DATA_DIR) / "zoneinfo";

// Stored slot names of every kind the clock resolves.
const std::u16string kNames[] = {
    u"(UTC+10:00) Test/Southern",
    u"(UTC+09:30) Test/Southern", // the offset changed since the name was stored
    u"(UTC+05:00) Test/Alias",    // a link, under a stale offset
    u"(UTC+00:00) UTC",           // a link whose own file is a copy of its zone's
    u"Test/Alias",                // a bare id, as the tool and older settings give it
    u"(UTC+01:00) CET-1CEST,M3.5.0,M10.5.0/3",
    u"(UTC+03:30) <+0330>-3:30",
    u"(UTC+10:00) Test/Nowhere",
    u"(UTC+01:00) ",
    u"",
};

// Ids as the tool's --zone and convert take them.
const std::u16string kIds[] = {u"Test/Southern",
                               u"Test/Alias",
                               u"UTC",
                               u"CET-1CEST,M3.5.0,M10.5.0/3",
                               u"Mars/Olympus_Mons",
                               u""};

struct MachineRow {
    const char* name;
    const char* tz;
};

// Both paths read the folder TZDIR names and the machine zone TZ gives.
class ZoneFinderTest : public testing::TestWithParam<MachineRow> {
protected:
    void SetUp() override {
        savedTz_ = variable("TZ");
        savedTzdir_ = variable("TZDIR");
    }
    void TearDown() override {
        restore("TZ", savedTz_);
        restore("TZDIR", savedTzdir_);
    }
    static std::optional<std::string> variable(const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
    }
    static void restore(const char* name, const std::optional<std::string>& value) {
        if (value) {
            ::setenv(name, value->c_str(), 1);
        } else {
            ::unsetenv(name);
        }
    }
    // Every name, and the machine zone's, resolved both ways.
    static void expectSameAsTheWholeTable(const fs::path& dir) {
        ::setenv("TZDIR", dir.c_str(), 1);
        std::vector<ZoneRecord> table;
        readSystemZoneTable(table);
        ZoneFinder zones;
        const std::u16string machine = machineZoneDisplayName(table);
        EXPECT_EQ(machineZoneDisplayName(zones, currentMachineZoneSources()), machine);
        EXPECT_EQ(zones.findByDisplayName(machine), findZoneByDisplayName(table, machine));
        for (const std::u16string& name : kNames) {
            SCOPED_TRACE(utf16ToUtf8(name));
            EXPECT_EQ(zones.findByDisplayName(name), findZoneByDisplayName(table, name));
        }
        for (const std::u16string& id : kIds) {
            SCOPED_TRACE(utf16ToUtf8(id));
            const ZoneRecord* found = zones.findByStandardName(id);
            const ZoneRecord* expected = findZoneByStandardName(table, id);
            ASSERT_EQ(found == nullptr, expected == nullptr);
            if (found != nullptr) {
                EXPECT_EQ(*found, *expected);
            }
        }
    }

    std::optional<std::string> savedTz_;
    std::optional<std::string> savedTzdir_;
};

TEST_P(ZoneFinderTest, FindsWhatTheWholeTableFinds) {
    ::setenv("TZ", GetParam().tz, 1);
    expectSameAsTheWholeTable(kFixture);
}

TEST_P(ZoneFinderTest, LeavesOutUnreadableZonesAndFindsNothingWithoutAZoneList) {
    // ctest runs the rows side by side.
    const fs::path dir =
        fs::temp_directory_path() / ("velmora-zone-finder-test-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::copy(kFixture, dir, fs::copy_options::recursive);
    // Listed zones whose file is broken or gone are no entries of the table.
    std::ofstream(dir / "Test/Southern", std::ios::trunc) << "not a zone file";
    fs::remove(dir / "Test/Central");
    ::setenv("TZ", GetParam().tz, 1);
    expectSameAsTheWholeTable(dir);
    fs::remove(dir / "tzdata.zi");
    fs::remove_all(dir / "Test");
    fs::remove_all(dir / "Etc");
    fs::remove(dir / "UTC");
    expectSameAsTheWholeTable(dir);
    fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(MachineZones, ZoneFinderTest,
                         testing::Values(MachineRow{"Zone", "Test/Southern"},
                                         MachineRow{"Link", "Test/Alias"},
                                         MachineRow{"LinkWithItsOwnFile", "UTC"},
                                         MachineRow{"Rule", "CET-1CEST,M3.5.0,M10.5.0/3"},
                                         MachineRow{"Unknown", "Mars/Olympus_Mons"}),
                         [](const testing::TestParamInfo<MachineRow>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace velmora
