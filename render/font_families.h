// The installed font family names, from Qt's font database, for the font family choices.
#pragma once

#include <string>
#include <vector>

// The families in the font database's order, at most FontFamilyList::kCapacity of them. Needs
// a QGuiApplication; without one the list is empty, which FontFamilyList asks again later.
std::vector<std::u16string> installedFontFamilies();

// Makes installedFontFamilies the source of the process-wide FontFamilyList.
void useInstalledFontFamilies();
