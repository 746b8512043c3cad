// A clock hand: a line turning round the dial's centre.
#include "clock/clock_hand.h"

#include "model/color_property.h"
#include "model/line_cap_property.h"
#include "model/percent_property.h"
#include "model/time_value_property.h"
#include "model/time_zone_property.h"

ClockHand::ClockHand() : ClockObject(u"ClockHand", 44) {
    append(std::make_unique<ColorProperty>(u"Color", 22, ColorProperty::kOpaqueBlack));
    append(std::make_unique<PercentProperty>(u"Begin", 23, -10));
    append(std::make_unique<PercentProperty>(u"End", 24, 80));
    append(std::make_unique<PercentProperty>(u"Thickness", 27, 4));
    append(std::make_unique<TimeValueProperty>(u"TimeValue", 28,
                                               storedKind(velmora::TimeValueKind::Second)));
    append(std::make_unique<TimeZoneProperty>(u"TimeZone", 32, 0));
    append(std::make_unique<LineCapProperty>(u"BeginCap", 25, LineCap::Flat));
    append(std::make_unique<LineCapProperty>(u"EndCap", 26, LineCap::Flat));
    append(std::make_unique<PercentProperty>(u"dX", 46, 0));
    append(std::make_unique<PercentProperty>(u"dY", 47, 0));
}

bool ClockHand::isKindOf(std::string_view typeName) const {
    return typeName == kTypeName || ClockObject::isKindOf(typeName);
}

std::string ClockHand::classPath() const {
    return ClockObject::classPath() + ":" + kTypeName;
}

std::u16string ClockHand::valueText() const {
    const auto* timeValue = findChildAs<TimeValueProperty>(u"TimeValue");
    return label() + u" " + (timeValue != nullptr ? timeValue->valueText() : u"");
}

std::unique_ptr<Property> ClockHand::clone() const {
    return std::unique_ptr<Property>(new ClockHand(*this));
}

bool ClockHand::needsContinuousRedraw() const {
    velmora::TimeValueKind kind = timeValueKind();
    return kind == velmora::TimeValueKind::SecondContinuous ||
           kind == velmora::TimeValueKind::Centiseconds;
}
