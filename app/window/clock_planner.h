// What the clock asks of its planner (the month calendar and the alarms dialog), which lives in
// a module of its own.
#pragma once

class AlarmService;
class ClockChimes;
class QDate;
class QDialog;
class QWidget;

class ClockPlanner {
public:
    virtual ~ClockPlanner() = default;

    // The month of `today` as a pop-up, not yet shown, with today marked; it closes with Esc or
    // a click outside and deletes itself then.
    virtual QWidget* makeCalendar(const QDate& today, QWidget* parent) = 0;
    // The alarms, timers and sounds of the clock, not yet shown; it deletes itself when it
    // closes.
    virtual QDialog* makeAlarms(AlarmService& alarms, ClockChimes& chimes, QWidget* parent) = 0;
};
