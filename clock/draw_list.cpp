#include "clock/draw_list.h"

#include <algorithm>
#include <cmath>

namespace {

// Far beyond any frame, and small enough that sums of two stay inside an int.
constexpr int kFar = 1 << 29;

int clampedPixel(double value) {
    return static_cast<int>(std::clamp(value, -double{kFar}, double{kFar}));
}

// Anchors reach up to the square root of two widths beyond a line's end; antialiasing one
// pixel more.
float lineMargin(const Pen& pen) {
    return 1.5f * std::fabs(pen.width) + 2.0f;
}

float strokeMargin(const Pen& pen) {
    return 0.5f * std::fabs(pen.width) + 2.0f;
}

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

void PixelArea::add(PixelBox box) {
    if (box.empty() || std::any_of(boxes_.begin(), boxes_.end(), [&](const PixelBox& each) {
            return each.intersected(box) == box;
        })) {
        return;
    }
    std::erase_if(boxes_, [&](const PixelBox& each) { return box.intersected(each) == each; });
    boxes_.push_back(box);
    if (boxes_.size() > kMaxBoxes) {
        PixelBox all;
        for (const PixelBox& each : boxes_) {
            all = all.united(each);
        }
        boxes_.assign(1, all);
    }
}

bool PixelArea::intersects(const PixelBox& box) const {
    return std::any_of(boxes_.begin(), boxes_.end(),
                       [&](const PixelBox& each) { return each.intersects(box); });
}

PixelArea PixelArea::intersected(const PixelBox& box) const {
    PixelArea result;
    for (const PixelBox& each : boxes_) {
        result.add(each.intersected(box));
    }
    return result;
}

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
    add(Ellipse{pen, bounds},
        PixelBox::around(bounds.x, bounds.y, bounds.width, bounds.height, strokeMargin(pen)));
}

void DrawList::drawArc(const Pen& pen, const RectF& bounds, float startDegrees,
                       float sweepDegrees) {
    add(Arc{pen, bounds, startDegrees, sweepDegrees},
        PixelBox::around(bounds.x, bounds.y, bounds.width, bounds.height, strokeMargin(pen)));
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

PixelArea DrawList::changedSince(const DrawList& earlier) const {
    if (entries_.size() != earlier.entries_.size()) {
        return PixelArea(PixelBox::everything());
    }
    PixelArea changed;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Entry& now = entries_[i];
        const Entry& before = earlier.entries_[i];
        if (now.command == before.command) {
            continue;
        }
        const bool setting = std::holds_alternative<Smoothing>(now.command) ||
                             std::holds_alternative<TextAntialias>(now.command) ||
                             std::holds_alternative<Smoothing>(before.command) ||
                             std::holds_alternative<TextAntialias>(before.command);
        if (setting) {
            return PixelArea(PixelBox::everything());
        }
        changed.add(now.reach);
        changed.add(before.reach);
    }
    return changed;
}

void DrawList::replay(Canvas& target, const PixelArea& area) const {
    for (const Entry& entry : entries_) {
        const Command& command = entry.command;
        if (const auto* smoothing = std::get_if<Smoothing>(&command)) {
            target.setSmoothingMode(smoothing->mode);
        } else if (const auto* antialias = std::get_if<TextAntialias>(&command)) {
            target.setTextAntialias(antialias->on);
        } else if (!area.intersects(entry.reach)) {
            continue;
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
}
