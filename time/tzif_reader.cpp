// TZif footer reading and POSIX TZ strings (RFC 8536, POSIX.1 TZ).
#include "time/tzif_reader.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <iterator>
#include <unistd.h>
#include <vector>

namespace velmora {

namespace {

constexpr std::size_t kHeaderSize = 44;

std::uint32_t be32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

struct Counts {
    std::uint32_t isut, isstd, leap, time, type, chars;
};

std::optional<Counts> readHeader(std::span<const std::uint8_t> bytes, std::size_t at) {
    if (bytes.size() < at + kHeaderSize || bytes[at] != 'T' || bytes[at + 1] != 'Z' ||
        bytes[at + 2] != 'i' || bytes[at + 3] != 'f') {
        return std::nullopt;
    }
    const auto* p = bytes.data() + at + 20;
    return Counts{be32(p), be32(p + 4), be32(p + 8), be32(p + 12), be32(p + 16), be32(p + 20)};
}

std::uint64_t dataSize(const Counts& c, std::uint64_t timeSize) {
    return c.time * timeSize + c.time + c.type * 6ull + c.chars + c.leap * (timeSize + 4) +
           c.isstd + c.isut;
}

class Scanner {
public:
    explicit Scanner(std::string_view s) : s_(s) {}
    bool atEnd() const { return i_ >= s_.size(); }
    char peek() const { return atEnd() ? '\0' : s_[i_]; }
    bool accept(char c) {
        if (peek() == c && !atEnd()) {
            ++i_;
            return true;
        }
        return false;
    }

    std::optional<std::string> name() {
        std::string out;
        if (accept('<')) {
            while (!atEnd() && peek() != '>') {
                const char c = s_[i_++];
                if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-') {
                    return std::nullopt;
                }
                out.push_back(c);
            }
            if (!accept('>')) {
                return std::nullopt;
            }
        } else {
            while (!atEnd() && std::isalpha(static_cast<unsigned char>(peek()))) {
                out.push_back(s_[i_++]);
            }
        }
        if (out.size() < 3) {
            return std::nullopt;
        }
        return out;
    }

    std::optional<int> number(int maxDigits) {
        int value = 0;
        int digits = 0;
        while (!atEnd() && std::isdigit(static_cast<unsigned char>(peek())) && digits < maxDigits) {
            value = value * 10 + (s_[i_++] - '0');
            ++digits;
        }
        if (digits == 0) {
            return std::nullopt;
        }
        return value;
    }

    // [+-]hh[:mm[:ss]] in seconds; hours up to maxHours.
    std::optional<std::int32_t> signedTime(int maxHours) {
        int sign = 1;
        if (accept('-')) {
            sign = -1;
        } else {
            accept('+');
        }
        const auto h = number(3);
        if (!h || *h > maxHours) {
            return std::nullopt;
        }
        std::int32_t seconds = *h * 3600;
        for (int unit : {60, 1}) {
            if (!accept(':')) {
                break;
            }
            const auto v = number(2);
            if (!v || *v > 59) {
                return std::nullopt;
            }
            seconds += *v * unit;
        }
        return sign * seconds;
    }

    std::optional<PosixTransition> transition() {
        PosixTransition t;
        if (accept('M')) {
            const auto m = number(2);
            if (!m || *m < 1 || *m > 12 || !accept('.')) {
                return std::nullopt;
            }
            const auto w = number(1);
            if (!w || *w < 1 || *w > 5 || !accept('.')) {
                return std::nullopt;
            }
            const auto d = number(1);
            if (!d || *d > 6) {
                return std::nullopt;
            }
            t.month = *m;
            t.week = *w;
            t.dayOfWeek = *d;
        } else if (accept('J')) {
            const auto n = number(3);
            if (!n || *n < 1 || *n > 365) {
                return std::nullopt;
            }
            t.form = PosixTransition::Form::JulianNoLeap;
            t.day = *n;
        } else {
            const auto n = number(3);
            if (!n || *n > 365) {
                return std::nullopt;
            }
            t.form = PosixTransition::Form::JulianZeroBased;
            t.day = *n;
        }
        if (accept('/')) {
            const auto time = signedTime(167);
            if (!time) {
                return std::nullopt;
            }
            t.time = *time;
        }
        return t;
    }

private:
    std::string_view s_;
    std::size_t i_ = 0;
};

// A transition time in seconds as a SYSTEMTIME's hour (signed), minute and second, such that
// hour * 3600 + minute * 60 + second is the time.
void setTransitionTime(SystemTime& st, std::int32_t seconds) {
    std::int32_t hours = seconds / 3600;
    std::int32_t rest = seconds % 3600;
    if (rest < 0) {
        rest += 3600;
        --hours;
    }
    st.wHour = static_cast<std::uint16_t>(static_cast<std::int16_t>(hours));
    st.wMinute = static_cast<std::uint16_t>(rest / 60);
    st.wSecond = static_cast<std::uint16_t>(rest % 60);
}

SystemTime yearlyRule(const PosixTransition& t) {
    SystemTime st;
    st.wMonth = static_cast<std::uint16_t>(t.month);
    st.wDayOfWeek = static_cast<std::uint16_t>(t.dayOfWeek);
    st.wDay = static_cast<std::uint16_t>(t.week);
    setTransitionTime(st, t.time);
    return st;
}

} // namespace

