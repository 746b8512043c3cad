// Zone lookups by name that read only the zones they need, not the whole system zone table.
#include "time/zone_finder.h"

#include "time/machine_zone.h"
#include "time/system_zone_table.h"

#include <algorithm>

namespace velmora {

ZoneFinder::ZoneFinder(std::filesystem::path dir) : dir_(std::move(dir)) {}

ZoneFinder::ZoneFinder() : dir_(zoneinfoDirectory()), withMachineRule_(true) {}

ZoneRecord ZoneFinder::findByDisplayName(std::u16string_view name) {
    if (name.empty() || !hasZones()) {
        return ZoneRecord{};
    }
    const std::string id = zoneIdOfDisplayName(name);
    if (const auto* record = findByStandardName(utf8ToUtf16(id))) {
        return *record;
    }
    if (auto own = posixZoneRecord(id)) {
        return *own;
    }
    return ZoneRecord{};
}

const ZoneRecord* ZoneFinder::findByStandardName(std::u16string_view id) {
    if (id.empty() || !hasZones()) {
        return nullptr;
    }
    const std::string name = utf16ToUtf8(id);
    if (const auto* record = zone(name)) {
        return record;
    }
    if (const auto* own = machineRule(); own != nullptr && own->standardNameView() == id) {
        return own;
    }
    return zone(resolveZoneLink(links(), name));
}

bool ZoneFinder::hasZones() {
    if (!ids_) {
        ids_ = listZoneIds(dir_);
    }
    return !ids_->empty();
}

const ZoneRecord* ZoneFinder::zone(const std::string& id) {
    auto it = records_.find(id);
    if (it == records_.end()) {
        std::optional<ZoneRecord> record;
        if (std::binary_search(ids_->begin(), ids_->end(), id)) {
            record = readZoneRecord(dir_, id);
        }
        it = records_.emplace(id, std::move(record)).first;
    }
    return it->second ? &*it->second : nullptr;
}

const std::unordered_map<std::string, std::string>& ZoneFinder::links() {
    if (!links_) {
        links_ = readZoneLinks(dir_);
    }
    return *links_;
}

const ZoneRecord* ZoneFinder::machineRule() {
    if (!withMachineRule_) {
        return nullptr;
    }
    if (!machineRule_) {
        machineRule_ = machineZoneOwnRecord(currentMachineZoneSources());
    }
    return *machineRule_ ? &**machineRule_ : nullptr;
}

} // namespace velmora
