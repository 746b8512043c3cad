// The check every zone id passes before it becomes a path below the zone database.
#include "time/zone_id.h"

#include <algorithm>

namespace velmora {

bool isSafeZoneId(std::string_view id) {
    if (id.empty() || id.front() == '/' || id.find("..") != std::string_view::npos) {
        return false;
    }
    const auto isControl = [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7f;
    };
    return std::none_of(id.begin(), id.end(), isControl);
}

} // namespace velmora
