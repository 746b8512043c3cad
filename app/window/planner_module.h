// The planner module (velmora_planner), loaded at the first "Calendar..." or "Alarms...".
#pragma once

#include <QString>

class ClockPlanner;

// The calendar and the alarms dialog are used now and then, and never by a clock that is only
// looked at: they live in a module of their own, mapped at their first use.
class PlannerModule {
public:
    // The module's entry point, which gives the planner; it lives as long as the program.
    using Entry = ClockPlanner* (*)();
    static constexpr const char* kEntryName = "velmoraClockPlanner";
    static constexpr const char* kModuleName = "velmora_planner";

    // The planner, loaded at the first call; null when the module is missing or cannot be
    // loaded (the reason is in missingReason()).
    static ClockPlanner* planner();
    static QString missingReason();
    // A planner linked into the program itself (the window tests) is used instead.
    static void useLinked(ClockPlanner* planner);
};

// The entry point, defined by the planner's code: in the module, or linked into the program.
extern "C" ClockPlanner* velmoraClockPlanner();
