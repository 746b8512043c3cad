// The base of the choice kinds: an integer that is one of the keys of a table of labels.
#include "model/enum_property.h"

std::u16string EnumProperty::valueText() const {
    for (const auto& [value, label] : choices()) {
        if (value == this->value()) {
            return label;
        }
    }
    return {};
}

OptionRow* EnumProperty::createItem(OptionTree& tree, OptionRow* parent) {
    if (choices().empty()) {
        fillChoices();
    }
    return IntProperty::createItem(tree, parent);
}
