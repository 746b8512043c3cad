// Reading a locale's LC_TIME: which locale the desktop names, and the long date drawn from it.
#include "time/locale_time_names.h"

#include <gtest/gtest.h>

namespace {

using velmora::desktopTimeLocaleName;
using velmora::longDateFrom;

TEST(DesktopTimeLocale, FollowsTheCLibrarysOrder) {
    EXPECT_EQ(desktopTimeLocaleName({}), "C");
    EXPECT_EQ(desktopTimeLocaleName({{"LANG", "fr_FR.UTF-8"}}), "fr_FR.UTF-8");
    EXPECT_EQ(desktopTimeLocaleName({{"LANG", "fr_FR.UTF-8"}, {"LC_TIME", "de_DE.UTF-8"}}),
              "de_DE.UTF-8");
    EXPECT_EQ(desktopTimeLocaleName(
                  {{"LANG", "fr_FR.UTF-8"}, {"LC_TIME", "de_DE.UTF-8"}, {"LC_ALL", "es_ES.UTF-8"}}),
              "es_ES.UTF-8");
    // Set but empty counts as unset; LANGUAGE is for messages only.
    EXPECT_EQ(desktopTimeLocaleName({{"LC_ALL", ""}, {"LANGUAGE", "ja"}, {"LANG", "ja_JP.UTF-8"}}),
              "ja_JP.UTF-8");
}

struct LongDateCase {
    const char* name;
    std::u16string full;
    std::u16string expected;
};

void PrintTo(const LongDateCase& c, std::ostream* out) {
    *out << c.name;
}

class LongDate : public testing::TestWithParam<LongDateCase> {};

TEST_P(LongDate, DropsTheTimeOfDayAndWidensNames) {
    EXPECT_EQ(longDateFrom(GetParam().full), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, LongDate,
    testing::Values(LongDateCase{"German", u"%a %-d. %b %H:%M:%S %Z %Y", u"%A %-d. %B %Y"},
                    LongDateCase{"French", u"%a %d %b %Y %T %Z", u"%A %d %B %Y"},
                    LongDateCase{"Japanese", u"%Y年 %b %e日 %A %H:%M:%S %Z", u"%Y年 %B %e日 %A"},
                    LongDateCase{"Classic", u"%a %b %e %H:%M:%S %Z %Y", u"%A %B %e %Y"},
                    LongDateCase{"ZoneInBrackets", u"%A %-e %B %Y, %H:%M:%S (UTC%z)",
                                 u"%A %-e %B %Y,"},
                    LongDateCase{"TwelveHour", u"%a %d %b %Y %r %Z", u"%A %d %B %Y"},
                    LongDateCase{"TrailingPercent", u"%a %", u"%A %"},
                    LongDateCase{"Empty", u"", u""}),
    [](const testing::TestParamInfo<LongDateCase>& info) { return info.param.name; });

TEST(LocaleTimeNames, MissingLocaleGivesNothing) {
    EXPECT_FALSE(velmora::loadLocaleTimeNames("xx_NOWHERE.UTF-8").has_value());
}

TEST(LocaleTimeNames, ClassicLocaleHasTheEnglishNames) {
    const auto names = velmora::loadLocaleTimeNames("C");
    ASSERT_TRUE(names.has_value());
    EXPECT_EQ(names->weekdays[0], u"Sunday");
    EXPECT_EQ(names->monthAbbreviations[11], u"Dec");
    EXPECT_EQ(names->am, u"AM");
    EXPECT_EQ(names->dateFormat, u"%m/%d/%y");
}

TEST(LocaleTimeNames, DecodesTheLocalesCharacterSet) {
    const auto names = velmora::loadLocaleTimeNames("de_DE.UTF-8");
    if (!names) {
        GTEST_SKIP() << "locale de_DE.UTF-8 is not generated here";
    }
    EXPECT_EQ(names->monthAbbreviations[2], u"M\u00e4r");
    EXPECT_EQ(names->weekdays[3], u"Mittwoch");
}

} // namespace
