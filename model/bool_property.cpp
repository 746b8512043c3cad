// An on/off property stored as an integer, edited with a check box.
#include "model/bool_property.h"

bool BoolProperty::isKindOf(std::string_view typeName) const {
    return typeName == kTypeName || IntProperty::isKindOf(typeName);
}

std::string BoolProperty::classPath() const {
    return IntProperty::classPath() + ":" + kTypeName;
}

std::unique_ptr<Property> BoolProperty::clone() const {
    return std::unique_ptr<Property>(new BoolProperty(*this));
}

OptionRow* BoolProperty::createItem(OptionTree& tree, OptionRow* parent) {
    OptionRow* row = insertLabelledRow(tree, parent, RowKind::CheckBox, RowOption::kFlatCheckBox);
    setRow(row);
    if (row != nullptr) {
        row->setChecked(isOn());
    }
    return row;
}

void BoolProperty::commitItem() {
    if (row() != nullptr) {
        setValue(row()->isChecked() ? 1 : 0);
    }
}
