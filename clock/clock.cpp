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

#include <algorithm>
#include <cmath>

namespace {

constexpr int kBodyTextId = 43;
// Single precision, as the dial geometry has always been computed.
constexpr float kPi = 3.1415927410125732f;

} // namespace

Clock::Clock() : ClockObject(u"Clock", kBodyTextId) {
    append(std::make_unique<StringProperty>(u"AuthorInfo", 67, u"(unknown artist)"));
    append(std::make_unique<PercentProperty>(u"X", 38, 0));
    append(std::make_unique<PercentProperty>(u"Y", 39, 0));
    append(std::make_unique<SmoothingModeProperty>(u"SmoothingMode", 40,
                                                   SmoothingModeProperty::kHighQuality));
    append(std::make_unique<FileProperty>(u"BackgroundImage", 21, u""));
}

Clock::Clock(const Clock& other)
    : ClockObject(other), layout_(other.layout_), dateNames_(other.dateNames_) {}

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

std::size_t Clock::elementCount() const {
    return static_cast<std::size_t>(
        std::count_if(children().begin(), children().end(),
                      [](const auto& child) { return child->isKindOf(ClockObject::kTypeName); }));
}

void Clock::clearChildren() {
    releaseImages();
    backgroundDirty_ = true;
    ClockObject::clearChildren();
}

void Clock::releaseImages() {
    background_.reset();
    scaledBackground_.reset();
    backgroundWidth_ = 0;
    backgroundHeight_ = 0;
}

OptionRow* Clock::createItem(OptionTree& tree, OptionRow* parent) {
    OptionRow* row = tree.insertRow(RowKind::Plain, parent);
    if (row == nullptr) {
        return nullptr;
    }
    setItem(row);
    row->setLabel(label());
    row->setInfo(description());
    row->setMarked(isSelected());
    row->setExpanded(isExpanded());
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
    takeLoadedScheme(*fresh, path, settings);
    return true;
}

void Clock::takeLoadedScheme(Clock& fresh, const std::filesystem::path& path,
                             SettingsStore& settings) {
    adopt(fresh);
    reconcileWithTemplate(ClassRegistry::instance());
    recordSchemePath(path, settings);
}

