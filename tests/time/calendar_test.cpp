// Calendar helpers against std::chrono's civil calendar, day by day.
#include "time/calendar.h"

#include <chrono>
#include <gtest/gtest.h>

namespace velmora {
namespace {

using namespace std::chrono;

std::int32_t packed(const year_month_day& ymd) {
    return static_cast<int>(ymd.year()) * 10000 + static_cast<int>(unsigned(ymd.month())) * 100 +
           static_cast<int>(unsigned(ymd.day()));
}

// Julian Day Number of 1970-01-01, the epoch of sys_days.
constexpr std::int32_t kUnixEpochJulianDay = 2440588;

// Every day from the year 1 to 4599, the range over which the weekday congruence holds.
TEST(Calendar, EveryDayAgreesWithChrono) {
    const sys_days first{year{1} / January / 1};
    const sys_days last{year{4599} / December / 31};
    int failures = 0;
    for (sys_days d = first; d <= last && failures < 10; d += days{1}) {
        const year_month_day ymd{d};
        const std::int32_t date = packed(ymd);
        const int jd = static_cast<int>(d.time_since_epoch().count()) + kUnixEpochJulianDay;
        const int yday = static_cast<int>((d - sys_days{ymd.year() / January / 1}).count()) + 1;
        const bool ok = weekday(date) == static_cast<int>(std::chrono::weekday{d}.c_encoding()) &&
                        dayOfYear(date) == yday && julianDay(date) == jd &&
                        dateFromJulianDay(jd) == date;
        if (!ok) {
            ++failures;
            ADD_FAILURE() << "date " << date << ": weekday " << weekday(date) << ", dayOfYear "
                          << dayOfYear(date) << ", julianDay " << julianDay(date)
                          << ", dateFromJulianDay " << dateFromJulianDay(jd);
        }
    }
}

// julianDay and its inverse hold further, to the year 9999.
TEST(Calendar, JulianDayUpToYear9999) {
    int failures = 0;
    for (sys_days d{year{4600} / January / 1};
         d <= sys_days{year{9999} / December / 31} && failures < 10; d += days{1}) {
        const std::int32_t date = packed(year_month_day{d});
        const int jd = static_cast<int>(d.time_since_epoch().count()) + kUnixEpochJulianDay;
        if (julianDay(date) != jd || dateFromJulianDay(jd) != date) {
            ++failures;
            ADD_FAILURE() << "date " << date;
        }
    }
}

TEST(Calendar, LeapYears) {
    for (int y = 1; y <= 9999; ++y) {
        ASSERT_EQ(isLeapYear(y), year{y}.is_leap()) << y;
    }
    EXPECT_EQ(daysInMonth(2, 2000), 29);
    EXPECT_EQ(daysInMonth(2, 1900), 28);
    EXPECT_EQ(daysInMonth(12, 2007), 31);
    EXPECT_EQ(daysInMonth(13, 2007), 0);
}

// Monday-based week number as strftime's %W: days before the first Monday are week 0.
TEST(Calendar, WeekOfYearIsMondayBasedFrom2001To2200) {
    for (sys_days d{year{2001} / January / 1}; d <= sys_days{year{2200} / December / 31};
         d += days{1}) {
        const year_month_day ymd{d};
        const int yday0 = static_cast<int>((d - sys_days{ymd.year() / January / 1}).count());
        const int mondayBased = (static_cast<int>(std::chrono::weekday{d}.c_encoding()) + 6) % 7;
        const int expected = (yday0 + 7 - mondayBased) / 7;
        ASSERT_EQ(weekOfYear(packed(ymd)), expected) << packed(ymd);
    }
}

TEST(Calendar, TransitionDateAgreesWithChrono) {
    for (int y = 1601; y <= 4000; ++y) {
        for (unsigned m = 1; m <= 12; ++m) {
            for (unsigned w = 0; w < 7; ++w) {
                for (unsigned k = 1; k <= 5; ++k) {
                    const auto ym = year{y} / month{m};
                    const year_month_day expected =
                        k == 5 ? year_month_day{sys_days{ym / std::chrono::weekday{w}[last]}}
                               : year_month_day{sys_days{ym / std::chrono::weekday{w}[k]}};
                    ASSERT_EQ(transitionDate(static_cast<int>(w), static_cast<int>(k),
                                             static_cast<int>(m), y),
                              packed(expected))
                        << y << "-" << m << " weekday " << w << " occurrence " << k;
                }
            }
        }
    }
}

struct CalendarCase {
    const char* name;
    std::int32_t date;
    std::int32_t weekday;
    std::int32_t dayOfYear;
    std::int32_t weekOfYear;
};

class CalendarExamples : public testing::TestWithParam<CalendarCase> {};

TEST_P(CalendarExamples, Fields) {
    const auto& c = GetParam();
    EXPECT_EQ(weekday(c.date), c.weekday);
    EXPECT_EQ(dayOfYear(c.date), c.dayOfYear);
    EXPECT_EQ(weekOfYear(c.date), c.weekOfYear);
}

INSTANTIATE_TEST_SUITE_P(
    Documented, CalendarExamples,
    testing::Values(CalendarCase{"Wednesday20070314", 20070314, 3, 73, 11},
                    CalendarCase{"Monday20070101StartsWeek1", 20070101, 1, 1, 1},
                    CalendarCase{"Sunday20060101IsWeek0", 20060101, 0, 1, 0},
                    CalendarCase{"LeapDay366On20081231", 20081231, 3, 366, 52}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Calendar, DocumentedTransitionsAndJulianDays) {
    EXPECT_EQ(transitionDate(0, 5, 3, 2007), 20070325);
    EXPECT_EQ(transitionDate(0, 1, 4, 2007), 20070401);
    // A day of week given as 7 means Sunday too.
    EXPECT_EQ(transitionDate(7, 1, 4, 2007), 20070401);
    EXPECT_EQ(julianDay(20000101), 2451545);
    EXPECT_EQ(dateFromJulianDay(2451545), 20000101);
}

} // namespace
} // namespace velmora
