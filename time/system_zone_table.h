// The system zone table, read from the IANA tz database of the machine.
#pragma once

#include "time/tzif_reader.h"
#include "time/zone_record.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace velmora {

// $TZDIR when set and not empty, else /usr/share/zoneinfo.
std::filesystem::path zoneinfoDirectory();

// What became of one zone of the list while the table was read.
struct ZoneLoadNote {
    std::string id;
    enum class Outcome { Loaded, Unreadable, BadFooter } outcome = Outcome::Loaded;
    RuleConversion conversion = RuleConversion::Exact;
    std::string footer;
};

// The zone ids the table holds, in order: the canonical zones are those of the database's
// country table zone.tab (one line per inhabited region, the names people choose their
// machine's zone by), then those of zone1970.tab not in it, then "UTC". Empty when neither
// list can be read.
std::vector<std::string> listZoneIds(const std::filesystem::path& dir);

// "(UTC+01:00) Europe/Berlin": the standard offset, zero-padded so that the ordinal sort of the
// time zone dialog groups zones by offset, then the id with '_' shown as a space.
std::u16string zoneDisplayName(std::string_view id, std::int32_t bias);

// Reads the table from a zoneinfo folder. Zones whose file cannot be read or has no usable
// footer add no entry (a missing "UTC" file gives an all-zero UTC record). Returns false, with
// an empty table, when no zone list can be read.
bool readZoneTable(const std::filesystem::path& dir, std::vector<ZoneRecord>& table,
                   std::vector<ZoneLoadNote>* notes = nullptr);

// readZoneTable over zoneinfoDirectory().
bool readSystemZoneTable(std::vector<ZoneRecord>& table);

// The first entry whose display name equals name, or an all-zero record.
ZoneRecord findZoneByDisplayName(const std::vector<ZoneRecord>& table, std::u16string_view name);

// The first entry whose standard name (IANA id) equals id, or nullptr.
const ZoneRecord* findZoneByStandardName(const std::vector<ZoneRecord>& table,
                                         std::u16string_view id);

// The links of the database (tzdata.zi "L" lines): link name to the zone it stands for. Empty
// when the file cannot be read.
std::unordered_map<std::string, std::string> readZoneLinks(const std::filesystem::path& dir);

// The zone a name stands for, following links; the name itself when it is no link.
std::string resolveZoneLink(const std::unordered_map<std::string, std::string>& links,
                            const std::string& id);

} // namespace velmora
