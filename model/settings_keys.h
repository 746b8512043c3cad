// Every persistent setting, declared once: section, value name, kind and default.
#pragma once

#include "velmora_export.h"

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
// A desktop widget shows on every workspace unless the user keeps it on one.
inline const SettingKey kOnAllWorkspaces{"View", "OnAllWorkspaces", SettingKind::Integer, 1};
// Set, the clock ignores drags and corner resizes; the menu's sizes still apply.
inline const SettingKey kLockPosition{"View", "LockPosition", SettingKind::Integer, 0};
// Off by default: continuous hands then move ten times a second, as they always have.
inline const SettingKey kSmoothMotion{"View", "SmoothMotion", SettingKind::Integer, 0};
inline const SettingKey kThreadPriority{"System", "ThreadPriority", SettingKind::Integer, 0};
// Off by default: a clock on the desktop is silent until asked to chime or ring aloud.
inline const SettingKey kPlaySounds{"View", "PlaySounds", SettingKind::Integer, 0};
// Minutes between chimes: 60 on the hour, 15 every quarter.
inline const SettingKey kChimeMinutes{"Sounds", "ChimeMinutes", SettingKind::Integer, 60};
// The user's own sound files; empty for the clock's own.
inline const SettingKey kChimeSound{"Sounds", "ChimeSound", SettingKind::Text};
inline const SettingKey kAlarmSound{"Sounds", "AlarmSound", SettingKind::Text};
// The clock's alarms and timers, one a line (time/alarm_text.h).
inline const SettingKey kAlarms{"Alarms", "Alarms", SettingKind::Text};
inline const SettingKey kTimers{"Alarms", "Timers", SettingKind::Text};
inline const SettingKey kUseFixedZone{"Timezones", "UseFixedZone", SettingKind::Integer, 0};

constexpr int kZoneSlotCount = 5;
// Zone slot names "00" to "04"; their default is the machine zone's display name, which
// only the caller knows.
VELMORA_EXPORT SettingKey zoneKey(int slot);

// The four parts of a window's placement; their defaults are the window's current values.
enum class PlacementPart { X, Y, W, H };
VELMORA_EXPORT SettingKey windowLayoutKey(std::string_view windowName, PlacementPart part);

inline constexpr std::string_view kClockWindow = "ClockWindow";
inline constexpr std::string_view kTimeZoneOptionsWindow = "TimeZoneOptions";
inline constexpr std::string_view kOptionsWindow = "Options";

} // namespace settings
