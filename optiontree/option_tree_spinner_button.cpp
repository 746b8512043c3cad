// COptionTreeSpinnerButton: a spinner row's editor, an edit with two arrow buttons at its right.
#include "optiontree/option_tree_spinner_button.h"

#include "optiontree/option_tree_accessible.h"

#include <QAccessible>
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>
#include <QStyle>
#include <QStyleHints>
#include <QValidator>
#include <algorithm>
#include <cmath>
#include <limits>

SpinnerRepeat spinnerRepeatIntervals(int thresholdMs, int keyboardRatePerSecond) {
    SpinnerRepeat repeat;
    if (thresholdMs > 0) {
        repeat.delayMs = thresholdMs;
    }
    if (keyboardRatePerSecond > 0) {
        repeat.intervalMs = std::max(1, 1000 / keyboardRatePerSecond);
    }
    return repeat;
}

int spinnerRepeatInterval(const SpinnerRepeat& repeat, int count) {
    constexpr int kFastestMs = 20;
    constexpr double kSpeedUp = 0.8;
    const double start = 2.0 * std::max(1, repeat.intervalMs);
    const double interval = start * std::pow(kSpeedUp, std::clamp(count, 0, 64));
    return std::max(kFastestMs, static_cast<int>(std::lround(interval)));
}

// Digits with a sign where the range has negative numbers. A number out of range is refused
// once more digits could only take it further out; shorter ones may be on their way in.
class SpinnerRangeValidator : public QValidator {
public:
    explicit SpinnerRangeValidator(QObject* parent) : QValidator(parent) {}

    void setRange(double lower, double upper) {
        lower_ = lower;
        upper_ = upper;
    }

    State validate(QString& input, int&) const override {
        qsizetype digitsFrom = 0;
        if (!input.isEmpty() && input[0] == u'-' && lower_ < 0) {
            digitsFrom = 1;
        }
        if (digitsFrom == input.size()) {
            return Intermediate;
        }
        for (qsizetype i = digitsFrom; i < input.size(); ++i) {
            if (input[i] < u'0' || input[i] > u'9') {
                return Invalid;
            }
        }
        const double value = static_cast<double>(spinnerNumber(input));
        if (value >= lower_ && value <= upper_) {
            return Acceptable;
        }
        const double reach = std::max(std::fabs(lower_), std::fabs(upper_));
        if (std::fabs(value) > reach || input.size() - digitsFrom > 10) {
            return Invalid;
        }
        return Intermediate;
    }

private:
    double lower_ = std::numeric_limits<std::int32_t>::min();
    double upper_ = std::numeric_limits<std::int32_t>::max();
};

SpinnerRepeat platformSpinnerRepeat() {
    // Qt offers no keyboard delay; the style's spin box threshold is the platform's nearest.
    const QStyle* style = QApplication::style();
    const int threshold =
        style != nullptr ? style->styleHint(QStyle::SH_SpinBox_ClickAutoRepeatThreshold) : 0;
    return spinnerRepeatIntervals(threshold,
                                  QGuiApplication::styleHints()->keyboardAutoRepeatRate());
}

std::int32_t spinnerNumber(const QString& text) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        // Saturate: more digits can only take the number further out of range.
        magnitude = std::min(magnitude * 10 + (text[i].unicode() - u'0'), kMax + 1);
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    return static_cast<std::int32_t>(std::clamp(value, kMin, kMax));
}

QString spinnerText(double value) {
    return QString::asprintf("%.0f", value);
}

COptionTreeSpinnerButton::COptionTreeSpinnerButton(QWidget* parent)
    : QWidget(parent), edit_(this), lower_(std::numeric_limits<std::int32_t>::min()),
      upper_(std::numeric_limits<std::int32_t>::max()), repeat_(platformSpinnerRepeat()) {
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(&edit_);
    validator_ = new SpinnerRangeValidator(&edit_);
    edit_.setValidator(validator_);
    repeatTimer_.setSingleShot(false);
    connect(&repeatTimer_, &QTimer::timeout, this, &COptionTreeSpinnerButton::repeatStep);
    connect(&edit_, &QLineEdit::textChanged, this, [this] {
        update();
        if (QAccessible::isActive()) {
            QAccessibleValueChangeEvent event(this, number());
            QAccessible::updateAccessibility(&event);
        }
    });
    installOptionTreeAccessibility();
    connect(&edit_, &COptionTreeSpinnerEdit::stepRequested, this, &COptionTreeSpinnerButton::step);
}

void COptionTreeSpinnerButton::setWrapAround(bool wrap) {
    wrap_ = wrap;
    update();
}

void COptionTreeSpinnerButton::setLimits(double lower, double upper) {
    lower_ = lower;
    upper_ = upper;
    validator_->setRange(lower, upper);
    update();
}

void COptionTreeSpinnerButton::clampToLimits() {
    const double value = std::clamp(static_cast<double>(number()), lower_, upper_);
    if (edit_.text() != spinnerText(value)) {
        setNumber(value);
    }
}

void COptionTreeSpinnerButton::setNumber(double value) {
    edit_.setText(spinnerText(value));
}

void COptionTreeSpinnerButton::step(int direction) {
    // In double, so that stepping past the 32-bit ends cannot overflow.
    double next = static_cast<double>(number()) + (direction > 0 ? 1 : -1);
    if (direction > 0 && next > upper_) {
        next = wrap_ ? lower_ : upper_;
    } else if (direction < 0 && next < lower_) {
        next = wrap_ ? upper_ : lower_;
    }
    setNumber(next);
}

