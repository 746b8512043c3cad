// The clock body: the root of a scheme, holding its own properties and the elements.
#pragma once

#include "clock/clock_object.h"
#include "model/object_stream.h"

#include <filesystem>

class ClassRegistry;
class SettingsStore;

class Clock : public ClockObject {
public:
    static constexpr const char* kTypeName = "Clock";

    // A body with its five properties and no elements.
    Clock();

    const char* className() const override { return kTypeName; }
    bool isKindOf(std::string_view typeName) const override;
    std::string classPath() const override;

    // The whole text of the body's string-table entry, description included.
    std::u16string valueText() const override;
    std::unique_ptr<Property> clone() const override;
    std::unique_ptr<Clock> cloneClock() const;
    bool needsContinuousRedraw() const override;
    void clearChildren() override;

    // The body's own properties come first in the editor, then the elements, whatever
    // their order in the list.
    OptionRow* createItem(OptionTree& tree, OptionRow* parent) override;
    // A background chosen in the editor is decoded for the next frame.
    void commitItem() override;

    // Reads a scheme file into a fresh body and takes its content over only when the whole
    // read succeeded; then brings it in line with the current classes and records the path
    // in the settings. On failure this body is untouched and error says why.
    bool loadSchemeFile(const std::filesystem::path& path, SettingsStore& settings,
                        ReadError* error = nullptr);
    // Loads the scheme file named in the settings.
    bool loadLastScheme(SettingsStore& settings, ReadError* error = nullptr);
    // Takes over another body's content (used for the embedded scheme, which is not
    // reconciled and not recorded).
    void adopt(Clock& other);

    const std::filesystem::path& schemePath() const { return schemePath_; }
    bool isBackgroundDirty() const { return backgroundDirty_; }
    void setBackgroundDirty() { backgroundDirty_ = true; }

private:
    Clock(const Clock& other);

    std::filesystem::path schemePath_;
    bool backgroundDirty_ = true;
};
