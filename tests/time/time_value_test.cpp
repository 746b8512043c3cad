// evaluateTimeValue over every kind, with the periods stored designs rely on.
#include "time/time_value.h"

#include <gtest/gtest.h>
#include <set>

namespace velmora {
namespace {

struct KindCase {
    const char* name;
    std::int32_t kind;
    PackedDateTime t;
    float value;
    float period;
};

class TimeValueKinds : public testing::TestWithParam<KindCase> {};

TEST_P(TimeValueKinds, ValueAndPeriod) {
    const auto& c = GetParam();
    const TimeValue v = evaluateTimeValue(c.kind, c.t);
    EXPECT_EQ(v.value, c.value);
    EXPECT_EQ(v.period, c.period);
}

constexpr PackedDateTime kLastCentisecond{20070314, 23595999};
constexpr PackedDateTime kNoon{20071231, 12000000};
constexpr PackedDateTime kMidnight{20070101, 0};
constexpr PackedDateTime kAfternoon{20070314, 15421537};

INSTANTIATE_TEST_SUITE_P(
    AllKinds, TimeValueKinds,
    testing::Values(KindCase{"Stopped", 0, kAfternoon, 0, 60},
                    KindCase{"SecondAtDayEnd", 1, kLastCentisecond, 59, 60},
                    KindCase{"SecondContinuousAtDayEnd", 2, kLastCentisecond, 5999, 6000},
                    KindCase{"Minute", 3, kAfternoon, 42, 60},
                    KindCase{"MinuteContinuousAtDayEnd", 4, kLastCentisecond, 359999, 360000},
                    KindCase{"TwelveHoursAfternoon", 5, kAfternoon, 3, 12},
                    KindCase{"TwelveHoursNoon", 5, kNoon, 0, 12},
                    KindCase{"TwelveHoursMidnight", 5, kMidnight, 0, 12},
                    KindCase{"TwelveHoursContinuousAtDayEnd", 6, kLastCentisecond, 43199, 43200},
                    KindCase{"TwelveHoursContinuousAfternoon", 6, kAfternoon,
                             3 * 3600 + 42 * 60 + 15, 43200},
                    KindCase{"TwentyFourHoursAtDayEnd", 7, kLastCentisecond, 23, 24},
                    KindCase{"TwentyFourHoursContinuousIsWholeHours", 8, kLastCentisecond, 23, 24},
                    KindCase{"DayOfWeekWednesday", 9, kAfternoon, 3, 7},
                    KindCase{"DayOfMonth", 10, kAfternoon, 14, 31},
                    KindCase{"DayOfMonth31", 10, kNoon, 31, 31},
                    KindCase{"WeekOfYear", 11, kAfternoon, 11, 52},
                    KindCase{"WeekOfYearFirstMonday", 11, kMidnight, 1, 52},
                    KindCase{"MonthJanuary", 12, kMidnight, 0, 11},
                    KindCase{"MonthDecemberIsFullTurn", 12, kNoon, 11, 11},
                    KindCase{"CentisecondsPeriod10", 13, kAfternoon, 37, 10},
                    KindCase{"MemoryLoad", 121, kAfternoon, 0, 60},
                    KindCase{"PageFile", 122, kAfternoon, 0, 60},
                    KindCase{"RealMemory", 123, kAfternoon, 0, 60},
                    KindCase{"CpuPerformance", 128, kAfternoon, 0, 60},
                    KindCase{"Unknown99", 99, kAfternoon, 0, 60},
                    KindCase{"UnknownNegative", -1, kAfternoon, 0, 60},
                    KindCase{"Unknown14", 14, kAfternoon, 0, 60}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TimeValueKinds, EveryIdHasNonZeroPeriod) {
    for (std::int32_t kind = -5; kind < 300; ++kind) {
        EXPECT_GT(evaluateTimeValue(kind, kAfternoon).period, 0.0f) << kind;
    }
}

TEST(TimeValueKinds, TableListsEighteenKindsByAscendingId) {
    const auto kinds = timeValueKinds();
    ASSERT_EQ(kinds.size(), 18u);
    std::set<std::int32_t> textIds;
    for (std::size_t i = 1; i < kinds.size(); ++i) {
        EXPECT_LT(static_cast<int>(kinds[i - 1].kind), static_cast<int>(kinds[i].kind));
    }
    for (const auto& k : kinds) {
        textIds.insert(k.labelTextId);
    }
    EXPECT_EQ(textIds.size(), 18u);
    EXPECT_EQ(kinds[9].labelTextId, 48);
    EXPECT_EQ(kinds[17].kind, TimeValueKind::CpuPerformance);
    EXPECT_EQ(kinds[17].labelTextId, 68);
}

} // namespace
} // namespace velmora
