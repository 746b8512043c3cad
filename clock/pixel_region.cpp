// Pixels of a frame as bands of rows, each a few spans.
#include "clock/pixel_region.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {

// Far beyond any frame, and small enough that sums of two stay inside an int.
constexpr int kFar = 1 << 29;

int clampedPixel(double value) {
    return static_cast<int>(std::clamp(value, -double{kFar}, double{kFar}));
}

struct Point {
    double x;
    double y;
};

} // namespace

PixelBox PixelBox::everything() {
    return {-kFar, -kFar, kFar, kFar};
}

PixelBox PixelBox::around(float x, float y, float width, float height, float margin) {
    const double values[] = {x, y, width, height, margin};
    if (!std::all_of(std::begin(values), std::end(values),
                     [](double v) { return std::isfinite(v); })) {
        return everything();
    }
    double left = std::min<double>(x, double{x} + width);
    double right = std::max<double>(x, double{x} + width);
    double top = std::min<double>(y, double{y} + height);
    double bottom = std::max<double>(y, double{y} + height);
    const double grow = std::fabs(margin);
    return {clampedPixel(std::floor(left - grow)), clampedPixel(std::floor(top - grow)),
            clampedPixel(std::ceil(right + grow)), clampedPixel(std::ceil(bottom + grow))};
}

PixelBox PixelBox::united(const PixelBox& other) const {
    if (other.empty()) {
        return *this;
    }
    if (empty()) {
        return other;
    }
    return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
            std::max(bottom, other.bottom)};
}

PixelBox PixelBox::intersected(const PixelBox& other) const {
    PixelBox box{std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                 std::min(bottom, other.bottom)};
    return box.empty() ? PixelBox{} : box;
}

PixelBox TileGrid::tile(int index) const {
    const int column = index % columns();
    const int row = index / columns();
    const PixelBox whole{frame.left + column * side, frame.top + row * side,
                         frame.left + (column + 1) * side, frame.top + (row + 1) * side};
    return whole.intersected(frame);
}

TileGrid::Span TileGrid::reach(const PixelBox& box) const {
    const PixelBox inside = box.intersected(frame);
    if (inside.empty()) {
        return {0, -1, 0, -1};
    }
    return {(inside.left - frame.left) / side, (inside.right - 1 - frame.left) / side,
            (inside.top - frame.top) / side, (inside.bottom - 1 - frame.top) / side};
}

PixelRegion::PixelRegion(const PixelBox& frame) : frame_(frame.empty() ? PixelBox{} : frame) {}

void PixelRegion::addSpan(int band, int left, int right) {
    left = std::max(left, frame_.left);
    right = std::min(right, frame_.right);
    if (left >= right) {
        return;
    }
    if (bands_.empty()) {
        bands_.resize(static_cast<std::size_t>(bandOf(frame_.bottom - 1) + 1));
    }
    bands_[static_cast<std::size_t>(band)].push_back({left, right});
    settled_ = false;
}

void PixelRegion::addBox(const PixelBox& box) {
    const PixelBox inside = box.intersected(frame_);
    if (inside.empty()) {
        return;
    }
    for (int band = bandOf(inside.top); band <= bandOf(inside.bottom - 1); ++band) {
        addSpan(band, inside.left, inside.right);
    }
}

