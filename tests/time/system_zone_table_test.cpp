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

TEST(SystemZoneTable, FixtureInListOrderPlusUtc) {
    std::vector<ZoneRecord> table;
    std::vector<ZoneLoadNote> notes;
    ASSERT_TRUE(readZoneTable(kFixture, table, &notes));
    const std::vector<std::string> expected = {"Test/Central", "Test/Southern", "Test/Fixed",
                                               "Test/Julian",  "Test/Early",    "Test/Late",
                                               "Test/Minutes", "Test/Negative", "UTC"};
    EXPECT_EQ(standardNames(table), expected);
    ASSERT_EQ(notes.size(), expected.size() + 1);
    EXPECT_EQ(notes[8].id, "Test/Missing");
    EXPECT_EQ(notes[8].outcome, ZoneLoadNote::Outcome::Unreadable);
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
    const auto& utc = *findZoneByStandardName(table, u"UTC");
    EXPECT_EQ(utc.displayNameView(), u"(UTC+00:00) UTC");
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

// A TZif version 2 file without transitions: one local time type and the given footer.
std::vector<std::uint8_t> tzifWithFooter(std::int32_t utOffset, const std::string& footer) {
    std::vector<std::uint8_t> bytes;
    for (int block = 0; block < 2; ++block) {
        const std::size_t header = bytes.size();
        bytes.insert(bytes.end(), {'T', 'Z', 'i', 'f', '2'});
        bytes.resize(header + 44, 0);
        bytes[header + 39] = 1; // typecnt
        bytes[header + 43] = 4; // charcnt
        const auto u = static_cast<std::uint32_t>(utOffset);
        bytes.insert(bytes.end(),
                     {static_cast<std::uint8_t>(u >> 24), static_cast<std::uint8_t>(u >> 16),
                      static_cast<std::uint8_t>(u >> 8), static_cast<std::uint8_t>(u), 0, 0, 'A',
                      'B', 'C', 0});
    }
    bytes.push_back('\n');
    bytes.insert(bytes.end(), footer.begin(), footer.end());
    bytes.push_back('\n');
    return bytes;
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
    std::ofstream(dir / "zone.tab") << "XA\t+0\tTest/Empty\nXB\t+0\tTest/Bad\n";

    std::vector<ZoneRecord> table;
    std::vector<ZoneLoadNote> notes;
    ASSERT_TRUE(readZoneTable(dir, table, &notes));
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0].outcome, ZoneLoadNote::Outcome::Loaded);
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].displayNameView(), u"(UTC-04:30) Test/Empty");
    EXPECT_EQ(table[0].rules.Bias, 270);
    EXPECT_EQ(table[1].standardNameView(), u"UTC");
    EXPECT_EQ(notes[1].outcome, ZoneLoadNote::Outcome::BadFooter);
    EXPECT_EQ(notes[1].footer, "not a rule");
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
    const ZoneRecord found = findZoneByDisplayName(table, u"(UTC+10:00) Test/Southern");
    EXPECT_EQ(found.standardNameView(), u"Test/Southern");
    EXPECT_EQ(findZoneByDisplayName(table, u"(UTC+10:00) Test/Nowhere"), ZoneRecord{});
    EXPECT_EQ(findZoneByDisplayName({}, u"(UTC+10:00) Test/Southern"), ZoneRecord{});
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

TEST_F(SystemTzdata, EveryListedZoneLoadsWithUniqueNames) {
    std::vector<ZoneRecord> table;
    std::vector<ZoneLoadNote> notes;
    ASSERT_TRUE(readZoneTable(kSystemZoneinfo, table, &notes));
    EXPECT_GT(table.size(), 300u);
    std::set<std::u16string> display;
    std::set<std::u16string> standard;
    for (const auto& r : table) {
        EXPECT_TRUE(display.insert(std::u16string(r.displayNameView())).second);
        EXPECT_TRUE(standard.insert(std::u16string(r.standardNameView())).second);
    }
    EXPECT_EQ(utf16ToUtf8(table.back().standardNameView()), "UTC");
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

TEST_F(SystemTzdata, KnownZones) {
    std::vector<ZoneRecord> table;
    ASSERT_TRUE(readZoneTable(kSystemZoneinfo, table));
    const auto* berlin = findZoneByStandardName(table, u"Europe/Berlin");
    ASSERT_NE(berlin, nullptr);
    EXPECT_EQ(berlin->displayNameView(), u"(UTC+01:00) Europe/Berlin");
    EXPECT_EQ(berlin->rules, makeRules(-60, -60, yearlyRule(3, 5, 0, 2), yearlyRule(10, 5, 0, 3)));
    const auto* kolkata = findZoneByStandardName(table, u"Asia/Kolkata");
    ASSERT_NE(kolkata, nullptr);
    EXPECT_EQ(kolkata->displayNameView(), u"(UTC+05:30) Asia/Kolkata");
    EXPECT_EQ(kolkata->rules.DaylightDate.wMonth, 0);
    const auto* newYork = findZoneByStandardName(table, u"America/New_York");
    ASSERT_NE(newYork, nullptr);
    EXPECT_EQ(newYork->displayNameView(), u"(UTC-05:00) America/New York");
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
