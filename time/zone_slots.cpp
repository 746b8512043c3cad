// The zone slot table. Used on the user-interface thread only, so nothing is locked.
#include "time/zone_slots.h"

#include <vector>

namespace velmora {

namespace {

std::vector<ZoneRecord>& slots() {
    static std::vector<ZoneRecord> table;
    return table;
}

bool isSlotIndex(int i) {
    return i >= 0 && i < kZoneSlotCount;
}

} // namespace

void setZoneSlot(int i, const ZoneRecord& record) {
    if (!isSlotIndex(i)) {
        return;
    }
    auto& table = slots();
    if (table.size() <= static_cast<std::size_t>(i)) {
        table.resize(static_cast<std::size_t>(i) + 1);
    }
    table[static_cast<std::size_t>(i)] = record;
}

ZoneRecord zoneSlot(int i) {
    const auto& table = slots();
    if (!isSlotIndex(i) || static_cast<std::size_t>(i) >= table.size()) {
        return {};
    }
    return table[static_cast<std::size_t>(i)];
}

ZoneRules zoneSlotRules(int i) {
    const auto& table = slots();
    if (!isSlotIndex(i) || static_cast<std::size_t>(i) >= table.size()) {
        return {};
    }
    return table[static_cast<std::size_t>(i)].rules;
}

void clearZoneSlots() {
    slots().clear();
}

} // namespace velmora
