// The base of the choice kinds: an integer that is one of the keys of a table of labels.
#include "model/enum_property.h"

std::u16string EnumProperty::valueText() const {
    for (const auto& [value, label] : choices_) {
        if (value == this->value()) {
            return label;
        }
    }
    return {};
}

OptionRow* EnumProperty::createItem(OptionTree& tree, OptionRow* parent) {
    if (choices_.empty()) {
        fillChoices();
    }
    OptionRow* row = insertLabelledRow(tree, parent, RowKind::ComboBox, 0);
    setRow(row);
    if (row == nullptr) {
        return nullptr;
    }
    for (const auto& [value, label] : choices_) {
        row->addEntry(label, value);
    }
    // A stored value without a choice selects nothing, so that applying the editor keeps it.
    if (std::u16string current = valueText(); !current.empty()) {
        row->selectByPrefix(current);
    }
    return row;
}

void EnumProperty::commitItem() {
    // With no entry selected the row reports -1, which is no choice at all: keep the value.
    if (row() != nullptr && row()->selectedData() != -1) {
        setValue(row()->selectedData());
    }
}
