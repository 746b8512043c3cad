// Registers every class a scheme can store, so reading can create them by name.
#include "clock/class_registration.h"

#include "clock/clock.h"
#include "clock/clock_hand.h"
#include "clock/clock_slice.h"
#include "clock/clock_text.h"
#include "model/bool_property.h"
#include "model/class_registry.h"
#include "model/color_property.h"
#include "model/file_property.h"
#include "model/font_family_property.h"
#include "model/line_cap_property.h"
#include "model/percent_property.h"
#include "model/smoothing_mode_property.h"
#include "model/string_property.h"
#include "model/time_value_property.h"
#include "model/time_zone_property.h"

namespace {

template <class T> std::unique_ptr<SerializationObject> create() {
    return std::make_unique<T>();
}

template <class T> void add(ClassRegistry& registry) {
    registry.registerClass(T::kTypeName, &create<T>);
}

} // namespace

void registerSchemeClasses(ClassRegistry& registry) {
    add<BoolProperty>(registry);
    add<IntProperty>(registry);
    add<PercentProperty>(registry);
    add<ColorProperty>(registry);
    add<StringProperty>(registry);
    add<TimeValueProperty>(registry);
    add<TimeZoneProperty>(registry);
    add<FileProperty>(registry);
    add<LineCapProperty>(registry);
    add<FontFamilyProperty>(registry);
    add<SmoothingModeProperty>(registry);
    add<Clock>(registry);
    add<ClockHand>(registry);
    add<ClockSlice>(registry);
    add<ClockText>(registry);
}

void registerSchemeClasses() {
    registerSchemeClasses(ClassRegistry::instance());
}
