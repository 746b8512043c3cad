#include "clock/draw_list.h"

#include "clock/segment_part.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// How far beyond its geometry a drawing may paint: antialiasing and rounding.
constexpr float kPaintMargin = 2.0f;
// The most pieces an arc's outline is traced in.
constexpr int kMaxArcPieces = 1024;

// A line's width as the canvas strokes it: width 0 is the thinnest line, one pixel wide.
float strokeWidth(const Pen& pen) {
    return std::max(std::fabs(pen.width), 1.0f);
}

// How far a line's end shape reaches from its end point: caps half a width, with the corners of
// a square one; anchors span two widths, their corners up to the square root of two widths.
// Unknown stored shapes are given the most.
float capReach(LineCap cap, float width) {
    switch (cap) {
    case LineCap::Flat:
        return 0;
    case LineCap::Square:
    case LineCap::Round:
    case LineCap::Triangle:
        return 0.75f * width;
    default:
        return 1.5f * width;
    }
}

float lineMargin(const Pen& pen) {
    const float width = strokeWidth(pen);
    return std::max({width / 2, capReach(pen.startCap, width), capReach(pen.endCap, width)}) +
           kPaintMargin;
}

// Around an ellipse's outline: half the pen, the traced pieces' distance from the curve (at most
// a pixel) and the error of the curves that draw it, a few ten-thousandths of the radius.
float strokeMargin(const Pen& pen, const RectF& bounds) {
    const float radius = std::max(std::fabs(bounds.width), std::fabs(bounds.height)) / 2;
    return strokeWidth(pen) / 2 + 1.0f + kPaintMargin + 1e-3f * radius;
}

// The parameter of the point an arc's angle (a direction from the centre, in radians) points
// to on an ellipse of half axes a and b, within a quarter turn of the angle, so that a sweep
// keeps its turn.
double parameterOf(double angle, double a, double b) {
    if (a == b) {
        return angle;
    }
    return angle + std::remainder(std::atan2(a * std::sin(angle), b * std::cos(angle)) - angle,
                                  2 * std::numbers::pi);
}

} // namespace

void DrawList::add(Command command, PixelBox reach) {
    entries_.push_back(Entry{std::move(command), reach});
}

void DrawList::setSmoothingMode(std::int32_t mode) {
    measurer_->setSmoothingMode(mode);
    add(Smoothing{mode}, {});
}

// The measurer measures with the same fonts as the canvas the list is replayed on.
void DrawList::setTextAntialias(bool on) {
    measurer_->setTextAntialias(on);
    add(TextAntialias{on}, {});
}

void DrawList::drawLine(const Pen& pen, PointF from, PointF to) {
    add(Line{pen, from, to},
        PixelBox::around(from.x, from.y, to.x - from.x, to.y - from.y, lineMargin(pen)));
}

void DrawList::drawEllipse(const Pen& pen, const RectF& bounds) {
    add(Ellipse{pen, bounds}, PixelBox::around(bounds.x, bounds.y, bounds.width, bounds.height,
                                               strokeMargin(pen, bounds)));
}

void DrawList::drawArc(const Pen& pen, const RectF& bounds, float startDegrees,
                       float sweepDegrees) {
    add(Arc{pen, bounds, startDegrees, sweepDegrees},
        PixelBox::around(bounds.x, bounds.y, bounds.width, bounds.height,
                         strokeMargin(pen, bounds)));
}

void DrawList::drawImage(const CanvasImage& image, float x, float y) {
    std::shared_ptr<const CanvasImage> kept = measurer_->keepImage(image);
    const CanvasImage* drawn = kept != nullptr ? kept.get() : &image;
    add(Image{drawn, std::move(kept), image.serial(), x, y},
        PixelBox::around(x, y, static_cast<float>(image.width()),
                         static_cast<float>(image.height()), 1.0f));
}

std::optional<SizeF> DrawList::measureText(const FontSpec& font, std::u16string_view text) {
    return measurer_->measureText(font, text);
}

void DrawList::drawText(const FontSpec& font, std::uint32_t argb, std::u16string_view text,
                        PointF topLeft) {
    PixelBox reach;
    if (const std::optional<SizeF> box = measureText(font, text)) {
        // Accents and descenders may stand out of the line box by a little.
        reach = PixelBox::around(topLeft.x, topLeft.y, box->width, box->height,
                                 font.emSize / 4.0f + 2.0f);
    }
    add(Text{font, argb, std::u16string(text), topLeft}, reach);
}

