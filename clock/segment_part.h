// The part of a straight segment that lies inside a rectangle.
#pragma once

#include <algorithm>
#include <optional>

// Where the part begins and ends, as fractions of the way from the segment's start.
struct SegmentPart {
    double from = 0;
    double to = 1;
};

// Liang-Barsky: the part of the segment from (x, y) by (dx, dy) inside [left, right] x
// [top, bottom]; nothing when no part of it is.
inline std::optional<SegmentPart> segmentPartInside(double x, double y, double dx, double dy,
                                                    double left, double top, double right,
                                                    double bottom) {
    SegmentPart part;
    const auto clip = [&part](double p, double q) {
        if (p == 0) {
            return q >= 0;
        }
        const double r = q / p;
        if (p < 0) {
            part.from = std::max(part.from, r);
        } else {
            part.to = std::min(part.to, r);
        }
        return part.from <= part.to;
    };
    if (clip(-dx, x - left) && clip(dx, right - x) && clip(-dy, y - top) && clip(dy, bottom - y)) {
        return part;
    }
    return std::nullopt;
}
