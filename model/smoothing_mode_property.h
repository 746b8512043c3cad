// The choice of drawing quality: high speed or high quality.
#pragma once

#include "model/enum_property.h"

class SmoothingModeProperty : public EnumProperty {
public:
    static constexpr const char* kTypeName = "SmoothingModeProperty";
    // The stored numbers of the two modes.
    static constexpr std::int32_t kHighSpeed = 1;
    static constexpr std::int32_t kHighQuality = 2;

    SmoothingModeProperty() = default;
    SmoothingModeProperty(std::u16string name, std::int32_t textId, std::int32_t value)
        : EnumProperty(std::move(name), textId, value) {}

    const char* className() const override { return kTypeName; }
    bool isKindOf(std::string_view typeName) const override;
    std::string classPath() const override;
    std::unique_ptr<Property> clone() const override;
    void fillChoices() override;

private:
    SmoothingModeProperty(const SmoothingModeProperty& other) = default;
};
