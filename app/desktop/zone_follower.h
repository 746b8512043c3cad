// The clock's zone slots, filled from the settings, and the local one following the machine.
#pragma once

#include "app/desktop/zone_file_watcher.h"

#include <QObject>
#include <string>

class SettingsStore;

// Unless the user fixed it, the local zone follows the machine's zone when that changes.
// Where the system tells of changes to the files that name it, they are read again then;
// elsewhere the owner polls follow().
class ZoneFollower : public QObject {
    Q_OBJECT
public:
    explicit ZoneFollower(SettingsStore& settings, QObject* parent = nullptr);

    // Fills every zone slot: the local one from the machine (or the stored name where the
    // user fixed it), the others from the settings.
    void fillSlots();
    // Starts watching the machine's zone; false where it has to be polled.
    bool watch();
    // Takes over a new zone of the machine, if it has one; true when the slots changed.
    bool follow();

signals:
    // The slots changed with the machine's zone: the clock shows them now.
    void changed();

private:
    SettingsStore& settings_;
    std::string machineZone_;
    std::string machineZoneStamp_;
    ZoneFileWatcher watcher_;
};
