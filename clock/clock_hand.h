// A clock hand: a line turning round the dial's centre.
#pragma once

#include "clock/clock_object.h"
#include "velmora_export.h"

class VELMORA_EXPORT ClockHand : public ClockObject {
public:
    static constexpr const char* kTypeName = "ClockHand";

    // A new hand with the defaults the editor offers: a black second hand.
    ClockHand();

    const char* className() const override { return kTypeName; }
    bool isKindOf(std::string_view typeName) const override;
    std::string classPath() const override;

    // "hand second": the label and the time value's label.
    std::u16string valueText() const override;
    std::unique_ptr<Property> clone() const override;
    void draw(Canvas& canvas, const Clock& body, const velmora::PackedDateTime& utc) override;
    bool needsContinuousRedraw() const override;

private:
    ClockHand(const ClockHand& other) = default;
};
