// An ARGB colour, edited as a colour row plus an opacity spinner.
#pragma once

#include "model/property.h"
#include "velmora_export.h"

class VELMORA_EXPORT ColorProperty : public Property {
public:
    static constexpr const char* kTypeName = "ColorProperty";
    static constexpr std::uint32_t kOpaqueBlack = 0xFF000000;

    ColorProperty() = default;
    ColorProperty(std::u16string name, std::int32_t textId, std::uint32_t argb)
        : Property(std::move(name), textId), argb_(argb) {}

    const char* className() const override { return kTypeName; }
    bool isKindOf(std::string_view typeName) const override;
    std::string classPath() const override;

    std::u16string valueText() const override { return {}; }
    // Stored most significant byte first: alpha, red, green, blue.
    void read(ObjectIStream& in) override;
    void write(ObjectOStream& out) const override;
    std::unique_ptr<Property> clone() const override;

    // A colour row and, as its next sibling, an opacity spinner; returns the spinner.
    OptionRow* createItem(OptionTree& tree, OptionRow* parent) override;
    void commitItem() override;
    void forgetItem() override;

    std::uint32_t argb() const { return argb_; }
    void setArgb(std::uint32_t argb) { argb_ = argb; }

private:
    ColorProperty(const ColorProperty& other) : Property(other), argb_(other.argb_) {}

    std::uint32_t argb_ = kOpaqueBlack;
    OptionRow* colorRow_ = nullptr;
    OptionRow* opacityRow_ = nullptr;
};
