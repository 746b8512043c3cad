// A text property, edited in an edit row.
#pragma once

#include "model/property.h"
#include "velmora_export.h"

class VELMORA_EXPORT StringProperty : public Property {
public:
    static constexpr const char* kTypeName = "StringProperty";

    StringProperty() = default;
    StringProperty(std::u16string name, std::int32_t textId, std::u16string value)
        : Property(std::move(name), textId), value_(std::move(value)) {}

    const char* className() const override { return kTypeName; }
    bool isKindOf(std::string_view typeName) const override;
    std::string classPath() const override;

    std::u16string valueText() const override { return value_; }
    void read(ObjectIStream& in) override;
    void write(ObjectOStream& out) const override;
    std::unique_ptr<Property> clone() const override;

    OptionRow* createItem(OptionTree& tree, OptionRow* parent) override;
    void commitItem() override;
    void forgetItem() override { row_ = nullptr; }

    const std::u16string& value() const { return value_; }
    void setValue(std::u16string value) { value_ = std::move(value); }

private:
    StringProperty(const StringProperty& other) : Property(other), value_(other.value_) {}

    std::u16string value_;
    OptionRow* row_ = nullptr;
};
