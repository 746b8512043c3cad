// The clock text formatter: strftime-style codes over a packed local date-time.
#include "clock/clock_text_format.h"

#include "time/calendar.h"
#include "time/locale_time_names.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace {

constexpr std::array<std::u16string_view, 7> kWeekdayNames = {
    u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"};
constexpr std::array<std::u16string_view, 12> kMonthNames = {
    u"January", u"February", u"March",     u"April",   u"May",      u"June",
    u"July",    u"August",   u"September", u"October", u"November", u"December"};
constexpr std::u16string_view kUnknownName = u"?";
constexpr std::size_t kAbbreviationLength = 3;

// Collects the text, but never more than one unit past the limit: that unit is enough to know
// the result is over-long, and it bounds the memory a hostile format or zone name can claim.
class BoundedText {
public:
    void append(std::u16string_view part) {
        text_.append(part.substr(0, kMaxClockTextLength + 1 - text_.size()));
    }
    bool overLong() const { return text_.size() > kMaxClockTextLength; }
    std::u16string take() { return overLong() ? std::u16string() : std::move(text_); }

private:
    std::u16string text_;
};

std::int32_t floorMod(std::int32_t value, std::int32_t divisor) {
    const std::int32_t r = value % divisor;
    return r < 0 ? r + divisor : r;
}

struct Fields {
    std::int32_t year = 0;
    std::int32_t month = 0;
    std::int32_t day = 0;
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    std::int32_t second = 0;
    std::int32_t weekday = 0; // 0 = Sunday, always 0 to 6 so that it can index the names
    std::int32_t yearDay = 0; // 0 = January 1
};

// The weekday congruence divides truncating, which goes wrong before the year 1. The
// Gregorian calendar repeats every 400 years (a whole number of weeks), so moving the year into
// 2000 to 2399 gives the right weekday for any year.
std::int32_t weekdayOf(const velmora::PackedDateTime& local) {
    const std::int32_t year = 2000 + floorMod(local.year(), 400);
    const std::int32_t date = velmora::packDate(year, local.month(), local.day());
    return floorMod(velmora::weekday(date), 7);
}

Fields fieldsOf(const velmora::PackedDateTime& local) {
    Fields f;
    f.year = local.year();
    f.month = local.month();
    f.day = local.day();
    f.hour = local.hour();
    f.minute = local.minute();
    f.second = local.second();
    f.weekday = weekdayOf(local);
    f.yearDay = velmora::dayOfYear(local.date) - 1;
    return f;
}

std::u16string_view weekdayName(const Fields& f, bool full, const velmora::LocaleTimeNames* names) {
    if (names != nullptr) {
        const auto day = static_cast<std::size_t>(f.weekday);
        return full ? names->weekdays[day] : names->weekdayAbbreviations[day];
    }
    const std::u16string_view name = kWeekdayNames[static_cast<std::size_t>(f.weekday)];
    return full ? name : name.substr(0, kAbbreviationLength);
}

// Packed dates come from our own zone conversion, but a month outside 1 to 12 must still not
// index past the table.
std::u16string_view monthName(const Fields& f, bool full, const velmora::LocaleTimeNames* names) {
    if (f.month < 1 || f.month > 12) {
        return kUnknownName;
    }
    if (names != nullptr) {
        const auto month = static_cast<std::size_t>(f.month - 1);
        return full ? names->months[month] : names->monthAbbreviations[month];
    }
    const std::u16string_view name = kMonthNames[static_cast<std::size_t>(f.month - 1)];
    return full ? name : name.substr(0, kAbbreviationLength);
}

std::int32_t hour12(std::int32_t hour) {
    const std::int32_t h = floorMod(hour, 12);
    return h == 0 ? 12 : h;
}

// Week of the year as strftime's %U (firstDay 0, Sunday) and %W (firstDay 1, Monday): the days
// before the year's first such weekday are week 0.
std::int32_t weekOfYear(const Fields& f, std::int32_t firstDay) {
    const std::int32_t daysSinceWeekStart = floorMod(f.weekday - firstDay, 7);
    return (f.yearDay + 7 - daysSinceWeekStart) / 7;
}

enum class Padding { Zeros, Blanks, None };

// Padded to `width` digits with zeros or blanks, or not at all; a negative value (only from a
// malformed packed date-time) keeps its sign in front of the digits.
void appendNumber(BoundedText& out, std::int64_t value, std::size_t width, Padding padding) {
    const bool negative = value < 0;
    std::uint64_t magnitude = static_cast<std::uint64_t>(value);
    if (negative) {
        magnitude = 0 - magnitude;
    }
    std::array<char16_t, 24> digits{};
    std::size_t count = 0;
    do {
        digits[digits.size() - ++count] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    const char16_t pad = padding == Padding::Blanks ? u' ' : u'0';
    for (; padding != Padding::None && count < width && count < digits.size(); ++count) {
        digits[digits.size() - 1 - count] = pad;
    }
    if (negative) {
        out.append(u"-");
    }
    out.append(std::u16string_view(digits.data() + digits.size() - count, count));
}

struct Number {
    std::int64_t value;
    std::size_t width;
};

std::optional<Number> numericField(char16_t code, const Fields& f) {
    switch (code) {
    case u'd':
        return Number{f.day, 2};
    case u'H':
        return Number{f.hour, 2};
    case u'I':
        return Number{hour12(f.hour), 2};
    case u'j':
        return Number{f.yearDay + 1, 3};
    case u'm':
        return Number{f.month, 2};
    case u'M':
        return Number{f.minute, 2};
    case u'S':
        return Number{f.second, 2};
    case u'U':
        return Number{weekOfYear(f, 0), 2};
    case u'W':
        return Number{weekOfYear(f, 1), 2};
    case u'w':
        return Number{f.weekday, 1};
    case u'y':
        return Number{floorMod(f.year, 100), 2};
    // Four digits like every year the clock normally shows, so that years before 1000 keep
    // the width of the text; `#` gives the bare number.
    case u'Y':
        return Number{f.year, 4};
    default:
        return std::nullopt;
    }
}

// `names` null: the classic "C" locale's names.
std::optional<std::u16string_view> textField(char16_t code, const Fields& f,
                                             std::u16string_view zoneName,
                                             const velmora::LocaleTimeNames* names) {
    switch (code) {
    case u'a':
        return weekdayName(f, false, names);
    case u'A':
        return weekdayName(f, true, names);
    case u'b':
        return monthName(f, false, names);
    case u'B':
        return monthName(f, true, names);
    case u'p':
        if (names != nullptr) {
            return f.hour < 12 ? names->am : names->pm;
        }
        return f.hour < 12 ? u"AM" : u"PM";
    case u'z':
    case u'Z':
        return zoneName;
    case u'%':
        return u"%";
    default:
        return std::nullopt;
    }
}

void appendShortDate(BoundedText& out, const Fields& f) {
    appendNumber(out, f.month, 2, Padding::Zeros);
    out.append(u"/");
    appendNumber(out, f.day, 2, Padding::Zeros);
    out.append(u"/");
    appendNumber(out, floorMod(f.year, 100), 2, Padding::Zeros);
}

// The day keeps two digits here even though `#` selected this form.
void appendLongDate(BoundedText& out, const Fields& f) {
    out.append(weekdayName(f, true, nullptr));
    out.append(u", ");
    out.append(monthName(f, true, nullptr));
    out.append(u" ");
    appendNumber(out, f.day, 2, Padding::Zeros);
    out.append(u", ");
    appendNumber(out, f.year, 4, Padding::Zeros);
}

void appendTime(BoundedText& out, const Fields& f) {
    appendNumber(out, f.hour, 2, Padding::Zeros);
    out.append(u":");
    appendNumber(out, f.minute, 2, Padding::Zeros);
    out.append(u":");
    appendNumber(out, f.second, 2, Padding::Zeros);
}

void appendDate(BoundedText& out, const Fields& f, bool longForm) {
    if (longForm) {
        appendLongDate(out, f);
        return;
    }
    appendShortDate(out, f);
}

// Deep enough for %c holding %r holding %p; a locale whose formats refer to each other in a
// circle stops there.
constexpr int kMaxLocaleFormatDepth = 3;

// Copies the text of a format and hands each directive (from its '%' to the format's end) to
// `directive`, which appends its output and returns how many units it consumed.
template <class Directive>
void appendFormatted(BoundedText& out, std::u16string_view format, Directive directive) {
    std::size_t i = 0;
    while (i < format.size() && !out.overLong()) {
        if (format[i] != u'%') {
            const std::size_t next = std::min(format.find(u'%', i), format.size());
            out.append(format.substr(i, next - i));
            i = next;
            continue;
        }
        i += directive(format.substr(i));
    }
}

void appendLocaleFormat(BoundedText& out, std::u16string_view format, const Fields& f,
                        std::u16string_view zoneName, const velmora::LocaleTimeNames& names,
                        int depth);

// The locale's orders of %c, %x and %X, the `#` flag selecting the long date as it does in the
// classic form.
bool appendLocaleComposite(BoundedText& out, char16_t code, bool alternate, const Fields& f,
                           std::u16string_view zoneName, const velmora::LocaleTimeNames& names,
                           int depth) {
    switch (code) {
    case u'c':
        if (alternate) {
            appendLocaleFormat(out, names.longDateFormat, f, zoneName, names, depth);
            out.append(u" ");
            appendLocaleFormat(out, names.timeFormat, f, zoneName, names, depth);
            return true;
        }
        appendLocaleFormat(out, names.dateTimeFormat, f, zoneName, names, depth);
        return true;
    case u'x':
        appendLocaleFormat(out, alternate ? names.longDateFormat : names.dateFormat, f, zoneName,
                           names, depth);
        return true;
    case u'X':
        appendLocaleFormat(out, names.timeFormat, f, zoneName, names, depth);
        return true;
    default:
        return false;
    }
}

// The fixed combinations strftime knows beside the locale's own.
std::optional<std::u16string_view> fixedCombination(char16_t code) {
    switch (code) {
    case u'D':
        return u"%m/%d/%y";
    case u'F':
        return u"%Y-%m-%d";
    case u'R':
        return u"%H:%M";
    case u'T':
        return u"%H:%M:%S";
    default:
        return std::nullopt;
    }
}

// One directive of a locale's format, as strftime reads it: padding flags ('-' none, '_'
// blanks, '0' zeros), a width and the E and O modifiers are accepted; the modifiers' alternative
// eras and digits are not used, as numbers stay as the clock shows them everywhere.
struct PaddedNumber {
    std::int64_t value;
    std::size_t width;
    Padding padding;
};

// The numbers strftime knows beyond the clock's own codes, which locales' formats may use.
std::optional<PaddedNumber> localeNumber(char16_t code, const Fields& f) {
    switch (code) {
    case u'e':
        return PaddedNumber{f.day, 2, Padding::Blanks};
    case u'k':
        return PaddedNumber{f.hour, 2, Padding::Blanks};
    case u'l':
        return PaddedNumber{hour12(f.hour), 2, Padding::Blanks};
    case u'C':
        return PaddedNumber{f.year / 100, 2, Padding::Zeros};
    case u'u':
        return PaddedNumber{f.weekday == 0 ? 7 : f.weekday, 1, Padding::Zeros};
    default:
        return std::nullopt;
    }
}

// %P: the AM or PM string in lower case, as strftime gives it (letters of ASCII only).
std::u16string lowerCase(std::u16string_view text) {
    std::u16string lower(text);
    for (char16_t& c : lower) {
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c - u'A' + u'a');
        }
    }
    return lower;
}