void Clock::recordSchemePath(const std::filesystem::path& path, SettingsStore& settings) {
    schemePath_ = path;
    settings.writeText(settings::kSchemeLoaded, fromPath(path));
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

void Clock::layoutAndDraw(Canvas& canvas, const LayoutRect& target,
                          const velmora::PackedDateTime& utc) {
    loadBackground(canvas);
    layout_ = fitted(target);
    draw(canvas, *this, utc);
}

void Clock::prepareBackground(Canvas& canvas, const LayoutRect& target) {
    loadBackground(canvas);
    layout_ = fitted(target);
    backgroundForLayout(canvas);
}

void Clock::loadBackground(Canvas& canvas) {
    if (!backgroundDirty_) {
        return;
    }
    releaseImages();
    backgroundDirty_ = false;
    background_ = decodeBackground(canvas);
    if (background_ != nullptr) {
        backgroundWidth_ = background_->naturalWidth();
        backgroundHeight_ = background_->naturalHeight();
    }
}

std::unique_ptr<CanvasImage> Clock::decodeBackground(Canvas& canvas) {
    auto* file = findChildAs<FileProperty>(u"BackgroundImage");
    if (file == nullptr) {
        return nullptr;
    }
    // An unreadable or empty image comes back null and counts as absent.
    const std::span<const std::uint8_t> bytes = file->bytes();
    if (bytes.empty()) {
        return nullptr;
    }
    return canvas.decodeImageData(bytes);
}

const CanvasImage* Clock::backgroundForLayout(Canvas& canvas) {
    if (backgroundWidth_ <= 0 || layout_.width <= 0 || layout_.height <= 0) {
        return nullptr;
    }
    scaleBackground(canvas);
    return scaledBackground_.get();
}

void Clock::scaleBackground(Canvas& canvas) {
    if (scaledBackground_ != nullptr && scaledBackground_->width() == layout_.width &&
        scaledBackground_->height() == layout_.height) {
        return;
    }
    scaledBackground_.reset();
    if (background_ == nullptr) {
        background_ = decodeBackground(canvas);
    }
    if (background_ == nullptr) {
        return;
    }
    scaledBackground_ = canvas.scaleImage(*background_, layout_.width, layout_.height);
    // The decode stays only where making it again would cost far more than it occupies: an
    // idle clock holds just the scaled copy, and a hostile image is decoded once, not per size.
    if (!background_->costlyToMake()) {
        background_.reset();
    }
}

LayoutRect Clock::fitted(const LayoutRect& target) const {
    if (backgroundWidth_ <= 0 || backgroundHeight_ <= 0) {
        return target;
    }
    LayoutRect result = target;
    float aspect = static_cast<float>(backgroundWidth_) / static_cast<float>(backgroundHeight_);
    if (static_cast<float>(target.width) > aspect * static_cast<float>(target.height)) {
        std::int32_t half =
            static_cast<std::int32_t>(aspect * static_cast<float>(target.height)) / 2;
        result.x = target.x + target.width / 2 - half;
        result.width = 2 * half;
    } else {
        std::int32_t half =
            static_cast<std::int32_t>(static_cast<float>(target.width) / aspect) / 2;
        result.y = target.y + target.height / 2 - half;
        result.height = 2 * half;
    }
    return result;
}

void Clock::draw(Canvas& canvas, const Clock&, const velmora::PackedDateTime& utc) {
    const auto* smoothing = findChildAs<SmoothingModeProperty>(u"SmoothingMode");
    canvas.setSmoothingMode(smoothing != nullptr ? smoothing->value()
                                                 : SmoothingModeProperty::kHighQuality);
    canvas.setTextAntialias(true);
    if (const CanvasImage* background = backgroundForLayout(canvas)) {
        canvas.drawImage(*background, static_cast<float>(layout_.x), static_cast<float>(layout_.y));
    }
    for (const auto& child : children()) {
        if (child->isKindOf(ClockObject::kTypeName)) {
            static_cast<ClockObject&>(*child).draw(canvas, *this, utc);
        }
    }
}

float Clock::radius() const {
    return static_cast<float>(std::min(layout_.width, layout_.height)) * 0.5f;
}

PointF Clock::centerPoint(std::int32_t dx, std::int32_t dy) const {
    float r = radius();
    // Summed in 64 bits: stored offsets may be any 32-bit values.
    float sumX = static_cast<float>(std::int64_t{dx} + percentOr(u"X", 0));
    float sumY = static_cast<float>(std::int64_t{dy} + percentOr(u"Y", 0));
    return {static_cast<float>(layout_.width / 2 + layout_.x) + r * sumX / 100.0f,
            static_cast<float>(layout_.height / 2 + layout_.y) + r * sumY / 100.0f};
}

// A value finer than what the dial can show is drawn at the nearest step that moves a point on
// its rim by an eighth of a pixel: a minute hand whose value changes every hundredth of a second
// would otherwise be drawn again at every frame of a moving clock, for a change no one sees.
// A slow value, whose rim point moves under four pixels a second, steps half a pixel: the minute
// hand of an 800-pixel clock then moves about once a second, as on a clock drawn once a second,
// rather than at every other frame of a moving one, and each step is still too small to see as
// a jump. Values with fewer steps a turn than that are drawn exactly.
float Clock::quantizedTurn(const velmora::TimeValue& value, double secondsPerTurn) const {
    constexpr double kSlowPixelsPerSecond = 4;
    const double rim = 2 * static_cast<double>(kPi) * radius();
    const bool slow = secondsPerTurn > 0 && rim / secondsPerTurn < kSlowPixelsPerSecond;
    const double stepsPerPixel = slow ? 2 : 8;
    const double steps = std::ceil(rim * stepsPerPixel);
    const double turn = static_cast<double>(value.value) / value.period;
    if (!(value.period > steps) || !std::isfinite(turn)) {
        return static_cast<float>(turn);
    }
    return static_cast<float>(std::round(turn * steps) / steps);
}

DialPoint Clock::pointAt(velmora::TimeValueKind kind, const velmora::PackedDateTime& local,
                         std::int32_t radiusPercent, std::int32_t dx, std::int32_t dy) const {
    velmora::TimeValue value = velmora::evaluateTimeValue(static_cast<std::int32_t>(kind), local);
    float angle = 2.0f * quantizedTurn(value, velmora::secondsPerTurn(kind)) * kPi;
    float distance = radius() * static_cast<float>(radiusPercent) / 100.0f;
    PointF center = centerPoint(dx, dy);
    return {{center.x + std::sin(angle) * distance, center.y - std::cos(angle) * distance},
            angle / kPi * 180.0f};
}

float Clock::angleOf(velmora::TimeValueKind kind, const velmora::PackedDateTime& local) const {
    return pointAt(kind, local, 100, 0, 0).degrees;
}
