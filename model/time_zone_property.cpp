// The choice of which of the five zone slots an element converts the time to.
#include "model/time_zone_property.h"

bool TimeZoneProperty::isKindOf(std::string_view typeName) const {
    return typeName == kTypeName || IntProperty::isKindOf(typeName);
}

std::string TimeZoneProperty::classPath() const {
    return IntProperty::classPath() + ":" + kTypeName;
}

std::unique_ptr<Property> TimeZoneProperty::clone() const {
    return std::unique_ptr<Property>(new TimeZoneProperty(*this));
}

void TimeZoneProperty::fillChoices() {
    setChoices({{0, u"(Local machine time zone)"},
                {1, u"(User set time zone 1)"},
                {2, u"(User set time zone 2)"},
                {3, u"(User set time zone 3)"},
                {4, u"(User set time zone 4)"}});
}
