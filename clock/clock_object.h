// The base of everything a scheme draws: the clock body and its elements.
#pragma once

#include "clock/canvas.h"
#include "model/property_map.h"
#include "time/packed_date_time.h"
#include "time/time_value.h"
#include "velmora_export.h"

// The stored number of a time value kind.
constexpr std::int32_t storedKind(velmora::TimeValueKind kind) {
    return static_cast<std::int32_t>(kind);
}

class Clock;

class VELMORA_EXPORT ClockObject : public PropertyMap {
public:
    static constexpr const char* kTypeName = "ClockObject";

    ClockObject(std::u16string name, std::int32_t textId) : PropertyMap(std::move(name), textId) {}

    const char* className() const override { return kTypeName; }
    bool isKindOf(std::string_view typeName) const override;
    std::string classPath() const override;

    // True when the element changes between the whole seconds, so the window must redraw
    // on every tick.
    virtual bool needsContinuousRedraw() const { return false; }
    // Draws the object for the UTC moment on the body it belongs to.
    virtual void draw(Canvas& canvas, const Clock& body, const velmora::PackedDateTime& utc) = 0;

    // The kind of the "TimeValue" child; stopped when there is none of that kind.
    velmora::TimeValueKind timeValueKind() const;

protected:
    // The label, a space and the time value's label: how hands and slices name their rows.
    std::u16string labelAndTimeValue() const;
    // The value of a child looked up by name and expected kind, or the fallback.
    std::int32_t percentOr(std::u16string_view name, std::int32_t fallback) const;
    std::uint32_t colorOr(std::u16string_view name, std::uint32_t fallback) const;
    // The pen of the guide marks of a selected element: its colour, a little translucent.
    static Pen guidePen(std::uint32_t argb) { return Pen{(argb & 0x00FFFFFF) | 0xB4000000, 1.0f}; }
    // The UTC moment in the zone slot the "TimeZone" child names; UTC without one.
    velmora::PackedDateTime zoneTime(const velmora::PackedDateTime& utc) const;

    ClockObject(const ClockObject& other) = default;
};
