// The clock body: the root of a scheme, holding its own properties and the elements.
#include "clock/clock.h"

#include "clock/scheme_file.h"
#include "model/class_registry.h"
#include "model/file_property.h"
#include "model/percent_property.h"
#include "model/settings_store.h"
#include "model/smoothing_mode_property.h"
#include "model/string_property.h"
#include "model/string_table.h"
#include "model/utf.h"

namespace {
constexpr int kBodyTextId = 43;
}

Clock::Clock() : ClockObject(u"Clock", kBodyTextId) {
    append(std::make_unique<StringProperty>(u"AuthorInfo", 67, u"(unknown artist)"));
    append(std::make_unique<PercentProperty>(u"X", 38, 0));
    append(std::make_unique<PercentProperty>(u"Y", 39, 0));
    append(std::make_unique<SmoothingModeProperty>(u"SmoothingMode", 40,
                                                   SmoothingModeProperty::kHighQuality));
    append(std::make_unique<FileProperty>(u"BackgroundImage", 21, u""));
}

Clock::Clock(const Clock& other) : ClockObject(other) {}

bool Clock::isKindOf(std::string_view typeName) const {
    return typeName == kTypeName || ClockObject::isKindOf(typeName);
}

std::string Clock::classPath() const {
    return ClockObject::classPath() + ":" + kTypeName;
}

std::u16string Clock::valueText() const {
    return std::u16string(stringTableText(kBodyTextId));
}

std::unique_ptr<Property> Clock::clone() const {
    return cloneClock();
}

std::unique_ptr<Clock> Clock::cloneClock() const {
    return std::unique_ptr<Clock>(new Clock(*this));
}

bool Clock::needsContinuousRedraw() const {
    for (const auto& child : children()) {
        if (child->isKindOf(ClockObject::kTypeName) &&
            static_cast<const ClockObject&>(*child).needsContinuousRedraw()) {
            return true;
        }
    }
    return false;
}

void Clock::clearChildren() {
    backgroundDirty_ = true;
    ClockObject::clearChildren();
}

OptionRow* Clock::createItem(OptionTree& tree, OptionRow* parent) {
    OptionRow* row = tree.insertRow(RowKind::Plain, parent);
    if (row == nullptr) {
        return nullptr;
    }
    row->setLabel(label());
    row->setInfo(description());
    for (bool elements : {false, true}) {
        for (const auto& child : children()) {
            if (child->isKindOf(ClockObject::kTypeName) == elements) {
                child->createItem(tree, row);
            }
        }
    }
    return row;
}

void Clock::commitItem() {
    ClockObject::commitItem();
    backgroundDirty_ = true;
}

bool Clock::loadSchemeFile(const std::filesystem::path& path, SettingsStore& settings,
                           ReadError* error) {
    std::unique_ptr<Clock> fresh = readSchemeFile(path, error);
    if (fresh == nullptr) {
        return false;
    }
    adopt(*fresh);
    reconcileWithTemplate(ClassRegistry::instance());
    schemePath_ = path;
    settings.writeText(settings::kSchemeLoaded, fromPath(path));
    return true;
}

bool Clock::loadLastScheme(SettingsStore& settings, ReadError* error) {
    std::u16string path = settings.readText(settings::kSchemeLoaded);
    if (path.empty()) {
        if (error != nullptr) {
            *error = ReadError{"no scheme was loaded before", 0};
        }
        return false;
    }
    return loadSchemeFile(toPath(path), settings, error);
}

void Clock::adopt(Clock& other) {
    replaceContentsWith(other);
    backgroundDirty_ = true;
}