std::unique_ptr<CanvasImage> DrawList::decodeImageData(std::span<const std::uint8_t> bytes) {
    return measurer_->decodeImageData(bytes);
}

std::unique_ptr<CanvasImage> DrawList::scaleImage(const CanvasImage& image, int width, int height) {
    return measurer_->scaleImage(image, width, height);
}

std::size_t DrawList::firstChangeSince(const DrawList& earlier) const {
    const std::size_t count = size();
    if (count != earlier.size()) {
        return 0;
    }
    std::size_t i = 0;
    while (i < count && entries_[i].command == earlier.entries_[i].command) {
        ++i;
    }
    return i;
}

bool DrawList::isSetting(const Command& command) {
    return std::holds_alternative<Smoothing>(command) ||
           std::holds_alternative<TextAntialias>(command);
}

bool DrawList::isSetting(std::size_t index) const {
    return isSetting(entries_[index].command);
}

PixelRegion DrawList::changedSince(const DrawList& earlier, const PixelBox& frame,
                                   std::size_t below) const {
    PixelRegion changed(frame);
    if (entries_.size() != earlier.entries_.size()) {
        changed.addEverything();
        return changed;
    }
    for (std::size_t i = 0; i < std::min(below, entries_.size()); ++i) {
        const Entry& now = entries_[i];
        const Entry& before = earlier.entries_[i];
        if (now.command == before.command) {
            continue;
        }
        if (isSetting(now.command) || isSetting(before.command)) {
            PixelRegion everything(frame);
            everything.addEverything();
            return everything;
        }
        addOutline(changed, now);
        addOutline(changed, before);
    }
    return changed;
}

namespace {

// The outline of a stroked ellipse, or of the part an arc sweeps: the curve traced in short
// straight pieces, each grown by the stroke's margin. The angles are those of Canvas::drawArc.
void addArcOutline(PixelRegion& region, const Pen& pen, const RectF& bounds, double startDegrees,
                   double sweepDegrees) {
    const double a = std::fabs(double{bounds.width}) / 2;
    const double b = std::fabs(double{bounds.height}) / 2;
    const double cx = double{bounds.x} + double{bounds.width} / 2;
    const double cy = double{bounds.y} + double{bounds.height} / 2;
    const double sx = bounds.width < 0 ? -1 : 1;
    const double sy = bounds.height < 0 ? -1 : 1;
    double from = 0;
    double to = 2 * std::numbers::pi;
    if (std::fabs(sweepDegrees) < 360) {
        const double start = std::remainder(startDegrees, 360.0) * std::numbers::pi / 180;
        from = parameterOf(start, a, b);
        to = parameterOf(start + sweepDegrees * std::numbers::pi / 180, a, b);
    }
    // Pieces short enough that the curve strays at most a pixel from each.
    const double radius = std::max({a, b, 1.0});
    const double step = 2 * std::acos(1 - 1 / radius);
    const int pieces =
        std::clamp(static_cast<int>(std::ceil(std::fabs(to - from) / step)), 1, kMaxArcPieces);
    const auto at = [&](int i) {
        const double t = from + (to - from) * i / pieces;
        return PointF{static_cast<float>(cx + sx * a * std::cos(t)),
                      static_cast<float>(cy + sy * b * std::sin(t))};
    };
    const float grow = strokeMargin(pen, bounds);
    PointF previous = at(0);
    for (int i = 1; i <= pieces; ++i) {
        const PointF next = at(i);
        region.addSegment(previous, next, grow);
        previous = next;
    }
}

} // namespace

