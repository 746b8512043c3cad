// A text property, edited in an edit row.
#include "model/string_property.h"

bool StringProperty::isKindOf(std::string_view typeName) const {
    return typeName == kTypeName || Property::isKindOf(typeName);
}

std::string StringProperty::classPath() const {
    return Property::classPath() + ":" + kTypeName;
}

void StringProperty::read(ObjectIStream& in) {
    Property::read(in);
    in.readWString(value_);
}

void StringProperty::write(ObjectOStream& out) const {
    Property::write(out);
    out.writeWString(value_);
}

std::unique_ptr<Property> StringProperty::clone() const {
    return std::unique_ptr<Property>(new StringProperty(*this));
}

OptionRow* StringProperty::createItem(OptionTree& tree, OptionRow* parent) {
    row_ = insertLabelledRow(tree, parent, RowKind::Edit, 0);
    if (row_ != nullptr) {
        row_->setText(value_);
    }
    return row_;
}

void StringProperty::commitItem() {
    if (row_ != nullptr) {
        value_ = row_->text();
    }
}