bool appendLocaleCode(BoundedText& out, char16_t code, std::optional<Padding> padding,
                      const Fields& f, std::u16string_view zoneName,
                      const velmora::LocaleTimeNames& names, int depth) {
    if (const auto number = localeNumber(code, f)) {
        appendNumber(out, number->value, number->width, padding.value_or(number->padding));
        return true;
    }
    if (code == u'P') {
        out.append(lowerCase(f.hour < 12 ? names.am : names.pm));
        return true;
    }
    if (code == u'h') {
        code = u'b';
    }
    if (const auto number = numericField(code, f)) {
        appendNumber(out, number->value, number->width, padding.value_or(Padding::Zeros));
        return true;
    }
    if (const auto text = textField(code, f, zoneName, &names)) {
        out.append(*text);
        return true;
    }
    if (depth >= kMaxLocaleFormatDepth) {
        return false;
    }
    if (const auto combination = fixedCombination(code)) {
        appendLocaleFormat(out, *combination, f, zoneName, names, depth + 1);
        return true;
    }
    if (code == u'r') {
        appendLocaleFormat(out, names.timeFormat12, f, zoneName, names, depth + 1);
        return true;
    }
    if (code == u'n' || code == u't') {
        out.append(code == u'n' ? u"\n" : u"\t");
        return true;
    }
    return appendLocaleComposite(out, code, false, f, zoneName, names, depth + 1);
}

