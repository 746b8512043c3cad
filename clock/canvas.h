// The small drawing surface the clock body and its elements draw through.
#pragma once

#include "model/line_cap_property.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

struct PointF {
    float x = 0;
    float y = 0;
    friend bool operator==(const PointF&, const PointF&) = default;
};

struct SizeF {
    float width = 0;
    float height = 0;
    friend bool operator==(const SizeF&, const SizeF&) = default;
};

struct RectF {
    float x = 0;
    float y = 0;
    float width = 0;
    float height = 0;
    friend bool operator==(const RectF&, const RectF&) = default;
};

// A line's colour, width and end shapes. Widths are in drawing units; 0 is the thinnest line
// the surface can draw.
struct Pen {
    std::uint32_t argb = 0xFF000000;
    float width = 1.0f;
    LineCap startCap = LineCap::Flat;
    LineCap endCap = LineCap::Flat;
    friend bool operator==(const Pen&, const Pen&) = default;
};

// A font as a text element asks for it: family by name, em size in pixels.
struct FontSpec {
    std::u16string family;
    float emSize = 0;
    bool bold = false;
    bool italic = false;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// A decoded or scaled image that belongs to whoever asked the canvas for it.
class CanvasImage {
public:
    CanvasImage() : serial_(nextSerial()) {}
    CanvasImage(const CanvasImage&) : serial_(nextSerial()) {}
    CanvasImage& operator=(const CanvasImage&) = delete;
    virtual ~CanvasImage() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    // The size the image's file gives; larger than width() x height() when a large image
    // was kept scaled down. The clock's natural size and aspect come from it.
    // Whether making the image again would cost far more than scaling it (a slow decode):
    // only such an image is worth its memory once it has been scaled.
    virtual bool costlyToMake() const { return false; }
    virtual int naturalWidth() const { return width(); }
    virtual int naturalHeight() const { return height(); }
    // Tells images apart for as long as the program runs, also when a new image takes the
    // address of one that was freed.
    std::uint64_t serial() const { return serial_; }

private:
    static std::uint64_t nextSerial() {
        static std::atomic<std::uint64_t> last{0};
        return ++last;
    }

    std::uint64_t serial_;
};

// The smoothing modes a scheme stores.
enum class SmoothingMode : std::int32_t { HighSpeed = 1, HighQuality = 2 };

class Canvas {
public:
    virtual ~Canvas() = default;

    // Any stored value is accepted: high speed draws without antialiasing, everything else with.
    virtual void setSmoothingMode(std::int32_t mode) = 0;
    virtual void setTextAntialias(bool on) = 0;

    virtual void drawLine(const Pen& pen, PointF from, PointF to) = 0;
    virtual void drawEllipse(const Pen& pen, const RectF& bounds) = 0;
    // Degrees from the positive x axis, growing clockwise (y grows downwards); a negative
    // sweep runs counter-clockwise.
    virtual void drawArc(const Pen& pen, const RectF& bounds, float startDegrees,
                         float sweepDegrees) = 0;
    // Draws the image unscaled with its top-left corner at (x, y).
    virtual void drawImage(const CanvasImage& image, float x, float y) = 0;

    // The bounding box of the text in the font; empty when no font can be made (size 0).
    virtual std::optional<SizeF> measureText(const FontSpec& font, std::u16string_view text) = 0;
    // Draws the text with its bounding box's top-left corner at topLeft.
    virtual void drawText(const FontSpec& font, std::uint32_t argb, std::u16string_view text,
                          PointF topLeft) = 0;

    // Decodes an image file's bytes; null when they cannot be read or have no pixels.
    virtual std::unique_ptr<CanvasImage> decodeImageData(std::span<const std::uint8_t> bytes) = 0;
    // The whole image stretched to width x height with smooth filtering, with alpha.
    virtual std::unique_ptr<CanvasImage> scaleImage(const CanvasImage& image, int width,
                                                    int height) = 0;
    // An image of the same pixels that lives on by itself (sharing them where it can), for a
    // recording drawn later, on another thread, while the original may go; null where the
    // canvas cannot make one.
    virtual std::shared_ptr<const CanvasImage> keepImage(const CanvasImage&) { return nullptr; }
};
