// The clock text formatter: a table of formats, the length limit, and the C library as a check.
#include "clock/clock_text_format.h"

#include <climits>
#include <ctime>
#include <gtest/gtest.h>
#include <locale.h>
#include <string>

namespace {

using velmora::PackedDateTime;

// 2007-03-14 12:41:29, a Wednesday.
constexpr PackedDateTime kPiDay{20070314, 12412900};

std::u16string repeat(std::u16string_view part, std::size_t times) {
    std::u16string out;
    for (std::size_t i = 0; i < times; ++i) {
        out += part;
    }
    return out;
}

struct FormatCase {
    const char* name;
    std::u16string format;
    PackedDateTime local;
    std::u16string expected;
    std::u16string zone = u"CET";
};

void PrintTo(const FormatCase& c, std::ostream* out) {
    *out << c.name;
}

class ClockTextFormat : public testing::TestWithParam<FormatCase> {};

TEST_P(ClockTextFormat, Formats) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(formatClockText(c.format, c.local, c.zone), c.expected);
}

const std::u16string kLoneSurrogate(1, char16_t{0xD800});

INSTANTIATE_TEST_SUITE_P(
    Table, ClockTextFormat,
    testing::Values(
        FormatCase{"DefaultFormat", u"%d.%m.%Y", kPiDay, u"14.03.2007"},
        FormatCase{"FlagDropsZeros", u"%#d.%#m.", {20070304, 0}, u"4.3."},
        FormatCase{"DayOfYearJanuary1", u"%j %#j", {20070101, 0}, u"001 1"},
        FormatCase{"DayOfYearLeapDecember31", u"%j", {20081231, 0}, u"366"},
        FormatCase{"EveryCode",
                   u"%a|%A|%b|%B|%c|%d|%H|%I|%j|%m|%M|%p|%S|%U|%W|%w|%x|%X|%y|%Y|%z|%Z|%%", kPiDay,
                   u"Wed|Wednesday|Mar|March|03/14/07 12:41:29|14|12|12|073|03|41|PM|29|10|11|3|"
                   u"03/14/07|12:41:29|07|2007|CET|CET|%"},
        FormatCase{"LongDateKeepsTwoDigitDay",
                   u"%#x|%#c",
                   {20070304, 9050300},
                   u"Sunday, March 04, 2007|Sunday, March 04, 2007 09:05:03"},
        FormatCase{"FlagDropsAllZerosButOne",
                   u"%#d %#H %#I %#j %#m %#M %#S %#U %#W %#w %#y",
                   {20000101, 0},
                   u"1 0 12 1 1 0 0 0 0 6 0"},
        FormatCase{"FlagIgnoredOnText",
                   u"%#a %#B %#p %#X %#Z %#%",
                   {20070101, 5000000},
                   u"Mon January AM 05:00:00 CET %"},
        FormatCase{"YearBefore1000", u"%Y %#Y %y", {9990601, 0}, u"0999 999 99"},
        FormatCase{"UnknownCodesStay", u"%Q %#Q %E%", kPiDay, u"%Q %#Q %E%"},
        FormatCase{"TrailingPercent", u"%H%", kPiDay, u"12%"},
        FormatCase{"TrailingFlag", u"%H%#", kPiDay, u"12%#"},
        FormatCase{"PercentThenTrailing", u"%%%", kPiDay, u"%%"},
        FormatCase{"ZoneNameNotReinterpreted", u"%Z", kPiDay, u"%d", u"%d"},
        FormatCase{"UnknownZoneEmpty", u"[%z]", kPiDay, u"[]", u""},
        FormatCase{"EmptyFormat", u"", kPiDay, u""},
        FormatCase{"NonAscii", u"Zeit %H:%M \u2013 \u00fc\U0001F570", kPiDay,
                   u"Zeit 12:41 \u2013 \u00fc\U0001F570"},
        FormatCase{"LoneSurrogate", kLoneSurrogate + u"%d%" + kLoneSurrogate, kPiDay,
                   kLoneSurrogate + u"14%" + kLoneSurrogate},
        FormatCase{"MonthAboveRange", u"%b|%B|%m", {20071314, 0}, u"?|?|13"},
        FormatCase{"MonthZero", u"%b|%B %d, %Y", {20070014, 0}, u"?|? 14, 2007"},
        FormatCase{"ExactlyAtLimit", repeat(u"x", 1022), kPiDay, repeat(u"x", 1022)},
        FormatCase{"OverLimitIsEmpty", repeat(u"x", 1023), kPiDay, u""},
        FormatCase{"CodesUpToLimit", repeat(u"%Y", 255) + u"%m", kPiDay,
                   repeat(u"2007", 255) + u"03"},
        FormatCase{"CodeCrossingLimit", repeat(u"x", 1020) + u"%Y", kPiDay, u""},
        FormatCase{"HugeZoneName", u"%Z", kPiDay, u"", repeat(u"z", 1 << 20)},
        FormatCase{"HugeFormatWithEmptyOutput", repeat(u"%z", 1 << 20), kPiDay, u"", u""}),
    [](const testing::TestParamInfo<FormatCase>& info) { return std::string(info.param.name); });

