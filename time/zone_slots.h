// The five process-wide zone slots: 0 is the zone used as local time, 1 to 4 the user's zones.
#pragma once

#include "time/packed_date_time.h"
#include "time/zone_history.h"
#include "time/zone_record.h"
#include "velmora_export.h"

#include <memory>
#include <string>

namespace velmora {

inline constexpr int kZoneSlotCount = 5;

// Writes slot i (0 to 4), first appending all-zero records when the table is shorter. Other
// indices name no slot and are ignored. The slot also takes the zone's history from the
// zoneinfo folder (zoneinfoDirectory()) when the record is the database's own: its standard
// name names a zone file, or is a POSIX TZ string, whose footer gives the record's rules. A
// record whose rules differ (edited, or stored before a database update) keeps converting by
// its rules alone.
VELMORA_EXPORT void setZoneSlot(int i, const ZoneRecord& record);
// The same with the history given (null: convert by the rules).
VELMORA_EXPORT void setZoneSlot(int i, const ZoneRecord& record,
                                std::shared_ptr<const ZoneHistory> history);

// The record of slot i; all zero (UTC) for a slot never set and for an index
// outside 0 to 4, which a stored scheme may hold.
VELMORA_EXPORT ZoneRecord zoneSlot(int i);

// The local time of slot i at the UTC instant: by the zone's history where the slot has one,
// else by its rules (toZoneTime).
VELMORA_EXPORT PackedDateTime zoneSlotTime(int i, const PackedDateTime& utc);

// The abbreviation of slot i's zone at the UTC instant ("CET", "CEST", "JST"): from its history
// where it has one, else its offset at the instant ("+0530"); "UTC" for the all-zero rules.
std::string zoneSlotAbbreviation(int i, const PackedDateTime& utc);

// The history of a zone record, as setZoneSlot takes it; null when the rules alone convert.
std::shared_ptr<const ZoneHistory> zoneRecordHistory(const ZoneRecord& record);

// Empties the slot table (start-up state); for tests and the tool.
void clearZoneSlots();

} // namespace velmora
