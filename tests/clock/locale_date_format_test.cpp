// Dates in the user's language: the C library's strftime as the check, and the classic form
// untouched without it.
#include "clock/clock_text_format.h"
#include "time/locale_time_names.h"

#include <ctime>
#include <gtest/gtest.h>
#include <locale.h>
#include <string>

namespace {

using velmora::LocaleTimeNames;
using velmora::PackedDateTime;

std::u16string fromUtf8(const std::string& text) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0xFF >> (length + 1));
        for (int k = 1; k < length && i + k < text.size(); ++k) {
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
        i += static_cast<std::size_t>(length);
    }
    return out;
}

std::string narrow(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

class LocaleDates : public testing::TestWithParam<const char*> {};

// Every day of a year, the hour moving with the day so that both halves of it come up: the codes
// that name or order things equal strftime's in the same locale. The zone abbreviation is set
// alike on both sides, as some locales' %c shows it.
TEST_P(LocaleDates, NamingCodesEqualTheCLibraryEveryDayOfAYear) {
    const std::string name = GetParam();
    const locale_t theirs = newlocale(LC_ALL_MASK, name.c_str(), locale_t{});
    if (theirs == locale_t{}) {
        GTEST_SKIP() << "locale " << name
                     << " is not generated here (scripts/install-deps test makes it)";
    }
    const std::optional<LocaleTimeNames> names = velmora::loadLocaleTimeNames(name);
    ASSERT_TRUE(names.has_value());
    static const char* const kCodes[] = {"%a", "%A", "%b", "%B", "%c", "%x", "%X", "%p"};
    char zone[] = "CET";
    for (int day = 0; day < 365 && !HasFailure(); ++day) {
        std::tm start{};
        start.tm_year = 2026 - 1900;
        start.tm_mday = 1 + day;
        start.tm_hour = day % 24;
        start.tm_min = day % 60;
        start.tm_sec = (day * 7) % 60;
        const std::time_t t = timegm(&start);
        std::tm tm{};
        gmtime_r(&t, &tm);
        tm.tm_zone = zone;
        const PackedDateTime local{(tm.tm_year + 1900) * 10000 + (tm.tm_mon + 1) * 100 + tm.tm_mday,
                                   tm.tm_hour * 1000000 + tm.tm_min * 10000 + tm.tm_sec * 100};
        for (const char* code : kCodes) {
            char expected[256];
            strftime_l(expected, sizeof expected, code, &tm, theirs);
            EXPECT_EQ(narrow(formatClockText(fromUtf8(code), local, u"CET", &*names)), expected)
                << name << " " << code << " on " << local.date << " " << local.time;
        }
    }
    freelocale(theirs);
}

INSTANTIATE_TEST_SUITE_P(Locales, LocaleDates,
                         testing::Values("de_DE.UTF-8", "fr_FR.UTF-8", "es_ES.UTF-8",
                                         "ja_JP.UTF-8"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             return name.substr(0, 5);
                         });

// The codes a locale's own formats may hold beside the clock's, with strftime's padding flags,
// through %c: each hour of a week, against the C library in the same locale.
TEST(LocaleDatesBeside, LocaleFormatsReadAsStrftimeReadsThem) {
    const char* const name = "de_DE.UTF-8";
    const locale_t theirs = newlocale(LC_ALL_MASK, name, locale_t{});
    auto names = velmora::loadLocaleTimeNames(name);
    if (theirs == locale_t{} || !names) {
        GTEST_SKIP() << "locale " << name << " is not generated here";
    }
    const char* const format =
        "%e|%k|%l|%C|%u|%P|%p|%D|%T|%R|%F|%h|%-d|%_m|%0e|%-H|%Ey|%Od|%n|%t|%%|%q";
    names->dateTimeFormat = fromUtf8(format);
    names->am = u"Vorm";
    names->pm = u"Nachm";
    for (int hour = 0; hour < 24 * 7; ++hour) {
        std::tm tm{};
        tm.tm_year = 2026 - 1900;
        tm.tm_mday = 1 + hour / 24;
        tm.tm_hour = hour % 24;
        tm.tm_min = 7;
        tm.tm_sec = 9;
        const std::time_t t = timegm(&tm);
        gmtime_r(&t, &tm);
        const PackedDateTime local{20260100 + tm.tm_mday, tm.tm_hour * 1000000 + 70900};
        char expected[256];
        strftime_l(expected, sizeof expected, format, &tm, theirs);
        std::string withOurNames = expected;
        // glibc's de_DE has empty AM and PM strings; ours stand in to see %P and %p at work.
        const std::string half = tm.tm_hour < 12 ? "Vorm" : "Nachm";
        const std::string lower = tm.tm_hour < 12 ? "vorm" : "nachm";
        withOurNames.replace(withOurNames.find("|||"), 3, "|" + lower + "|" + half + "|");
        EXPECT_EQ(narrow(formatClockText(u"%c", local, u"", &*names)), withOurNames)
            << "hour " << hour;
    }
    freelocale(theirs);
}

// 2026-12-09 15:04:05, a Wednesday.
constexpr PackedDateTime kWednesday{20261209, 15040500};

std::optional<LocaleTimeNames> german() {
    return velmora::loadLocaleTimeNames("de_DE.UTF-8");
}

TEST(LocaleDatesBeside, NumbersAndOurFlagStayAsTheyAre) {
    const auto names = german();
    if (!names) {
        GTEST_SKIP() << "locale de_DE.UTF-8 is not generated here";
    }
    EXPECT_EQ(
        formatClockText(u"%#d.%#m.%Y %H:%M:%S %j %U %W %w %y %#I %%", kWednesday, u"CET", &*names),
        u"9.12.2026 15:04:05 343 49 49 3 26 3 %");
    EXPECT_EQ(formatClockText(u"%A, %#d. %B", kWednesday, u"", &*names), u"Mittwoch, 9. Dezember");
    // The long date the `#` flag selects comes from the locale's own full date.
    EXPECT_EQ(formatClockText(u"%#x", kWednesday, u"", &*names), u"Mittwoch 9. Dezember 2026");
    EXPECT_EQ(formatClockText(u"%#c", kWednesday, u"", &*names),
              u"Mittwoch 9. Dezember 2026 15:04:05");
    EXPECT_EQ(formatClockText(u"%q %# %", kWednesday, u"", &*names), u"%q %# %");
}

// Locale data is read from files on the machine: formats that refer to each other or run long
// must end, and within the text limit.
TEST(LocaleDatesBeside, HostileLocaleDataIsBounded) {
    LocaleTimeNames names;
    names.dateTimeFormat = u"%c%c%x";
    names.dateFormat = u"%x%c";
    names.timeFormat = u"%r";
    names.timeFormat12 = u"%X%c%r";
    names.longDateFormat = u"%c";
    names.weekdays.fill(std::u16string(300, u'W'));
    EXPECT_NO_FATAL_FAILURE(formatClockText(u"%c %#c %x %X", kWednesday, u"", &names));
    EXPECT_EQ(formatClockText(u"%A%A%A%A", kWednesday, u"", &names), u"");
    EXPECT_EQ(formatClockText(u"%-", kWednesday, u"", &names), u"%-");
}

// Without the user's language the result is the classic one whatever the process's locale is.
TEST(LocaleDatesBeside, ClassicFormIgnoresTheProcessLocale) {
    const std::u16string before = formatClockText(u"%a %A %b %B %c %x %X %p %#c", kWednesday, u"");
    if (setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "locale de_DE.UTF-8 is not generated here";
    }
    const std::u16string after = formatClockText(u"%a %A %b %B %c %x %X %p %#c", kWednesday, u"");
    setlocale(LC_ALL, "C");
    EXPECT_EQ(after, before);
    EXPECT_EQ(before, u"Wed Wednesday Dec December 12/09/26 15:04:05 12/09/26 15:04:05 PM "
                      u"Wednesday, December 09, 2026 15:04:05");
}

} // namespace
