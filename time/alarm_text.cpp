// Alarms and timers as text: times of day and durations as people type them, labels made safe
// to show, and the lines the settings keep them in.
#include "time/alarm_text.h"

#include <algorithm>

namespace velmora {

namespace {

constexpr char16_t kSeparator = u';';
constexpr std::int64_t kMaxInstant = std::int64_t{1} << 50;

// The digits of a field, read as a number within [low, high]; the whole field must be digits.
template <typename Char>
std::optional<std::int64_t> number(std::basic_string_view<Char> text, std::int64_t low,
                                   std::int64_t high) {
    if (text.empty() || text.size() > 16) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (const Char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    if (value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

// The first `count` fields split at the separator, the rest of the line as the last one.
std::vector<std::u16string_view> fields(std::u16string_view line, std::size_t count) {
    std::vector<std::u16string_view> result;
    while (result.size() + 1 < count) {
        const std::size_t end = line.find(kSeparator);
        if (end == std::u16string_view::npos) {
            return {};
        }
        result.push_back(line.substr(0, end));
        line.remove_prefix(end + 1);
    }
    result.push_back(line);
    return result;
}

std::vector<std::u16string_view> lines(std::u16string_view text) {
    std::vector<std::u16string_view> result;
    while (!text.empty() && result.size() < kMaxAlarms) {
        const std::size_t end = text.find(u'\n');
        const std::u16string_view line = text.substr(0, end);
        if (!line.empty()) {
            result.push_back(line);
        }
        if (end == std::u16string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
    return result;
}

std::u16string ascii(std::string_view text) {
    return std::u16string(text.begin(), text.end());
}

std::u16string decimal(std::int64_t value) {
    return ascii(std::to_string(value));
}

std::optional<std::int32_t> timeOfDay(std::u16string_view text) {
    std::string narrow;
    for (const char16_t c : text) {
        if (c > 0x7F) {
            return std::nullopt;
        }
        narrow.push_back(static_cast<char>(c));
    }
    return parseTimeOfDay(narrow);
}

} // namespace

std::optional<std::int32_t> parseTimeOfDay(std::string_view text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon > 2 ||
        text.size() - colon - 1 != 2) {
        return std::nullopt;
    }
    const auto hours = number(text.substr(0, colon), 0, 23);
    const auto minutes = number(text.substr(colon + 1), 0, 59);
    if (!hours || !minutes) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*hours * 60 + *minutes);
}

std::optional<std::int64_t> parseDuration(std::string_view text) {
    if (const auto bare = number(text, 1, kMaxTimerSeconds)) {
        return bare;
    }
    // Each unit at most once, larger ones first, each with its number before it.
    static constexpr std::pair<char, std::int64_t> kUnits[] = {{'h', 3600}, {'m', 60}, {'s', 1}};
    std::int64_t total = 0;
    std::size_t unit = 0;
    while (!text.empty()) {
        const std::size_t digits = text.find_first_not_of("0123456789");
        if (digits == 0 || digits == std::string_view::npos || digits > 6) {
            return std::nullopt;
        }
        while (unit < std::size(kUnits) && kUnits[unit].first != text[digits]) {
            ++unit;
        }
        if (unit == std::size(kUnits)) {
            return std::nullopt;
        }
        total += *number(text.substr(0, digits), 0, 999999) * kUnits[unit].second;
        ++unit;
        text.remove_prefix(digits + 1);
    }
    if (total < 1 || total > kMaxTimerSeconds) {
        return std::nullopt;
    }
    return total;
}

std::u16string cleanLabel(std::u16string_view label) {
    std::u16string clean;
    for (const char16_t c : label) {
        clean.push_back(c < 0x20 || c == 0x7F ? u' ' : c);
    }
    const std::size_t first = clean.find_first_not_of(u' ');
    if (first == std::u16string::npos) {
        return {};
    }
    clean = clean.substr(first, clean.find_last_not_of(u' ') - first + 1);
    if (clean.size() > kMaxLabelLength) {
        std::size_t cut = kMaxLabelLength;
        // A high surrogate cut from its low one would be no character at all.
        if (clean[cut - 1] >= 0xD800 && clean[cut - 1] <= 0xDBFF) {
            --cut;
        }
        clean.resize(cut);
    }
    return clean;
}

std::u16string alarmsToText(const std::vector<Alarm>& alarms) {
    std::u16string text;
    for (const Alarm& alarm : alarms) {
        const char clock[] = {static_cast<char>('0' + alarm.minuteOfDay / 600),
                              static_cast<char>('0' + alarm.minuteOfDay / 60 % 10), ':',
                              static_cast<char>('0' + alarm.minuteOfDay % 60 / 10),
                              static_cast<char>('0' + alarm.minuteOfDay % 10)};
        text += ascii(std::string_view(clock, sizeof clock));
        text += kSeparator;
        // ISO order, Monday first: bit 1 is Monday, bit 0 Sunday.
        for (int iso = 1; iso <= 7; ++iso) {
            if (alarm.weekdays & (1u << (iso % 7))) {
                text += static_cast<char16_t>(u'0' + iso);
            }
        }
        text += kSeparator + decimal(alarm.enabled ? 1 : 0) + kSeparator +
                decimal(alarm.armedFrom) + kSeparator + decimal(alarm.snoozedUntil) + kSeparator +
                cleanLabel(alarm.label) + u'\n';
    }
    return text;
}

std::u16string timersToText(const std::vector<Timer>& timers) {
    std::u16string text;
    for (const Timer& timer : timers) {
        text += decimal(timer.lengthSeconds) + kSeparator + decimal(timer.endsAt) + kSeparator +
                decimal(timer.snoozedUntil) + kSeparator + cleanLabel(timer.label) + u'\n';
    }
    return text;
}

std::vector<Alarm> alarmsFromText(std::u16string_view text) {
    std::vector<Alarm> alarms;
    for (const std::u16string_view line : lines(text)) {
        const std::vector<std::u16string_view> parts = fields(line, 6);
        if (parts.empty()) {
            continue;
        }
        const auto minute = timeOfDay(parts[0]);
        const auto enabled = number(parts[2], 0, 1);
        const auto armed = number(parts[3], 0, kMaxInstant);
        const auto snoozed = number(parts[4], 0, kMaxInstant);
        std::uint8_t weekdays = 0;
        bool daysRead = parts[1].size() <= 7;
        for (const char16_t day : parts[1]) {
            daysRead = daysRead && day >= u'1' && day <= u'7';
            weekdays |= static_cast<std::uint8_t>(1u << ((day - u'0') % 7 & 7));
        }
        if (!minute || !enabled || !armed || !snoozed || !daysRead) {
            continue;
        }
        alarms.push_back(
            {*minute, weekdays, *enabled == 1, cleanLabel(parts[5]), *armed, *snoozed});
    }
    return alarms;
}

std::vector<Timer> timersFromText(std::u16string_view text) {
    std::vector<Timer> timers;
    for (const std::u16string_view line : lines(text)) {
        const std::vector<std::u16string_view> parts = fields(line, 4);
        if (parts.empty()) {
            continue;
        }
        const auto length = number(parts[0], 1, kMaxTimerSeconds);
        const auto ends = number(parts[1], 0, kMaxInstant);
        const auto snoozed = number(parts[2], 0, kMaxInstant);
        if (!length || !ends || !snoozed) {
            continue;
        }
        timers.push_back({*length, cleanLabel(parts[3]), *ends, *snoozed});
    }
    return timers;
}

} // namespace velmora
