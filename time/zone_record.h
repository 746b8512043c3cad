// Time-zone records: rules in the REG_TZI_FORMAT layout and the 812-byte zone record.
#pragma once

#include "velmora_export.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace velmora {

// A transition of a zone's rules, laid out as the Windows SYSTEMTIME. With wYear = 0 it is a
// yearly rule: the wDay-th (1 to 5, 5 = last) wDayOfWeek (0 = Sunday) of wMonth, at
// wHour:wMinute:wSecond local time. wHour is read as a signed 16-bit number and may run from
// -167 to 167: tz rules such as "Thursday + 50 hours" or "-1:00" carry into the neighbouring
// days instead of being clipped.
struct SystemTime {
    std::uint16_t wYear = 0;
    std::uint16_t wMonth = 0;
    std::uint16_t wDayOfWeek = 0;
    std::uint16_t wDay = 0;
    std::uint16_t wHour = 0;
    std::uint16_t wMinute = 0;
    std::uint16_t wSecond = 0;
    std::uint16_t wMilliseconds = 0;

    friend bool operator==(const SystemTime&, const SystemTime&) = default;
};

// The hour of a transition, with its sign.
inline std::int32_t signedHour(const SystemTime& t) {
    return static_cast<std::int16_t>(t.wHour);
}

// REG_TZI_FORMAT. Biases are minutes with UTC = local time + bias.
struct ZoneRules {
    std::int32_t Bias = 0;
    std::int32_t StandardBias = 0; // added to Bias during standard time
    std::int32_t DaylightBias = 0; // added to Bias during daylight time
    SystemTime StandardDate;       // when standard time begins (local daylight time)
    SystemTime DaylightDate;       // when daylight time begins (local standard time);
                                   // wMonth = 0: the zone has no daylight time

    friend bool operator==(const ZoneRules&, const ZoneRules&) = default;
};

inline constexpr std::size_t kZoneRulesSize = 44;
inline constexpr std::size_t kZoneRecordSize = 812;
inline constexpr std::size_t kDisplayNameUnits = 256;
inline constexpr std::size_t kStandardNameUnits = 128;

// A zone: display name, standard name (on Linux the IANA id) and rules. Names are stored
// zero-terminated, so at most 255 and 127 code units of text. All zero converts as UTC.
struct VELMORA_EXPORT ZoneRecord {
    std::array<char16_t, kDisplayNameUnits> displayName{};
    std::array<char16_t, kStandardNameUnits> standardName{};
    ZoneRules rules;

    std::u16string_view displayNameView() const;
    std::u16string_view standardNameView() const;
    // Truncate to the field (never splitting a surrogate pair) and zero-fill the rest.
    void setDisplayName(std::u16string_view name);
    void setStandardName(std::u16string_view name);

    friend bool operator==(const ZoneRecord&, const ZoneRecord&) = default;
};

static_assert(sizeof(SystemTime) == 16);
static_assert(sizeof(ZoneRules) == kZoneRulesSize);
static_assert(sizeof(ZoneRecord) == kZoneRecordSize);
static_assert(offsetof(ZoneRecord, standardName) == 512);
static_assert(offsetof(ZoneRecord, rules) == 768);

// UTF-8 and UTF-16 conversions for names; ill-formed input becomes U+FFFD.
VELMORA_EXPORT std::u16string utf8ToUtf16(std::string_view text);
VELMORA_EXPORT std::string utf16ToUtf8(std::u16string_view text);

} // namespace velmora
