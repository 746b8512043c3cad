// The zone table read from a zoneinfo folder: the fixture, and the machine's own tzdata.
#include "tests/time/zone_test_rules.h"
#include "time/system_zone_table.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <set>

namespace velmora {
namespace {

using test::makeRules;
using test::yearlyRule;

const std::filesystem::path kFixture = std::filesystem::path(VELMORA_TEST_DATA_DIR) / "zoneinfo";
const std::filesystem::path kSystemZoneinfo = "/usr/share/zoneinfo";

std::vector<std::string> standardNames(const std::vector<ZoneRecord>& table) {
    std::vector<std::string> names;
    for (const auto& r : table) {
        names.push_back(utf16ToUtf8(r.standardNameView()));
    }
    return names;
}

// Every zone tzdata.zi defines (links are no zones), in the order of the dialog: display names
// compared by code unit, so "+" offsets come before "-" ones.
TEST(SystemZoneTable, FixtureZonesSortedByDisplayName) {
    EXPECT_EQ(listZoneIds(kFixture),
              (std::vector<std::string>{"Etc/UTC", "Test/Central", "Test/Early", "Test/Fixed",
                                        "Test/Julian", "Test/Late", "Test/Minutes", "Test/Negative",
                                        "Test/Southern"}));
    std::vector<ZoneRecord> table;
    std::vector<ZoneLoadNote> notes;
    ASSERT_TRUE(readZoneTable(kFixture, table, &notes));
    const std::vector<std::string> expected = {"Etc/UTC",      "Test/Central", "Test/Negative",
                                               "Test/Late",    "Test/Julian",  "Test/Southern",
                                               "Test/Minutes", "Test/Early",   "Test/Fixed"};
    EXPECT_EQ(standardNames(table), expected);
    EXPECT_EQ(notes.size(), expected.size());
}

// Without tzdata.zi every TZif file of the tree is a zone, except symbolic links, the "posix"
// and "right" copies, "localtime" and "posixrules"; files of other kinds are skipped.
TEST(SystemZoneTable, ZoneTreeWithoutTzdataZi) {
    const auto dir = std::filesystem::temp_directory_path() / "velmora-zone-tree";
    std::filesystem::remove_all(dir);
    const auto zone = test::tzifBytes({}, {{3600, false, "CET"}}, "CET-1");
    for (const char* id : {"Europe/Here", "CET", "posix/Europe/Here", "right/Europe/Here",
                           "localtime", "posixrules"}) {
        test::writeFile(dir / id, zone);
    }
    std::ofstream(dir / "zone.tab") << "XA\t+0\tEurope/Here\n";
    std::filesystem::create_symlink("Here", dir / "Europe/There");
    EXPECT_EQ(listZoneIds(dir), (std::vector<std::string>{"CET", "Europe/Here"}));
    std::filesystem::remove_all(dir);
}

TEST(SystemZoneTable, FixtureRecords) {
    std::vector<ZoneRecord> table;
    ASSERT_TRUE(readZoneTable(kFixture, table));
    const auto& central = *findZoneByStandardName(table, u"Test/Central");
    EXPECT_EQ(central.displayNameView(), u"(UTC+01:00) Test/Central");
    EXPECT_EQ(central.rules, makeRules(-60, -60, yearlyRule(3, 5, 0, 2), yearlyRule(10, 5, 0, 3)));
    const auto& fixed = *findZoneByStandardName(table, u"Test/Fixed");
    EXPECT_EQ(fixed.displayNameView(), u"(UTC-05:00) Test/Fixed");
    EXPECT_EQ(fixed.rules.Bias, 300);
    EXPECT_EQ(fixed.rules.DaylightDate.wMonth, 0);
    const auto& minutes = *findZoneByStandardName(table, u"Test/Minutes");
    EXPECT_EQ(minutes.displayNameView(), u"(UTC+12:45) Test/Minutes");
    const auto& utc = *findZoneByStandardName(table, u"Etc/UTC");
    EXPECT_EQ(utc.displayNameView(), u"(UTC+00:00) Etc/UTC");
    EXPECT_EQ(utc.rules, ZoneRules{});
}

// Julian-day rules cannot be written as a yearly rule: the zone keeps its standard offset.
TEST(SystemZoneTable, JulianFooterFallsBackToStandardOffset) {
    std::vector<ZoneRecord> table;
    std::vector<ZoneLoadNote> notes;
    ASSERT_TRUE(readZoneTable(kFixture, table, &notes));
    std::vector<std::string> fallbacks;
    for (const auto& n : notes) {
        if (n.conversion == RuleConversion::JulianFallback) {
            fallbacks.push_back(n.id);
        }
    }
    EXPECT_EQ(fallbacks, std::vector<std::string>{"Test/Julian"});
    const auto& julian = *findZoneByStandardName(table, u"Test/Julian");
    EXPECT_EQ(julian.rules.Bias, -210);
    EXPECT_EQ(julian.rules.DaylightDate.wMonth, 0);
}

std::vector<std::uint8_t> tzifWithFooter(std::int32_t utOffset, const std::string& footer) {
    return test::tzifBytes({}, {{utOffset, false, "ABC"}}, footer);
}

TEST(SystemZoneTable, EmptyFooterKeepsLastOffsetAndBadFooterIsSkipped) {
    const auto dir = std::filesystem::temp_directory_path() / "velmora-zone-footers";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "Test");
    const auto write = [&](const std::string& id, const std::vector<std::uint8_t>& bytes) {
        std::ofstream(dir / id, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    };
    write("Test/Empty", tzifWithFooter(-(4 * 3600 + 30 * 60), ""));
    write("Test/Bad", tzifWithFooter(3600, "not a rule"));
    std::ofstream(dir / "tzdata.zi") << "Zone Test/Empty -4:30 - -0430\n"
                                        "Z Test/Bad 1 - ABC\nZ Test/Missing 0 - X\n";

    std::vector<ZoneRecord> table;
    std::vector<ZoneLoadNote> notes;
    ASSERT_TRUE(readZoneTable(dir, table, &notes));
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0].id, "Test/Bad");
    EXPECT_EQ(notes[0].outcome, ZoneLoadNote::Outcome::BadFooter);
    EXPECT_EQ(notes[0].footer, "not a rule");
    EXPECT_EQ(notes[1].outcome, ZoneLoadNote::Outcome::Loaded);
    EXPECT_EQ(notes[2].outcome, ZoneLoadNote::Outcome::Unreadable);
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0].displayNameView(), u"(UTC-04:30) Test/Empty");
    EXPECT_EQ(table[0].rules.Bias, 270);
    std::filesystem::remove_all(dir);
}