void PixelRegion::addSegment(PointF a, PointF b, float grow) {
    if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y) ||
        !std::isfinite(grow)) {
        addEverything();
        return;
    }
    if (frame_.empty()) {
        return;
    }
    const double g = std::fabs(double{grow});
    double ux = double{b.x} - a.x;
    double uy = double{b.y} - a.y;
    const double length = std::hypot(ux, uy);
    if (length > 0) {
        ux /= length;
        uy /= length;
    } else {
        ux = 0;
        uy = -1;
    }
    // Along the segment by u, across it by n, each grown by g.
    const double nx = -uy;
    const double ny = ux;
    const std::array<Point, 4> corners = {{
        {a.x - g * (ux + nx), a.y - g * (uy + ny)},
        {a.x - g * (ux - nx), a.y - g * (uy - ny)},
        {b.x + g * (ux + nx), b.y + g * (uy + ny)},
        {b.x + g * (ux - nx), b.y + g * (uy - ny)},
    }};
    double minY = std::numeric_limits<double>::infinity();
    double maxY = -minY;
    for (const Point& p : corners) {
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    const int firstRow = std::max(frame_.top, clampedPixel(std::floor(minY)));
    const int endRow = std::min(frame_.bottom, clampedPixel(std::ceil(maxY)));
    if (firstRow >= endRow) {
        return;
    }
    // Each band of a slanting strip takes in its slant beside it: bands as tall as the strip
    // is wide across, so that a band covers at most about twice the strip's own pixels.
    int rows = kBandRows;
    const double tallest = std::fabs(ux) > 0 ? 2 * g / std::fabs(ux) : double{kMaxShapeBandRows};
    while (rows * 2 <= kMaxShapeBandRows && rows * 2 <= tallest) {
        rows *= 2;
    }
    const int origin = frame_.top;
    for (int top = origin + (firstRow - origin) / rows * rows; top < endRow; top += rows) {
        const double y0 = top;
        const double y1 = top + rows;
        double left = std::numeric_limits<double>::infinity();
        double right = -left;
        // The corners go round the rectangle in their order.
        for (std::size_t i = 0; i < corners.size(); ++i) {
            const Point& p = corners[i];
            const Point& q = corners[(i + 1) % corners.size()];
            // The part of the edge p-q within the rows y0 to y1.
            double t0 = 0;
            double t1 = 1;
            const double dy = q.y - p.y;
            if (dy == 0) {
                if (p.y < y0 || p.y > y1) {
                    continue;
                }
            } else {
                double ta = (y0 - p.y) / dy;
                double tb = (y1 - p.y) / dy;
                if (ta > tb) {
                    std::swap(ta, tb);
                }
                t0 = std::max(t0, ta);
                t1 = std::min(t1, tb);
                if (t0 > t1) {
                    continue;
                }
            }
            const double xa = p.x + (q.x - p.x) * t0;
            const double xb = p.x + (q.x - p.x) * t1;
            left = std::min({left, xa, xb});
            right = std::max({right, xa, xb});
        }
        if (!(left <= right)) {
            continue;
        }
        const int spanLeft = clampedPixel(std::floor(left));
        const int spanRight = clampedPixel(std::ceil(right));
        // Only the rows of the shape's own bands.
        const int from = std::max(top, firstRow);
        const int to = std::min(top + rows, endRow);
        for (int band = bandOf(from); band <= bandOf(to - 1); ++band) {
            addSpan(band, spanLeft, spanRight);
        }
    }
}

void PixelRegion::settle() const {
    if (settled_) {
        return;
    }
    settled_ = true;
    boxes_.clear();
    const std::vector<Span>* previous = nullptr;
    std::size_t previousFirstBox = 0;
    for (std::size_t band = 0; band < bands_.size(); ++band) {
        std::vector<Span>& spans = bands_[band];
        if (spans.size() > 1) {
            std::sort(spans.begin(), spans.end(),
                      [](const Span& x, const Span& y) { return x.left < y.left; });
            std::size_t kept = 0;
            for (std::size_t i = 1; i < spans.size(); ++i) {
                if (spans[i].left <= spans[kept].right) {
                    spans[kept].right = std::max(spans[kept].right, spans[i].right);
                } else {
                    spans[++kept] = spans[i];
                }
            }
            spans.resize(kept + 1);
        }
        if (spans.empty()) {
            previous = nullptr;
            continue;
        }
        const int top = frame_.top + static_cast<int>(band) * kBandRows;
        const int bottom = std::min(top + kBandRows, frame_.bottom);
        // The same spans as the band above: its boxes grow down.
        if (previous != nullptr && *previous == spans) {
            for (std::size_t i = previousFirstBox; i < boxes_.size(); ++i) {
                boxes_[i].bottom = bottom;
            }
            continue;
        }
        previous = &spans;
        previousFirstBox = boxes_.size();
        for (const Span& span : spans) {
            boxes_.push_back({span.left, top, span.right, bottom});
        }
    }
}

bool PixelRegion::empty() const {
    return boxes().empty();
}

const std::vector<PixelBox>& PixelRegion::boxes() const {
    settle();
    return boxes_;
}

PixelBox PixelRegion::bounds() const {
    PixelBox all;
    for (const PixelBox& box : boxes()) {
        all = all.united(box);
    }
    return all;
}

bool PixelRegion::intersects(const PixelBox& box) const {
    settle();
    const PixelBox inside = box.intersected(frame_);
    if (inside.empty() || bands_.empty()) {
        return false;
    }
    for (int band = bandOf(inside.top); band <= bandOf(inside.bottom - 1); ++band) {
        const std::vector<Span>& spans = bands_[static_cast<std::size_t>(band)];
        // The first span that ends right of the box's left edge.
        const auto after =
            std::upper_bound(spans.begin(), spans.end(), inside.left,
                             [](int left, const Span& span) { return left < span.right; });
        if (after != spans.end() && after->left < inside.right) {
            return true;
        }
    }
    return false;
}
