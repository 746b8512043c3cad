// The changes to a clock's list of elements that the editor's toolbar makes.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class Clock;
class ClockObject;

class ElementEdits {
public:
    // A new text's size and place, in percent of the radius.
    static constexpr int kNewTextSize = 25;
    static constexpr int kNewTextOffset = 40;

    // Appends a new element made to be seen at once: in the colour given (ARGB), and a text
    // at a size that reads, below the centre where the hands do not cover it. Returns it.
    static ClockObject* add(Clock& clock, std::unique_ptr<ClockObject> element, std::uint32_t argb);
    // Swaps the element with its neighbouring element below (drawn later) or above;
    // properties stored between elements (from a reconciled older scheme) are no neighbours.
    // False where there is none.
    static bool move(Clock& clock, ClockObject& element, bool down);
    // Moves the element to just before `before`, another element of the clock, or after the
    // last element when that is null. False where that changes nothing.
    static bool moveBefore(Clock& clock, ClockObject& element, const ClockObject* before);
    // The clock's elements in drawing order.
    static std::vector<ClockObject*> elements(const Clock& clock);
};
