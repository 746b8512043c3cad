// The choice of drawing quality: high speed or high quality.
#include "model/smoothing_mode_property.h"

#include "model/string_table.h"

bool SmoothingModeProperty::isKindOf(std::string_view typeName) const {
    return typeName == kTypeName || IntProperty::isKindOf(typeName);
}

std::string SmoothingModeProperty::classPath() const {
    return IntProperty::classPath() + ":" + kTypeName;
}

std::unique_ptr<Property> SmoothingModeProperty::clone() const {
    return std::unique_ptr<Property>(new SmoothingModeProperty(*this));
}

void SmoothingModeProperty::fillChoices() {
    setChoices({{kHighSpeed, std::u16string(stringTableText(42))},
                {kHighQuality, std::u16string(stringTableText(41))}});
}
