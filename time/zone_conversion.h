// Conversion of UTC into a zone's local time by its yearly daylight-saving rule.
#pragma once

#include "time/packed_date_time.h"
#include "time/zone_record.h"

namespace velmora {

// Whether daylight time is in force at the UTC instant. The start of daylight time is compared
// in local standard time and the start of standard time in local daylight time, which is how
// the rules are written, so the switch happens when the local clock reaches the transition.
// A transition instant itself already belongs to the new period.
bool isDaylightTime(const ZoneRules& rules, const PackedDateTime& utc);

// The local date and time of the zone at the UTC instant. All-zero rules return utc unchanged.
PackedDateTime toZoneTime(const ZoneRules& rules, const PackedDateTime& utc);

} // namespace velmora
