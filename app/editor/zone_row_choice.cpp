// An element's zone chosen by name in its own row.
#include "app/editor/zone_row_choice.h"

#include "app/editor/scheme_row_texts.h"
#include "app/editor/zone_picker.h"
#include "clock/clock.h"
#include "clock/element_edits.h"
#include "model/settings_store.h"
#include "model/time_zone_property.h"
#include "optiontree/option_tree_item_combo_box.h"
#include "time/zone_slots.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <set>

namespace {

const TimeZoneProperty* zoneOf(const ClockObject& element) {
    return element.findChildAs<TimeZoneProperty>(u"TimeZone");
}

} // namespace

ZoneRowChoice::ZoneRowChoice(QWidget& parent, Clock& clock, SettingsStore& settings)
    : parent_(parent), clock_(clock), settings_(settings) {}

std::optional<int> ZoneRowChoice::slotFor(const Clock& clock, const ClockObject& element,
                                          const velmora::ZoneRecord& zone) {
    for (int slot = 1; slot < velmora::kZoneSlotCount; ++slot) {
        if (velmora::zoneSlot(slot).standardNameView() == zone.standardNameView()) {
            return slot;
        }
    }
    std::set<int> used;
    for (const ClockObject* other : ElementEdits::elements(clock)) {
        if (other != &element && zoneOf(*other) != nullptr) {
            used.insert(zoneOf(*other)->value());
        }
    }
    const int current = zoneOf(element) != nullptr ? zoneOf(element)->value() : 0;
    if (current > 0 && current < velmora::kZoneSlotCount && used.count(current) == 0) {
        return current;
    }
    for (int slot = 1; slot < velmora::kZoneSlotCount; ++slot) {
        if (used.count(slot) == 0) {
            return slot;
        }
    }
    return std::nullopt;
}

ZoneRowChoice::Outcome ZoneRowChoice::take(COptionTreeItem* item) {
    auto* row = dynamic_cast<COptionTreeItemComboBox*>(item);
    if (row == nullptr || row->selectedData() != SchemeRowTexts::kChooseZoneEntry) {
        return Outcome::NotAsked;
    }
    ClockObject* element = nullptr;
    for (ClockObject* candidate : ElementEdits::elements(clock_)) {
        if (zoneOf(*candidate) != nullptr && zoneOf(*candidate)->row() == item) {
            element = candidate;
        }
    }
    if (element == nullptr) {
        return Outcome::NotAsked;
    }
    const std::optional<velmora::ZoneRecord> zone =
        picker_ ? picker_(&parent_) : ZonePicker::run(&parent_);
    const std::optional<int> slot = zone ? slotFor(clock_, *element, *zone) : std::optional<int>();
    if (!slot) {
        row->selectData(zoneOf(*element)->value());
        if (zone) {
            const QString why = QCoreApplication::translate(
                "COptionsDial", "All four user time zones are in use by other elements of this "
                                "scheme. Change the zone of one of them first.");
            if (notice_) {
                notice_(why);
            } else {
                QMessageBox::information(
                    &parent_, QCoreApplication::translate("COptionsDial", "Time zone"), why);
            }
        }
        return Outcome::Dropped;
    }
    // A user zone, as the Time zones dialog sets it: kept in the settings, shown at once.
    settings_.writeText(settings::zoneKey(*slot), std::u16string(zone->displayNameView()));
    velmora::setZoneSlot(*slot, *zone);
    row->selectData(*slot);
    SchemeRowTexts::nameZoneRows(clock_);
    return Outcome::Chosen;
}