// `directive` starts at a '%' of a locale's own format, which may carry strftime's flags and
// field widths; returns how many units of it were consumed.
std::size_t appendLocaleDirective(BoundedText& out, std::u16string_view directive, const Fields& f,
                                  std::u16string_view zoneName,
                                  const velmora::LocaleTimeNames& names, int depth) {
    std::optional<Padding> padding;
    std::size_t at = 1;
    for (; at < directive.size(); ++at) {
        const char16_t c = directive[at];
        if (c == u'-' || c == u'_' || c == u'0') {
            padding = c == u'-' ? Padding::None : c == u'_' ? Padding::Blanks : Padding::Zeros;
        } else if (std::u16string_view(u"^#123456789EO").find(c) == std::u16string_view::npos) {
            break;
        }
    }
    if (at >= directive.size()) {
        out.append(directive);
        return directive.size();
    }
    if (!appendLocaleCode(out, directive[at], padding, f, zoneName, names, depth)) {
        out.append(directive.substr(0, at + 1));
    }
    return at + 1;
}

void appendLocaleFormat(BoundedText& out, std::u16string_view format, const Fields& f,
                        std::u16string_view zoneName, const velmora::LocaleTimeNames& names,
                        int depth) {
    appendFormatted(out, format, [&](std::u16string_view directive) {
        return appendLocaleDirective(out, directive, f, zoneName, names, depth);
    });
}

