// Which element of a scheme lies under a point of the drawn clock.
#include "clock/element_picker.h"

#include "clock/clock.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

float distanceToSegment(PointF p, PointF a, PointF b) {
    const float dx = b.x - a.x;
    const float dy = b.y - a.y;
    const float lengthSquared = dx * dx + dy * dy;
    float t = 0;
    if (lengthSquared > 0) {
        t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared, 0.0f, 1.0f);
    }
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Whether the angle (degrees, clockwise from the x axis) lies on the sweep from start.
bool onSweep(float degrees, float start, float sweep) {
    if (std::fabs(sweep) >= 360.0f) {
        return true;
    }
    const float from = sweep >= 0 ? start : start + sweep;
    const float along = std::fmod(std::fmod(degrees - from, 360.0f) + 360.0f, 360.0f);
    return along <= std::fabs(sweep);
}

// Draws nothing: notes whether anything drawn comes near the point.
class HitCanvas : public Canvas {
public:
    HitCanvas(Canvas& measurer, PointF point, float tolerance)
        : measurer_(measurer), point_(point), tolerance_(tolerance) {}

    bool hit() const { return hit_; }

    void setSmoothingMode(std::int32_t) override {}
    void setTextAntialias(bool) override {}

    void drawLine(const Pen& pen, PointF from, PointF to) override {
        note(distanceToSegment(point_, from, to) <= reach(pen));
    }

    void drawEllipse(const Pen& pen, const RectF& bounds) override { drawArc(pen, bounds, 0, 360); }

    void drawArc(const Pen& pen, const RectF& bounds, float startDegrees,
                 float sweepDegrees) override {
        const float rx = bounds.width / 2;
        const float ry = bounds.height / 2;
        const float dx = point_.x - (bounds.x + rx);
        const float dy = point_.y - (bounds.y + ry);
        // Dials are round; an oval is taken as the circle of its mean radius.
        const float radius = (rx + ry) / 2;
        const bool onRing = std::fabs(std::hypot(dx, dy) - radius) <= reach(pen);
        const float degrees = std::atan2(dy, dx) * 180.0f / std::numbers::pi_v<float>;
        note(onRing && onSweep(degrees, startDegrees, sweepDegrees));
    }

    void drawImage(const CanvasImage&, float, float) override {}

    std::optional<SizeF> measureText(const FontSpec& font, std::u16string_view text) override {
        return measurer_.measureText(font, text);
    }

    void drawText(const FontSpec& font, std::uint32_t, std::u16string_view text,
                  PointF topLeft) override {
        const std::optional<SizeF> box = measurer_.measureText(font, text);
        if (!box) {
            return;
        }
        note(point_.x >= topLeft.x - tolerance_ && point_.y >= topLeft.y - tolerance_ &&
             point_.x <= topLeft.x + box->width + tolerance_ &&
             point_.y <= topLeft.y + box->height + tolerance_);
    }

    std::unique_ptr<CanvasImage> decodeImageData(std::span<const std::uint8_t>) override {
        return nullptr;
    }

    std::unique_ptr<CanvasImage> scaleImage(const CanvasImage&, int, int) override {
        return nullptr;
    }

private:
    float reach(const Pen& pen) const { return std::max(pen.width, 1.0f) / 2 + tolerance_; }
    void note(bool near) { hit_ = hit_ || near; }

    Canvas& measurer_;
    PointF point_;
    float tolerance_;
    bool hit_ = false;
};

} // namespace

ClockObject* elementAt(Clock& body, Canvas& measurer, const velmora::PackedDateTime& utc,
                       PointF point, float tolerance) {
    const auto& children = body.children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (!(*it)->isKindOf(ClockObject::kTypeName)) {
            continue;
        }
        auto* element = static_cast<ClockObject*>(it->get());
        // The guide marks of a selected element are no part of it.
        const bool selected = element->isSelected();
        element->setSelected(false);
        HitCanvas canvas(measurer, point, tolerance);
        element->draw(canvas, body, utc);
        element->setSelected(selected);
        if (canvas.hit()) {
            return element;
        }
    }
    return nullptr;
}
