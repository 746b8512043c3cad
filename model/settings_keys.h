// Every persistent setting, declared once: section, value name, kind and default.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

enum class SettingKind { Integer, Text };

struct SettingKey {
    std::string_view section;
    std::string name;
    SettingKind kind;
    std::int32_t intDefault = 0;
    std::u16string_view textDefault = {};
};

namespace settings {

inline const SettingKey kSchemeLoaded{"View", "SchemeLoaded", SettingKind::Text};
// The schemes used last, newest first, one path a line.
inline const SettingKey kRecentSchemes{"View", "RecentSchemes", SettingKind::Text};
inline const SettingKey kStayOnTop{"View", "StayOnTop", SettingKind::Integer, 1};
inline const SettingKey kClickThrough{"View", "ClickThrough", SettingKind::Integer, 0};
inline const SettingKey kOverallAlpha{"View", "OverallAlpha", SettingKind::Integer, 255};
// Off by default so that schemes show dates as their authors made them.
inline const SettingKey kDatesInMyLanguage{"View", "DatesInMyLanguage", SettingKind::Integer, 0};
inline const SettingKey kThreadPriority{"System", "ThreadPriority", SettingKind::Integer, 0};
inline const SettingKey kUseFixedZone{"Timezones", "UseFixedZone", SettingKind::Integer, 0};

constexpr int kZoneSlotCount = 5;
// Zone slot names "00" to "04"; their default is the machine zone's display name, which
// only the caller knows.
SettingKey zoneKey(int slot);

// The four parts of a window's placement; their defaults are the window's current values.
enum class PlacementPart { X, Y, W, H };
SettingKey windowLayoutKey(std::string_view windowName, PlacementPart part);

inline constexpr std::string_view kClockWindow = "ClockWindow";
inline constexpr std::string_view kTimeZoneOptionsWindow = "TimeZoneOptions";
inline constexpr std::string_view kOptionsWindow = "Options";

} // namespace settings
