// An element's zone chosen by name in its own row: "Choose a zone..." there searches the
// machine's zones and puts the one chosen into a user zone slot, which the row then selects.
#pragma once

#include "time/zone_record.h"

#include <QString>
#include <functional>
#include <optional>

class Clock;
class ClockObject;
class COptionTreeItem;
class QWidget;
class SettingsStore;

class ZoneRowChoice {
public:
    // Asks the user for a zone; none when cancelled.
    using Picker = std::function<std::optional<velmora::ZoneRecord>(QWidget* parent)>;
    // Tells the user why nothing changed.
    using Notice = std::function<void(const QString& text)>;

    ZoneRowChoice(QWidget& parent, Clock& clock, SettingsStore& settings);

    // Tests answer the picker and the notice instead of a person.
    void setPicker(Picker picker) { picker_ = std::move(picker); }
    void setNotice(Notice notice) { notice_ = std::move(notice); }

    enum class Outcome {
        // The row is no zone row asking for a choice: the caller goes on as usual.
        NotAsked,
        // A zone went into a slot, which the row now selects: the caller applies the rows.
        Chosen,
        // Nothing was chosen: the row shows its slot as before, and nothing is to be applied.
        Dropped,
    };
    Outcome take(COptionTreeItem* item);

    // The user slot (1 to 4) a zone goes into for the element: one that holds the zone
    // already; else the element's own user slot if no other element uses it; else one no other
    // element uses; else none.
    static std::optional<int> slotFor(const Clock& clock, const ClockObject& element,
                                      const velmora::ZoneRecord& zone);

private:
    QWidget& parent_;
    Clock& clock_;
    SettingsStore& settings_;
    Picker picker_;
    Notice notice_;
};