void DrawList::addOutline(PixelRegion& region, const Entry& entry) {
    const PixelBox& frame = region.frame();
    // Geometry far larger than the frame is left to the box around it, which the frame cuts.
    const auto moderate = [&](const RectF& bounds, const Pen& pen) {
        const float width = static_cast<float>(frame.right - frame.left);
        const float height = static_cast<float>(frame.bottom - frame.top);
        const float limit = 4.0f * std::max(width, height) + 64.0f;
        const float dx = bounds.x + bounds.width / 2 - static_cast<float>(frame.left) - width / 2;
        const float dy = bounds.y + bounds.height / 2 - static_cast<float>(frame.top) - height / 2;
        return std::fabs(bounds.width) <= limit && std::fabs(bounds.height) <= limit &&
               std::fabs(pen.width) <= limit && std::fabs(dx) <= limit && std::fabs(dy) <= limit;
    };
    const Command& command = entry.command;
    if (const auto* line = std::get_if<Line>(&command)) {
        const float width = strokeWidth(line->pen);
        region.addSegment(line->from, line->to, width / 2 + kPaintMargin);
        for (const auto& [cap, end] :
             {std::pair{line->pen.startCap, line->from}, std::pair{line->pen.endCap, line->to}}) {
            if (cap != LineCap::Flat) {
                region.addSegment(end, end, capReach(cap, width) + kPaintMargin);
            }
        }
    } else if (const auto* ellipse = std::get_if<Ellipse>(&command);
               ellipse != nullptr && moderate(ellipse->bounds, ellipse->pen)) {
        addArcOutline(region, ellipse->pen, ellipse->bounds, 0, 360);
    } else if (const auto* arc = std::get_if<Arc>(&command);
               arc != nullptr && moderate(arc->bounds, arc->pen)) {
        if (arc->sweepDegrees != 0) {
            addArcOutline(region, arc->pen, arc->bounds, arc->startDegrees, arc->sweepDegrees);
        }
    } else {
        region.addBox(entry.reach);
    }
}

namespace {

// Whether the segment from a to b comes within `grow` of the box (conservatively: it meets the
// box grown by `grow` on every side).
bool segmentMeets(PointF a, PointF b, const PixelBox& box, float grow) {
    const double margin = grow;
    return segmentPartInside(a.x, a.y, double{b.x} - a.x, double{b.y} - a.y, box.left - margin,
                             box.top - margin, box.right + margin, box.bottom + margin)
        .has_value();
}

} // namespace

bool DrawList::mayPaint(const Entry& entry, const PixelBox& box) {
    if (!entry.reach.intersects(box)) {
        return false;
    }
    const auto* line = std::get_if<Line>(&entry.command);
    // Its whole reach around a slanting line is mostly empty; the margin's square corners are
    // within one and a half margins of the line.
    return line == nullptr || !std::isfinite(line->from.x) || !std::isfinite(line->from.y) ||
           !std::isfinite(line->to.x) || !std::isfinite(line->to.y) ||
           segmentMeets(line->from, line->to, box, 1.5f * lineMargin(line->pen));
}

std::vector<DrawList::Commands>
DrawList::commandsByTile(const TileGrid& grid, const std::vector<PixelBox>& wanted) const {
    std::vector<Commands> tiles(static_cast<std::size_t>(grid.count()));
    const int columns = grid.columns();
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Entry& entry = entries_[i];
        const bool setting = isSetting(entry.command);
        const TileGrid::Span span =
            setting ? TileGrid::Span{0, columns - 1, 0, grid.rows() - 1} : grid.reach(entry.reach);
        for (int row = span.firstRow; row <= span.lastRow; ++row) {
            for (int column = span.firstColumn; column <= span.lastColumn; ++column) {
                const auto tile = static_cast<std::size_t>(row * columns + column);
                if (!wanted[tile].empty() && (setting || mayPaint(entry, wanted[tile]))) {
                    tiles[tile].push_back(static_cast<std::uint32_t>(i));
                }
            }
        }
    }
    return tiles;
}

void DrawList::draw(Canvas& target, const Command& command) {
    if (const auto* smoothing = std::get_if<Smoothing>(&command)) {
        target.setSmoothingMode(smoothing->mode);
    } else if (const auto* antialias = std::get_if<TextAntialias>(&command)) {
        target.setTextAntialias(antialias->on);
    } else if (const auto* line = std::get_if<Line>(&command)) {
        target.drawLine(line->pen, line->from, line->to);
    } else if (const auto* ellipse = std::get_if<Ellipse>(&command)) {
        target.drawEllipse(ellipse->pen, ellipse->bounds);
    } else if (const auto* arc = std::get_if<Arc>(&command)) {
        target.drawArc(arc->pen, arc->bounds, arc->startDegrees, arc->sweepDegrees);
    } else if (const auto* image = std::get_if<Image>(&command)) {
        target.drawImage(*image->image, image->x, image->y);
    } else if (const auto* text = std::get_if<Text>(&command)) {
        target.drawText(text->font, text->argb, text->text, text->topLeft);
    }
}

void DrawList::replay(Canvas& target, const Commands& commands) const {
    for (const std::uint32_t index : commands) {
        draw(target, entries_[index].command);
    }
}

void DrawList::replay(Canvas& target) const {
    for (const Entry& entry : entries_) {
        draw(target, entry.command);
    }
}
