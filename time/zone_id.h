// The check every zone id passes before it becomes a path below the zone database.
#pragma once

#include <string_view>

namespace velmora {

// Ids come from settings, the environment, /etc and the database's own lists, so any of them
// may be hostile or garbled: an id must name a file below the folder (not absolute, no "..")
// and hold no NUL (which would cut the path short) nor other control characters.
bool isSafeZoneId(std::string_view id);

} // namespace velmora
