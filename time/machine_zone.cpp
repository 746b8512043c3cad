// The machine's zone on Linux: TZ, /etc/localtime, /etc/timezone.
#include "time/machine_zone.h"

#include "time/system_zone_table.h"

#include <cstdlib>
#include <fstream>
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

// The id of a zone file path: below a zoneinfo folder, or the target of a link there.
std::optional<std::string> idOfPath(const std::filesystem::path& path,
                                    const std::filesystem::path& zoneinfo) {
    if (auto id = idBelowZoneinfo(path, zoneinfo)) {
        return id;
    }
    std::error_code ec;
    auto target = std::filesystem::read_symlink(path, ec);
    if (ec) {
        return std::nullopt;
    }
    if (target.is_relative()) {
        target = path.parent_path() / target;
    }
    return idBelowZoneinfo(target, zoneinfo);
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
    if (sources.tz && !sources.tz->empty()) {
        std::string tz = *sources.tz;
        if (tz.front() == ':') {
            tz.erase(0, 1);
        }
        if (!tz.empty() && tz.front() == '/') {
            if (auto id = idOfPath(tz, sources.zoneinfo)) {
                return *id;
            }
        }
        if (!tz.empty()) {
            return tz;
        }
    }
    if (auto id = idOfPath(sources.localtime, sources.zoneinfo)) {
        return *id;
    }
    std::ifstream in(sources.timezoneFile);
    std::string id;
    if (in >> id && !id.empty()) {
        return id;
    }
    return "UTC";
}

std::string machineZoneId() {
    return machineZoneId(currentMachineZoneSources());
}

std::u16string machineZoneDisplayName(const std::vector<ZoneRecord>& table,
                                      const MachineZoneSources& sources) {
    const std::string id = machineZoneId(sources);
    const std::u16string wide = utf8ToUtf16(id);
    if (const auto* record = findZoneByStandardName(table, wide)) {
        return std::u16string(record->displayNameView());
    }
    const auto links = readZoneLinks(sources.zoneinfo);
    const std::string zone = resolveZoneLink(links, id);
    for (const auto& record : table) {
        const auto standard = utf16ToUtf8(record.standardNameView());
        if (resolveZoneLink(links, standard) == zone) {
            return std::u16string(record.displayNameView());
        }
    }
    return {};
}

std::u16string machineZoneDisplayName(const std::vector<ZoneRecord>& table) {
    return machineZoneDisplayName(table, currentMachineZoneSources());
}

} // namespace velmora
