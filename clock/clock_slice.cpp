// A clock slice: a ring segment growing clockwise from 12 o'clock.
#include "clock/clock_slice.h"

#include "model/bool_property.h"
#include "model/color_property.h"
#include "model/percent_property.h"
#include "model/time_value_property.h"
#include "model/time_zone_property.h"

ClockSlice::ClockSlice() : ClockObject(u"ClockSlice", 45) {
    append(std::make_unique<ColorProperty>(u"Color", 29, ColorProperty::kOpaqueBlack));
    append(std::make_unique<PercentProperty>(u"Begin", 72, 0));
    append(std::make_unique<PercentProperty>(u"End", 30, 100));
    append(std::make_unique<TimeValueProperty>(u"TimeValue", 31,
                                               storedKind(velmora::TimeValueKind::Second)));
    append(std::make_unique<TimeZoneProperty>(u"TimeZone", 57, 0));
    append(std::make_unique<BoolProperty>(u"CountDown", 33, false));
    append(std::make_unique<PercentProperty>(u"dX", 50, 0));
    append(std::make_unique<PercentProperty>(u"dY", 51, 0));
}

bool ClockSlice::isKindOf(std::string_view typeName) const {
    return typeName == kTypeName || ClockObject::isKindOf(typeName);
}

std::string ClockSlice::classPath() const {
    return ClockObject::classPath() + ":" + kTypeName;
}

std::u16string ClockSlice::valueText() const {
    const auto* timeValue = findChildAs<TimeValueProperty>(u"TimeValue");
    return label() + u" " + (timeValue != nullptr ? timeValue->valueText() : u"");
}

std::unique_ptr<Property> ClockSlice::clone() const {
    return std::unique_ptr<Property>(new ClockSlice(*this));
}

bool ClockSlice::needsContinuousRedraw() const {
    return timeValueKind() == velmora::TimeValueKind::SecondContinuous;
}