bool COptionTreeSpinnerButton::isArrowActive(Arrow arrow) const {
    if (!isEnabled() || arrow == Arrow::None) {
        return false;
    }
    if (wrap_) {
        return true;
    }
    return arrow == Arrow::Up ? number() < upper_ : number() > lower_;
}

QRect COptionTreeSpinnerButton::arrowRect(Arrow arrow) const {
    const int left = width() - kButtonsWidth;
    const int buttonWidth = kButtonsWidth - kRightGap;
    const int half = height() / 2;
    switch (arrow) {
    case Arrow::Up:
        return {left, 0, buttonWidth, half};
    case Arrow::Down:
        return {left, half, buttonWidth, height() - half};
    case Arrow::None:
        break;
    }
    return {};
}

COptionTreeSpinnerButton::Arrow COptionTreeSpinnerButton::arrowAt(const QPoint& point) const {
    if (arrowRect(Arrow::Up).contains(point)) {
        return Arrow::Up;
    }
    if (arrowRect(Arrow::Down).contains(point)) {
        return Arrow::Down;
    }
    return Arrow::None;
}

void COptionTreeSpinnerButton::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    edit_.setGeometry(0, 0, std::max(0, width() - kButtonsWidth), height());
}

void COptionTreeSpinnerButton::mousePressEvent(QMouseEvent* event) {
    const Arrow arrow =
        event->button() == Qt::LeftButton ? arrowAt(event->position().toPoint()) : Arrow::None;
    // Every press is taken here, so that none reaches the list under the editor.
    event->accept();
    if (arrow == Arrow::None || !isArrowActive(arrow)) {
        return;
    }
    edit_.setFocus(Qt::MouseFocusReason);
    pressed_ = arrow;
    pointerOnPressed_ = true;
    step(arrow == Arrow::Up ? 1 : -1);
    repeats_ = 0;
    repeatTimer_.start(repeat_.delayMs);
    update();
}

void COptionTreeSpinnerButton::mouseMoveEvent(QMouseEvent* event) {
    if (pressed_ != Arrow::None) {
        const bool on = arrowRect(pressed_).contains(event->position().toPoint());
        if (on != pointerOnPressed_) {
            pointerOnPressed_ = on;
            update();
        }
    }
    QWidget::mouseMoveEvent(event);
}

void COptionTreeSpinnerButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        releaseArrow();
    }
    event->accept();
}

void COptionTreeSpinnerButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        releaseArrow();
    }
    QWidget::changeEvent(event);
    update();
}

void COptionTreeSpinnerButton::repeatStep() {
    repeatTimer_.setInterval(spinnerRepeatInterval(repeat_, repeats_++));
    if (pressed_ != Arrow::None && pointerOnPressed_) {
        step(pressed_ == Arrow::Up ? 1 : -1);
    }
}

void COptionTreeSpinnerButton::releaseArrow() {
    repeatTimer_.stop();
    if (pressed_ != Arrow::None) {
        pressed_ = Arrow::None;
        update();
    }
}

void COptionTreeSpinnerButton::paintEvent(QPaintEvent*) {
    // The backing store is double-buffered already; one pass paints face and buttons.
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    drawArrowButton(painter, Arrow::Up);
    drawArrowButton(painter, Arrow::Down);
}

void COptionTreeSpinnerButton::drawArrowButton(QPainter& painter, Arrow arrow) const {
    const QRect box = arrowRect(arrow);
    if (box.width() < 3 || box.height() < 3) {
        return;
    }
    const QPalette& colors = palette();
    const bool pushed = pressed_ == arrow && pointerOnPressed_;
    const QColor light = colors.color(QPalette::Light);
    const QColor shadow = colors.color(QPalette::Dark);
    const QColor topLeft = pushed ? shadow : light;
    const QColor bottomRight = pushed ? light : shadow;
    // One-pixel strips stay sharp at any device pixel ratio.
    painter.fillRect(QRect(box.left(), box.top(), box.width(), 1), topLeft);
    painter.fillRect(QRect(box.left(), box.top(), 1, box.height()), topLeft);
    painter.fillRect(QRect(box.left(), box.bottom(), box.width(), 1), bottomRight);
    painter.fillRect(QRect(box.right(), box.top(), 1, box.height()), bottomRight);

    const bool active = isArrowActive(arrow);
    const QColor ink = active ? colors.color(QPalette::Active, QPalette::ButtonText)
                              : colors.color(QPalette::Disabled, QPalette::ButtonText);
    const QPointF centre = QRectF(box).center() + (pushed ? QPointF(1, 1) : QPointF(0, 0));
    const double halfWidth = std::min(3.5, (box.width() - 4) / 2.0);
    const double halfHeight = std::min(2.0, (box.height() - 4) / 2.0);
    QPolygonF triangle;
    if (arrow == Arrow::Up) {
        triangle << QPointF(centre.x() - halfWidth, centre.y() + halfHeight)
                 << QPointF(centre.x() + halfWidth, centre.y() + halfHeight)
                 << QPointF(centre.x(), centre.y() - halfHeight);
    } else {
        triangle << QPointF(centre.x() - halfWidth, centre.y() - halfHeight)
                 << QPointF(centre.x() + halfWidth, centre.y() - halfHeight)
                 << QPointF(centre.x(), centre.y() + halfHeight);
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawPolygon(triangle);
    painter.restore();
}
