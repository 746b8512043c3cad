// The texts of the customize dialog's rows that depend on the scheme and the machine rather
// than on the rows themselves.
#pragma once

class Clock;

class SchemeRowTexts {
public:
    // Each element's row is labelled by its kind and number ("hand: second #2"), with a
    // swatch of its colour.
    static void refreshElementLabels(Clock& clock);
    // Names the zone each zone slot entry stands for ("(User set time zone 2) - Asia/Kolkata").
    static void nameZoneRows(Clock& clock);
    // Names a background carried in the scheme when its file is not on this machine.
    static void describeCarriedFiles(Clock& clock);
};
