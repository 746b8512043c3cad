// ClockAccessible: the clock window as a screen reader sees it, a clock that tells its time.
#pragma once

#include <QAccessibleWidget>

class CVelmoraDlg;
class ClockHost;

// Named by the time and date as spoken, described by the other zones' times. Both are worked
// out when a screen reader asks, so telling the time costs the clock no wake-up of its own.
class ClockAccessible : public QAccessibleWidget {
public:
    explicit ClockAccessible(CVelmoraDlg* clock);

    // Registers the interface with Qt, once.
    static void install();

    QString text(QAccessible::Text t) const override;

private:
    // The clock's time and title, through what the window offers its parts.
    ClockHost& clock() const;
};
