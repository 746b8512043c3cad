// The base of everything a scheme draws: the clock body and its elements.
#include "clock/clock_object.h"

#include "model/time_value_property.h"

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
