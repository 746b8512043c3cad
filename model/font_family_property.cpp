// The choice of an installed font family, stored by name.
#include "model/font_family_property.h"

#include "model/font_family_list.h"

FontFamilyProperty::FontFamilyProperty(std::u16string name, std::int32_t textId,
                                       std::u16string family)
    : EnumProperty(std::move(name), textId, 0) {
    selectFamily(std::move(family));
}

bool FontFamilyProperty::isKindOf(std::string_view typeName) const {
    return typeName == kTypeName || IntProperty::isKindOf(typeName);
}

std::string FontFamilyProperty::classPath() const {
    return IntProperty::classPath() + ":" + kTypeName;
}

void FontFamilyProperty::read(ObjectIStream& in) {
    Property::read(in);
    std::u16string family;
    in.readWString(family);
    selectFamily(std::move(family));
}

void FontFamilyProperty::write(ObjectOStream& out) const {
    Property::write(out);
    out.writeWString(familyName_);
}

std::unique_ptr<Property> FontFamilyProperty::clone() const {
    auto copy = std::unique_ptr<FontFamilyProperty>(new FontFamilyProperty(*this));
    copy->selectFamily(familyName_);
    return copy;
}

void FontFamilyProperty::fillChoices() {
    const auto& families = FontFamilyList::families();
    Choices choices;
    choices.reserve(families.size());
    for (std::size_t i = 0; i < families.size(); ++i) {
        choices.emplace_back(static_cast<std::int32_t>(i), families[i]);
    }
    setChoices(std::move(choices));
}

void FontFamilyProperty::commitItem() {
    std::int32_t before = value();
    EnumProperty::commitItem();
    const auto& families = FontFamilyList::families();
    if (value() < 0 || static_cast<std::size_t>(value()) >= families.size()) {
        // Nothing selected: keep the family and the index that goes with it.
        setValue(before);
        return;
    }
    familyName_ = families[static_cast<std::size_t>(value())];
}

void FontFamilyProperty::selectFamily(std::u16string family) {
    familyName_ = std::move(family);
    const auto& families = FontFamilyList::families();
    for (std::size_t i = 0; i < families.size(); ++i) {
        if (families[i] == familyName_) {
            setValue(static_cast<std::int32_t>(i));
            return;
        }
    }
}
