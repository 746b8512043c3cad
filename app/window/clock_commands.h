// The clock's context menu: made at its first use, its marks brought up to date at each
// opening, and its commands run on the clock.
#pragma once

#include "app/desktop/autostart_entry.h"
#include "app/window/clock_menu.h"

#include <QPoint>
#include <QString>
#include <memory>

class ClockHost;

class ClockCommands {
public:
    explicit ClockCommands(ClockHost& clock) : clock_(clock) {}

    // Made at the first use: a clock that is only looked at never needs its menu.
    ClockMenu& menu();
    void showMenu(const QPoint& screenPosition);
    // Brings the menu's marks and enabled states up to date, as each opening does.
    void update();
    void run(MenuCommand command);

private:
    // "New clock": starts the next free clock beside this one; its name, empty on failure.
    QString startNewClock();
    // The login entry of this clock, which "Start with the desktop" writes and removes.
    AutostartEntry autostartEntry() const;
    // A size preset: the background's size at the percentage, placed as the user's choice.
    void applySize(int percent);
    void toggleStartWithDesktop();

    ClockHost& clock_;
    std::unique_ptr<ClockMenu> menu_;
};
