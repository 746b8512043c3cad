// A named, typed, storable value that can show itself as a row of the option tree.
#pragma once

#include "model/object_stream.h"
#include "model/option_tree_if.h"
#include "model/serialization_object.h"
#include "model/string_table.h"
#include "velmora_export.h"

#include <memory>
#include <string>

class PropertyMap;

class VELMORA_EXPORT Property : public SerializationObject, public OptionTreeIf {
public:
    Property() = default;
    // Label and description come from the string table entry textId.
    Property(std::u16string name, std::int32_t textId);
    Property& operator=(const Property&) = delete;

    const char* className() const override { return "Property"; }
    bool isKindOf(std::string_view typeName) const override;
    std::string classPath() const override;

    virtual std::u16string valueText() const = 0;
    const std::u16string& name() const { return name_; }
    const std::u16string& label() const { return texts().label; }
    const std::u16string& description() const { return texts().description; }
    std::int32_t textId() const { return textId_; }
    void setName(std::u16string name) { name_ = std::move(name); }
    // Takes label and description from the new text id, unless it is 0, as reading does.
    void setTextId(std::int32_t textId);
    void setLabel(std::u16string text) { ownTexts().label = std::move(text); }
    void setDescription(std::u16string text) { ownTexts().description = std::move(text); }

    // The base part: the name and the text id.
    virtual void read(ObjectIStream& in);
    virtual void write(ObjectOStream& out) const;
    // A new, independent copy without parent, row or selected mark.
    virtual std::unique_ptr<Property> clone() const = 0;

    void saveItemState() override;

    PropertyMap* parent() const { return parent_; }
    void setParent(PropertyMap* parent) { parent_ = parent; }
    bool isSelected() const { return selected_; }
    void setSelected(bool selected) { selected_ = selected; }
    OptionRow* item() const { return item_; }

protected:
    // The copy that clone builds on: name, texts and text id, nothing of the editor.
    Property(const Property& other);
    void setItem(OptionRow* row) { item_ = row; }
    // Takes over another property's name, texts and text id.
    void assignBase(const Property& other);
    // Creates a row of the kind with the label and description; null if its editor fails.
    OptionRow* insertLabelledRow(OptionTree& tree, OptionRow* parent, RowKind kind,
                                 std::uint32_t options) const;

private:
    const PropertyTexts& texts() const;
    // The texts this property owns, made from the shared ones on the first change by hand.
    PropertyTexts& ownTexts();

    std::u16string name_;
    // Texts from the string table are shared; only texts changed by hand are owned, so a
    // property read from a file costs two pointers for them.
    const PropertyTexts* sharedTexts_ = nullptr;
    std::unique_ptr<PropertyTexts> ownedTexts_;
    std::int32_t textId_ = 0;
    OptionRow* item_ = nullptr;
    PropertyMap* parent_ = nullptr;
    bool selected_ = false;
};

// Finds the property's value under the expected kind; null counts as absent.
template <class Kind> const Kind* asKind(const Property* property) {
    if (property == nullptr || !property->isKindOf(Kind::kTypeName)) {
        return nullptr;
    }
    return static_cast<const Kind*>(property);
}

template <class Kind> Kind* asKind(Property* property) {
    if (property == nullptr || !property->isKindOf(Kind::kTypeName)) {
        return nullptr;
    }
    return static_cast<Kind*>(property);
}
