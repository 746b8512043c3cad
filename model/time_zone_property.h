// The choice of which of the five zone slots an element converts the time to.
#pragma once

#include "model/enum_property.h"
#include "velmora_export.h"

class VELMORA_EXPORT TimeZoneProperty : public EnumProperty {
public:
    static constexpr const char* kTypeName = "TimeZoneProperty";

    TimeZoneProperty() = default;
    TimeZoneProperty(std::u16string name, std::int32_t textId, std::int32_t slot)
        : EnumProperty(std::move(name), textId, slot) {}

    const char* className() const override { return kTypeName; }
    bool isKindOf(std::string_view typeName) const override;
    std::string classPath() const override;
    std::unique_ptr<Property> clone() const override;
    void fillChoices() override;

private:
    TimeZoneProperty(const TimeZoneProperty& other) = default;
};
