// What tests and benchmarks reach of a clock window beyond what a user does to it: its parts
// (the scheme, the menu, the dialogs, the schedule), its view settings and what its frames
// drew. The window's friend; the program itself never uses it.
#pragma once

#include "app/window/velmora_dlg.h"

class ClockWindowProbe {
public:
    explicit ClockWindowProbe(CVelmoraDlg& window) : window_(window) {}

    Clock& clock() const { return window_.clock_; }
    // Made at the first use, as the first opening of the menu makes it.
    ClockMenu& menu() const { return window_.commands_.menu(); }
    // Brings the menu's marks and enabled states up to date, as each opening does.
    void updateMenu() const { window_.commands_.update(); }
    // Runs a menu command as its item does, even one the menu shows disabled.
    void runCommand(MenuCommand command) const { window_.commands_.run(command); }
    ClockDialogs& dialogs() const { return window_.dialogs_; }
    ClockChimes& chimes() const { return window_.chimes_; }
    TickSchedule& ticks() const { return window_.ticks_; }
    const ViewSettings& view() const { return window_.view_; }

    // Draws the frame of the current time now, as a tick would.
    void drawFrame() const { window_.drawFrame(); }
    const QImage& lastFrame() const { return window_.lastFrame(); }
    int framesDrawn() const { return window_.framesDrawn_; }
    // The pixels of the frame the last drawFrame() drew again; empty when nothing changed.
    const QRegion& lastRedrawn() const { return window_.lastRedrawn_; }

private:
    CVelmoraDlg& window_;
};
