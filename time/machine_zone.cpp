// The machine's zone on Linux: TZ, /etc/localtime, /etc/timezone.
#include "time/machine_zone.h"

#include "time/system_zone_table.h"
#include "time/zone_id.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sys/stat.h>
#include <system_error>

namespace velmora {

namespace {

// The part of a path below a "zoneinfo" folder ("posix/" and "right/" variants dropped), or
// nothing if the path lies elsewhere.
std::optional<std::string> idBelowZoneinfo(const std::filesystem::path& path,
                                           const std::filesystem::path& zoneinfo) {
    const auto normal = path.lexically_normal();
    auto rel = normal.lexically_relative(zoneinfo.lexically_normal());
    if (rel.empty() || *rel.begin() == "..") {
        rel.clear();
        bool below = false;
        for (const auto& part : normal) {
            if (below) {
                rel /= part;
            } else if (part == "zoneinfo") {
                below = true;
            }
        }
    }
    if (rel.empty()) {
        return std::nullopt;
    }
    auto first = rel.begin();
    if (*first == "posix" || *first == "right") {
        std::filesystem::path rest;
        for (auto it = std::next(first); it != rel.end(); ++it) {
            rest /= *it;
        }
        rel = rest;
    }
    if (rel.empty()) {
        return std::nullopt;
    }
    return rel.generic_string();
}

// The id of a zone file path: below a zoneinfo folder, or where its chain of links leads there
// (the last such place, the zone a link inside the database stands for).
std::optional<std::string> idOfPath(const std::filesystem::path& path,
                                    const std::filesystem::path& zoneinfo) {
    auto id = idBelowZoneinfo(path, zoneinfo);
    std::filesystem::path current = path;
    for (int hop = 0; hop < 16; ++hop) {
        std::error_code ec;
        auto target = std::filesystem::read_symlink(current, ec);
        if (ec) {
            break;
        }
        if (target.is_relative()) {
            target = current.parent_path() / target;
        }
        current = target.lexically_normal();
        if (auto next = idBelowZoneinfo(current, zoneinfo)) {
            id = std::move(next);
        }
    }
    return id;
}

std::string firstWordOf(const std::filesystem::path& file) {
    const auto bytes = readFileStart(file, 4096);
    if (!bytes) {
        return {};
    }
    const auto isSpace = [](std::uint8_t c) { return std::isspace(c) != 0; };
    const auto start = std::find_if_not(bytes->begin(), bytes->end(), isSpace);
    return std::string(start, std::find_if(start, bytes->end(), isSpace));
}

// The zone of the database whose file holds exactly these bytes: `preferred` first, then the
// zones in id order. Several zones can share a file's bytes; the name the machine gives wins.
std::optional<std::string> zoneWithBytes(const std::vector<std::uint8_t>& bytes,
                                         const std::filesystem::path& zoneinfo,
                                         const std::string& preferred) {
    std::vector<std::string> candidates;
    if (isSafeZoneId(preferred)) {
        candidates.push_back(preferred);
    }
    const auto ids = listZoneIds(zoneinfo);
    candidates.insert(candidates.end(), ids.begin(), ids.end());
    for (const auto& id : candidates) {
        std::error_code ec;
        if (std::filesystem::file_size(zoneinfo / id, ec) != bytes.size() || ec) {
            continue;
        }
        if (readSmallFile(zoneinfo / id) == bytes) {
            return id;
        }
    }
    return std::nullopt;
}

enum class ZoneKind {
    Database, // a zone (or link) of the zoneinfo folder
    Rule,     // a POSIX TZ string, given or taken from a file's footer
    Unknown,  // a name that is neither; converts as UTC
};

struct ResolvedZone {
    std::string id;
    ZoneKind kind = ZoneKind::Unknown;
    std::optional<TzifData> file; // the file a rule was taken from
};

// A TZif file outside the database's names: the zone it is a copy of, else its own rule.
std::optional<ResolvedZone> zoneOfFile(const std::filesystem::path& path,
                                       const MachineZoneSources& sources) {
    const auto bytes = readSmallFile(path);
    auto data = bytes ? parseTzifData(*bytes) : std::nullopt;
    if (!data) {
        return std::nullopt;
    }
    if (auto id = zoneWithBytes(*bytes, sources.zoneinfo, firstWordOf(sources.timezoneFile))) {
        return ResolvedZone{std::move(*id), ZoneKind::Database, std::nullopt};
    }
    if (!parsePosixTz(data->footer)) {
        return std::nullopt;
    }
    std::string footer = data->footer;
    return ResolvedZone{std::move(footer), ZoneKind::Rule, std::move(data)};
}

// The zone named by an id of the database, or the id alone when the database lacks it.
ResolvedZone zoneOfId(std::string id, const MachineZoneSources& sources) {
    const bool known = isSafeZoneId(id) && readTzifData(sources.zoneinfo / id).has_value();
    return {std::move(id), known ? ZoneKind::Database : ZoneKind::Unknown, std::nullopt};
}

std::optional<ResolvedZone> zoneOfTz(const MachineZoneSources& sources) {
    if (!sources.tz) {
        return std::nullopt;
    }
    // Set but empty is UTC to the C library, unlike a lone ':', which means its default.
    if (sources.tz->empty()) {
        return zoneOfId("UTC", sources);
    }
    std::string tz = *sources.tz;
    const bool colon = tz.front() == ':';
    if (colon) {
        tz.erase(0, 1);
    }
    if (tz.empty()) {
        return std::nullopt;
    }
    if (tz.front() == '/') {
        if (auto id = idOfPath(tz, sources.zoneinfo)) {
            return ResolvedZone{std::move(*id), ZoneKind::Database, std::nullopt};
        }
        if (auto zone = zoneOfFile(tz, sources)) {
            return zone;
        }
        return ResolvedZone{std::move(tz), ZoneKind::Unknown, std::nullopt};
    }
    // As the C library: a file of that name first, then the text as a rule.
    if (isSafeZoneId(tz) && readTzifData(sources.zoneinfo / tz)) {
        return ResolvedZone{std::move(tz), ZoneKind::Database, std::nullopt};
    }
    if (!colon && parsePosixTz(tz)) {
        return ResolvedZone{std::move(tz), ZoneKind::Rule, std::nullopt};
    }
    return ResolvedZone{std::move(tz), ZoneKind::Unknown, std::nullopt};
}

ResolvedZone resolveMachineZone(const MachineZoneSources& sources) {
    if (auto zone = zoneOfTz(sources)) {
        return std::move(*zone);
    }
    if (auto id = idOfPath(sources.localtime, sources.zoneinfo)) {
        return {std::move(*id), ZoneKind::Database, std::nullopt};
    }
    if (auto zone = zoneOfFile(sources.localtime, sources)) {
        return std::move(*zone);
    }
    std::string id = firstWordOf(sources.timezoneFile);
    if (id.empty()) {
        id = "UTC";
    }
    return zoneOfId(std::move(id), sources);
}

// A zone given by a POSIX rule is named by its own record.
std::u16string ruleDisplayName(const std::string& rule) {
    const auto own = posixZoneRecord(rule);
    return own ? std::u16string(own->displayNameView()) : std::u16string();
}

// A file's identity and change time, and a link's target; "-" when there is no such file.
std::string fileStamp(const std::filesystem::path& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        return "-";
    }
    std::string stamp = std::to_string(info.st_dev) + ':' + std::to_string(info.st_ino) + ':' +
                        std::to_string(info.st_size) + ':' + std::to_string(info.st_mtim.tv_sec) +
                        '.' + std::to_string(info.st_mtim.tv_nsec) + ':' +
                        std::to_string(info.st_ctim.tv_sec) + '.' +
                        std::to_string(info.st_ctim.tv_nsec);
    if (S_ISLNK(info.st_mode)) {
        std::error_code ec;
        stamp += '>' + std::filesystem::read_symlink(path, ec).native();
    }
    return stamp;
}

} // namespace

