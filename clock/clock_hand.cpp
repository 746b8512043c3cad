// A clock hand: a line turning round the dial's centre.
#include "clock/clock_hand.h"

#include "clock/clock.h"
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
    return labelAndTimeValue();
}

std::unique_ptr<Property> ClockHand::clone() const {
    return std::unique_ptr<Property>(new ClockHand(*this));
}

bool ClockHand::needsContinuousRedraw() const {
    velmora::TimeValueKind kind = timeValueKind();
    return kind == velmora::TimeValueKind::SecondContinuous ||
           kind == velmora::TimeValueKind::Centiseconds;
}

namespace {

LineCap capOr(const PropertyMap& map, std::u16string_view name) {
    const auto* cap = map.findChildAs<LineCapProperty>(name);
    return cap != nullptr ? static_cast<LineCap>(cap->value()) : LineCap::Flat;
}

} // namespace

void ClockHand::draw(Canvas& canvas, const Clock& body, const velmora::PackedDateTime& utc) {
    velmora::PackedDateTime local = zoneTime(utc);
    velmora::TimeValueKind kind = timeValueKind();
    std::int32_t dx = percentOr(u"dX", 0);
    std::int32_t dy = percentOr(u"dY", 0);
    std::uint32_t color = colorOr(u"Color", ColorProperty::kOpaqueBlack);
    float r = body.radius();
    if (isSelected()) {
        Pen guide = guidePen(color);
        PointF c = body.centerPoint(dx, dy);
        float end = r * static_cast<float>(percentOr(u"End", 0)) / 100.0f;
        canvas.drawEllipse(guide, {c.x - end, c.y - end, 2 * end, 2 * end});
        canvas.drawLine(guide, {c.x - r, c.y}, {c.x + r, c.y});
        canvas.drawLine(guide, {c.x, c.y - r}, {c.x, c.y + r});
        canvas.drawLine(guide, body.pointAt(kind, local, -100, dx, dy).point,
                        body.pointAt(kind, local, 100, dx, dy).point);
    }
    Pen pen{color, r * static_cast<float>(percentOr(u"Thickness", 0)) / 100.0f,
            capOr(*this, u"BeginCap"), capOr(*this, u"EndCap")};
    PointF begin = body.pointAt(kind, local, percentOr(u"Begin", 0), dx, dy).point;
    PointF end = body.pointAt(kind, local, percentOr(u"End", 0), dx, dy).point;
    // A line of no length would show no caps: the centre dots are made this way.
    if (begin == end) {
        begin.y -= 1;
    }
    canvas.drawLine(pen, begin, end);
}
