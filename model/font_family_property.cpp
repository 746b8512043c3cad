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

namespace {

// "C059 [UKWN]" names the family "C059" from one foundry.
std::u16string_view withoutFoundry(std::u16string_view family) {
    const std::size_t open = family.rfind(u" [");
    if (open == std::u16string_view::npos || family.empty() || family.back() != u']') {
        return family;
    }
    return family.substr(0, open);
}

} // namespace

std::u16string FontFamilyProperty::missingLabel(const std::u16string& family) {
    return family + u" (not installed)";
}

void FontFamilyProperty::fillChoices() {
    const auto& families = FontFamilyList::families();
    Choices choices;
    choices.reserve(families.size() + 1);
    for (std::size_t i = 0; i < families.size(); ++i) {
        choices.emplace_back(static_cast<std::int32_t>(i), families[i]);
    }
    if (static_cast<std::size_t>(value()) == families.size()) {
        choices.emplace_back(value(), missingLabel(familyName_));
    }
    setChoices(std::move(choices));
}

OptionRow* FontFamilyProperty::createItem(OptionTree& tree, OptionRow* parent) {
    // The missing family's entry follows the stored family, which may have changed.
    fillChoices();
    return EnumProperty::createItem(tree, parent);
}

void FontFamilyProperty::commitItem() {
    const std::int32_t before = value();
    EnumProperty::commitItem();
    if (value() == before) {
        return;
    }
    const auto& families = FontFamilyList::families();
    if (value() < 0 || static_cast<std::size_t>(value()) >= families.size()) {
        setValue(before);
        return;
    }
    familyName_ = families[static_cast<std::size_t>(value())];
}

void FontFamilyProperty::selectFamily(std::u16string family) {
    familyName_ = std::move(family);
    const auto& families = FontFamilyList::families();
    const std::u16string_view plain = withoutFoundry(familyName_);
    for (std::size_t i = 0; i < families.size(); ++i) {
        if (families[i] == familyName_ || withoutFoundry(families[i]) == plain) {
            setValue(static_cast<std::int32_t>(i));
            return;
        }
    }
    setValue(static_cast<std::int32_t>(families.size()));
}
