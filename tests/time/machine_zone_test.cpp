// The machine's zone from TZ, /etc/localtime and /etc/timezone, and its display name.
#include "tests/time/zone_test_rules.h"
#include "time/machine_zone.h"
#include "time/system_zone_table.h"

#include <fstream>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace velmora {
namespace {

namespace fs = std::filesystem;

const fs::path kFixture = fs::path(VELMORA_TEST_DATA_DIR) / "zoneinfo";

// The machine zone's abbreviation at the instant, by its history; empty when it has none.
std::string abbreviation(const MachineZoneSources& sources, const PackedDateTime& utc) {
    const auto history = machineZoneHistory(sources);
    return history != nullptr ? history->localTypeAt(utc).abbreviation : std::string();
}

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

// As the C library reads them: empty is UTC, a lone colon is the machine's default.
TEST_F(MachineZone, EmptyTzIsUtcAndALoneColonFallsThrough) {
    writeTimezoneFile("Test/Fixed\n");
    fs::create_symlink(kFixture / "Test/Late", sources_.localtime);
    sources_.tz = "";
    EXPECT_EQ(machineZoneId(sources_), "UTC");
    sources_.tz = ":";
    EXPECT_EQ(machineZoneId(sources_), "Test/Late");
    sources_.tz.reset();
    EXPECT_EQ(machineZoneId(sources_), "Test/Late");
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
    sources_.tz = "UTC";
    EXPECT_EQ(machineZoneDisplayName(table, sources_), u"(UTC+00:00) Etc/UTC");
    sources_.tz = "Test/Alias";
    EXPECT_EQ(machineZoneDisplayName(table, sources_), u"(UTC+01:00) Test/Central");
    sources_.tz = "Mars/Olympus_Mons";
    EXPECT_EQ(machineZoneDisplayName(table, sources_), u"");
    sources_.tz.reset();
    EXPECT_EQ(machineZoneDisplayName(table, sources_), u"(UTC+00:00) Etc/UTC");
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

// The ways a machine names its zone, each in a fake root: TZ in its three forms and as a rule,
// /etc/localtime as a link, a chain of links, a copy of a database file or an unknown file,
// and /etc/timezone when nothing else tells.
class MachineZoneRoot : public testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("velmora-machine-root-" +
                 std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "etc");
        fs::create_directories(root_ / "usr/share");
        fs::copy(kFixture, root_ / "usr/share/zoneinfo", fs::copy_options::recursive);
        sources_ = machineZoneSourcesBelow(root_);
        ASSERT_TRUE(readZoneTable(sources_.zoneinfo, table_));
    }
    void TearDown() override { fs::remove_all(root_); }

    std::u16string displayName() { return machineZoneDisplayName(table_, sources_); }

    fs::path root_;
    MachineZoneSources sources_;
    std::vector<ZoneRecord> table_;
};

constexpr PackedDateTime kWinter{20260115, 12000000};
constexpr PackedDateTime kSummer{20260715, 12000000};

TEST_F(MachineZoneRoot, TzAsIdColonIdAndPath) {
    for (const std::string& tz :
         std::vector<std::string>{"Test/Southern", ":Test/Southern",
                                  (root_ / "usr/share/zoneinfo/Test/Southern").string(),
                                  ":" + (root_ / "usr/share/zoneinfo/Test/Southern").string()}) {
        sources_.tz = tz;
        EXPECT_EQ(machineZoneId(sources_), "Test/Southern") << tz;
        EXPECT_EQ(displayName(), u"(UTC+10:00) Test/Southern") << tz;
        EXPECT_EQ(abbreviation(sources_, kWinter), "AEDT") << tz;
        EXPECT_EQ(abbreviation(sources_, kSummer), "AEST") << tz;
        EXPECT_FALSE(machineZoneOwnRecord(sources_).has_value());
    }
    // A link name is the zone it stands for.
    sources_.tz = "Test/Alias";
    EXPECT_EQ(displayName(), u"(UTC+01:00) Test/Central");
}

