// The clock's zone slots, filled from the settings, and the local one following the machine.
#include "app/desktop/zone_follower.h"

#include "app/desktop/settings.h"
#include "model/settings_store.h"
#include "time/machine_zone.h"
#include "time/system_zone_table.h"
#include "time/zone_slots.h"

ZoneFollower::ZoneFollower(SettingsStore& settings, QObject* parent)
    : QObject(parent), settings_(settings), watcher_({velmora::MachineZoneSources{}.localtime,
                                                      velmora::MachineZoneSources{}.timezoneFile}) {
    connect(&watcher_, &ZoneFileWatcher::changed, this, [this] {
        if (follow()) {
            emit changed();
        }
    });
}

bool ZoneFollower::watch() {
    return watcher_.start();
}

void ZoneFollower::fillSlots() {
    // Only the zones the slots name are read; the whole table would cost milliseconds at start.
    velmora::ZoneFinder zones;
    const std::u16string machine =
        velmora::machineZoneDisplayName(zones, velmora::currentMachineZoneSources());
    machineZoneStamp_ = velmora::machineZoneStamp();
    machineZone_ = velmora::machineZoneId();
    const bool fixedLocalZone = settings_.readInt(settings::kUseFixedZone) != 0;
    for (int slot = 0; slot < settings::kZoneSlotCount; ++slot) {
        // Unless the user fixed it, the local zone follows the machine's, not the stored name.
        const std::u16string name = slot == 0 && !fixedLocalZone
                                        ? machine
                                        : settings_.readText(settings::zoneKey(slot), machine);
        velmora::setZoneSlot(slot, zones.findByDisplayName(name));
    }
}

bool ZoneFollower::follow() {
    std::string stamp = velmora::machineZoneStamp();
    if (stamp == machineZoneStamp_) {
        return false;
    }
    machineZoneStamp_ = std::move(stamp);
    if (settings_.readInt(settings::kUseFixedZone) != 0 ||
        velmora::machineZoneId() == machineZone_) {
        return false;
    }
    fillSlots();
    return true;
}