TEST(SystemZoneTable, MissingFolderGivesEmptyTable) {
    std::vector<ZoneRecord> table(3);
    EXPECT_FALSE(readZoneTable(kFixture / "nowhere", table));
    EXPECT_TRUE(table.empty());
}

TEST(SystemZoneTable, TzdirSelectsTheFolder) {
    const char* old = std::getenv("TZDIR");
    const std::string saved = old != nullptr ? old : "";
    setenv("TZDIR", kFixture.c_str(), 1);
    EXPECT_EQ(zoneinfoDirectory(), kFixture);
    std::vector<ZoneRecord> table;
    EXPECT_TRUE(readSystemZoneTable(table));
    EXPECT_EQ(table.size(), 9u);
    // Stored names that are links, or whose offset part is out of date, find their zone by the
    // links of the folder TZDIR names.
    EXPECT_EQ(findZoneByDisplayName(table, u"(UTC+00:00) UTC").standardNameView(), u"Etc/UTC");
    EXPECT_EQ(findZoneByDisplayName(table, u"(UTC+02:00) Test/Alias").standardNameView(),
              u"Test/Central");
    ASSERT_NE(findZoneByStandardName(table, u"Test/Alias"), nullptr);
    EXPECT_EQ(findZoneByStandardName(table, u"Test/Alias")->standardNameView(), u"Test/Central");
    setenv("TZDIR", "", 1);
    EXPECT_EQ(zoneinfoDirectory(), kSystemZoneinfo);
    if (old != nullptr) {
        setenv("TZDIR", saved.c_str(), 1);
    } else {
        unsetenv("TZDIR");
    }
}

