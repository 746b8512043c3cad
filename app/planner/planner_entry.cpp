// The velmora_planner module's entry point: the planner the clock asks for.
#include "app/planner/alarms_dialog.h"
#include "app/planner/calendar_popup.h"
#include "app/window/clock_planner.h"
#include "app/window/planner_module.h"

#include <type_traits>

namespace {

class LinkedClockPlanner : public ClockPlanner {
public:
    QWidget* makeCalendar(const QDate& today, QWidget* parent) override {
        return new CalendarPopup(today, parent);
    }

    QDialog* makeAlarms(AlarmService& alarms, ClockChimes& chimes, QWidget* parent) override {
        return new AlarmsDialog(alarms, chimes, parent);
    }
};

} // namespace

extern "C" Q_DECL_EXPORT ClockPlanner* velmoraClockPlanner() {
    static LinkedClockPlanner planner;
    return &planner;
}

// The loader resolves this by name, so its type is checked here against the loader's.
static_assert(std::is_same_v<decltype(&velmoraClockPlanner), PlannerModule::Entry>);
