// A clock text: the date or time formatted by a format string, in a chosen font.
#include "clock/clock_text.h"

#include "clock/clock.h"
#include "clock/clock_text_format.h"
#include "model/bool_property.h"
#include "model/color_property.h"
#include "model/font_family_property.h"
#include "model/percent_property.h"
#include "model/string_property.h"
#include "model/time_zone_property.h"
#include "model/utf.h"
#include "time/zone_slots.h"

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

namespace {

bool isOn(const PropertyMap& map, std::u16string_view name) {
    const auto* flag = map.findChildAs<BoolProperty>(name);
    return flag != nullptr && flag->isOn();
}

// The abbreviation of the zone the text shows its time in, at the instant ("CET", "JST"):
// a text converted to another zone is named by that zone, not by the machine's. Looked up
// only for formats that show it.
std::u16string zoneNameFor(const PropertyMap& text, std::u16string_view format,
                           const velmora::PackedDateTime& utc) {
    if (format.find(u'z') == std::u16string_view::npos &&
        format.find(u'Z') == std::u16string_view::npos) {
        return {};
    }
    const auto* zone = text.findChildAs<TimeZoneProperty>(u"TimeZone");
    // Without a zone the text shows UTC, as its time does.
    const int slot = zone != nullptr ? zone->value() : -1;
    return fromUtf8(velmora::zoneSlotAbbreviation(slot, utc));
}

} // namespace

void ClockText::draw(Canvas& canvas, const Clock& body, const velmora::PackedDateTime& utc) {
    velmora::PackedDateTime local = zoneTime(utc);
    const auto* formatProperty = findChildAs<StringProperty>(u"Fmt");
    std::u16string_view format = formatProperty != nullptr
                                     ? std::u16string_view(formatProperty->value())
                                     : std::u16string_view();
    std::u16string text =
        formatClockText(format, local, zoneNameFor(*this, format, utc), body.dateNames());
    if (text.empty()) {
        return;
    }
    const auto* family = findChildAs<FontFamilyProperty>(u"FontFamily");
    float r = body.radius();
    FontSpec font{family != nullptr ? family->familyName() : u"",
                  static_cast<float>(percentOr(u"FontSize", 0)) * r / 200.0f,
                  isOn(*this, u"FontBold"), isOn(*this, u"FontItalic")};
    std::optional<SizeF> box = canvas.measureText(font, text);
    if (!box) {
        return;
    }
    const LayoutRect& layout = body.layoutRect();
    PointF topLeft{
        (static_cast<float>(layout.width) - box->width) * 0.5f + static_cast<float>(layout.x) +
            r * static_cast<float>(percentOr(u"dX", 0)) / 100.0f,
        (static_cast<float>(layout.height) - box->height) * 0.5f + static_cast<float>(layout.y) +
            r * static_cast<float>(percentOr(u"dY", 0)) / 100.0f};
    canvas.drawText(font, colorOr(u"Color", ColorProperty::kOpaqueBlack), text, topLeft);
}
