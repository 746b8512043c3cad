// A zone's full history: the transitions of its TZif file, then its footer rule for ever after.
#pragma once

#include "time/packed_date_time.h"
#include "time/tzif_reader.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The local time of a zone at an instant: its offset, whether it is daylight time, and its
// abbreviation ("CEST", "+0530").
struct ZoneLocalType {
    std::int32_t utOffset = 0; // seconds east of UTC
    bool isDst = false;
    std::string abbreviation;
};

class ZoneHistory {
public:
    // From a TZif file's data: its transitions where they reach, its footer beyond them.
    // Nothing for a footer that cannot be read as a POSIX TZ string.
    static std::optional<ZoneHistory> fromTzif(const TzifData& data);
    // From a POSIX TZ string alone ("CET-1CEST,M3.5.0,M10.5.0/3"), applied to every year.
    static std::optional<ZoneHistory> fromPosixTz(std::string_view text);

    // The local time type in force at `seconds` (UTC seconds since 1970).
    const ZoneLocalType& localTypeAt(std::int64_t seconds) const;
    const ZoneLocalType& localTypeAt(const PackedDateTime& utc) const;

    // The zone's local date and time at the UTC instant; centiseconds are kept.
    PackedDateTime toZoneTime(const PackedDateTime& utc) const;

    // What the zone record's rules are made of: the footer and the offset of the last type.
    const TzifFooter& footer() const { return footer_; }

    // Every change of offset, daylight flag or abbreviation from `from` to `to` (UTC seconds),
    // ascending; the instant a change takes effect.
    std::vector<std::int64_t> changesBetween(std::int64_t from, std::int64_t to) const;

private:
    ZoneHistory() = default;
    std::size_t ruleTypeAt(std::int64_t seconds) const;
    std::size_t typeIndexAt(std::int64_t seconds) const;
    void addRuleTypes(const PosixTz& rule);
    void extendWithRule(std::int64_t from);

    std::vector<ZoneLocalType> types_;
    // at_[i] is when type_[i] begins; file transitions first, then the rule's own changes up to
    // the end of the precomputed years.
    std::vector<std::int64_t> at_;
    std::vector<std::uint16_t> type_;
    bool fileTransitions_ = false;
    std::optional<PosixTz> rule_;
    std::size_t standardType_ = 0;
    std::size_t daylightType_ = 0;
    TzifFooter footer_;
};

// A zone's history from a zoneinfo folder: the TZif file of `id` when there is one, else `id`
// read as a POSIX TZ string. Nothing for an unsafe or unknown name.
std::shared_ptr<const ZoneHistory> loadZoneHistory(const std::filesystem::path& zoneinfo,
                                                   std::string_view id);

// UTC seconds since 1970 of a packed UTC instant (centiseconds dropped), and back.
std::int64_t secondsSinceEpoch(const PackedDateTime& utc);
PackedDateTime packedFromSeconds(std::int64_t seconds);

} // namespace velmora
