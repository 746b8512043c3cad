// Reading TZif files: their transitions and local time types, their footer (a POSIX TZ string),
// and the conversion of that string into REG_TZI_FORMAT rules.
#pragma once

#include "time/zone_record.h"
#include "velmora_export.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct TzifFooter {
    int version = 0;               // 2, 3, 4 ...
    std::string tz;                // the POSIX TZ string, may be empty
    std::int32_t lastUtOffset = 0; // seconds east of UTC of the last local time type in force
};

// The footer of a TZif file; nothing for a malformed file or a version 1 file (no footer).
std::optional<TzifFooter> parseTzif(std::span<const std::uint8_t> bytes);
std::optional<TzifFooter> readTzifFile(const std::filesystem::path& path);

// A local time type of a TZif file.
struct TzifType {
    std::int32_t utOffset = 0; // seconds east of UTC
    bool isDst = false;
    std::string abbreviation;
};

// The whole content of a TZif file: the 64-bit data of version 2 and later (the 32-bit data of
// a version 1 file), and the footer. Leap-second records are not kept: the zoneinfo files count
// POSIX seconds, as the system clock does.
struct TzifData {
    int version = 0;
    std::vector<std::int64_t> transitions; // UTC seconds since 1970, ascending
    std::vector<std::uint8_t> transitionTypes;
    std::vector<TzifType> types;
    std::string footer; // empty for version 1 and for files without a rule beyond their data

    // The footer part of it, as parseTzif gives it.
    TzifFooter footerInfo() const;
};

std::optional<TzifData> parseTzifData(std::span<const std::uint8_t> bytes);
std::optional<TzifData> readTzifData(const std::filesystem::path& path);

// The whole bytes of a file, or nothing when it cannot be read. Files larger than `limit` are
// refused: zone files are a few kilobytes.
VELMORA_EXPORT std::optional<std::vector<std::uint8_t>>
readSmallFile(const std::filesystem::path& path, std::size_t limit = 1 << 20);
// Up to `count` bytes from the start of a file, or nothing when it cannot be read.
std::optional<std::vector<std::uint8_t>> readFileStart(const std::filesystem::path& path,
                                                       std::size_t count);

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

// The rules of a zone record from a TZif footer: the POSIX string's, or with an empty footer the
// last local time type's offset for ever. Nothing for a footer that is no POSIX TZ string.
std::optional<ConvertedRules> zoneRulesFromFooter(const TzifFooter& footer);

} // namespace velmora
