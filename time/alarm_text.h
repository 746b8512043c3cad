// Alarms and timers as text: times of day and durations as people type them, labels made safe
// to show, and the lines the settings keep them in.
#pragma once

#include "time/alarm_schedule.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

inline constexpr std::size_t kMaxLabelLength = 200;
inline constexpr std::int64_t kMaxTimerSeconds = 100 * 3600 - 1;
// More than anyone sets; a settings file holding more was not written by the clock.
inline constexpr std::size_t kMaxAlarms = 100;

// "7:30" or "07:30", 00:00 to 23:59, as minutes after midnight.
std::optional<std::int32_t> parseTimeOfDay(std::string_view text);
// "90s", "5m", "1h30m", "1h30m15s" or a bare count of seconds; at least a second, at most
// kMaxTimerSeconds.
std::optional<std::int64_t> parseDuration(std::string_view text);

// A label fit for one line of a notification: control characters become spaces, the ends are
// trimmed, and it is cut to kMaxLabelLength (never inside a character).
std::u16string cleanLabel(std::u16string_view label);

// One line an item, the label last: "07:30;12345;1;ARMED;SNOOZE;LABEL" (the ISO weekdays it
// rings on, 1 = Monday, none for once; on; instants in ms) and "SECONDS;ENDS;SNOOZE;LABEL".
std::u16string alarmsToText(const std::vector<Alarm>& alarms);
std::u16string timersToText(const std::vector<Timer>& timers);
// Lines that do not read as an item are left out, and so is anything past kMaxAlarms.
std::vector<Alarm> alarmsFromText(std::u16string_view text);
std::vector<Timer> timersFromText(std::u16string_view text);

} // namespace velmora
