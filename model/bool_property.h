// An on/off property stored as an integer, edited with a check box.
#pragma once

#include "model/int_property.h"

class BoolProperty : public IntProperty {
public:
    static constexpr const char* kTypeName = "BoolProperty";

    BoolProperty() = default;
    BoolProperty(std::u16string name, std::int32_t textId, bool value)
        : IntProperty(std::move(name), textId, value ? 1 : 0) {}

    const char* className() const override { return kTypeName; }
    bool isKindOf(std::string_view typeName) const override;
    std::string classPath() const override;

    // Any value but 0 counts as on.
    bool isOn() const { return value() != 0; }
    std::u16string valueText() const override { return isOn() ? u"On" : u"Off"; }
    std::unique_ptr<Property> clone() const override;
    OptionRow* createItem(OptionTree& tree, OptionRow* parent) override;
    void commitItem() override;

private:
    BoolProperty(const BoolProperty& other) = default;
};