TEST_F(MachineZoneRoot, TzAsPosixRuleGetsARecordOfItsOwn) {
    const std::string rule = "CET-1CEST,M3.5.0,M10.5.0/3";
    sources_.tz = rule;
    EXPECT_EQ(machineZoneId(sources_), rule);
    const auto own = machineZoneOwnRecord(sources_);
    ASSERT_TRUE(own.has_value());
    EXPECT_EQ(own->displayNameView(), u"(UTC+01:00) CET-1CEST,M3.5.0,M10.5.0/3");
    EXPECT_EQ(own->rules, test::centralEurope());
    EXPECT_EQ(displayName(), own->displayNameView());
    EXPECT_EQ(abbreviation(sources_, kWinter), "CET");
    EXPECT_EQ(abbreviation(sources_, kSummer), "CEST");
    // The C library reads a rule only without the colon; a file of that name comes first.
    sources_.tz = ":" + rule;
    EXPECT_FALSE(machineZoneOwnRecord(sources_).has_value());
    EXPECT_EQ(displayName(), u"");
    EXPECT_EQ(abbreviation(sources_, kWinter), "");
    test::writeFile(sources_.zoneinfo / "XYZ3",
                    test::tzifBytes({}, {{7200, false, "XYZ"}}, "XYZ-2"));
    sources_.tz = "XYZ3";
    EXPECT_EQ(abbreviation(sources_, kWinter), "XYZ");
    EXPECT_FALSE(machineZoneOwnRecord(sources_).has_value());
}

// The table the clock and the dialog read holds the rule's record, so slot 0 finds it.
TEST_F(MachineZoneRoot, SystemTableHoldsTheRuleRecord) {
    setenv("TZ", "<+0330>-3:30", 1);
    setenv("TZDIR", sources_.zoneinfo.c_str(), 1);
    std::vector<ZoneRecord> table;
    ASSERT_TRUE(readSystemZoneTable(table));
    EXPECT_EQ(table.size(), table_.size() + 1);
    const std::u16string name = machineZoneDisplayName(table);
    EXPECT_EQ(name, u"(UTC+03:30) <+0330>-3:30");
    EXPECT_EQ(findZoneByDisplayName(table, name).rules.Bias, -210);
    EXPECT_EQ(abbreviation(currentMachineZoneSources(), kWinter), "+0330");
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    EXPECT_EQ(abbreviation(currentMachineZoneSources(), kSummer), "CEST");
    unsetenv("TZ");
    unsetenv("TZDIR");
}

TEST_F(MachineZoneRoot, LocaltimeLinkAndLinkToALink) {
    std::ofstream(sources_.timezoneFile) << "Test/Fixed\n";
    fs::create_symlink("../usr/share/zoneinfo/Test/Late", sources_.localtime);
    EXPECT_EQ(machineZoneId(sources_), "Test/Late");
    EXPECT_EQ(displayName(), u"(UTC+02:00) Test/Late");

    // /etc/localtime -> /etc/alternatives/tz -> zoneinfo/Test/Alias -> Test/Central
    fs::remove(sources_.localtime);
    fs::create_directories(root_ / "etc/alternatives");
    fs::create_symlink(sources_.zoneinfo / "Test/Alias", root_ / "etc/alternatives/tz");
    fs::create_symlink("alternatives/tz", sources_.localtime);
    EXPECT_EQ(displayName(), u"(UTC+01:00) Test/Central");
    fs::remove(sources_.zoneinfo / "Test/Alias");
    fs::create_symlink("Central", sources_.zoneinfo / "Test/Alias");
    EXPECT_EQ(machineZoneId(sources_), "Test/Central");
    EXPECT_EQ(abbreviation(sources_, kSummer), "CEST");
}

// Test/Alias and Test/Central hold the same bytes, so only following the links right tells
// which one the machine names; /etc/timezone names neither. Each link is (etc-relative path,
// target); relative targets are read from the folder of the link that holds them.
struct LinkChainCase {
    const char* name;
    std::vector<std::pair<std::string, std::string>> links;
    const char* expected;
};

class LinkChain : public MachineZoneRoot, public testing::WithParamInterface<LinkChainCase> {};

