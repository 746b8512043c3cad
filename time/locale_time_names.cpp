// Reads a locale's LC_TIME through the C library's own locale objects.
#include "time/locale_time_names.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <langinfo.h>
#include <locale.h>
#include <vector>

namespace velmora {

namespace {

// Locale data is a few dozen bytes an item; a longer one is not a name, and bounding it keeps
// a broken locale file from making every frame's text large.
constexpr std::size_t kMaxItemBytes = 256;

// Owns a locale object for the time it is read.
class LocaleHandle {
public:
    explicit LocaleHandle(const std::string& name)
        : handle_(newlocale(LC_TIME_MASK | LC_CTYPE_MASK, name.c_str(), locale_t(nullptr))) {}
    ~LocaleHandle() {
        if (handle_ != locale_t(nullptr)) {
            freelocale(handle_);
        }
    }
    LocaleHandle(const LocaleHandle&) = delete;
    LocaleHandle& operator=(const LocaleHandle&) = delete;
    locale_t get() const { return handle_; }

private:
    locale_t handle_;
};

// Makes the locale the calling thread's for the decoding of its multibyte text, and puts the
// thread's own back afterwards; the process's locale is never touched.
class ThreadLocale {
public:
    explicit ThreadLocale(locale_t locale) : previous_(uselocale(locale)) {}
    ~ThreadLocale() { uselocale(previous_); }
    ThreadLocale(const ThreadLocale&) = delete;
    ThreadLocale& operator=(const ThreadLocale&) = delete;

private:
    locale_t previous_;
};

void appendCodePoint(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out.push_back(static_cast<char16_t>(c));
        return;
    }
    c -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
}

// Decodes with the thread's current locale (set by ThreadLocale). A sequence that does not
// decode shows as U+FFFD and decoding goes on after its first byte.
std::u16string decode(const char* text) {
    std::u16string out;
    if (text == nullptr) {
        return out;
    }
    const std::string_view bytes(text, strnlen(text, kMaxItemBytes));
    std::mbstate_t state{};
    std::size_t at = 0;
    while (at < bytes.size()) {
        wchar_t c = 0;
        const std::size_t used = std::mbrtowc(&c, bytes.data() + at, bytes.size() - at, &state);
        if (used == 0) {
            break;
        }
        if (used == static_cast<std::size_t>(-1) || used == static_cast<std::size_t>(-2) ||
            static_cast<char32_t>(c) > 0x10FFFF) {
            out.push_back(u'\uFFFD');
            state = {};
            ++at;
            continue;
        }
        appendCodePoint(out, static_cast<char32_t>(c));
        at += used;
    }
    return out;
}

std::u16string item(nl_item which, locale_t locale) {
    return decode(nl_langinfo_l(which, locale));
}

struct Token {
    std::u16string text;
    bool directive = false;
    bool dropped = false;
};

bool namesTimeOfDayOrZone(char16_t code) {
    return std::u16string_view(u"HIklMSTRrpPZzsXc").find(code) != std::u16string_view::npos;
}

// Splits a strftime format into its directives (with flags, width and modifier) and the
// literal text between them.
std::vector<Token> tokenize(std::u16string_view format) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < format.size()) {
        if (format[i] != u'%') {
            const std::size_t next = std::min(format.find(u'%', i), format.size());
            tokens.push_back({std::u16string(format.substr(i, next - i)), false, false});
            i = next;
            continue;
        }
        std::size_t end = i + 1;
        while (end < format.size() && std::u16string_view(u"-_0^#0123456789EO").find(format[end]) !=
                                          std::u16string_view::npos) {
            ++end;
        }
        if (end >= format.size()) {
            tokens.push_back({std::u16string(format.substr(i)), false, false});
            break;
        }
        const char16_t code = format[end];
        tokens.push_back(
            {std::u16string(format.substr(i, end + 1 - i)), true, namesTimeOfDayOrZone(code)});
        i = end + 1;
    }
    return tokens;
}

bool isSpace(char16_t c) {
    return c == u' ' || c == u'\t';
}

