// The machine's own time zone, as an IANA id.
#pragma once

#include "time/zone_record.h"

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

// TZ (a leading ':' is dropped; an absolute path below the zoneinfo folder becomes its id),
// else the target of the /etc/localtime link below a zoneinfo folder, else the first word of
// /etc/timezone, else "UTC".
std::string machineZoneId(const MachineZoneSources& sources);
std::string machineZoneId();

// A summary of the files the zone is read from: their identities, change times and link
// targets. While it stays the same, so does the machine's zone; it costs a few system calls
// where machineZoneId() walks paths. TZ is not part of it: it cannot change in a running
// program.
std::string machineZoneStamp(const MachineZoneSources& sources);
std::string machineZoneStamp();

// The display name of the table entry for the machine's zone; empty when there is none.
// A link name (Etc/UTC, Europe/Oslo...) matches the entry of the zone it stands for.
std::u16string machineZoneDisplayName(const std::vector<ZoneRecord>& table,
                                      const MachineZoneSources& sources);
std::u16string machineZoneDisplayName(const std::vector<ZoneRecord>& table);

} // namespace velmora
