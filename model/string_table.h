// Looking up string-table texts and splitting them into a label and a description.
#pragma once

#include "velmora_export.h"

#include <string>
#include <string_view>

struct PropertyTexts {
    std::u16string label;
    std::u16string description;
};

// The whole text of an entry; empty for a missing one.
VELMORA_EXPORT std::u16string_view stringTableText(int id);
// The text up to the first tab is the label, the text up to the second tab the description.
PropertyTexts splitPropertyText(std::u16string_view text);
PropertyTexts propertyTexts(int textId);
// The same texts, split once for the whole program and shared by every property that shows
// them: a large scheme holds one copy of each text, not one per property. Empty for a missing
// entry.
VELMORA_EXPORT const PropertyTexts& sharedPropertyTexts(int textId);