// A literal beside a dropped part keeps only the blank that parted it from the date: "%b %H"
// keeps " ", "%Y (UTC%z)" keeps " ".
void trimLiteralNextToDropped(Token& literal, bool before, bool after) {
    if (before && after) {
        literal.text.clear();
        return;
    }
    if (after) {
        std::size_t lastBlank = literal.text.size();
        while (lastBlank > 0 && !isSpace(literal.text[lastBlank - 1])) {
            --lastBlank;
        }
        literal.text.resize(lastBlank);
        return;
    }
    if (before) {
        std::size_t firstBlank = 0;
        while (firstBlank < literal.text.size() && !isSpace(literal.text[firstBlank])) {
            ++firstBlank;
        }
        literal.text.erase(0, firstBlank);
    }
}

void widenName(std::u16string& directive) {
    char16_t& code = directive.back();
    if (code == u'a') {
        code = u'A';
    } else if (code == u'b' || code == u'h') {
        code = u'B';
    }
}

std::u16string collapseBlanks(const std::u16string& text) {
    std::u16string out;
    for (char16_t c : text) {
        if (isSpace(c) && (out.empty() || isSpace(out.back()))) {
            continue;
        }
        out.push_back(isSpace(c) ? u' ' : c);
    }
    while (!out.empty() && isSpace(out.back())) {
        out.pop_back();
    }
    return out;
}

} // namespace

std::string desktopTimeLocaleName(const std::map<std::string, std::string>& environment) {
    for (const char* name : {"LC_ALL", "LC_TIME", "LANG"}) {
        const auto found = environment.find(name);
        if (found != environment.end() && !found->second.empty()) {
            return found->second;
        }
    }
    return "C";
}

std::string desktopTimeLocaleName() {
    std::map<std::string, std::string> environment;
    for (const char* name : {"LC_ALL", "LC_TIME", "LANG"}) {
        if (const char* value = std::getenv(name)) {
            environment[name] = value;
        }
    }
    return desktopTimeLocaleName(environment);
}

std::u16string longDateFrom(std::u16string_view dateAndTimeFormat) {
    std::vector<Token> tokens = tokenize(dateAndTimeFormat);
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].directive) {
            continue;
        }
        const bool before = i > 0 && tokens[i - 1].dropped;
        const bool after = i + 1 < tokens.size() && tokens[i + 1].dropped;
        trimLiteralNextToDropped(tokens[i], before, after);
    }
    std::u16string joined;
    for (Token& token : tokens) {
        if (token.dropped) {
            continue;
        }
        if (token.directive) {
            widenName(token.text);
        }
        joined += token.text;
    }
    return collapseBlanks(joined);
}

std::optional<LocaleTimeNames> loadLocaleTimeNames(const std::string& localeName) {
    const LocaleHandle locale(localeName);
    if (locale.get() == locale_t(nullptr)) {
        return std::nullopt;
    }
    const ThreadLocale current(locale.get());
    LocaleTimeNames names;
    names.localeName = localeName;
    for (int i = 0; i < 7; ++i) {
        names.weekdays[i] = item(DAY_1 + i, locale.get());
        names.weekdayAbbreviations[i] = item(ABDAY_1 + i, locale.get());
    }
    for (int i = 0; i < 12; ++i) {
        names.months[i] = item(MON_1 + i, locale.get());
        names.monthAbbreviations[i] = item(ABMON_1 + i, locale.get());
    }
    names.am = item(AM_STR, locale.get());
    names.pm = item(PM_STR, locale.get());
    names.dateTimeFormat = item(D_T_FMT, locale.get());
    names.dateFormat = item(D_FMT, locale.get());
    names.timeFormat = item(T_FMT, locale.get());
    names.timeFormat12 = item(T_FMT_AMPM, locale.get());
    names.longDateFormat = longDateFrom(item(_DATE_FMT, locale.get()));
    // A locale without a full date format of its own has no long date but its short one.
    if (names.longDateFormat.empty()) {
        names.longDateFormat = names.dateFormat;
    }
    return names;
}

} // namespace velmora
