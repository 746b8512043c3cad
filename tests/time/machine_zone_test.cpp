// The machine's zone from TZ, /etc/localtime and /etc/timezone, and its display name.
#include "time/machine_zone.h"
#include "time/system_zone_table.h"

#include <fstream>
#include <gtest/gtest.h>

namespace velmora {
namespace {

namespace fs = std::filesystem;

const fs::path kFixture = fs::path(VELMORA_TEST_DATA_DIR) / "zoneinfo";

class MachineZone : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("velmora-machine-zone-" +
                std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        sources_.localtime = dir_ / "localtime";
        sources_.timezoneFile = dir_ / "timezone";
        sources_.zoneinfo = kFixture;
    }
    void TearDown() override { fs::remove_all(dir_); }

    void writeTimezoneFile(const std::string& text) {
        std::ofstream(sources_.timezoneFile) << text;
    }

    fs::path dir_;
    MachineZoneSources sources_;
};

TEST_F(MachineZone, NothingGivesUtc) {
    EXPECT_EQ(machineZoneId(sources_), "UTC");
}

TEST_F(MachineZone, TzWinsWithOrWithoutColon) {
    writeTimezoneFile("Test/Fixed\n");
    sources_.tz = "Test/Central";
    EXPECT_EQ(machineZoneId(sources_), "Test/Central");
    sources_.tz = ":Test/Southern";
    EXPECT_EQ(machineZoneId(sources_), "Test/Southern");
    sources_.tz = ":" + (kFixture / "Test/Minutes").string();
    EXPECT_EQ(machineZoneId(sources_), "Test/Minutes");
    sources_.tz = "/usr/share/zoneinfo/posix/Europe/Paris";
    EXPECT_EQ(machineZoneId(sources_), "Europe/Paris");
}

TEST_F(MachineZone, EmptyTzFallsThrough) {
    sources_.tz = "";
    writeTimezoneFile("Test/Fixed\n");
    EXPECT_EQ(machineZoneId(sources_), "Test/Fixed");
    sources_.tz = ":";
    EXPECT_EQ(machineZoneId(sources_), "Test/Fixed");
}

TEST_F(MachineZone, LocaltimeLinkBelowZoneinfo) {
    writeTimezoneFile("Test/Fixed\n");
    fs::create_symlink(kFixture / "Test/Late", sources_.localtime);
    EXPECT_EQ(machineZoneId(sources_), "Test/Late");
}

TEST_F(MachineZone, TzNamingTheLocaltimeLink) {
    fs::create_symlink(kFixture / "Test/Late", sources_.localtime);
    sources_.tz = ":" + sources_.localtime.string();
    EXPECT_EQ(machineZoneId(sources_), "Test/Late");
}

TEST_F(MachineZone, RelativeLocaltimeLinkIntoAnyZoneinfoFolder) {
    fs::create_directories(dir_ / "usr/share/zoneinfo/right/America");
    fs::create_directories(dir_ / "etc");
    sources_.localtime = dir_ / "etc/localtime";
    fs::create_symlink("../usr/share/zoneinfo/right/America/Nuuk", sources_.localtime);
    EXPECT_EQ(machineZoneId(sources_), "America/Nuuk");
}

TEST_F(MachineZone, LocaltimeNotALinkUsesTimezoneFile) {
    std::ofstream(sources_.localtime) << "TZif";
    writeTimezoneFile("  Test/Early  \n");
    EXPECT_EQ(machineZoneId(sources_), "Test/Early");
}

// Whatever way a tool changes the zone (a new link, a link swapped in by rename, a rewritten
// /etc/timezone), the stamp changes; reading it again without a change gives the same stamp.
TEST_F(MachineZone, StampChangesWithEveryWayOfChangingTheZone) {
    const std::string nothing = machineZoneStamp(sources_);
    EXPECT_EQ(machineZoneStamp(sources_), nothing);

    fs::create_symlink(kFixture / "Test/Late", sources_.localtime);
    const std::string linked = machineZoneStamp(sources_);
    EXPECT_NE(linked, nothing);
    EXPECT_EQ(machineZoneStamp(sources_), linked);

    fs::create_symlink(kFixture / "Test/Early", dir_ / "localtime.new");
    fs::rename(dir_ / "localtime.new", sources_.localtime);
    const std::string swapped = machineZoneStamp(sources_);
    EXPECT_NE(swapped, linked);

    writeTimezoneFile("Test/Early\n");
    const std::string written = machineZoneStamp(sources_);
    EXPECT_NE(written, swapped);
    // Same length, same second: the inode or the nanoseconds still tell.
    fs::remove(sources_.timezoneFile);
    writeTimezoneFile("Test/Fixed\n");
    EXPECT_NE(machineZoneStamp(sources_), written);
}

TEST_F(MachineZone, DisplayNameOfTheMachineZone) {
    std::vector<ZoneRecord> table;
    ASSERT_TRUE(readZoneTable(kFixture, table));
    sources_.tz = "Test/Southern";
    EXPECT_EQ(machineZoneDisplayName(table, sources_), u"(UTC+10:00) Test/Southern");
    // Link names find the entry of the zone they stand for.
    sources_.tz = "Etc/UTC";
    EXPECT_EQ(machineZoneDisplayName(table, sources_), u"(UTC+00:00) UTC");
    sources_.tz = "Test/Alias";
    EXPECT_EQ(machineZoneDisplayName(table, sources_), u"(UTC+01:00) Test/Central");
    sources_.tz = "Mars/Olympus_Mons";
    EXPECT_EQ(machineZoneDisplayName(table, sources_), u"");
    sources_.tz.reset();
    EXPECT_EQ(machineZoneDisplayName(table, sources_), u"(UTC+00:00) UTC");
    EXPECT_EQ(machineZoneDisplayName({}, sources_), u"");
}

TEST_F(MachineZone, CurrentSourcesReadTheEnvironment) {
    setenv("TZ", ":Test/Late", 1);
    setenv("TZDIR", kFixture.c_str(), 1);
    const auto sources = currentMachineZoneSources();
    EXPECT_EQ(sources.tz, ":Test/Late");
    EXPECT_EQ(sources.zoneinfo, kFixture);
    EXPECT_EQ(machineZoneId(), "Test/Late");
    std::vector<ZoneRecord> table;
    ASSERT_TRUE(readSystemZoneTable(table));
    EXPECT_EQ(machineZoneDisplayName(table), u"(UTC+02:00) Test/Late");
    unsetenv("TZ");
    unsetenv("TZDIR");
}

} // namespace
} // namespace velmora
