// toZoneTime and isDaylightTime: documented examples, transitions at the local clock's hour,
// carried transition hours, minutes, negative daylight saving, southern zones.
#include "tests/time/zone_test_rules.h"
#include "time/zone_conversion.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using test::centralEurope;
using test::eastAustralia;
using test::fixedBias;
using test::makeRules;
using test::yearlyRule;

struct ConversionCase {
    const char* name;
    ZoneRules rules;
    PackedDateTime utc;
    PackedDateTime local;
    bool daylight;
};

class ZoneConversion : public testing::TestWithParam<ConversionCase> {};

TEST_P(ZoneConversion, LocalTime) {
    const auto& c = GetParam();
    EXPECT_EQ(toZoneTime(c.rules, c.utc), c.local)
        << "got " << toZoneTime(c.rules, c.utc).date << " " << toZoneTime(c.rules, c.utc).time;
    EXPECT_EQ(isDaylightTime(c.rules, c.utc), c.daylight);
}

// UTC-2, daylight from the last Sunday of March at -1:00 (Saturday 23:00) to the last Sunday
// of October at 0:00, as America/Nuuk.
ZoneRules earlySwitch() {
    return makeRules(120, -60, yearlyRule(3, 5, 0, -1), yearlyRule(10, 5, 0, 0));
}

// UTC+2, daylight from the fourth Thursday of March + 50 hours (Saturday 2:00) to the fourth
// Thursday of October + 50 hours, as Asia/Gaza's yearly rule.
ZoneRules lateSwitch() {
    return makeRules(-120, -60, yearlyRule(3, 4, 4, 50), yearlyRule(10, 4, 4, 50));
}

// UTC+12:45, daylight from the last Sunday of September at 2:45 to the first Sunday of April at
// 3:45, as Pacific/Chatham.
ZoneRules quarterHours() {
    return makeRules(-765, -60, yearlyRule(9, 5, 0, 2, 45), yearlyRule(4, 1, 0, 3, 45));
}

// UTC+1 "standard" with negative daylight saving in winter, as Europe/Dublin:
// "daylight" (GMT) from the last Sunday of October at 2:00 to the last Sunday of March at 1:00.
ZoneRules negativeSaving() {
    return makeRules(-60, 60, yearlyRule(10, 5, 0, 2), yearlyRule(3, 5, 0, 1));
}

INSTANTIATE_TEST_SUITE_P(
    Documented, ZoneConversion,
    testing::Values(
        ConversionCase{
            "CentralSummer", centralEurope(), {20070701, 12000000}, {20070701, 14000000}, true},
        ConversionCase{
            "CentralWinter", centralEurope(), {20070115, 12000000}, {20070115, 13000000}, false},
        ConversionCase{"FiveHoursBehindCrossesYear",
                       fixedBias(300),
                       {20070101, 3000000},
                       {20061231, 22000000},
                       false},
        ConversionCase{"SouthernJanuaryIsDaylight",
                       eastAustralia(),
                       {20070115, 12000000},
                       {20070115, 23000000},
                       true},
        ConversionCase{"SouthernJulyIsStandard",
                       eastAustralia(),
                       {20070715, 12000000},
                       {20070715, 22000000},
                       false},
        ConversionCase{
            "AllZeroIsIdentity", ZoneRules{}, {20070314, 15421537}, {20070314, 15421537}, false},
        ConversionCase{
            "AllZeroAtDayEnd", ZoneRules{}, {20071231, 23595999}, {20071231, 23595999}, false}),
    [](const auto& info) { return std::string(info.param.name); });

