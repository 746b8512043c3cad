// How the clock's window shows itself: the view choices of its menu, as stored.
#pragma once

#include <cstdint>

class SettingsStore;

struct ViewSettings {
    bool stayOnTop = true;
    bool clickThrough = false;
    // Hidden to the tray is never stored: each start shows the clock.
    bool hiddenToTray = false;
    bool onAllWorkspaces = true;
    bool lockPosition = false;
    int overallAlpha = 255;
    int threadPriority = 0;

    // The stored choices. Without a tray there would be no way back from click-through, so
    // it is off then; the stored value stays for a session that has one.
    static ViewSettings read(const SettingsStore& settings, bool trayAvailable);
    // The stored opacity as the window uses it: one outside 1..255 (an invisible clock, or one
    // whose low byte is 0) becomes the nearest step of the transparency menu.
    static int usableOverallAlpha(std::int32_t stored);
};
