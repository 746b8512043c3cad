// Zone histories: POSIX rules against the C library over many centuries, TZif transitions where
// a yearly rule cannot say what happened, and the zone slots that convert with them.
#include "tests/time/zone_test_rules.h"
#include "time/calendar.h"
#include "time/system_zone_table.h"
#include "time/zone_conversion.h"
#include "time/zone_history.h"
#include "time/zone_slots.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

namespace velmora {
namespace {

const std::filesystem::path kFixture = std::filesystem::path(VELMORA_TEST_DATA_DIR) / "zoneinfo";
const std::filesystem::path kSystemZoneinfo = "/usr/share/zoneinfo";

struct RuleCase {
    const char* name;
    const char* tz;
};

class PosixRuleHistory : public testing::TestWithParam<RuleCase> {
protected:
    void TearDown() override {
        unsetenv("TZ");
        tzset();
    }
};

// Every six hours of a few years, and a second either side of each change found, in years that
// the precomputed changes cover, that they do not (from 2200), and at their edge. The C library
// works out a rule's changes before 1970 as if in 1970, so earlier years are checked below.
TEST_P(PosixRuleHistory, AgreesWithTheCLibrary) {
    const auto history = ZoneHistory::fromPosixTz(GetParam().tz);
    ASSERT_TRUE(history.has_value());
    setenv("TZ", GetParam().tz, 1);
    tzset();
    int changes = 0;
    for (int year : {1970, 2026, 2028, 2199, 2200, 2500, 3999}) {
        const std::int64_t from = secondsSinceEpoch({packDate(year, 1, 1), 0});
        const std::int64_t to = secondsSinceEpoch({packDate(year + 1, 1, 1), 0});
        std::vector<std::int64_t> instants;
        for (std::int64_t t = from; t < to; t += 6 * 3600) {
            instants.push_back(t);
        }
        for (std::int64_t change : history->changesBetween(from, to)) {
            ++changes;
            instants.insert(instants.end(), {change - 1, change, change + 1});
        }
        for (std::int64_t t : instants) {
            const std::time_t tt = static_cast<std::time_t>(t);
            std::tm tm{};
            localtime_r(&tt, &tm);
            const PackedDateTime expected{packDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday),
                                          packTime(tm.tm_hour, tm.tm_min, tm.tm_sec, 0)};
            const PackedDateTime utc = packedFromSeconds(t);
            ASSERT_EQ(history->toZoneTime(utc), expected)
                << "UTC " << utc.date << " " << utc.time << ": " << history->toZoneTime(utc).date
                << " " << history->toZoneTime(utc).time << ", libc " << expected.time;
            ASSERT_EQ(history->localTypeAt(t).abbreviation, tm.tm_zone) << utc.date;
            ASSERT_EQ(history->localTypeAt(t).isDst, tm.tm_isdst > 0) << utc.date;
        }
    }
    RecordProperty("changes", changes);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PosixRuleHistory,
    testing::Values(RuleCase{"CentralEurope", "CET-1CEST,M3.5.0,M10.5.0/3"},
                    RuleCase{"UnitedStates", "EST5EDT,M3.2.0,M11.1.0"},
                    RuleCase{"Southern", "AEST-10AEDT,M10.1.0,M4.1.0/3"},
                    RuleCase{"NegativeSaving", "IST-1GMT0,M10.5.0,M3.5.0/1"},
                    RuleCase{"EarlyHour", "<-02>2<-01>,M3.5.0/-1,M10.5.0/0"},
                    RuleCase{"FiftyHours", "EET-2EEST,M3.4.4/50,M10.4.4/50"},
                    RuleCase{"QuarterHours", "<+1245>-12:45<+1345>,M9.5.0/2:45,M4.1.0/3:45"},
                    RuleCase{"JulianNoLeap", "<+0330>-3:30<+0430>,J80/0,J264/0"},
                    RuleCase{"JulianZeroBased", "AAA3BBB,79/2,263/2"},
                    RuleCase{"JulianAroundLeapDay", "<+03>-3<+04>,J59/0,J60/23"},
                    RuleCase{"ZeroBasedAroundLeapDay", "AAA3BBB,58/2,59/23"},
                    RuleCase{"LastWeekOfFebruary", "AAA3BBB,M2.5.2/2,M12.5.0/2"},
                    RuleCase{"Fixed", "<+0545>-5:45"}),
    [](const auto& info) { return std::string(info.param.name); });

// Each rule form at the days where leap and common years part: Jn never counts February 29,
// a zero-based n does, and a fifth week is the last one, February 29 included.
struct RuleDaysCase {
    const char* name;
    const char* tz; // standard time is UTC, daylight one hour ahead, changes at 0:00 local
    std::int32_t year;
    std::int32_t daylightFrom; // the local dates of the two changes
    std::int32_t daylightUntil;
};

class RuleDays : public testing::TestWithParam<RuleDaysCase> {};

TEST_P(RuleDays, ChangeOnTheirDays) {
    const RuleDaysCase& c = GetParam();
    const auto history = ZoneHistory::fromPosixTz(c.tz);
    ASSERT_TRUE(history.has_value());
    const std::int64_t from = secondsSinceEpoch({packDate(c.year, 1, 1), 0});
    const std::int64_t to = secondsSinceEpoch({packDate(c.year + 1, 1, 1), 0});
    const std::int64_t start = secondsSinceEpoch({c.daylightFrom, 0});
    // The end is at midnight of daylight time, an hour earlier in UTC.
    const std::int64_t end = secondsSinceEpoch({c.daylightUntil, 0}) - 3600;
    EXPECT_EQ(history->changesBetween(from, to), (std::vector<std::int64_t>{start, end}));
    EXPECT_FALSE(history->localTypeAt(start - 1).isDst);
    EXPECT_TRUE(history->localTypeAt(start).isDst);
    EXPECT_TRUE(history->localTypeAt(end - 1).isDst);
    EXPECT_FALSE(history->localTypeAt(end).isDst);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, RuleDays,
    testing::Values(
        RuleDaysCase{"J59Common", "AAA0BBB,J59/0,J365/0", 2026, 20260228, 20261231},
        RuleDaysCase{"J59Leap", "AAA0BBB,J59/0,J365/0", 2028, 20280228, 20281231},
        RuleDaysCase{"J60Common", "AAA0BBB,J60/0,J300/0", 2026, 20260301, 20261027},
        RuleDaysCase{"J60Leap", "AAA0BBB,J60/0,J300/0", 2028, 20280301, 20281027},
        RuleDaysCase{"J60Century", "AAA0BBB,J60/0,J300/0", 2100, 21000301, 21001027},
        RuleDaysCase{"N59Common", "AAA0BBB,59/0,364/0", 2026, 20260301, 20261231},
        RuleDaysCase{"N59Leap", "AAA0BBB,59/0,364/0", 2028, 20280229, 20281230},
        RuleDaysCase{"N365Leap", "AAA0BBB,1/0,365/0", 2028, 20280102, 20281231},
        RuleDaysCase{"M2LastCommon", "AAA0BBB,M2.5.2/0,M12.5.0/0", 2026, 20260224, 20261227},
        RuleDaysCase{"M2LastLeap", "AAA0BBB,M2.5.2/0,M12.5.0/0", 2028, 20280229, 20281231},
        RuleDaysCase{"M2FourthLeap", "AAA0BBB,M2.4.2/0,M12.1.0/0", 2028, 20280222, 20281203}),
    [](const auto& info) { return std::string(info.param.name); });

// Daylight time from January 1 0:00 to December 31 25:00 is daylight time all year (RFC 8536).
// The C library works out each UTC year alone and so shows standard time for the first hours
// of every UTC year; we do not copy that.
TEST(ZoneHistory, DaylightAllYear) {
    const auto history = ZoneHistory::fromPosixTz("EST5EDT,0/0,J365/25");
    ASSERT_TRUE(history.has_value());
    for (int year : {1850, 1970, 2026, 2199, 2200, 2500}) {
        for (std::int32_t time : {0, 4595999, 5000000, 12000000}) {
            const PackedDateTime utc{packDate(year, 1, 1), time};
            EXPECT_TRUE(history->localTypeAt(utc).isDst) << utc.date << " " << utc.time;
            EXPECT_EQ(history->localTypeAt(utc).utOffset, -4 * 3600);
        }
    }
    EXPECT_EQ(history->changesBetween(0, secondsSinceEpoch({25000101, 0})),
              std::vector<std::int64_t>{});
}

TEST(ZoneHistory, RuleChangesAtTheDocumentedInstants) {
    const auto cet = ZoneHistory::fromPosixTz("CET-1CEST,M3.5.0,M10.5.0/3");
    ASSERT_TRUE(cet.has_value());
    EXPECT_EQ(cet->toZoneTime({20070325, 595999}), (PackedDateTime{20070325, 1595999}));
    EXPECT_EQ(cet->toZoneTime({20070325, 1000000}), (PackedDateTime{20070325, 3000000}));
    EXPECT_EQ(cet->localTypeAt(PackedDateTime{20070325, 1000000}).abbreviation, "CEST");
    EXPECT_EQ(cet->toZoneTime({20071231, 23595999}), (PackedDateTime{20080101, 595999}));
    const std::int64_t from = secondsSinceEpoch({20260101, 0});
    const std::int64_t to = secondsSinceEpoch({20270101, 0});
    EXPECT_EQ(cet->changesBetween(from, to),
              (std::vector<std::int64_t>{secondsSinceEpoch({20260329, 1000000}),
                                         secondsSinceEpoch({20261025, 1000000})}));
    // A rule holds for every year, before 1900 (not precomputed) too.
    EXPECT_EQ(cet->toZoneTime({18500701, 12000000}), (PackedDateTime{18500701, 14000000}));
    EXPECT_EQ(cet->toZoneTime({18501231, 23000000}), (PackedDateTime{18510101, 0}));
    EXPECT_FALSE(ZoneHistory::fromPosixTz("CET").has_value());
}

// The fixture's zone keeps the EU rules only from 1981: before, it had no daylight time, which
// its record's yearly rule cannot say.
TEST(ZoneHistory, FileTransitionsBeforeTheRule) {
    const auto history = loadZoneHistory(kFixture, "Test/Central");
    ASSERT_NE(history, nullptr);
    const PackedDateTime july1975{19750701, 12000000};
    EXPECT_EQ(history->toZoneTime(july1975), (PackedDateTime{19750701, 13000000}));
    EXPECT_EQ(toZoneTime(test::centralEurope(), july1975), (PackedDateTime{19750701, 14000000}));
    EXPECT_EQ(history->toZoneTime({20260701, 12000000}), (PackedDateTime{20260701, 14000000}));
    // Past the file's last transition (2037) the footer rule goes on.
    EXPECT_EQ(history->toZoneTime({20990701, 12000000}), (PackedDateTime{20990701, 14000000}));
    EXPECT_EQ(history->toZoneTime({29990701, 12000000}), (PackedDateTime{29990701, 14000000}));
    EXPECT_EQ(history->footer().tz, "CET-1CEST,M3.5.0,M10.5.0/3");
    // Before the first transition the first local time type applies.
    EXPECT_EQ(history->localTypeAt(std::int64_t{-5000000000}).abbreviation, "CET");
}

TEST(ZoneHistory, FileWithoutFooterKeepsItsLastType) {
    TzifData data;
    data.version = 1;
    data.transitions = {1000};
    data.transitionTypes = {1};
    data.types = {{3600, false, "AAA"}, {7200, true, "BBB"}};
    const auto history = ZoneHistory::fromTzif(data);
    ASSERT_TRUE(history.has_value());
    EXPECT_EQ(history->localTypeAt(std::int64_t{999}).abbreviation, "AAA");
    EXPECT_EQ(history->localTypeAt(std::int64_t{1000}).abbreviation, "BBB");
    EXPECT_EQ(history->localTypeAt(std::int64_t{1} << 40).abbreviation, "BBB");
    data.footer = "not a rule";
    EXPECT_FALSE(ZoneHistory::fromTzif(data).has_value());
}

TEST(ZoneHistory, LoadingRefusesNamesOutsideTheFolder) {
    EXPECT_EQ(loadZoneHistory(kFixture, "../zoneinfo/Test/Central"), nullptr);
    EXPECT_EQ(loadZoneHistory(kFixture, "/etc/passwd"), nullptr);
    EXPECT_EQ(loadZoneHistory(kFixture, "Test/Missing"), nullptr);
    EXPECT_NE(loadZoneHistory(kFixture, "Test/Alias"), nullptr);
    EXPECT_NE(loadZoneHistory(kFixture, "<+04>-4"), nullptr);
}

class HistorySlots : public testing::Test {
protected:
    void SetUp() override {
        clearZoneSlots();
        setenv("TZDIR", kFixture.c_str(), 1);
        ASSERT_TRUE(readZoneTable(kFixture, table_));
    }
    void TearDown() override {
        clearZoneSlots();
        unsetenv("TZDIR");
    }
    std::vector<ZoneRecord> table_;
};

// A record of the database converts with its history; an edited one, or one whose rules a
// database update has changed, with its own rules.
TEST_F(HistorySlots, DatabaseRecordsConvertWithTheirHistory) {
    const PackedDateTime july1975{19750701, 12000000};
    ZoneRecord central = *findZoneByStandardName(table_, u"Test/Central");
    setZoneSlot(1, central);
    EXPECT_EQ(zoneSlotTime(1, july1975), (PackedDateTime{19750701, 13000000}));
    EXPECT_EQ(zoneSlot(1), central);
    central.rules.DaylightBias = -120;
    setZoneSlot(2, central);
    EXPECT_EQ(zoneSlotTime(2, july1975), (PackedDateTime{19750701, 15000000}));
    setZoneSlot(3, *posixZoneRecord("CET-1CEST,M3.5.0,M10.5.0/3"));
    EXPECT_EQ(zoneSlotTime(3, july1975), (PackedDateTime{19750701, 14000000}));
    EXPECT_EQ(zoneSlotTime(4, july1975), july1975);
    EXPECT_EQ(zoneSlotTime(7, july1975), july1975);
}

// Morocco suspends daylight time for Ramadan by transitions of its own each year; the footer
// knows +01 alone. The slot follows the transitions.
TEST_F(HistorySlots, RamadanInCasablanca) {
    if (!std::filesystem::exists(kSystemZoneinfo / "Africa/Casablanca")) {
        GTEST_SKIP() << "no system tzdata";
    }
    setenv("TZDIR", kSystemZoneinfo.c_str(), 1);
    std::vector<ZoneRecord> table;
    ASSERT_TRUE(readZoneTable(kSystemZoneinfo, table));
    const ZoneRecord* casablanca = findZoneByStandardName(table, u"Africa/Casablanca");
    ASSERT_NE(casablanca, nullptr);
    setZoneSlot(0, *casablanca);
    const PackedDateTime ramadan{20260301, 12000000};
    EXPECT_EQ(zoneSlotTime(0, ramadan), ramadan);
    EXPECT_EQ(toZoneTime(casablanca->rules, ramadan), (PackedDateTime{20260301, 13000000}));
    EXPECT_EQ(zoneSlotTime(0, {20260401, 12000000}), (PackedDateTime{20260401, 13000000}));
}

} // namespace
} // namespace velmora
