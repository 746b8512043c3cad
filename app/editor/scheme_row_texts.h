// The texts of the customize dialog's rows that depend on the scheme and the machine rather
// than on the rows themselves.
#pragma once

#include <cstdint>

class Clock;

class SchemeRowTexts {
public:
    // Each element's row is labelled by its kind and number ("hand: second #2"), with a
    // swatch of its colour.
    static void refreshElementLabels(Clock& clock);
    // The datum of the entry after the slots that chooses a zone by name.
    static constexpr std::int32_t kChooseZoneEntry = -2;

    // Names the zone each zone slot entry stands for ("(User set time zone 2) - Asia/Kolkata"),
    // and offers "Choose a zone..." after them.
    static void nameZoneRows(Clock& clock);
    // Names a background carried in the scheme when its file is not on this machine, and lets
    // the background's chooser preview the images it lists.
    static void describeCarriedFiles(Clock& clock);
};
