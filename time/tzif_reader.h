// Reading the rule of a TZif file (version 2 or later): its footer, a POSIX TZ string, and the
// conversion of that string into REG_TZI_FORMAT rules.
#pragma once

#include "time/zone_record.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace velmora {

struct TzifFooter {
    int version = 0;               // 2, 3, 4 ...
    std::string tz;                // the POSIX TZ string, may be empty
    std::int32_t lastUtOffset = 0; // seconds east of UTC of the last local time type in force
};

// The footer of a TZif file; nothing for a malformed file or a version 1 file (no footer).
std::optional<TzifFooter> parseTzif(std::span<const std::uint8_t> bytes);
std::optional<TzifFooter> readTzifFile(const std::filesystem::path& path);

// One transition rule of a POSIX TZ string.
struct PosixTransition {
    enum class Form { MonthWeekDay, JulianNoLeap, JulianZeroBased };
    Form form = Form::MonthWeekDay;
    int month = 0;            // Mm.w.d
    int week = 0;             // 1 to 5, 5 = last
    int dayOfWeek = 0;        // 0 = Sunday
    int day = 0;              // Jn: 1 to 365; n: 0 to 365
    std::int32_t time = 7200; // seconds of local time, -167 to 167 hours; 02:00 when not given
};

struct PosixTz {
    std::string standardName;
    std::int32_t standardOffset = 0; // seconds west of UTC, as the string writes it
    bool hasDaylight = false;
    std::string daylightName;
    std::int32_t daylightOffset = 0; // seconds west of UTC; standardOffset - 3600 when not given
    bool hasRules = false;
    PosixTransition daylightStart;
    PosixTransition standardStart;
};

std::optional<PosixTz> parsePosixTz(std::string_view text);

enum class RuleConversion {
    Exact,            // the yearly rule expresses the string
    NoDaylightRule,   // daylight name without rules: standard offset only
    JulianFallback,   // Julian-day rules: standard offset only
    OffsetNotMinutes, // an offset with seconds: truncated to minutes
};

struct ConvertedRules {
    ZoneRules rules;
    RuleConversion conversion = RuleConversion::Exact;
};

// Bias from the standard offset, DaylightBias = daylight offset - standard offset (in the
// bias' sense), StandardBias 0, and the Mm.w.d transitions as yearly rules.
ConvertedRules zoneRulesFromPosixTz(const PosixTz& tz);

} // namespace velmora
