// The choice of shape at one end of a line.
#pragma once

#include "model/enum_property.h"

// The stored cap numbers; schemes rely on them.
enum class LineCap : std::int32_t {
    Flat = 0,
    Square = 1,
    Round = 2,
    Triangle = 3,
    NoAnchor = 16,
    SquareAnchor = 17,
    RoundAnchor = 18,
    DiamondAnchor = 19,
    ArrowAnchor = 20,
};

class LineCapProperty : public EnumProperty {
public:
    static constexpr const char* kTypeName = "LineCapProperty";

    LineCapProperty() = default;
    LineCapProperty(std::u16string name, std::int32_t textId, LineCap value)
        : EnumProperty(std::move(name), textId, static_cast<std::int32_t>(value)) {}

    const char* className() const override { return kTypeName; }
    bool isKindOf(std::string_view typeName) const override;
    std::string classPath() const override;
    std::unique_ptr<Property> clone() const override;
    void fillChoices() override;

private:
    LineCapProperty(const LineCapProperty& other) = default;
};
