// A 32-bit signed integer property, edited with a spinner.
#include "model/int_property.h"

#include "model/utf.h"

#include <limits>

bool IntProperty::isKindOf(std::string_view typeName) const {
    return typeName == kTypeName || Property::isKindOf(typeName);
}

std::string IntProperty::classPath() const {
    return Property::classPath() + ":" + kTypeName;
}

std::u16string IntProperty::valueText() const {
    return fromAscii(std::to_string(value_));
}

void IntProperty::read(ObjectIStream& in) {
    Property::read(in);
    in.read32(value_);
}

void IntProperty::write(ObjectOStream& out) const {
    Property::write(out);
    out.write32(value_);
}

std::unique_ptr<Property> IntProperty::clone() const {
    return std::unique_ptr<Property>(new IntProperty(*this));
}

OptionRow* IntProperty::createItem(OptionTree& tree, OptionRow* parent) {
    if (!choices_.empty()) {
        row_ = insertLabelledRow(tree, parent, RowKind::ComboBox, 0);
        if (row_ == nullptr) {
            return nullptr;
        }
        for (const auto& [value, label] : choices_) {
            row_->addEntry(label, value);
        }
        // A stored value without a choice selects nothing, so that applying the editor keeps it.
        for (const auto& [value, label] : choices_) {
            if (value == value_) {
                row_->selectByPrefix(label);
                break;
            }
        }
        return row_;
    }
    row_ = insertLabelledRow(tree, parent, RowKind::Spinner, RowOption::kSpinner);
    if (row_ == nullptr) {
        return nullptr;
    }
    row_->setNumber(value_);
    row_->setLimits(std::numeric_limits<std::int32_t>::min(),
                    std::numeric_limits<std::int32_t>::max());
    return row_;
}

void IntProperty::commitItem() {
    if (row_ != nullptr && !choices_.empty()) {
        // With no entry selected the row reports -1, which is no choice at all: keep the value.
        if (row_->selectedData() != -1) {
            value_ = row_->selectedData();
        }
        return;
    }
    if (row_ != nullptr) {
        value_ = row_->number();
        // The row shows the number taken, not the text typed ("12abc" reads as 12).
        row_->setNumber(value_);
    }
}
