// COptionTreeSpinnerButton: a spinner row's editor, an edit with two arrow buttons at its right.
#pragma once

#include "optiontree/option_tree_spinner_edit.h"

#include <QTimer>
#include <QWidget>
#include <cstdint>

// When a held arrow button repeats: the first step after delayMs, then every intervalMs.
struct SpinnerRepeat {
    int delayMs = 500;
    int intervalMs = 200;
};

// The platform's repeat from the style's first-repeat threshold (ms) and the keyboard's repeat
// rate (per second); a value that is not positive falls back to 500 and 200 ms.
SpinnerRepeat spinnerRepeatIntervals(int thresholdMs, int keyboardRatePerSecond);
// The intervals of the running application.
SpinnerRepeat platformSpinnerRepeat();
// The wait before the next step of a held button that has repeated count times already: it
// starts slower than the keyboard's repeat and speeds up to a fast floor, so that a short
// hold moves by one or two and a long one crosses a wide range.
int spinnerRepeatInterval(const SpinnerRepeat& repeat, int count);

// The integer at the start of text after blanks, with an optional sign; 0 when there is none.
// Digits past the 32-bit range saturate at its ends instead of overflowing.
std::int32_t spinnerNumber(const QString& text);

// The text a number is shown as: rounded, no decimals.
QString spinnerText(double value);

class SpinnerRangeValidator;

class COptionTreeSpinnerButton : public QWidget {
    Q_OBJECT

public:
    static constexpr int kButtonsWidth = 17;
    static constexpr int kRightGap = 2;

    enum class Arrow { None, Up, Down };

    explicit COptionTreeSpinnerButton(QWidget* parent);

    COptionTreeSpinnerEdit& edit() { return edit_; }
    const COptionTreeSpinnerEdit& edit() const { return edit_; }

    bool wrapsAround() const { return wrap_; }
    void setWrapAround(bool wrap);
    double lowerLimit() const { return lower_; }
    double upperLimit() const { return upper_; }
    // Typing accepts only numbers that are in the limits or may get there as typed.
    void setLimits(double lower, double upper);
    // The number brought into the limits, and shown so.
    void clampToLimits();
    std::int32_t number() const { return spinnerNumber(edit_.text()); }
    void setNumber(double value);

    // One step of 1 up (+1) or down (-1): past a limit it wraps to the other limit, or stays
    // at the limit without wrap-around.
    void step(int direction);
    // Without wrap-around an arrow at its limit does nothing and is drawn inactive.
    bool isArrowActive(Arrow arrow) const;
    Arrow pressedArrow() const { return pressed_; }
    // The arrow buttons' rectangles in this widget.
    QRect arrowRect(Arrow arrow) const;
    Arrow arrowAt(const QPoint& point) const;

    void setRepeat(SpinnerRepeat repeat) { repeat_ = repeat; }
    SpinnerRepeat repeat() const { return repeat_; }
    // The timer of a held button: tests read its interval.
    const QTimer& repeatTimer() const { return repeatTimer_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void repeatStep();
    void releaseArrow();
    void drawArrowButton(QPainter& painter, Arrow arrow) const;

    COptionTreeSpinnerEdit edit_;
    double lower_ = 0;
    double upper_ = 0;
    bool wrap_ = false;
    Arrow pressed_ = Arrow::None;
    // The held button steps only while the mouse stays on it.
    bool pointerOnPressed_ = false;
    SpinnerRepeat repeat_;
    QTimer repeatTimer_;
    int repeats_ = 0;
    // Owned by the edit.
    SpinnerRangeValidator* validator_ = nullptr;
};