// The switches happen when the local clock reaches the transition: in spring at 2:00 local
// standard time (1:00 UTC), in autumn at 3:00 local daylight time (also 1:00 UTC).
INSTANTIATE_TEST_SUITE_P(
    CentralEuropeSwitches, ZoneConversion,
    testing::Values(
        ConversionCase{
            "SpringLastStandard", centralEurope(), {20070325, 595999}, {20070325, 1595999}, false},
        ConversionCase{
            "SpringFirstDaylight", centralEurope(), {20070325, 1000000}, {20070325, 3000000}, true},
        ConversionCase{"SpringUtcTwoIsLongDaylight",
                       centralEurope(),
                       {20070325, 2000000},
                       {20070325, 4000000},
                       true},
        ConversionCase{
            "AutumnLastDaylight", centralEurope(), {20071028, 595999}, {20071028, 2595999}, true},
        ConversionCase{"AutumnFirstStandard",
                       centralEurope(),
                       {20071028, 1000000},
                       {20071028, 2000000},
                       false},
        ConversionCase{
            "NewYearStandard", centralEurope(), {20071231, 23300000}, {20080101, 300000}, false},
        // Local daylight time would already be in the next year; the rules of one year apply.
        ConversionCase{"NewYearEveStandard",
                       centralEurope(),
                       {20261231, 22300000},
                       {20261231, 23300000},
                       false}),
    [](const auto& info) { return std::string(info.param.name); });

// Southern hemisphere: daylight time spans the turn of the year.
// Both changes in March 2026 (Sundays the 1st and the 22nd at 2:00), UTC standard time: three
// weeks of daylight time, or all the year but those weeks.
ZoneRules marchWeeks() {
    return makeRules(0, -60, yearlyRule(3, 1, 0, 2), yearlyRule(3, 4, 0, 2));
}
ZoneRules allButMarchWeeks() {
    return makeRules(0, -60, yearlyRule(3, 4, 0, 2), yearlyRule(3, 1, 0, 2));
}

