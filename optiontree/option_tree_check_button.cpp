// COptionTreeCheckButton: a check box row's editor, a box that toggles on a click or Space.
#include "optiontree/option_tree_check_button.h"

#include "optiontree/option_tree_accessible.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

COptionTreeCheckButton::COptionTreeCheckButton(QWidget* parent)
    : QWidget(parent), checkedText_(QCoreApplication::translate("OptionTree", "Checked")),
      uncheckedText_(QCoreApplication::translate("OptionTree", "UnChecked")) {
    setFocusPolicy(Qt::StrongFocus);
    installOptionTreeAccessibility();
}

void COptionTreeCheckButton::setChecked(bool checked) {
    if (checked_ != checked) {
        checked_ = checked;
        update();
        announceState();
    }
}

void COptionTreeCheckButton::setShowText(bool show) {
    showText_ = show;
    update();
}

void COptionTreeCheckButton::setStateTexts(const QString& checkedText,
                                           const QString& uncheckedText) {
    checkedText_ = checkedText;
    uncheckedText_ = uncheckedText;
    update();
}

void COptionTreeCheckButton::setTreeEnabled(bool enabled) {
    treeEnabled_ = enabled;
    update();
}

QRect COptionTreeCheckButton::boxRect() const {
    return {1, 4, kBoxSize, kBoxSize};
}

QRect COptionTreeCheckButton::toggleRect() const {
    const QRect box = boxRect();
    if (!showText_) {
        return box;
    }
    return {box.left(), box.top(), std::max(box.width(), width() - box.left()), box.height()};
}

namespace {

// Edges as one-pixel strips, sharp at any device pixel ratio.
void drawEdge(QPainter& painter, const QRect& box, const QColor& topLeft,
              const QColor& bottomRight) {
    painter.fillRect(QRect(box.left(), box.top(), box.width(), 1), topLeft);
    painter.fillRect(QRect(box.left(), box.top(), 1, box.height()), topLeft);
    painter.fillRect(QRect(box.left(), box.bottom(), box.width(), 1), bottomRight);
    painter.fillRect(QRect(box.right(), box.top() + 1, 1, box.height() - 1), bottomRight);
}

} // namespace

void COptionTreeCheckButton::drawBox(QPainter& painter, const QRect& box, bool checked, bool flat,
                                     bool enabled, const QPalette& colors) {
    const QPalette::ColorGroup group = enabled ? QPalette::Active : QPalette::Disabled;
    const QColor ink = colors.color(group, QPalette::Text);
    painter.save();
    painter.fillRect(box, colors.color(group, QPalette::Base));
    if (flat) {
        drawEdge(painter, box, ink, ink);
    } else {
        drawEdge(painter, box, colors.color(QPalette::Mid), colors.color(QPalette::Light));
        drawEdge(painter, box.adjusted(1, 1, -1, -1), colors.color(QPalette::Dark),
                 colors.color(QPalette::Midlight));
    }
    if (checked) {
        const QRectF inner = QRectF(box).adjusted(3, 3, -3, -3);
        QPainterPath tick;
        tick.moveTo(inner.left(), inner.top() + inner.height() * 0.5);
        tick.lineTo(inner.left() + inner.width() * 0.38, inner.bottom());
        tick.lineTo(inner.right(), inner.top());
        painter.setRenderHint(QPainter::Antialiasing, true);
        QPen pen(ink, 1.6);
        pen.setCapStyle(Qt::SquareCap);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(tick);
    }
    painter.restore();
}

void COptionTreeCheckButton::paintEvent(QPaintEvent*) {
    // Qt's backing store already buffers the paint, so nothing flickers.
    QPainter painter(this);
    const QPalette& colors = palette();
    painter.fillRect(rect(), colors.color(treeEnabled_ ? QPalette::Base : QPalette::Button));
    const QRect box = boxRect();
    drawBox(painter, box, checked_, false, isEnabled(), colors);
    if (showText_) {
        painter.setPen(
            colors.color(treeEnabled_ ? QPalette::Active : QPalette::Disabled, QPalette::Text));
        painter.setFont(font());
        const QRect textRect(box.right() + 1 + kTextGap, 0,
                             std::max(0, width() - box.right() - 1 - kTextGap), height());
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         stateText());
    }
}

void COptionTreeCheckButton::mousePressEvent(QMouseEvent* event) {
    // Taken here, so that the press does not reach the list under the editor.
    event->accept();
}

void COptionTreeCheckButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && toggleRect().contains(event->position().toPoint())) {
        toggle();
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void COptionTreeCheckButton::keyPressEvent(QKeyEvent* event) {
    // Tab reaches the row from the keyboard, so the keyboard can change it too.
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        toggle();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void COptionTreeCheckButton::toggle() {
    checked_ = !checked_;
    update();
    announceState();
    emit toggled(checked_);
}

void COptionTreeCheckButton::announceState() {
    if (!QAccessible::isActive()) {
        return;
    }
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}
