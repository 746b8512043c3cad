// The changes to a clock's list of elements that the editor's toolbar makes.
#include "clock/element_edits.h"

#include "clock/clock.h"
#include "clock/clock_text.h"
#include "model/color_property.h"
#include "model/percent_property.h"

#include <algorithm>

ClockObject* ElementEdits::add(Clock& clock, std::unique_ptr<ClockObject> element,
                               std::uint32_t argb) {
    if (auto* color = element->findChildAs<ColorProperty>(u"Color")) {
        color->setArgb(argb);
    }
    if (element->isKindOf(ClockText::kTypeName)) {
        if (auto* size = element->findChildAs<PercentProperty>(u"FontSize")) {
            size->setValue(kNewTextSize);
        }
        if (auto* dy = element->findChildAs<PercentProperty>(u"dY")) {
            dy->setValue(kNewTextOffset);
        }
    }
    ClockObject* added = element.get();
    clock.append(std::move(element));
    return added;
}

bool ElementEdits::move(Clock& clock, ClockObject& element, bool down) {
    const auto& children = clock.children();
    std::size_t at = 0;
    while (at < children.size() && children[at].get() != &element) {
        ++at;
    }
    if (at == children.size()) {
        return false;
    }
    auto isElement = [&](std::size_t i) { return children[i]->isKindOf(ClockObject::kTypeName); };
    if (down) {
        std::size_t next = at + 1;
        while (next < children.size() && !isElement(next)) {
            ++next;
        }
        if (next == children.size()) {
            return false;
        }
        for (; at < next; ++at) {
            clock.moveChildDown(&element);
        }
        return true;
    }
    std::size_t previous = at;
    while (previous > 0 && !isElement(previous - 1)) {
        --previous;
    }
    if (previous == 0) {
        return false;
    }
    for (--previous; at > previous; --at) {
        clock.moveChildUp(&element);
    }
    return true;
}

std::vector<ClockObject*> ElementEdits::elements(const Clock& clock) {
    std::vector<ClockObject*> found;
    for (const auto& child : clock.children()) {
        if (child->isKindOf(ClockObject::kTypeName)) {
            found.push_back(static_cast<ClockObject*>(child.get()));
        }
    }
    return found;
}

bool ElementEdits::moveBefore(Clock& clock, ClockObject& element, const ClockObject* before) {
    const std::vector<ClockObject*> order = elements(clock);
    const auto at = std::find(order.begin(), order.end(), &element);
    const auto target = std::find(order.begin(), order.end(), before);
    if (at == order.end() || (before != nullptr && target == order.end())) {
        return false;
    }
    // Where the element ends up once it is out of its place.
    auto from = at - order.begin();
    const auto to = target > at ? target - order.begin() - 1 : target - order.begin();
    for (; from < to; ++from) {
        move(clock, element, true);
    }
    for (; from > to; --from) {
        move(clock, element, false);
    }
    return at - order.begin() != to;
}
