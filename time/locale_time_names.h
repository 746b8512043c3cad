// The names and date and time orders of a locale's LC_TIME, read once, in UTF-16.
#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>

namespace velmora {

// What the C library's strftime takes from LC_TIME: the day and month names, the AM and PM
// strings and the orders of %c, %x, %X and %r. The formats keep their strftime codes.
struct LocaleTimeNames {
    std::string localeName;
    std::array<std::u16string, 7> weekdays;             // Sunday first
    std::array<std::u16string, 7> weekdayAbbreviations; // Sunday first
    std::array<std::u16string, 12> months;
    std::array<std::u16string, 12> monthAbbreviations;
    std::u16string am;
    std::u16string pm;
    std::u16string dateTimeFormat; // %c
    std::u16string dateFormat;     // %x
    std::u16string timeFormat;     // %X
    std::u16string timeFormat12;   // %r
    // The long date the `#` flag selects on %c and %x: the locale's own full date (the one the
    // date command prints) without its time of day and zone, with names written out in full.
    std::u16string longDateFormat;
};

// The locale LC_TIME follows in this environment, as the C library picks it: LC_ALL, else
// LC_TIME, else LANG, the first that is set and not empty; "C" when none is.
std::string desktopTimeLocaleName(const std::map<std::string, std::string>& environment);
std::string desktopTimeLocaleName();

// The LC_TIME data of the locale of that name ("de_DE.UTF-8"), converted from the locale's own
// character set. Nothing when the locale is not installed or its data cannot be read.
std::optional<LocaleTimeNames> loadLocaleTimeNames(const std::string& localeName);

// The long date a locale's full date-and-time format holds: the parts naming the time of day
// and the zone dropped with what joins them, abbreviated names widened.
std::u16string longDateFrom(std::u16string_view dateAndTimeFormat);

} // namespace velmora