std::string machineZoneStamp(const MachineZoneSources& sources) {
    return fileStamp(sources.localtime) + '|' + fileStamp(sources.timezoneFile);
}

std::string machineZoneStamp() {
    return machineZoneStamp(MachineZoneSources{});
}

MachineZoneSources currentMachineZoneSources() {
    MachineZoneSources sources;
    if (const char* tz = std::getenv("TZ")) {
        sources.tz = tz;
    }
    sources.zoneinfo = zoneinfoDirectory();
    return sources;
}

std::string machineZoneId(const MachineZoneSources& sources) {
    return resolveMachineZone(sources).id;
}

std::string machineZoneId() {
    return machineZoneId(currentMachineZoneSources());
}

std::u16string machineZoneDisplayName(const std::vector<ZoneRecord>& table,
                                      const MachineZoneSources& sources) {
    if (table.empty()) {
        return {};
    }
    const ResolvedZone zone = resolveMachineZone(sources);
    if (zone.kind == ZoneKind::Rule) {
        return ruleDisplayName(zone.id);
    }
    const std::u16string id = utf8ToUtf16(zone.id);
    const auto* record = findZoneByStandardName(table, id, {});
    if (record == nullptr) {
        record = findZoneByStandardName(table, id, readZoneLinks(sources.zoneinfo));
    }
    return record != nullptr ? std::u16string(record->displayNameView()) : std::u16string();
}

std::u16string machineZoneDisplayName(const std::vector<ZoneRecord>& table) {
    return machineZoneDisplayName(table, currentMachineZoneSources());
}

std::u16string machineZoneDisplayName(ZoneFinder& zones, const MachineZoneSources& sources) {
    if (!zones.hasZones()) {
        return {};
    }
    const ResolvedZone zone = resolveMachineZone(sources);
    if (zone.kind == ZoneKind::Rule) {
        return ruleDisplayName(zone.id);
    }
    const auto* record = zones.findByStandardName(utf8ToUtf16(zone.id));
    return record != nullptr ? std::u16string(record->displayNameView()) : std::u16string();
}

std::optional<ZoneRecord> machineZoneOwnRecord(const MachineZoneSources& sources) {
    const ResolvedZone zone = resolveMachineZone(sources);
    return zone.kind == ZoneKind::Rule ? posixZoneRecord(zone.id) : std::nullopt;
}

std::shared_ptr<const ZoneHistory> machineZoneHistory(const MachineZoneSources& sources) {
    const ResolvedZone zone = resolveMachineZone(sources);
    switch (zone.kind) {
    case ZoneKind::Database:
        return loadZoneHistory(sources.zoneinfo, zone.id);
    case ZoneKind::Rule:
        if (zone.file) {
            // The copy's own transitions are exact where they reach; the rule follows.
            if (auto history = ZoneHistory::fromTzif(*zone.file)) {
                return std::make_shared<const ZoneHistory>(std::move(*history));
            }
        }
        if (auto history = ZoneHistory::fromPosixTz(zone.id)) {
            return std::make_shared<const ZoneHistory>(std::move(*history));
        }
        return nullptr;
    case ZoneKind::Unknown:
        break;
    }
    return nullptr;
}

MachineZoneSources machineZoneSourcesBelow(const std::filesystem::path& root) {
    MachineZoneSources sources;
    sources.localtime = root / "etc/localtime";
    sources.timezoneFile = root / "etc/timezone";
    sources.zoneinfo = root / "usr/share/zoneinfo";
    return sources;
}

} // namespace velmora
