// How the clock's window shows itself: the view choices of its menu, as stored.
#include "app/window/view_settings.h"

#include "app/desktop/settings.h"
#include "app/window/clock_menu.h"
#include "model/settings_store.h"

#include <cstdlib>

ViewSettings ViewSettings::read(const SettingsStore& settings, bool trayAvailable) {
    ViewSettings view;
    view.stayOnTop = settings.readInt(settings::kStayOnTop) != 0;
    view.clickThrough = settings.readInt(settings::kClickThrough) != 0 && trayAvailable;
    view.onAllWorkspaces = settings.readInt(settings::kOnAllWorkspaces) != 0;
    view.lockPosition = settings.readInt(settings::kLockPosition) != 0;
    view.overallAlpha = usableOverallAlpha(settings.readInt(settings::kOverallAlpha));
    view.threadPriority = settings.readInt(settings::kThreadPriority);
    return view;
}

int ViewSettings::usableOverallAlpha(std::int32_t stored) {
    if (stored >= 1 && stored <= 255) {
        return stored;
    }
    int nearest = kTransparencyItems.front().alpha;
    for (const TransparencyItem& item : kTransparencyItems) {
        if (std::abs(std::int64_t{item.alpha} - stored) <
            std::abs(std::int64_t{nearest} - stored)) {
            nearest = item.alpha;
        }
    }
    return nearest;
}
