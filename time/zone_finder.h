// Zone lookups by name that read only the zones they need, not the whole system zone table.
#pragma once

#include "time/zone_record.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace velmora {

// Gives what the lookups of system_zone_table.h give over the table of a zoneinfo folder,
// reading only the zone list, the links when a name is no zone, and the files of the zones
// asked for: the clock fills its five zone slots from a few files instead of the hundreds the
// whole table reads at every start.
class ZoneFinder {
public:
    // As readZoneTable(dir) reads it.
    explicit ZoneFinder(std::filesystem::path dir);
    // As readSystemZoneTable() reads it: zoneinfoDirectory(), and the record of the machine's
    // zone when that is a POSIX rule.
    ZoneFinder();

    // What findZoneByDisplayName gives over the table: a display name holds its zone's id, so
    // the entry the table would match exactly is the zone of that id, and stale offsets, links
    // and POSIX rules resolve by the id as there.
    ZoneRecord findByDisplayName(std::u16string_view name);
    // What findZoneByStandardName gives over the table: the zone, or the zone a link stands
    // for; null otherwise.
    const ZoneRecord* findByStandardName(std::u16string_view id);
    // Whether the folder lists any zone; without one, the table is empty and finds nothing.
    bool hasZones();

private:
    // The record of a zone of the list; null for other names and for unreadable zones.
    const ZoneRecord* zone(const std::string& id);
    const std::unordered_map<std::string, std::string>& links();
    // The machine zone's own record when the table holds one, else null.
    const ZoneRecord* machineRule();

    std::filesystem::path dir_;
    bool withMachineRule_ = false;
    std::optional<std::optional<ZoneRecord>> machineRule_;
    std::optional<std::vector<std::string>> ids_;
    std::optional<std::unordered_map<std::string, std::string>> links_;
    std::map<std::string, std::optional<ZoneRecord>, std::less<>> records_;
};

} // namespace velmora
