// A frame as a list of drawing commands: what changed since the last frame, and a replay of
// just that part.
#pragma once

#include "clock/canvas.h"
#include "clock/pixel_region.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// Records what the clock draws instead of drawing it. Measuring, decoding and scaling go to
// the canvas the list is made for, so that the recorded geometry is the real one. Two lists of
// consecutive frames tell which pixels changed; replaying the new list with those pixels
// cleared and clipped draws them exactly as a whole frame would.
class DrawList : public Canvas {
public:
    explicit DrawList(Canvas& measurer) : measurer_(&measurer) {}

    void setSmoothingMode(std::int32_t mode) override;
    void setTextAntialias(bool on) override;
    void drawLine(const Pen& pen, PointF from, PointF to) override;
    void drawEllipse(const Pen& pen, const RectF& bounds) override;
    void drawArc(const Pen& pen, const RectF& bounds, float startDegrees,
                 float sweepDegrees) override;
    void drawImage(const CanvasImage& image, float x, float y) override;
    std::optional<SizeF> measureText(const FontSpec& font, std::u16string_view text) override;
    void drawText(const FontSpec& font, std::uint32_t argb, std::u16string_view text,
                  PointF topLeft) override;
    std::unique_ptr<CanvasImage> decodeImageData(std::span<const std::uint8_t> bytes) override;
    std::unique_ptr<CanvasImage> scaleImage(const CanvasImage& image, int width,
                                            int height) override;

    std::size_t size() const { return entries_.size(); }
    // Room for this many commands, such as the previous frame's, recorded without regrowing.
    void reserve(std::size_t commands) { entries_.reserve(commands); }
    // The pixels of the frame this list draws differently from an earlier one: every command
    // that changed, in its old place and its new one, each by its outline (a hand's thin
    // strip, a slice's ring segment, a text's box). Lists that differ in their settings or
    // their number of commands differ everywhere.
    // With `below`, only the commands before that index count.
    PixelRegion changedSince(const DrawList& earlier, const PixelBox& frame,
                             std::size_t below = SIZE_MAX) const;
    // The index of the first command that differs from the earlier list's: 0 when the lists
    // differ in length, size() when they are alike.
    std::size_t firstChangeSince(const DrawList& earlier) const;
    // Whether the command of this index is a setting, which paints nothing itself but holds
    // for the commands after it.
    bool isSetting(std::size_t index) const;
    // For each tile, by its index, the commands that may paint into the box wanted of it, in
    // order, by their index (a hand counts by its outline, not its box); the settings reach
    // every tile. Tiles wanted by an empty box get none.
    using Commands = std::vector<std::uint32_t>;
    std::vector<Commands> commandsByTile(const TileGrid& grid,
                                         const std::vector<PixelBox>& wanted) const;
    // Draws the commands of these indices, in this order; all of them without. The caller
    // clears the target first. The images drawn must still be alive, unless the measuring
    // canvas kept copies of them.
    void replay(Canvas& target, const Commands& commands) const;
    void replay(Canvas& target) const;

private:
    struct Smoothing {
        std::int32_t mode;
        friend bool operator==(const Smoothing&, const Smoothing&) = default;
    };
    struct TextAntialias {
        bool on;
        friend bool operator==(const TextAntialias&, const TextAntialias&) = default;
    };
    struct Line {
        Pen pen;
        PointF from;
        PointF to;
        friend bool operator==(const Line&, const Line&) = default;
    };
    struct Ellipse {
        Pen pen;
        RectF bounds;
        friend bool operator==(const Ellipse&, const Ellipse&) = default;
    };
    struct Arc {
        Pen pen;
        RectF bounds;
        float startDegrees;
        float sweepDegrees;
        friend bool operator==(const Arc&, const Arc&) = default;
    };
    struct Image {
        const CanvasImage* image;
        // What image points to when the measuring canvas could keep a copy of its own.
        std::shared_ptr<const CanvasImage> kept;
        std::uint64_t serial;
        float x;
        float y;
        // The serial stands for the pixels; the pointer of an earlier frame may be stale.
        friend bool operator==(const Image& a, const Image& b) {
            return a.serial == b.serial && a.x == b.x && a.y == b.y;
        }
    };
    struct Text {
        FontSpec font;
        std::uint32_t argb;
        std::u16string text;
        PointF topLeft;
        friend bool operator==(const Text&, const Text&) = default;
    };
    using Command = std::variant<Smoothing, TextAntialias, Line, Ellipse, Arc, Image, Text>;
    struct Entry {
        Command command;
        // Empty for settings, which draw nothing themselves.
        PixelBox reach;
    };

    void add(Command command, PixelBox reach);
    static bool isSetting(const Command& command);
    static void draw(Canvas& target, const Command& command);
    // Adds the pixels the command may paint, following its outline.
    static void addOutline(PixelRegion& region, const Entry& entry);
    // Whether the command may paint a pixel of the box.
    static bool mayPaint(const Entry& entry, const PixelBox& box);

    Canvas* measurer_;
    std::vector<Entry> entries_;
};
