// A clock text: the date or time formatted by a format string, in a chosen font.
#pragma once

#include "clock/clock_object.h"
#include "velmora_export.h"

class VELMORA_EXPORT ClockText : public ClockObject {
public:
    static constexpr const char* kTypeName = "ClockText";

    // A new text with the defaults the editor offers: the day's date in black.
    ClockText();

    const char* className() const override { return kTypeName; }
    bool isKindOf(std::string_view typeName) const override;
    std::string classPath() const override;

    // digital display "%d.%m.%Y": the label and the quoted format.
    std::u16string valueText() const override;
    std::unique_ptr<Property> clone() const override;
    void draw(Canvas& canvas, const Clock& body, const velmora::PackedDateTime& utc) override;

private:
    ClockText(const ClockText& other) = default;
};
