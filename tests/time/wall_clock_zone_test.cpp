// Wall times and their instants in zones with daylight saving in either hemisphere, quarter-hour
// offsets, negative saving and a skipped day: the first showing of a time, and the boundaries
// of hours and quarters as the wall clock shows them.
#include "time/wall_clock_zone.h"
#include "time/zone_history.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

const std::filesystem::path kFixture = std::filesystem::path(VELMORA_TEST_DATA_DIR) / "zoneinfo";

ZoneOffsetAt zoneOf(const char* id) {
    const bool fixture = std::string_view(id).starts_with("Test/");
    std::shared_ptr<const ZoneHistory> history =
        loadZoneHistory(fixture ? kFixture : std::filesystem::path("/usr/share/zoneinfo"), id);
    EXPECT_NE(history, nullptr) << id;
    return [history](std::int64_t seconds) {
        return history != nullptr ? history->localTypeAt(seconds).utOffset : 0;
    };
}

// Seconds since 1970 of a date and time read as UTC (or as a wall time, for local ones).
std::int64_t at(int y, int mo, int d, int h, int mi) {
    return secondsSinceEpoch({y * 10000 + mo * 100 + d, h * 1000000 + mi * 10000});
}

struct ShowingCase {
    const char* name;
    const char* zone;
    std::int64_t local;
    std::int64_t expected;
};

class FirstShowing : public testing::TestWithParam<ShowingCase> {};

TEST_P(FirstShowing, IsTheInstantExpected) {
    const ShowingCase& row = GetParam();
    EXPECT_EQ(firstInstantShowing(zoneOf(row.zone), row.local), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Zones, FirstShowing,
    testing::Values(
        ShowingCase{"SummerDay", "Test/Central", at(2026, 7, 1, 7, 30), at(2026, 7, 1, 5, 30)},
        ShowingCase{"WinterDay", "Test/Central", at(2026, 1, 15, 7, 30), at(2026, 1, 15, 6, 30)},
        // 02:00 CET becomes 03:00 CEST at 01:00 UTC: 02:30 is skipped there.
        ShowingCase{"SkippedAtTheChange", "Test/Central", at(2026, 3, 29, 2, 30),
                    at(2026, 3, 29, 1, 0)},
        // 03:00 CEST becomes 02:00 CET: 02:30 is shown at 00:30 and again at 01:30 UTC.
        ShowingCase{"ShownTwiceFirst", "Test/Central", at(2026, 10, 25, 2, 30),
                    at(2026, 10, 25, 0, 30)},
        ShowingCase{"SouthernSkipped", "Test/Southern", at(2026, 10, 4, 2, 30),
                    at(2026, 10, 3, 16, 0)},
        ShowingCase{"SouthernShownTwice", "Test/Southern", at(2026, 4, 5, 2, 30),
                    at(2026, 4, 4, 15, 30)},
        // +12:45, forward at 02:45 standard time.
        ShowingCase{"QuarterHourSkipped", "Test/Minutes", at(2026, 9, 27, 3, 0),
                    at(2026, 9, 26, 14, 0)},
        // Summer there: +13:45.
        ShowingCase{"QuarterHourOrdinary", "Test/Minutes", at(2026, 1, 1, 13, 0),
                    at(2025, 12, 31, 23, 15)},
        ShowingCase{"NegativeSavingSkipped", "Test/Negative", at(2026, 3, 29, 1, 30),
                    at(2026, 3, 29, 1, 0)},
        // The last day of 2011 came right after the 29th in Samoa: the whole 30th was skipped.
        ShowingCase{"SkippedDay", "Pacific/Apia", at(2011, 12, 30, 7, 30),
                    at(2011, 12, 30, 10, 0)}),
    [](const testing::TestParamInfo<ShowingCase>& info) { return info.param.name; });

// Every instant found shows the time asked for, and none before it does, in each hour of a
// year with changes both ways.
TEST(FirstShowing, NothingEarlierShowsTheTime) {
    const ZoneOffsetAt zone = zoneOf("Test/Southern");
    for (std::int64_t local = at(2026, 1, 1, 0, 0); local < at(2027, 1, 1, 0, 0); local += 3600) {
        const std::int64_t first = firstInstantShowing(zone, local);
        const std::int64_t shown = first + zone(first);
        ASSERT_TRUE(shown == local || (shown > local && (first - 1) + zone(first - 1) < local))
            << local;
        for (const std::int64_t earlier : {first - 3600, first - 7200}) {
            ASSERT_NE(earlier + zone(earlier), local) << local;
        }
    }
}

TEST(WallClockBoundary, HoursOfAYearComeOncePerHourShown) {
    const ZoneOffsetAt zone = zoneOf("Test/Central");
    int chimes = 0;
    int onSpringDay = 0;
    int onAutumnDay = 0;
    for (std::optional<std::int64_t> next =
             nextWallClockBoundary(zone, at(2025, 12, 31, 23, 0), 3600);
         next && *next <= at(2026, 12, 31, 23, 0);
         next = nextWallClockBoundary(zone, *next, 3600)) {
        ++chimes;
        ASSERT_EQ((*next + zone(*next)) % 3600, 0) << *next;
        onSpringDay += *next >= at(2026, 3, 28, 23, 0) && *next < at(2026, 3, 29, 22, 0);
        onAutumnDay += *next >= at(2026, 10, 24, 22, 0) && *next < at(2026, 10, 25, 23, 0);
    }
    EXPECT_EQ(chimes, 365 * 24);
    EXPECT_EQ(onSpringDay, 23);
    EXPECT_EQ(onAutumnDay, 25);
}

TEST(WallClockBoundary, QuartersFollowTheZonesOwnMinutes) {
    const ZoneOffsetAt zone = zoneOf("Test/Minutes");
    // 00:05 UTC is 13:50 at +13:45: the next quarter is 14:00, the next hour too.
    EXPECT_EQ(nextWallClockBoundary(zone, at(2026, 1, 1, 0, 5), 900), at(2026, 1, 1, 0, 15));
    EXPECT_EQ(nextWallClockBoundary(zone, at(2026, 1, 1, 0, 15), 900), at(2026, 1, 1, 0, 30));
    EXPECT_EQ(nextWallClockBoundary(zone, at(2026, 1, 1, 0, 15), 3600), at(2026, 1, 1, 1, 15));
    EXPECT_EQ(nextWallClockBoundary(zone, 0, 7 * 60), std::nullopt);
}

} // namespace
} // namespace velmora