std::u16string ascii(const char* text) {
    return std::u16string(text, text + std::char_traits<char>::length(text));
}

std::string narrow(const std::u16string& text) {
    return std::string(text.begin(), text.end());
}

// Compares each code, plain and with our `#` against glibc's `-` (no padding), which agree with
// the classic locale's rendering for these codes.
void expectSameAsCLibrary(const std::tm& tm, locale_t cLocale) {
    static const char* const kCodes[] = {"a", "A", "b", "B", "d", "H", "I", "j",
                                         "m", "M", "p", "S", "U", "W", "w", "X"};
    static const char* const kUnpadded[] = {"d", "H", "I", "j", "m", "M", "S", "U", "W"};
    const PackedDateTime local{(tm.tm_year + 1900) * 10000 + (tm.tm_mon + 1) * 100 + tm.tm_mday,
                               tm.tm_hour * 1000000 + tm.tm_min * 10000 + tm.tm_sec * 100};
    char expected[64];
    auto check = [&](const std::string& ours, const std::string& theirs) {
        strftime_l(expected, sizeof expected, theirs.c_str(), &tm, cLocale);
        EXPECT_EQ(narrow(formatClockText(ascii(ours.c_str()), local, u"")), expected)
            << ours << " on " << local.date << " " << local.time;
    };
    for (const char* code : kCodes) {
        check(std::string("%") + code, std::string("%") + code);
    }
    for (const char* code : kUnpadded) {
        check(std::string("%#") + code, std::string("%-") + code);
    }
    check("%x", "%x");
    check("%y", "%y");
    check("%#y", "%-y");
    check("%#Y", "%-Y");
    // glibc does not pad years before 1000; we do.
    if (tm.tm_year + 1900 >= 1000) {
        check("%Y", "%Y");
    }
}

// Every day of 1999 to 2031, plus whole years far outside the calendar library's own range; the
// time of day moves with the day so that every hour, minute and second comes up.
TEST(ClockTextFormatCrossCheck, AgreesWithCLibraryDayByDay) {
    const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    ASSERT_NE(cLocale, locale_t{});
    std::vector<int> years{0, 1, 1600, 4600, 9999, 20000};
    for (int y = 1999; y <= 2031; ++y) {
        years.push_back(y);
    }
    for (const int year : years) {
        std::tm start{};
        start.tm_year = year - 1900;
        start.tm_mday = 1;
        const std::time_t firstDay = timegm(&start);
        for (std::time_t day = 0;; ++day) {
            // 3661 s is 1:01:01, so successive days step through hours, minutes and seconds.
            const std::time_t t = firstDay + day * 86400 + day * 3661 % 86400;
            std::tm tm{};
            gmtime_r(&t, &tm);
            if (tm.tm_year != year - 1900 || HasFailure()) {
                break;
            }
            expectSameAsCLibrary(tm, cLocale);
        }
    }
    freelocale(cLocale);
}

// Malformed packed values (which our own conversion never makes) must neither crash nor index
// outside the name tables; the sanitizer build watches the latter.
TEST(ClockTextFormatHostile, MalformedFieldsAreSafe) {
    const std::u16string allCodes =
        u"%a%A%b%B%c%#c%d%H%I%j%m%M%p%S%U%W%w%x%#x%X%y%Y%#d%#H%#I%#j%#U%#W%#y%#Y";
    for (const std::int32_t date : {INT_MIN, -1, 0, 19999999, 20079999, -20070314, INT_MAX}) {
        for (const std::int32_t time : {INT_MIN, -3000, 0, 99999999, INT_MAX}) {
            const std::u16string text = formatClockText(allCodes, {date, time}, u"UTC");
            EXPECT_LE(text.size(), kMaxClockTextLength);
            EXPECT_FALSE(text.empty()) << date << " " << time;
        }
    }
}

} // namespace
