// A clock slice: a ring segment growing clockwise from 12 o'clock.
#include "clock/clock_slice.h"

#include "clock/clock.h"
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
    return labelAndTimeValue();
}

std::unique_ptr<Property> ClockSlice::clone() const {
    return std::unique_ptr<Property>(new ClockSlice(*this));
}

bool ClockSlice::needsContinuousRedraw() const {
    return timeValueKind() == velmora::TimeValueKind::SecondContinuous;
}

namespace {

RectF inflated(const RectF& rect, float by) {
    return {rect.x - by, rect.y - by, rect.width + 2 * by, rect.height + 2 * by};
}

} // namespace

void ClockSlice::draw(Canvas& canvas, const Clock& body, const velmora::PackedDateTime& utc) {
    velmora::PackedDateTime local = zoneTime(utc);
    velmora::TimeValueKind kind = timeValueKind();
    float angle = body.angleOf(kind, local);
    const LayoutRect& layout = body.layoutRect();
    float r = body.radius();
    float inner = r * static_cast<float>(percentOr(u"Begin", 0)) / 100.0f;
    float outer = r * static_cast<float>(percentOr(u"End", 0)) / 100.0f;
    float band = outer - inner;
    std::int32_t dx = percentOr(u"dX", 0);
    std::int32_t dy = percentOr(u"dY", 0);
    // The band is stroked along the middle of the ring; the body's centre offset does not move
    // slices, only their own offsets do.
    RectF arc =
        inflated(inflated({static_cast<float>(layout.x), static_cast<float>(layout.y),
                           static_cast<float>(layout.width), static_cast<float>(layout.height)},
                          outer - r),
                 -band / 2);
    arc.x += r * static_cast<float>(dx) / 100.0f;
    arc.y += r * static_cast<float>(dy) / 100.0f;
    std::uint32_t color = colorOr(u"Color", ColorProperty::kOpaqueBlack);
    if (isSelected()) {
        Pen guide = guidePen(color);
        RectF outerEdge = inflated(arc, band / 2);
        canvas.drawArc(guide, outerEdge, 0, 360);
        canvas.drawArc(guide, inflated(outerEdge, -band), 0, 360);
        PointF c = body.centerPoint(dx, dy);
        canvas.drawLine(guide, {c.x - r, c.y}, {c.x + r, c.y});
        canvas.drawLine(guide, {c.x, c.y - r}, {c.x, c.y + r});
        canvas.drawLine(guide, body.pointAt(kind, local, -100, dx, dy).point,
                        body.pointAt(kind, local, 100, dx, dy).point);
    }
    const auto* countDown = findChildAs<BoolProperty>(u"CountDown");
    Pen pen{color, band};
    if (countDown != nullptr && countDown->isOn()) {
        canvas.drawArc(pen, arc, angle - 90, 360 - angle);
    } else {
        canvas.drawArc(pen, arc, -90, angle);
    }
}