TEST(SystemZoneTable, FindByDisplayName) {
    std::vector<ZoneRecord> table;
    ASSERT_TRUE(readZoneTable(kFixture, table));
    const auto links = readZoneLinks(kFixture);
    const auto find = [&](std::u16string_view name) {
        return std::u16string(findZoneByDisplayName(table, name, links).standardNameView());
    };
    EXPECT_EQ(find(u"(UTC+10:00) Test/Southern"), u"Test/Southern");
    // A database update changed the zone's offset since the name was stored.
    EXPECT_EQ(find(u"(UTC+09:30) Test/Southern"), u"Test/Southern");
    EXPECT_EQ(find(u"(UTC+05:00) Test/Alias"), u"Test/Central");
    EXPECT_EQ(find(u"(UTC+00:00) UTC"), u"Etc/UTC");
    // A bare id, as the tool and older settings give it.
    EXPECT_EQ(find(u"Test/Alias"), u"Test/Central");
    // A zone given by its POSIX rule gets its record back from the name alone.
    const ZoneRecord rule = findZoneByDisplayName(table, u"(UTC+01:00) CET-1CEST,M3.5.0,M10.5.0/3");
    EXPECT_EQ(rule.standardNameView(), u"CET-1CEST,M3.5.0,M10.5.0/3");
    EXPECT_EQ(rule.rules, makeRules(-60, -60, yearlyRule(3, 5, 0, 2), yearlyRule(10, 5, 0, 3)));
    EXPECT_EQ(findZoneByDisplayName(table, u"(UTC+10:00) Test/Nowhere", links), ZoneRecord{});
    EXPECT_EQ(findZoneByDisplayName(table, u"", links), ZoneRecord{});
    EXPECT_EQ(findZoneByDisplayName({}, u"(UTC+10:00) Test/Southern", links), ZoneRecord{});
}

TEST(SystemZoneTable, DisplayNames) {
    EXPECT_EQ(zoneDisplayName("Europe/Berlin", -60), u"(UTC+01:00) Europe/Berlin");
    EXPECT_EQ(zoneDisplayName("America/St_Johns", 210), u"(UTC-03:30) America/St Johns");
    EXPECT_EQ(zoneDisplayName("Pacific/Kiritimati", -840), u"(UTC+14:00) Pacific/Kiritimati");
    EXPECT_EQ(zoneDisplayName("UTC", 0), u"(UTC+00:00) UTC");
}

TEST(SystemZoneTable, LinksResolveToZones) {
    const auto links = readZoneLinks(kFixture);
    EXPECT_EQ(resolveZoneLink(links, "UTC"), "Etc/UTC");
    EXPECT_EQ(resolveZoneLink(links, "Test/Alias"), "Test/Central");
    EXPECT_EQ(resolveZoneLink(links, "Test/Central"), "Test/Central");
    EXPECT_EQ(resolveZoneLink({{"A", "B"}, {"B", "C"}}, "A"), "C");
    EXPECT_EQ(resolveZoneLink({{"A", "B"}, {"B", "A"}}, "A").size(), 1u);
    EXPECT_TRUE(readZoneLinks(kFixture / "nowhere").empty());
}

class SystemTzdata : public testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(kSystemZoneinfo / "zone1970.tab")) {
            GTEST_SKIP() << "no system tzdata";
        }
    }
};

TEST_F(SystemTzdata, EveryZoneLoadsWithUniqueNames) {
    std::vector<ZoneRecord> table;
    std::vector<ZoneLoadNote> notes;
    ASSERT_TRUE(readZoneTable(kSystemZoneinfo, table, &notes));
    EXPECT_EQ(table.size(), listZoneIds(kSystemZoneinfo).size());
    EXPECT_GT(table.size(), 400u);
    std::set<std::u16string> display;
    std::set<std::u16string> standard;
    for (const auto& r : table) {
        EXPECT_TRUE(display.insert(std::u16string(r.displayNameView())).second);
        EXPECT_TRUE(standard.insert(std::u16string(r.standardNameView())).second);
    }
    EXPECT_TRUE(std::is_sorted(table.begin(), table.end(), [](const auto& a, const auto& b) {
        return a.displayNameView() < b.displayNameView();
    }));
    // No zone of today's tzdata needs the Julian-day fallback; a new one would show up here.
    std::vector<std::string> fallbacks;
    for (const auto& n : notes) {
        EXPECT_EQ(n.outcome, ZoneLoadNote::Outcome::Loaded) << n.id;
        if (n.conversion != RuleConversion::Exact) {
            fallbacks.push_back(n.id + " " + n.footer);
        }
    }
    EXPECT_EQ(fallbacks, std::vector<std::string>{});
}

// The benchmark measures the real figure (about 5 ms in an optimised build); this only guards
// against a pathological slowdown, with room for sanitizer builds and a busy machine.
TEST_F(SystemTzdata, BuildsQuickly) {
    std::vector<ZoneRecord> table;
    ASSERT_TRUE(readZoneTable(kSystemZoneinfo, table)); // warm the file cache
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(readZoneTable(kSystemZoneinfo, table));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(elapsed, std::chrono::milliseconds(500));
}

} // namespace
} // namespace velmora
