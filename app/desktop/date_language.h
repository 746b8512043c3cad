// "Dates in my language": the setting, and the names the clock's texts then use.
#pragma once

#include "model/settings_store.h"
#include "time/locale_time_names.h"

#include <memory>

class Clock;

bool datesInMyLanguage(const SettingsStore& settings);

// The names and orders of the desktop's LC_TIME when the setting is on; null when it is off or
// that locale is not installed, so that texts keep the classic form.
std::shared_ptr<const velmora::LocaleTimeNames> dateNamesFor(const SettingsStore& settings);

// Turns the setting over and gives the clock the names that now apply; the caller draws the
// clock anew.
void toggleDatesInMyLanguage(SettingsStore& settings, Clock& clock);
