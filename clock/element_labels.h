// How the editor names the elements of a scheme, so that each group row says which one it is.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class Clock;
class ClockObject;

struct ElementLabel {
    ClockObject* element = nullptr;
    // "hand: second", "digital display: %A"; "#1", "#2" follow where two would read the same.
    std::u16string text;
    // The element's colour (ARGB), opaque black without one.
    std::uint32_t argb = 0xFF000000;
};

// One label per element of the body, in list order.
std::vector<ElementLabel> elementLabels(const Clock& body);
