// The clock body: the root of a scheme, holding its own properties and the elements.
#pragma once

#include "clock/clock_object.h"
#include "model/object_stream.h"
#include "velmora_export.h"

#include <filesystem>
#include <memory>

class ClassRegistry;
class SettingsStore;
namespace velmora {
struct LocaleTimeNames;
}

// A rectangle in whole pixels of the drawing surface.
struct LayoutRect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const LayoutRect&, const LayoutRect&) = default;
};

// A point on the dial and the angle it lies at, in degrees clockwise from 12 o'clock.
struct DialPoint {
    PointF point;
    float degrees = 0;
};

class VELMORA_EXPORT Clock : public ClockObject {
public:
    static constexpr const char* kTypeName = "Clock";

    // A body with its five properties and no elements.
    Clock();

    // A frame costs about ten microseconds an element, recorded and drawn: up to this many
    // elements a clock draws each second with most of a core to spare. More are drawn too,
    // only less often (see TickSchedule); velmora-tool check warns of them.
    static constexpr std::size_t kElementsDrawnEachSecond = 10000;
    std::size_t elementCount() const;

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

    // Fits the body into the target, keeping the background's aspect, and draws one frame
    // for the UTC moment: the background, then every element in list order.
    void layoutAndDraw(Canvas& canvas, const LayoutRect& target,
                       const velmora::PackedDateTime& utc);
    void draw(Canvas& canvas, const Clock& body, const velmora::PackedDateTime& utc) override;
    // Decodes the background and scales it for the target as layoutAndDraw would, without
    // drawing: a frame of that size then finds it ready.
    void prepareBackground(Canvas& canvas, const LayoutRect& target);

    // The dial geometry the elements draw with; lengths are percentages of the radius.
    const LayoutRect& layoutRect() const { return layout_; }
    float radius() const;
    PointF centerPoint(std::int32_t dx, std::int32_t dy) const;
    DialPoint pointAt(velmora::TimeValueKind kind, const velmora::PackedDateTime& local,
                      std::int32_t radiusPercent, std::int32_t dx, std::int32_t dy) const;
    float angleOf(velmora::TimeValueKind kind, const velmora::PackedDateTime& local) const;
    // The share of a turn a time value is drawn at, in steps the dial's size can show, for a
    // value that turns once in this many seconds (0: unknown).
    float quantizedTurn(const velmora::TimeValue& value, double secondsPerTurn) const;

    // Reads a scheme file into a fresh body and takes its content over only when the whole
    // read succeeded; then brings it in line with the current classes and records the path
    // in the settings. On failure this body is untouched and error says why.
    bool loadSchemeFile(const std::filesystem::path& path, SettingsStore& settings,
                        ReadError* error = nullptr);
    // Loads the scheme file named in the settings.
    bool loadLastScheme(SettingsStore& settings, ReadError* error = nullptr);
    // What loadSchemeFile does once the file was read, for a scheme read from the path by
    // other means (the bytes read ahead on another thread).
    void takeLoadedScheme(Clock& fresh, const std::filesystem::path& path, SettingsStore& settings);
    // Takes over another body's content (used for the embedded scheme, which is not
    // reconciled and not recorded).
    void adopt(Clock& other);

    const std::filesystem::path& schemePath() const { return schemePath_; }
    // Makes the path the body's scheme file, also for the next start (after a save).
    void recordSchemePath(const std::filesystem::path& path, SettingsStore& settings);
    bool isBackgroundDirty() const { return backgroundDirty_; }
    void setBackgroundDirty() { backgroundDirty_ = true; }

    // The names and orders the texts give dates in: null (the default) for the classic ones
    // the scheme was made with, else the user's language. A setting of the window, not of the
    // scheme: it stays through loads, adoptions and copies.
    void setDateNames(std::shared_ptr<const velmora::LocaleTimeNames> names) {
        dateNames_ = std::move(names);
    }
    const velmora::LocaleTimeNames* dateNames() const { return dateNames_.get(); }

    // The decoded background's size in pixels, 0 x 0 without one; known after a frame.
    int backgroundWidth() const { return backgroundWidth_; }
    int backgroundHeight() const { return backgroundHeight_; }

private:
    Clock(const Clock& other);
    void loadBackground(Canvas& canvas);
    std::unique_ptr<CanvasImage> decodeBackground(Canvas& canvas);
    void scaleBackground(Canvas& canvas);
    // The background scaled to the layout; null where there is none to show.
    const CanvasImage* backgroundForLayout(Canvas& canvas);
    LayoutRect fitted(const LayoutRect& target) const;
    void releaseImages();

    LayoutRect layout_;
    // The background as decoded, kept after scaling only when its decode was costly, so that
    // a new size only scales it. The canvas keeps a large image scaled down to about the screen.
    std::unique_ptr<CanvasImage> background_;
    int backgroundWidth_ = 0;
    int backgroundHeight_ = 0;
    // The background scaled to the layout's size, kept between frames.
    std::unique_ptr<CanvasImage> scaledBackground_;
    std::filesystem::path schemePath_;
    bool backgroundDirty_ = true;
    std::shared_ptr<const velmora::LocaleTimeNames> dateNames_;
};
