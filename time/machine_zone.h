// The machine's own time zone, as an IANA id.
#pragma once

#include "time/packed_date_time.h"
#include "time/zone_finder.h"
#include "time/zone_history.h"
#include "time/zone_record.h"
#include "velmora_export.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

// Where the machine's zone is looked up; the defaults are the real places.
struct MachineZoneSources {
    std::optional<std::string> tz; // the TZ variable, if set
    std::filesystem::path localtime = "/etc/localtime";
    std::filesystem::path timezoneFile = "/etc/timezone";
    std::filesystem::path zoneinfo; // the zoneinfo folder
};

MachineZoneSources currentMachineZoneSources();

// The places below another root folder (root/etc/localtime, root/usr/share/zoneinfo...), as a
// test or a container image lays them out; TZ unset.
MachineZoneSources machineZoneSourcesBelow(const std::filesystem::path& root);

// The machine's zone, looked up as the C library does:
// - TZ set but empty: "UTC"; a lone ':' counts as unset;
// - TZ, a leading ':' dropped: a path (a file below a zoneinfo folder, or a link to one, gives
//   that zone; another TZif file counts as a copy, below); else a zone of the zoneinfo folder;
//   else, without the ':', a POSIX TZ string ("CET-1CEST,M3.5.0,M10.5.0/3"), which is the id;
// - else /etc/localtime: the zone its chain of links leads to below a zoneinfo folder; a file
//   copied from the database is the zone whose file has the same bytes (the one /etc/timezone
//   names first); another TZif file is its own footer rule, which is the id;
// - else the first word of /etc/timezone; else "UTC".
// Zone ids are given as found: a link name (US/Eastern) stays one.
std::string machineZoneId(const MachineZoneSources& sources);
std::string machineZoneId();

// A summary of the files the zone is read from: their identities, change times and link
// targets. While it stays the same, so does the machine's zone; it costs a few system calls
// where machineZoneId() walks paths. TZ is not part of it: it cannot change in a running
// program.
std::string machineZoneStamp(const MachineZoneSources& sources);
std::string machineZoneStamp();

// The display name of the table entry for the machine's zone; empty when there is none.
// A link name (Etc/UTC, Europe/Oslo...) matches the entry of the zone it stands for; a zone
// given by a POSIX rule has the display name of its own record (machineZoneOwnRecord).
VELMORA_EXPORT std::u16string machineZoneDisplayName(const std::vector<ZoneRecord>& table,
                                                     const MachineZoneSources& sources);
VELMORA_EXPORT std::u16string machineZoneDisplayName(const std::vector<ZoneRecord>& table);
// The same from the zones of a finder over sources.zoneinfo, reading only the machine's zone.
VELMORA_EXPORT std::u16string machineZoneDisplayName(ZoneFinder& zones,
                                                     const MachineZoneSources& sources);

// A record for the machine's zone when it is no zone of the database but a POSIX rule (from TZ
// or from the footer of an unknown /etc/localtime), named by the rule; else nothing.
std::optional<ZoneRecord> machineZoneOwnRecord(const MachineZoneSources& sources);

// The machine zone's history: the database file of its zone, the file /etc/localtime or TZ
// names, or its POSIX rule. Null when the zone is unknown.
std::shared_ptr<const ZoneHistory> machineZoneHistory(const MachineZoneSources& sources);

} // namespace velmora
