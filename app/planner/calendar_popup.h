// The month calendar: a pop-up beside the clock with the clock's local date marked, ISO week
// numbers, and the week, day and month names of the desktop's locale.
#pragma once

#include <QDate>
#include <QFrame>
#include <QTimer>

class QCalendarWidget;
class QLabel;
class QToolButton;

class CalendarPopup : public QFrame {
    Q_OBJECT
public:
    // Shows the month of `today`; deletes itself when it closes (Esc, a click outside).
    CalendarPopup(const QDate& today, QWidget* parent);

    QDate today() const { return today_; }
    // Marks another day as today, as the clock's date moves on at midnight.
    void setToday(const QDate& today);
    // The year and month shown, as their first day.
    QDate shownMonth() const;
    // Moves the month shown by `months` (a year is twelve).
    void step(int months);
    QCalendarWidget* calendar() const { return calendar_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void showTitle();
    // Whether a key moves the month or the year, or brings today back; true when it did.
    bool navigate(const QKeyEvent& key);
    bool scroll(const QWheelEvent& wheel);
    // Aims at the clock's next midnight, where today moves on.
    void awaitMidnight();

    QDate today_;
    QCalendarWidget* calendar_ = nullptr;
    QLabel* title_ = nullptr;
    QTimer midnight_;
    int wheelRest_ = 0;
};
