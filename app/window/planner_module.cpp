// The planner module (velmora_planner), loaded at the first "Calendar..." or "Alarms...".
#include "app/window/planner_module.h"

#include "app/desktop/module_loader.h"

namespace {

ClockPlanner* linkedPlanner = nullptr;

ModuleLoader& loader() {
    static ModuleLoader module(QLatin1String(PlannerModule::kModuleName),
                               ModuleLoader::installedFolders());
    return module;
}

} // namespace

ClockPlanner* PlannerModule::planner() {
    if (linkedPlanner != nullptr) {
        return linkedPlanner;
    }
    const auto entry = reinterpret_cast<Entry>(loader().resolve(kEntryName));
    return entry != nullptr ? entry() : nullptr;
}

QString PlannerModule::missingReason() {
    return loader().why();
}

void PlannerModule::useLinked(ClockPlanner* planner) {
    linkedPlanner = planner;
}
