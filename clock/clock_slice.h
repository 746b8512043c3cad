// A clock slice: a ring segment growing clockwise from 12 o'clock.
#pragma once

#include "clock/clock_object.h"
#include "velmora_export.h"

class VELMORA_EXPORT ClockSlice : public ClockObject {
public:
    static constexpr const char* kTypeName = "ClockSlice";

    // A new slice with the defaults the editor offers: a black full-radius second pie.
    ClockSlice();

    const char* className() const override { return kTypeName; }
    bool isKindOf(std::string_view typeName) const override;
    std::string classPath() const override;

    std::u16string valueText() const override;
    std::unique_ptr<Property> clone() const override;
    void draw(Canvas& canvas, const Clock& body, const velmora::PackedDateTime& utc) override;
    // Only the continuous second: a centisecond slice alone does not make the window
    // redraw on every tick.
    bool needsContinuousRedraw() const override;

private:
    ClockSlice(const ClockSlice& other) = default;
};
