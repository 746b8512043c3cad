// The base of everything a scheme draws: the clock body and its elements.
#include "clock/clock_object.h"

#include "model/color_property.h"
#include "model/percent_property.h"
#include "model/time_value_property.h"
#include "model/time_zone_property.h"
#include "time/zone_slots.h"

bool ClockObject::isKindOf(std::string_view typeName) const {
    return typeName == kTypeName || PropertyMap::isKindOf(typeName);
}

std::string ClockObject::classPath() const {
    return PropertyMap::classPath() + ":" + kTypeName;
}

velmora::TimeValueKind ClockObject::timeValueKind() const {
    const auto* timeValue = findChildAs<TimeValueProperty>(u"TimeValue");
    return static_cast<velmora::TimeValueKind>(timeValue != nullptr ? timeValue->value() : 0);
}

std::int32_t ClockObject::percentOr(std::u16string_view name, std::int32_t fallback) const {
    const auto* percent = findChildAs<PercentProperty>(name);
    return percent != nullptr ? percent->value() : fallback;
}

std::uint32_t ClockObject::colorOr(std::u16string_view name, std::uint32_t fallback) const {
    const auto* color = findChildAs<ColorProperty>(name);
    return color != nullptr ? color->argb() : fallback;
}

velmora::PackedDateTime ClockObject::zoneTime(const velmora::PackedDateTime& utc) const {
    const auto* zone = findChildAs<TimeZoneProperty>(u"TimeZone");
    // Without a zone the all-zero record applies, which is UTC; so does a slot outside 0..4.
    return zone != nullptr ? velmora::zoneSlotTime(zone->value(), utc) : utc;
}

std::u16string ClockObject::labelAndTimeValue() const {
    const auto* timeValue = findChildAs<TimeValueProperty>(u"TimeValue");
    return label() + u" " + (timeValue != nullptr ? timeValue->valueText() : u"");
}
