// The system zone table, read from the IANA tz database of the machine.
#pragma once

#include "time/tzif_reader.h"
#include "time/zone_record.h"
#include "velmora_export.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace velmora {

// $TZDIR when set and not empty, else /usr/share/zoneinfo.
VELMORA_EXPORT std::filesystem::path zoneinfoDirectory();

// What became of one zone of the list while the table was read.
struct ZoneLoadNote {
    std::string id;
    enum class Outcome { Loaded, Unreadable, BadFooter } outcome = Outcome::Loaded;
    RuleConversion conversion = RuleConversion::Exact;
    std::string footer;
};

// The zones the database defines, sorted by id: the "Zone" entries of tzdata.zi (links are not
// zones), or, without that file, every TZif file of the zoneinfo tree that is not a symbolic
// link (the "posix" and "right" variants and "localtime" left out). Empty when neither can be
// read.
std::vector<std::string> listZoneIds(const std::filesystem::path& dir);

// "(UTC+01:00) Europe/Berlin": the standard offset, zero-padded so that the ordinal sort of the
// time zone dialog groups zones by offset, then the id with '_' shown as a space.
std::u16string zoneDisplayName(std::string_view id, std::int32_t bias);

// The record of one zone of the list, as the table holds it; nothing when its file cannot be
// read or has no usable footer. The note, if given, says what became of it.
std::optional<ZoneRecord> readZoneRecord(const std::filesystem::path& dir, const std::string& id,
                                         ZoneLoadNote* note = nullptr);

// Reads the table from a zoneinfo folder: one record per zone of listZoneIds, sorted by display
// name (ordinal comparison of UTF-16 code units, the order the time zone dialog shows). Zones
// whose file cannot be read or has no usable footer add no entry. Returns false, with an empty
// table, when no zone list can be read.
bool readZoneTable(const std::filesystem::path& dir, std::vector<ZoneRecord>& table,
                   std::vector<ZoneLoadNote>* notes = nullptr);

// A record for a zone given by a POSIX TZ string alone (TZ=CET-1CEST,M3.5.0,M10.5.0/3): named by
// the string. Nothing when the text is no such string.
std::optional<ZoneRecord> posixZoneRecord(std::string_view text);

// readZoneTable over zoneinfoDirectory(), plus a record of its own for the machine's zone when
// that is not a zone of the database (a POSIX rule in TZ, an unknown copy in /etc/localtime),
// so that the zone can be chosen and found by its display name like any other.
VELMORA_EXPORT bool readSystemZoneTable(std::vector<ZoneRecord>& table);

// The id part of a display name: what follows "(UTC+hh:mm) ", with spaces back to '_'; a text
// without the offset part is taken as an id as it stands, and a POSIX TZ string keeps its text.
std::string zoneIdOfDisplayName(std::u16string_view name);

// The first entry whose display name equals name. A name the table does not hold, as stored
// before a database update changed a zone's offset or before a zone became a link, is then
// looked up by its id part (the text after the offset, or the whole text when it has no offset
// part): the entry with that id, or with the zone that id links to; a POSIX TZ string gives a
// record of its own. Otherwise an all-zero record. The links are read from
// zoneinfoDirectory() when the name is not found as it stands.
VELMORA_EXPORT ZoneRecord findZoneByDisplayName(const std::vector<ZoneRecord>& table,
                                                std::u16string_view name);
VELMORA_EXPORT ZoneRecord
findZoneByDisplayName(const std::vector<ZoneRecord>& table, std::u16string_view name,
                      const std::unordered_map<std::string, std::string>& links);

// The first entry whose standard name (IANA id) equals id, else the entry of the zone id links
// to (links read from zoneinfoDirectory()), or nullptr.
const ZoneRecord* findZoneByStandardName(const std::vector<ZoneRecord>& table,
                                         std::u16string_view id);
const ZoneRecord* findZoneByStandardName(const std::vector<ZoneRecord>& table,
                                         std::u16string_view id,
                                         const std::unordered_map<std::string, std::string>& links);

// The links of the database (tzdata.zi "L" lines): link name to the zone it stands for. Empty
// when the file cannot be read.
VELMORA_EXPORT std::unordered_map<std::string, std::string>
readZoneLinks(const std::filesystem::path& dir);

// The zone a name stands for, following links; the name itself when it is no link.
VELMORA_EXPORT std::string
resolveZoneLink(const std::unordered_map<std::string, std::string>& links, const std::string& id);

} // namespace velmora
