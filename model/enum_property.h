// The base of the choice kinds: an integer that is one of the keys of a table of labels.
#pragma once

#include "model/int_property.h"
#include "velmora_export.h"

// Deliberately not part of the naming chain: an EnumProperty answers as an IntProperty.
class VELMORA_EXPORT EnumProperty : public IntProperty {
public:
    EnumProperty() = default;
    EnumProperty(std::u16string name, std::int32_t textId, std::int32_t value)
        : IntProperty(std::move(name), textId, value) {}

    // The label of the value; empty until the choices were filled or for a value not in them.
    std::u16string valueText() const override;
    OptionRow* createItem(OptionTree& tree, OptionRow* parent) override;

    // Fills the choice table; only showing the property in the editor asks for it.
    virtual void fillChoices() = 0;

protected:
    EnumProperty(const EnumProperty& other) = default;
};
