// The base of everything a scheme draws: the clock body and its elements.
#pragma once

#include "model/property_map.h"
#include "time/time_value.h"

// The stored number of a time value kind.
constexpr std::int32_t storedKind(velmora::TimeValueKind kind) {
    return static_cast<std::int32_t>(kind);
}

class ClockObject : public PropertyMap {
public:
    static constexpr const char* kTypeName = "ClockObject";

    ClockObject(std::u16string name, std::int32_t textId) : PropertyMap(std::move(name), textId) {}

    const char* className() const override { return kTypeName; }
    bool isKindOf(std::string_view typeName) const override;
    std::string classPath() const override;

    // True when the element changes between the whole seconds, so the window must redraw
    // on every tick.
    virtual bool needsContinuousRedraw() const { return false; }
    // The rows are replaced only by the next createItem after the tree was emptied.
    void forgetItem() override {}

    // The kind of the "TimeValue" child; stopped when there is none of that kind.
    velmora::TimeValueKind timeValueKind() const;

protected:
    ClockObject(const ClockObject& other) = default;
};
