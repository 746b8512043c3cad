// The choice of which time value (second, minute, hour, day, ...) an element shows.
#include "model/time_value_property.h"

#include "model/string_table.h"
#include "model/utf.h"

namespace {

// Kind id and the string-table entry of its label.
constexpr std::pair<std::int32_t, int> kKinds[] = {
    {0, 1},  {1, 2},   {2, 3},   {3, 4},   {4, 5},   {5, 6},    {6, 7},    {7, 8},    {8, 9},
    {9, 48}, {10, 58}, {11, 61}, {12, 60}, {13, 59}, {121, 69}, {122, 70}, {123, 71},
};
// One processor entry is offered, for processor 0.
constexpr std::int32_t kFirstProcessorKind = 128;
constexpr int kProcessorTextId = 68;

// The printf-style "%d" and "%%" of the processor label, with the processor number.
std::u16string formatProcessorLabel(std::u16string_view pattern, int processor) {
    std::u16string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != u'%' || i + 1 == pattern.size()) {
            out += pattern[i];
            continue;
        }
        char16_t code = pattern[++i];
        if (code == u'd') {
            out += fromAscii(std::to_string(processor));
        } else {
            out += code;
        }
    }
    return out;
}

} // namespace

bool TimeValueProperty::isKindOf(std::string_view typeName) const {
    return typeName == kTypeName || IntProperty::isKindOf(typeName);
}

std::string TimeValueProperty::classPath() const {
    return IntProperty::classPath() + ":" + kTypeName;
}

std::unique_ptr<Property> TimeValueProperty::clone() const {
    return std::unique_ptr<Property>(new TimeValueProperty(*this));
}

void TimeValueProperty::fillChoices() {
    Choices choices;
    for (const auto& [kind, textId] : kKinds) {
        choices.emplace_back(kind, std::u16string(stringTableText(textId)));
    }
    choices.emplace_back(kFirstProcessorKind,
                         formatProcessorLabel(stringTableText(kProcessorTextId), 0));
    setChoices(std::move(choices));
}
