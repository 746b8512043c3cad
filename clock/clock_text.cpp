// A clock text: the date or time formatted by a format string, in a chosen font.
#include "clock/clock_text.h"

#include "model/bool_property.h"
#include "model/color_property.h"
#include "model/font_family_property.h"
#include "model/percent_property.h"
#include "model/string_property.h"
#include "model/time_zone_property.h"

ClockText::ClockText() : ClockObject(u"ClockText", 62) {
    append(std::make_unique<StringProperty>(u"Fmt", 55, u"%d.%m.%Y"));
    append(std::make_unique<TimeZoneProperty>(u"TimeZone", 56, 0));
    append(std::make_unique<ColorProperty>(u"Color", 52, ColorProperty::kOpaqueBlack));
    append(std::make_unique<FontFamilyProperty>(u"FontFamily", 63, u"Tahoma"));
    append(std::make_unique<PercentProperty>(u"FontSize", 64, 10));
    append(std::make_unique<BoolProperty>(u"FontBold", 65, false));
    append(std::make_unique<BoolProperty>(u"FontItalic", 66, false));
    append(std::make_unique<PercentProperty>(u"dX", 53, 0));
    append(std::make_unique<PercentProperty>(u"dY", 54, 0));
}

bool ClockText::isKindOf(std::string_view typeName) const {
    return typeName == kTypeName || ClockObject::isKindOf(typeName);
}

std::string ClockText::classPath() const {
    return ClockObject::classPath() + ":" + kTypeName;
}

std::u16string ClockText::valueText() const {
    const auto* format = findChildAs<StringProperty>(u"Fmt");
    return label() + u" \"" + (format != nullptr ? format->valueText() : u"") + u"\"";
}

std::unique_ptr<Property> ClockText::clone() const {
    return std::unique_ptr<Property>(new ClockText(*this));
}