std::optional<TzifData> parseTzifData(std::span<const std::uint8_t> bytes) {
    const auto v1 = readHeader(bytes, 0);
    if (!v1) {
        return std::nullopt;
    }
    const bool v2plus = bytes[4] >= '2';
    std::uint64_t at = kHeaderSize;
    Counts counts = *v1;
    std::uint64_t timeSize = 4;
    if (v2plus) {
        const std::uint64_t second = kHeaderSize + dataSize(*v1, 4);
        if (second > bytes.size()) {
            return std::nullopt;
        }
        const auto v2 = readHeader(bytes, second);
        if (!v2) {
            return std::nullopt;
        }
        counts = *v2;
        at = second + kHeaderSize;
        timeSize = 8;
    }
    const std::uint64_t end = at + dataSize(counts, timeSize);
    if (end > bytes.size() || counts.type == 0 || counts.type > 256 || counts.chars == 0) {
        return std::nullopt;
    }
    TzifData out;
    out.version = bytes[4] == 0 ? 1 : bytes[4] - '0';
    const std::uint8_t* p = bytes.data() + at;
    out.transitions.reserve(counts.time);
    for (std::uint32_t i = 0; i < counts.time; ++i, p += timeSize) {
        const std::int64_t t =
            timeSize == 8 ? static_cast<std::int64_t>(std::uint64_t{be32(p)} << 32 | be32(p + 4))
                          : std::int64_t{static_cast<std::int32_t>(be32(p))};
        if (!out.transitions.empty() && t <= out.transitions.back()) {
            return std::nullopt;
        }
        out.transitions.push_back(t);
    }
    out.transitionTypes.assign(p, p + counts.time);
    p += counts.time;
    for (std::uint8_t type : out.transitionTypes) {
        if (type >= counts.type) {
            return std::nullopt;
        }
    }
    const std::uint8_t* chars = p + counts.type * 6ull;
    for (std::uint32_t i = 0; i < counts.type; ++i, p += 6) {
        TzifType type;
        type.utOffset = static_cast<std::int32_t>(be32(p));
        type.isDst = p[4] != 0;
        const std::uint32_t index = p[5];
        // RFC 8536 forbids -2^31, which has no positive counterpart.
        if (type.utOffset == INT32_MIN || index >= counts.chars) {
            return std::nullopt;
        }
        const auto* first = chars + index;
        const auto* last = std::find(first, chars + counts.chars, std::uint8_t{0});
        type.abbreviation.assign(first, last);
        out.types.push_back(std::move(type));
    }
    if (v2plus) {
        if (end >= bytes.size() || bytes[end] != '\n') {
            return std::nullopt;
        }
        const auto begin = bytes.begin() + static_cast<std::ptrdiff_t>(end) + 1;
        const auto close = std::find(begin, bytes.end(), std::uint8_t{'\n'});
        if (close == bytes.end()) {
            return std::nullopt;
        }
        out.footer.assign(begin, close);
    }
    return out;
}

TzifFooter TzifData::footerInfo() const {
    TzifFooter out;
    out.version = version;
    out.tz = footer;
    // The local time type in force after the last transition, or the first type without any.
    const std::size_t type = transitionTypes.empty() ? 0 : transitionTypes.back();
    out.lastUtOffset = types[type].utOffset;
    return out;
}

