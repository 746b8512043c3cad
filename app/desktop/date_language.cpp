// "Dates in my language": the setting, and the names the clock's texts then use.
#include "app/desktop/date_language.h"

#include "clock/clock.h"

bool datesInMyLanguage(const SettingsStore& settings) {
    return settings.readInt(settings::kDatesInMyLanguage) != 0;
}

std::shared_ptr<const velmora::LocaleTimeNames> dateNamesFor(const SettingsStore& settings) {
    if (!datesInMyLanguage(settings)) {
        return nullptr;
    }
    auto names = velmora::loadLocaleTimeNames(velmora::desktopTimeLocaleName());
    if (!names) {
        return nullptr;
    }
    return std::make_shared<const velmora::LocaleTimeNames>(std::move(*names));
}

void toggleDatesInMyLanguage(SettingsStore& settings, Clock& clock) {
    settings.writeInt(settings::kDatesInMyLanguage, datesInMyLanguage(settings) ? 0 : 1);
    clock.setDateNames(dateNamesFor(settings));
}