bool appendComposite(BoundedText& out, char16_t code, bool alternate, const Fields& f) {
    switch (code) {
    case u'c':
        appendDate(out, f, alternate);
        out.append(u" ");
        appendTime(out, f);
        return true;
    case u'x':
        appendDate(out, f, alternate);
        return true;
    case u'X':
        appendTime(out, f);
        return true;
    default:
        return false;
    }
}

// Appends the output of one code; false, with nothing appended, for a code we do not know.
bool appendCode(BoundedText& out, char16_t code, bool alternate, const Fields& f,
                std::u16string_view zoneName, const velmora::LocaleTimeNames* names) {
    if (const auto number = numericField(code, f)) {
        appendNumber(out, number->value, number->width, alternate ? Padding::None : Padding::Zeros);
        return true;
    }
    if (const auto text = textField(code, f, zoneName, names)) {
        out.append(*text);
        return true;
    }
    if (names != nullptr) {
        return appendLocaleComposite(out, code, alternate, f, zoneName, *names, 0);
    }
    return appendComposite(out, code, alternate, f);
}

// `directive` starts at a '%'; returns how many units of it were consumed.
std::size_t appendDirective(BoundedText& out, std::u16string_view directive, const Fields& f,
                            std::u16string_view zoneName, const velmora::LocaleTimeNames* names) {
    const bool alternate = directive.size() > 1 && directive[1] == u'#';
    const std::size_t codeAt = alternate ? 2 : 1;
    if (codeAt >= directive.size()) {
        out.append(directive);
        return directive.size();
    }
    const std::size_t length = codeAt + 1;
    if (!appendCode(out, directive[codeAt], alternate, f, zoneName, names)) {
        out.append(directive.substr(0, length));
    }
    return length;
}

} // namespace

std::u16string formatClockText(std::u16string_view format, const velmora::PackedDateTime& local,
                               std::u16string_view zoneName,
                               const velmora::LocaleTimeNames* names) {
    const Fields fields = fieldsOf(local);
    BoundedText out;
    appendFormatted(out, format, [&](std::u16string_view directive) {
        return appendDirective(out, directive, fields, zoneName, names);
    });
    return out.take();
}