namespace {

// Plain reads rather than a file stream: a stream sets up the C++ locale, which touches a few
// hundred kilobytes more of the standard library at every start of the clock.
std::optional<std::vector<std::uint8_t>> readFileBytes(const std::filesystem::path& path,
                                                       std::size_t limit, bool refuseLarger) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[16384];
    bool failed = false;
    while (bytes.size() <= limit) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            failed = got < 0;
            break;
        }
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    ::close(fd);
    if (failed || (refuseLarger && bytes.size() > limit)) {
        return std::nullopt;
    }
    if (bytes.size() > limit) {
        bytes.resize(limit);
    }
    return bytes;
}

} // namespace

std::optional<std::vector<std::uint8_t>> readSmallFile(const std::filesystem::path& path,
                                                       std::size_t limit) {
    return readFileBytes(path, limit, true);
}

std::optional<std::vector<std::uint8_t>> readFileStart(const std::filesystem::path& path,
                                                       std::size_t count) {
    return readFileBytes(path, count, false);
}

std::optional<TzifData> readTzifData(const std::filesystem::path& path) {
    const auto bytes = readSmallFile(path);
    return bytes ? parseTzifData(*bytes) : std::nullopt;
}

std::optional<TzifFooter> parseTzif(std::span<const std::uint8_t> bytes) {
    const auto data = parseTzifData(bytes);
    if (!data || data->version < 2) {
        return std::nullopt;
    }
    return data->footerInfo();
}

std::optional<TzifFooter> readTzifFile(const std::filesystem::path& path) {
    const auto bytes = readSmallFile(path);
    return bytes ? parseTzif(*bytes) : std::nullopt;
}

std::optional<PosixTz> parsePosixTz(std::string_view text) {
    Scanner s(text);
    PosixTz tz;
    auto name = s.name();
    auto offset = name ? s.signedTime(24) : std::nullopt;
    if (!offset) {
        return std::nullopt;
    }
    tz.standardName = std::move(*name);
    tz.standardOffset = *offset;
    if (s.atEnd()) {
        return tz;
    }
    name = s.name();
    if (!name) {
        return std::nullopt;
    }
    tz.hasDaylight = true;
    tz.daylightName = std::move(*name);
    tz.daylightOffset = tz.standardOffset - 3600;
    if (!s.atEnd() && s.peek() != ',') {
        offset = s.signedTime(24);
        if (!offset) {
            return std::nullopt;
        }
        tz.daylightOffset = *offset;
    }
    if (s.accept(',')) {
        const auto start = s.transition();
        const auto end = start && s.accept(',') ? s.transition() : std::nullopt;
        if (!end) {
            return std::nullopt;
        }
        tz.hasRules = true;
        tz.daylightStart = *start;
        tz.standardStart = *end;
    }
    if (!s.atEnd()) {
        return std::nullopt;
    }
    return tz;
}

ConvertedRules zoneRulesFromPosixTz(const PosixTz& tz) {
    ConvertedRules out;
    out.rules.Bias = tz.standardOffset / 60;
    if (tz.standardOffset % 60 != 0 || (tz.hasDaylight && tz.daylightOffset % 60 != 0)) {
        out.conversion = RuleConversion::OffsetNotMinutes;
    }
    if (!tz.hasDaylight) {
        return out;
    }
    if (!tz.hasRules) {
        out.conversion = RuleConversion::NoDaylightRule;
        return out;
    }
    if (tz.daylightStart.form != PosixTransition::Form::MonthWeekDay ||
        tz.standardStart.form != PosixTransition::Form::MonthWeekDay) {
        out.conversion = RuleConversion::JulianFallback;
        return out;
    }
    out.rules.DaylightBias = tz.daylightOffset / 60 - out.rules.Bias;
    out.rules.DaylightDate = yearlyRule(tz.daylightStart);
    out.rules.StandardDate = yearlyRule(tz.standardStart);
    return out;
}

std::optional<ConvertedRules> zoneRulesFromFooter(const TzifFooter& footer) {
    if (const auto tz = parsePosixTz(footer.tz)) {
        return zoneRulesFromPosixTz(*tz);
    }
    if (!footer.tz.empty()) {
        return std::nullopt;
    }
    // No rule beyond the last transition: the last local time type stays in force.
    ConvertedRules converted;
    converted.rules.Bias = -footer.lastUtOffset / 60;
    converted.conversion = RuleConversion::NoDaylightRule;
    return converted;
}

} // namespace velmora
