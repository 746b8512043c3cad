// The choice of an installed font family, stored by name.
#pragma once

#include "model/enum_property.h"
#include "velmora_export.h"

// The value is the family's index in the installed list and is not stored: numbering
// depends on the machine. Users of the family take familyName(), never valueText().
class VELMORA_EXPORT FontFamilyProperty : public EnumProperty {
public:
    static constexpr const char* kTypeName = "FontFamilyProperty";

    FontFamilyProperty() : FontFamilyProperty(u"", 0, u"Tahoma") {}
    FontFamilyProperty(std::u16string name, std::int32_t textId, std::u16string family);

    const char* className() const override { return kTypeName; }
    bool isKindOf(std::string_view typeName) const override;
    std::string classPath() const override;

    void read(ObjectIStream& in) override;
    void write(ObjectOStream& out) const override;
    std::unique_ptr<Property> clone() const override;
    // The installed families, and the stored one marked as missing when it is not installed.
    void fillChoices() override;
    OptionRow* createItem(OptionTree& tree, OptionRow* parent) override;
    // Takes a family only when the user picked another one: a family that is not installed,
    // or stored with a foundry tag, stays exactly as stored.
    void commitItem() override;

    const std::u16string& familyName() const { return familyName_; }
    // Keeps the name even when it is not installed; the value is then the index just past
    // the installed families, where the editor lists the missing one.
    void selectFamily(std::u16string family);
    // The editor's label of a stored family that is not installed.
    static std::u16string missingLabel(const std::u16string& family);

private:
    FontFamilyProperty(const FontFamilyProperty& other) = default;

    std::u16string familyName_;
};
