// Pixels of a frame as bands of rows, each a few spans: where a frame changed, following the
// shapes that changed (a thin rotated strip for a hand) rather than the boxes around them.
#pragma once

#include "clock/canvas.h"

#include <cstdint>
#include <vector>

// A box of whole pixels, right and bottom exclusive.
struct PixelBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool empty() const { return left >= right || top >= bottom; }
    // Any pixel a drawing could touch: what a command of unknown reach damages.
    static PixelBox everything();
    // The smallest box of whole pixels around the rectangle, grown by the margin on all
    // sides; non-finite values reach everywhere.
    static PixelBox around(float x, float y, float width, float height, float margin);
    PixelBox united(const PixelBox& other) const;
    PixelBox intersected(const PixelBox& other) const;
    bool intersects(const PixelBox& other) const { return !intersected(other).empty(); }
    friend bool operator==(const PixelBox&, const PixelBox&) = default;
};

// Square tiles over a frame, counted row by row from its top-left corner; those at the right
// and bottom edges are cut to the frame.
struct TileGrid {
    PixelBox frame;
    int side = 64;

    int columns() const { return (frame.right - frame.left + side - 1) / side; }
    int rows() const { return (frame.bottom - frame.top + side - 1) / side; }
    int count() const { return frame.empty() ? 0 : columns() * rows(); }
    PixelBox tile(int index) const;
    // The tiles the box reaches into, as a range of columns and rows, both ends included;
    // empty (first beyond last) when it reaches none.
    struct Span {
        int firstColumn;
        int lastColumn;
        int firstRow;
        int lastRow;
        bool empty() const { return firstColumn > lastColumn || firstRow > lastRow; }
    };
    Span reach(const PixelBox& box) const;
};

// Shapes are added one by one, each cut into the bands of rows it crosses, and merged once when
// the region is first read, so that a region of n shapes costs about n, however they overlap.
// Window systems take a region as boxes of equal height per band, and each box is a request
// or a clip rectangle: a slanting shape is cut into bands as tall as its slant allows without
// taking in more than about its own width of pixels beside it.
class PixelRegion {
public:
    // The finest band: rows are grouped by this many, aligned to the frame's top.
    static constexpr int kBandRows = 4;
    // The tallest band one shape is cut into.
    static constexpr int kMaxShapeBandRows = 64;

    // A region of the frame's pixels: nothing outside the frame is kept.
    explicit PixelRegion(const PixelBox& frame = {});

    // Every pixel of the box's bands that the box covers.
    void addBox(const PixelBox& box);
    // The segment from a to b grown by `grow` on every side: a rotated rectangle, a square for
    // a point. Non-finite geometry covers the whole frame.
    void addSegment(PointF a, PointF b, float grow);
    void addEverything() { addBox(frame_); }

    bool empty() const;
    const PixelBox& frame() const { return frame_; }
    // The region as boxes in bands from the top, each band's boxes from the left, none
    // touching another of its band; bands of the same spans one after another are one.
    const std::vector<PixelBox>& boxes() const;
    // The box around all of it.
    PixelBox bounds() const;
    bool intersects(const PixelBox& box) const;

private:
    struct Span {
        int left;
        int right;
        friend bool operator==(const Span&, const Span&) = default;
    };

    // Sorts and merges the spans of each band, and lists the boxes.
    void settle() const;
    void addSpan(int band, int left, int right);
    int bandOf(int row) const { return (row - frame_.top) / kBandRows; }

    PixelBox frame_;
    mutable std::vector<std::vector<Span>> bands_;
    mutable std::vector<PixelBox> boxes_;
    mutable bool settled_ = true;
};
