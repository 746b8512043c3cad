// How the editor names the elements of a scheme, so that each group row says which one it is.
#include "clock/element_labels.h"

#include "clock/clock.h"
#include "model/color_property.h"
#include "model/string_property.h"
#include "model/time_value_property.h"

#include <map>

namespace {

// What the element shows: its format for a text, its time value for hands and slices.
std::u16string detailOf(ClockObject& element) {
    if (const auto* format = element.findChildAs<StringProperty>(u"Fmt")) {
        return format->value();
    }
    if (auto* timeValue = element.findChildAs<TimeValueProperty>(u"TimeValue")) {
        // The labels come with the choices, which only the editor asks for.
        if (timeValue->choices().empty()) {
            timeValue->fillChoices();
        }
        return timeValue->valueText();
    }
    return {};
}

} // namespace

std::vector<ElementLabel> elementLabels(const Clock& body) {
    std::vector<ElementLabel> labels;
    for (const auto& child : body.children()) {
        if (!child->isKindOf(ClockObject::kTypeName)) {
            continue;
        }
        auto* element = static_cast<ClockObject*>(child.get());
        ElementLabel label{element, element->label(), 0xFF000000};
        if (const std::u16string detail = detailOf(*element); !detail.empty()) {
            label.text += u": " + detail;
        }
        if (const auto* color = element->findChildAs<ColorProperty>(u"Color")) {
            label.argb = color->argb();
        }
        labels.push_back(std::move(label));
    }
    std::map<std::u16string, int> total;
    for (const ElementLabel& label : labels) {
        ++total[label.text];
    }
    std::map<std::u16string, int> seen;
    for (ElementLabel& label : labels) {
        if (total[label.text] > 1) {
            const std::string digits = std::to_string(++seen[label.text]);
            label.text += u" #" + std::u16string(digits.begin(), digits.end());
        }
    }
    return labels;
}
