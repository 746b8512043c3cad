// The five process-wide zone slots: 0 is the zone used as local time, 1 to 4 the user's zones.
#pragma once

#include "time/zone_record.h"

namespace velmora {

inline constexpr int kZoneSlotCount = 5;

// Writes slot i (0 to 4), first appending all-zero records when the table is shorter. Other
// indices name no slot and are ignored.
void setZoneSlot(int i, const ZoneRecord& record);

// The record and the rules of slot i; all zero (UTC) for a slot never set and for an index
// outside 0 to 4, which a stored scheme may hold.
ZoneRecord zoneSlot(int i);
ZoneRules zoneSlotRules(int i);

// Empties the slot table (start-up state); for tests and the tool.
void clearZoneSlots();

} // namespace velmora
