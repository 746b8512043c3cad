// An ARGB colour, edited as a colour row plus an opacity spinner.
#include "model/color_property.h"

#include "model/string_table.h"

#include <algorithm>

namespace {
constexpr int kOpacityTextId = 19;
}

bool ColorProperty::isKindOf(std::string_view typeName) const {
    return typeName == kTypeName || Property::isKindOf(typeName);
}

std::string ColorProperty::classPath() const {
    return Property::classPath() + ":" + kTypeName;
}

void ColorProperty::read(ObjectIStream& in) {
    Property::read(in);
    std::uint32_t argb = 0;
    for (int i = 0; i < 4; ++i) {
        std::uint8_t byte = 0;
        in.read8(byte);
        argb = (argb << 8) | byte;
    }
    argb_ = argb;
}

void ColorProperty::write(ObjectOStream& out) const {
    Property::write(out);
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.write8(static_cast<std::uint8_t>(argb_ >> shift));
    }
}

std::unique_ptr<Property> ColorProperty::clone() const {
    return std::unique_ptr<Property>(new ColorProperty(*this));
}

OptionRow* ColorProperty::createItem(OptionTree& tree, OptionRow* parent) {
    colorRow_ = insertLabelledRow(tree, parent, RowKind::Color, 0);
    if (colorRow_ != nullptr) {
        colorRow_->setColor(argb_ & 0x00FFFFFF);
        colorRow_->setAutomaticColor(0);
    }
    opacityRow_ = tree.insertRow(RowKind::Spinner, parent);
    if (opacityRow_ == nullptr || !opacityRow_->createEditor(RowOption::kSpinner)) {
        opacityRow_ = nullptr;
        return nullptr;
    }
    PropertyTexts texts = propertyTexts(kOpacityTextId);
    opacityRow_->setLabel(texts.label);
    opacityRow_->setInfo(texts.description);
    opacityRow_->setNumber(argb_ >> 24);
    opacityRow_->setLimits(0, 255);
    return opacityRow_;
}

void ColorProperty::commitItem() {
    std::uint32_t alpha = argb_ >> 24;
    std::uint32_t rgb = argb_ & 0x00FFFFFF;
    if (opacityRow_ != nullptr) {
        // A typed opacity outside the byte's range means its nearest limit, not its low bits.
        alpha = static_cast<std::uint32_t>(std::clamp(opacityRow_->number(), 0, 255));
        opacityRow_->setNumber(alpha);
    }
    if (colorRow_ != nullptr) {
        rgb = colorRow_->color() & 0x00FFFFFF;
    }
    argb_ = alpha << 24 | rgb;
}

void ColorProperty::forgetItem() {
    colorRow_ = nullptr;
    opacityRow_ = nullptr;
}
