// An integer percentage, typically of the dial radius; edited from -100 to 100.
#pragma once

#include "model/int_property.h"
#include "velmora_export.h"

class VELMORA_EXPORT PercentProperty : public IntProperty {
public:
    static constexpr const char* kTypeName = "PercentProperty";

    PercentProperty() = default;
    PercentProperty(std::u16string name, std::int32_t textId, std::int32_t value)
        : IntProperty(std::move(name), textId, value) {}

    const char* className() const override { return kTypeName; }
    bool isKindOf(std::string_view typeName) const override;
    std::string classPath() const override;

    std::unique_ptr<Property> clone() const override;
    // Only editing is limited; a stored value outside the range is kept as it is.
    OptionRow* createItem(OptionTree& tree, OptionRow* parent) override;

private:
    PercentProperty(const PercentProperty& other) = default;
};
