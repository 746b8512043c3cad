// Editing on the clock itself while the customize dialog is open: a click selects the element
// under the pointer, and a drag moves that element's offsets.
#include "app/editor/clock_editing.h"

#include "app/editor/options_dial.h"
#include "clock/clock.h"
#include "clock/element_picker.h"
#include "model/percent_property.h"
#include "render/qt_canvas.h"

#include <QApplication>
#include <QImage>
#include <cmath>

namespace {

int offsetOf(const ClockObject& element, std::u16string_view name) {
    const auto* offset = element.findChildAs<PercentProperty>(name);
    return offset != nullptr ? offset->value() : 0;
}

} // namespace

bool ClockEditing::press(COptionsDial& dialog, Clock& clock, QPointF position,
                         QPoint globalPosition, qreal ratio, const velmora::PackedDateTime& utc) {
    drag_.reset();
    // Texts are measured as the frame measured them; a pixel is all the canvas needs.
    QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    QtCanvas measurer(scratch);
    const PointF point{static_cast<float>(position.x() * ratio),
                       static_cast<float>(position.y() * ratio)};
    ClockObject* element = elementAt(clock, measurer, utc, point, static_cast<float>(3 * ratio));
    if (element == nullptr) {
        return false;
    }
    dialog.selectOnClock(element);
    drag_ = Drag{&dialog,
                 &clock,
                 element,
                 globalPosition,
                 offsetOf(*element, u"dX"),
                 offsetOf(*element, u"dY"),
                 false};
    return true;
}

void ClockEditing::move(QPoint globalPosition, qreal ratio) {
    if (!drag_ || drag_->dialog == nullptr) {
        drag_.reset();
        return;
    }
    const QPoint delta = globalPosition - drag_->start;
    if (!drag_->started && delta.manhattanLength() < QApplication::startDragDistance()) {
        return;
    }
    drag_->started = true;
    // Offsets are percentages of the dial's radius, which is in device pixels.
    const double radius = drag_->clock->radius() / ratio;
    if (radius <= 0) {
        return;
    }
    const int dx = drag_->startDx + static_cast<int>(std::lround(delta.x() * 100.0 / radius));
    const int dy = drag_->startDy + static_cast<int>(std::lround(delta.y() * 100.0 / radius));
    drag_->dialog->moveElement(drag_->element, dx, dy);
}

void ClockEditing::release() {
    if (drag_ && drag_->started && drag_->dialog != nullptr) {
        drag_->dialog->finishMove();
    }
    drag_.reset();
}
