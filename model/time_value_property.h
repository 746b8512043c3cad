// The choice of which time value (second, minute, hour, day, ...) an element shows.
#pragma once

#include "model/enum_property.h"
#include "velmora_export.h"

class VELMORA_EXPORT TimeValueProperty : public EnumProperty {
public:
    static constexpr const char* kTypeName = "TimeValueProperty";

    TimeValueProperty() = default;
    TimeValueProperty(std::u16string name, std::int32_t textId, std::int32_t kind)
        : EnumProperty(std::move(name), textId, kind) {}

    const char* className() const override { return kTypeName; }
    bool isKindOf(std::string_view typeName) const override;
    std::string classPath() const override;
    std::unique_ptr<Property> clone() const override;
    void fillChoices() override;

private:
    TimeValueProperty(const TimeValueProperty& other) = default;
};
