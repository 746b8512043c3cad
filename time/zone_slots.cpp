// The zone slot table. Used on the user-interface thread only, so nothing is locked.
#include "time/zone_slots.h"

#include "time/system_zone_table.h"
#include "time/zone_conversion.h"

#include <cstdio>
#include <vector>

namespace velmora {

namespace {

struct Slot {
    ZoneRecord record;
    std::shared_ptr<const ZoneHistory> history;
};

std::vector<Slot>& slots() {
    static std::vector<Slot> table;
    return table;
}

bool isSlotIndex(int i) {
    return i >= 0 && i < kZoneSlotCount;
}

const Slot* slotAt(int i) {
    const auto& table = slots();
    if (!isSlotIndex(i) || static_cast<std::size_t>(i) >= table.size()) {
        return nullptr;
    }
    return &table[static_cast<std::size_t>(i)];
}

} // namespace

std::shared_ptr<const ZoneHistory> zoneRecordHistory(const ZoneRecord& record) {
    if (record.standardNameView().empty()) {
        return nullptr;
    }
    auto history = loadZoneHistory(zoneinfoDirectory(), utf16ToUtf8(record.standardNameView()));
    if (history == nullptr) {
        return nullptr;
    }
    const auto rules = zoneRulesFromFooter(history->footer());
    if (!rules || !(rules->rules == record.rules)) {
        return nullptr;
    }
    return history;
}

void setZoneSlot(int i, const ZoneRecord& record) {
    if (isSlotIndex(i)) {
        setZoneSlot(i, record, zoneRecordHistory(record));
    }
}

void setZoneSlot(int i, const ZoneRecord& record, std::shared_ptr<const ZoneHistory> history) {
    if (!isSlotIndex(i)) {
        return;
    }
    auto& table = slots();
    if (table.size() <= static_cast<std::size_t>(i)) {
        table.resize(static_cast<std::size_t>(i) + 1);
    }
    table[static_cast<std::size_t>(i)] = {record, std::move(history)};
}

ZoneRecord zoneSlot(int i) {
    const Slot* slot = slotAt(i);
    return slot != nullptr ? slot->record : ZoneRecord{};
}

PackedDateTime zoneSlotTime(int i, const PackedDateTime& utc) {
    const Slot* slot = slotAt(i);
    if (slot == nullptr) {
        return utc;
    }
    if (slot->history != nullptr) {
        return slot->history->toZoneTime(utc);
    }
    return toZoneTime(slot->record.rules, utc);
}

std::string zoneSlotAbbreviation(int i, const PackedDateTime& utc) {
    const Slot* slot = slotAt(i);
    if (slot == nullptr || slot->record.rules == ZoneRules{}) {
        return "UTC";
    }
    if (slot->history != nullptr) {
        return slot->history->localTypeAt(utc).abbreviation;
    }
    // Rules alone know no names: the offset east of UTC stands for one, as the database
    // writes it for zones without an abbreviation of their own.
    const ZoneRules& rules = slot->record.rules;
    const std::int32_t bias =
        rules.Bias + (isDaylightTime(rules, utc) ? rules.DaylightBias : rules.StandardBias);
    const std::int32_t east = -bias;
    const std::int32_t minutes = east < 0 ? -east : east;
    char text[16];
    std::snprintf(text, sizeof text, "%c%02d%02d", east < 0 ? '-' : '+', minutes / 60 % 100,
                  minutes % 60);
    return text;
}

void clearZoneSlots() {
    slots().clear();
}

} // namespace velmora