TEST_P(LinkChain, NamesTheZoneTheLinksLeadTo) {
    std::ofstream(sources_.timezoneFile) << "Test/Fixed\n";
    for (const auto& [link, target] : GetParam().links) {
        const fs::path at = root_ / link;
        fs::create_directories(at.parent_path());
        fs::remove(at);
        fs::create_symlink(target, at);
    }
    EXPECT_EQ(machineZoneId(sources_), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Chains, LinkChain,
    testing::Values(LinkChainCase{"OneRelativeHop",
                                  {{"etc/localtime", "../usr/share/zoneinfo/Test/Central"}},
                                  "Test/Central"},
                    LinkChainCase{"OneRelativeHopToTheFirstCopy",
                                  {{"etc/localtime", "../usr/share/zoneinfo/Test/Alias"}},
                                  "Test/Alias"},
                    LinkChainCase{
                        "TwoRelativeHopsFromTwoFolders",
                        {{"etc/localtime", "alternatives/tz"},
                         {"etc/alternatives/tz", "../../usr/share/zoneinfo/Test/Central"}},
                        "Test/Central"},
                    LinkChainCase{"LinkInsideTheDatabaseWins",
                                  {{"usr/share/zoneinfo/Test/Alias", "Central"},
                                   {"etc/localtime", "../usr/share/zoneinfo/Test/Alias"}},
                                  "Test/Central"},
                    LinkChainCase{"RelativeHopIntoThePosixTree",
                                  {{"usr/share/zoneinfo/posix", "."},
                                   {"etc/localtime", "../usr/share/zoneinfo/posix/Test/Central"}},
                                  "Test/Central"},
                    LinkChainCase{"LoopFallsBackToTheTimezoneFile",
                                  {{"etc/localtime", "zone"}, {"etc/zone", "localtime"}},
                                  "Test/Fixed"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MachineZoneRoot, LocaltimeCopiedFromTheDatabase) {
    fs::copy_file(sources_.zoneinfo / "Test/Minutes", sources_.localtime);
    EXPECT_EQ(machineZoneId(sources_), "Test/Minutes");
    EXPECT_EQ(displayName(), u"(UTC+12:45) Test/Minutes");
    EXPECT_FALSE(machineZoneOwnRecord(sources_).has_value());
    // Test/Alias is a copy of Test/Central: the name /etc/timezone gives is taken.
    fs::remove(sources_.localtime);
    fs::copy_file(sources_.zoneinfo / "Test/Central", sources_.localtime);
    EXPECT_EQ(machineZoneId(sources_), "Test/Central");
    std::ofstream(sources_.timezoneFile) << "Test/Alias\n";
    EXPECT_EQ(machineZoneId(sources_), "Test/Alias");
    EXPECT_EQ(displayName(), u"(UTC+01:00) Test/Central");
}

// A file of no zone of the database: its own footer is the rule, its own transitions the
// history.
TEST_F(MachineZoneRoot, LocaltimeOfUnknownContentUsesItsOwnRule) {
    std::ofstream(sources_.timezoneFile) << "Test/Fixed\n";
    test::writeFile(
        sources_.localtime,
        test::tzifBytes({{1700000000, 1}}, {{3600, false, "OLD"}, {7200, false, "NEW"}}, "NEW-2"));
    EXPECT_EQ(machineZoneId(sources_), "NEW-2");
    const auto own = machineZoneOwnRecord(sources_);
    ASSERT_TRUE(own.has_value());
    EXPECT_EQ(own->displayNameView(), u"(UTC+02:00) NEW-2");
    EXPECT_EQ(abbreviation(sources_, {20200101, 0}), "OLD");
    EXPECT_EQ(abbreviation(sources_, kWinter), "NEW");
    // The same as TZ names a file outside the database.
    sources_.tz = sources_.localtime.string();
    EXPECT_EQ(machineZoneId(sources_), "NEW-2");
}

TEST_F(MachineZoneRoot, TimezoneFileOnlyWhenNothingBetter) {
    std::ofstream(sources_.timezoneFile) << "Test/Fixed\n";
    EXPECT_EQ(machineZoneId(sources_), "Test/Fixed");
    EXPECT_EQ(abbreviation(sources_, kWinter), "-05");
    std::ofstream(sources_.localtime) << "not a zone file";
    EXPECT_EQ(machineZoneId(sources_), "Test/Fixed");
    fs::remove(sources_.localtime);
    fs::create_symlink(sources_.zoneinfo / "Test/Early", sources_.localtime);
    EXPECT_EQ(machineZoneId(sources_), "Test/Early");
    sources_.tz = "Test/Late";
    EXPECT_EQ(machineZoneId(sources_), "Test/Late");
    sources_.tz = "Mars/Olympus_Mons";
    EXPECT_EQ(machineZoneId(sources_), "Mars/Olympus_Mons");
    EXPECT_EQ(displayName(), u"");
    EXPECT_EQ(machineZoneHistory(sources_), nullptr);
}

} // namespace
} // namespace velmora