INSTANTIATE_TEST_SUITE_P(
    SameMonth, ZoneConversion,
    testing::Values(
        ConversionCase{
            "ShortBefore", marchWeeks(), {20260115, 12000000}, {20260115, 12000000}, false},
        ConversionCase{
            "ShortWithin", marchWeeks(), {20260310, 12000000}, {20260310, 13000000}, true},
        ConversionCase{
            "ShortAfter", marchWeeks(), {20260701, 12000000}, {20260701, 12000000}, false},
        ConversionCase{
            "LongBefore", allButMarchWeeks(), {20260115, 12000000}, {20260115, 13000000}, true},
        ConversionCase{
            "LongWithin", allButMarchWeeks(), {20260310, 12000000}, {20260310, 12000000}, false},
        ConversionCase{
            "LongAfter", allButMarchWeeks(), {20260701, 12000000}, {20260701, 13000000}, true}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    SouthernSwitches, ZoneConversion,
    testing::Values(
        // 2007-10-07 2:00 AEST = 10-06 16:00 UTC.
        ConversionCase{"SpringLastStandard",
                       eastAustralia(),
                       {20071006, 15595999},
                       {20071007, 1595999},
                       false},
        ConversionCase{"SpringFirstDaylight",
                       eastAustralia(),
                       {20071006, 16000000},
                       {20071007, 3000000},
                       true},
        // 2007-04-01 3:00 AEDT = 03-31 16:00 UTC.
        ConversionCase{
            "AutumnLastDaylight", eastAustralia(), {20070331, 15595999}, {20070401, 2595999}, true},
        ConversionCase{"AutumnFirstStandard",
                       eastAustralia(),
                       {20070331, 16000000},
                       {20070401, 2000000},
                       false},
        ConversionCase{
            "NewYearDaylight", eastAustralia(), {20071231, 13000000}, {20080101, 0}, true},
        ConversionCase{"NewYearEveDaylight",
                       eastAustralia(),
                       {20071231, 12300000},
                       {20071231, 23300000},
                       true}),
    [](const auto& info) { return std::string(info.param.name); });

// Transition hours outside the day carry into the neighbouring days; minutes count.
INSTANTIATE_TEST_SUITE_P(
    CarriedAndMinutes, ZoneConversion,
    testing::Values(
        // 2026-03-29 is the last Sunday of March; -1:00 is Saturday 23:00 local = 03-29 01:00 UTC.
        ConversionCase{
            "NegativeHourBefore", earlySwitch(), {20260329, 595999}, {20260328, 22595999}, false},
        ConversionCase{"NegativeHourAt", earlySwitch(), {20260329, 1000000}, {20260329, 0}, true},
        // 2026-10-25 0:00 local daylight = 10-25 01:00 UTC.
        ConversionCase{
            "MidnightEndBefore", earlySwitch(), {20261025, 595999}, {20261024, 23595999}, true},
        ConversionCase{
            "MidnightEndAt", earlySwitch(), {20261025, 1000000}, {20261024, 23000000}, false},
        // 2026-03-26 is the fourth Thursday; + 50 h = Saturday 03-28 2:00 local = 00:00 UTC.
        ConversionCase{
            "FiftyHoursBefore", lateSwitch(), {20260327, 23595999}, {20260328, 1595999}, false},
        ConversionCase{"FiftyHoursAt", lateSwitch(), {20260328, 0}, {20260328, 3000000}, true},
        // 2026-10-22 + 50 h = Saturday 10-24 2:00 local daylight = 10-23 23:00 UTC.
        ConversionCase{
            "FiftyHoursEndBefore", lateSwitch(), {20261023, 22595999}, {20261024, 1595999}, true},
        ConversionCase{
            "FiftyHoursEndAt", lateSwitch(), {20261023, 23000000}, {20261024, 1000000}, false},
        // 2026-09-27 2:45 +12:45 = 09-26 14:00 UTC.
        ConversionCase{
            "QuarterHourBefore", quarterHours(), {20260926, 13595999}, {20260927, 2445999}, false},
        ConversionCase{
            "QuarterHourAt", quarterHours(), {20260926, 14000000}, {20260927, 3450000}, true},
        // Winter in Dublin: "daylight" with +60, so UTC+0.
        ConversionCase{"NegativeSavingWinter",
                       negativeSaving(),
                       {20260115, 12000000},
                       {20260115, 12000000},
                       true},
        ConversionCase{"NegativeSavingSummer",
                       negativeSaving(),
                       {20260715, 12000000},
                       {20260715, 13000000},
                       false},
        // 2026-03-29 1:00 GMT = 01:00 UTC.
        ConversionCase{"NegativeSavingSpringAt",
                       negativeSaving(),
                       {20260329, 1000000},
                       {20260329, 2000000},
                       false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ZoneConversion, NoDaylightRuleUsesBiasAlone) {
    ZoneRules r = fixedBias(-330);
    r.StandardBias = 15; // ignored without a daylight rule
    r.DaylightBias = -60;
    EXPECT_FALSE(isDaylightTime(r, {20070701, 12000000}));
    EXPECT_EQ(toZoneTime(r, {20070701, 20000000}), (PackedDateTime{20070702, 1300000}));
}

TEST(ZoneConversion, StandardBiasAppliesInStandardTime) {
    ZoneRules r = centralEurope();
    r.StandardBias = -30;
    EXPECT_EQ(toZoneTime(r, {20070115, 12000000}), (PackedDateTime{20070115, 13300000}));
}

TEST(ZoneConversion, AbsoluteTransitionDates) {
    ZoneRules r = centralEurope();
    r.DaylightDate = {2007, 4, 0, 10, 2, 30, 0, 0}; // 2007-04-10 02:30 local standard
    r.StandardDate = {2007, 9, 0, 20, 3, 0, 0, 0};  // 2007-09-20 03:00 local daylight
    EXPECT_FALSE(isDaylightTime(r, {20070410, 1295999}));
    EXPECT_TRUE(isDaylightTime(r, {20070410, 1300000}));
    EXPECT_TRUE(isDaylightTime(r, {20070920, 595999}));
    EXPECT_FALSE(isDaylightTime(r, {20070920, 1000000}));
}

TEST(ZoneConversion, LeapDayAndMonthEnds) {
    EXPECT_EQ(toZoneTime(fixedBias(-60), {20080228, 23300000}), (PackedDateTime{20080229, 300000}));
    EXPECT_EQ(toZoneTime(fixedBias(-60), {20070228, 23300000}), (PackedDateTime{20070301, 300000}));
    EXPECT_EQ(toZoneTime(fixedBias(60), {20080301, 300000}), (PackedDateTime{20080229, 23300000}));
}

} // namespace
} // namespace velmora
