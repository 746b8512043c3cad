// Every persistent setting, declared once: section, value name, kind and default.
#include "model/settings_keys.h"

namespace settings {

SettingKey zoneKey(int slot) {
    std::string name = "0" + std::to_string(slot);
    return SettingKey{"Timezones", name, SettingKind::Text};
}

SettingKey windowLayoutKey(std::string_view windowName, PlacementPart part) {
    static constexpr std::array<std::string_view, 4> kSuffixes = {"_X", "_Y", "_W", "_H"};
    std::string name(windowName);
    name += kSuffixes[static_cast<std::size_t>(part)];
    return SettingKey{"WindowLayout", name, SettingKind::Integer};
}

} // namespace settings
