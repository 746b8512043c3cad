// The choice of shape at one end of a line.
#include "model/line_cap_property.h"

#include "model/string_table.h"

bool LineCapProperty::isKindOf(std::string_view typeName) const {
    return typeName == kTypeName || IntProperty::isKindOf(typeName);
}

std::string LineCapProperty::classPath() const {
    return IntProperty::classPath() + ":" + kTypeName;
}

std::unique_ptr<Property> LineCapProperty::clone() const {
    return std::unique_ptr<Property>(new LineCapProperty(*this));
}

void LineCapProperty::fillChoices() {
    constexpr std::pair<LineCap, int> kCaps[] = {
        {LineCap::Flat, 10},        {LineCap::Square, 11},        {LineCap::Round, 12},
        {LineCap::Triangle, 13},    {LineCap::NoAnchor, 14},      {LineCap::SquareAnchor, 15},
        {LineCap::RoundAnchor, 16}, {LineCap::DiamondAnchor, 17}, {LineCap::ArrowAnchor, 18},
    };
    Choices choices;
    for (const auto& [cap, textId] : kCaps) {
        choices.emplace_back(static_cast<std::int32_t>(cap),
                             std::u16string(stringTableText(textId)));
    }
    setChoices(std::move(choices));
}
