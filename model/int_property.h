// A 32-bit signed integer property, edited with a spinner, or picked from its choices.
#pragma once

#include "model/property.h"
#include "velmora_export.h"

#include <utility>
#include <vector>

class VELMORA_EXPORT IntProperty : public Property {
public:
    static constexpr const char* kTypeName = "IntProperty";

    IntProperty() = default;
    IntProperty(std::u16string name, std::int32_t textId, std::int32_t value)
        : Property(std::move(name), textId), value_(value) {}

    const char* className() const override { return kTypeName; }
    bool isKindOf(std::string_view typeName) const override;
    std::string classPath() const override;

    std::u16string valueText() const override;
    void read(ObjectIStream& in) override;
    void write(ObjectOStream& out) const override;
    std::unique_ptr<Property> clone() const override;

    OptionRow* createItem(OptionTree& tree, OptionRow* parent) override;
    void commitItem() override;
    void forgetItem() override { row_ = nullptr; }

    std::int32_t value() const { return value_; }
    void setValue(std::int32_t value) { value_ = value; }

    // Value and label, in ascending value order.
    using Choices = std::vector<std::pair<std::int32_t, std::u16string>>;
    // With choices the editor offers their labels instead of a number: a choice kind's own
    // table, or one a plain integer takes from its class's template where a scheme stored a
    // choice as a plain integer (see PropertyMap::takeChoicesFromTemplate).
    const Choices& choices() const { return choices_; }
    void setChoices(Choices choices) { choices_ = std::move(choices); }

    // The row while the property is shown in the editor, else null.
    OptionRow* row() const { return row_; }

protected:
    IntProperty(const IntProperty& other)
        : Property(other), value_(other.value_), choices_(other.choices_) {}
    void setRow(OptionRow* row) { row_ = row; }

private:
    std::int32_t value_ = 0;
    Choices choices_;
    OptionRow* row_ = nullptr;
};
