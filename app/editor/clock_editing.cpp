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
#include <QKeyEvent>
#include <algorithm>
#include <cmath>

namespace {

int offsetOf(const ClockObject& element, std::u16string_view name) {
    const auto* offset = element.findChildAs<PercentProperty>(name);
    return offset != nullptr ? offset->value() : 0;
}

// The offsets, in percent of the radius, that move an element by about `pixels` logical
// pixels; at least one.
int percentFor(const Clock& clock, qreal ratio, int pixels) {
    const double radius = clock.radius() / ratio;
    if (radius <= 0) {
        return 1;
    }
    return std::max(1, static_cast<int>(std::lround(pixels * 100.0 / radius)));
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

bool ClockEditing::key(COptionsDial& dialog, const Clock& clock, const QKeyEvent& key,
                       qreal ratio) {
    if (key.matches(QKeySequence::Undo)) {
        dialog.stepBack();
        return true;
    }
    if (key.matches(QKeySequence::Redo) ||
        key.keyCombination() == QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z)) {
        dialog.stepForward();
        return true;
    }
    if (key.key() == Qt::Key_Delete && key.modifiers() == Qt::NoModifier) {
        dialog.runCommand(COptionsDial::DeleteSelected);
        return true;
    }
    int dx = 0;
    int dy = 0;
    switch (key.key()) {
    case Qt::Key_Left:
        dx = -1;
        break;
    case Qt::Key_Right:
        dx = 1;
        break;
    case Qt::Key_Up:
        dy = -1;
        break;
    case Qt::Key_Down:
        dy = 1;
        break;
    default:
        return false;
    }
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier) {
        return false;
    }
    ClockObject* element = dialog.selectedElement();
    // The body has no offsets of an element; its own centre is edited in its rows.
    if (element == nullptr || element == &clock) {
        return true;
    }
    const int step = percentFor(clock, ratio, modifiers == Qt::ShiftModifier ? 10 : 1);
    dialog.moveElement(element, offsetOf(*element, u"dX") + dx * step,
                       offsetOf(*element, u"dY") + dy * step);
    dialog.finishMove();
    return true;
}

void ClockEditing::release() {
    if (drag_ && drag_->started && drag_->dialog != nullptr) {
        drag_->dialog->finishMove();
    }
    drag_.reset();
}
