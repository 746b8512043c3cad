// An integer percentage, typically of the dial radius; edited from -100 to 100.
#include "model/percent_property.h"

bool PercentProperty::isKindOf(std::string_view typeName) const {
    return typeName == kTypeName || IntProperty::isKindOf(typeName);
}

std::string PercentProperty::classPath() const {
    return IntProperty::classPath() + ":" + kTypeName;
}

std::unique_ptr<Property> PercentProperty::clone() const {
    return std::unique_ptr<Property>(new PercentProperty(*this));
}

OptionRow* PercentProperty::createItem(OptionTree& tree, OptionRow* parent) {
    OptionRow* row = IntProperty::createItem(tree, parent);
    if (row != nullptr) {
        row->setLimits(-100, 100);
    }
    return row;
}
