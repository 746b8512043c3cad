// The string table's texts in the user's language, looked up by their English text.
#pragma once

#include <QString>
#include <string_view>

// The context the string table's texts are translated in.
inline constexpr const char* kStringTableContext = "StringTable";

// The translation of a whole string-table text (a label, a description, a choice), or the text
// itself when it has none.
QString translatedTableText(std::u16string_view text);

// A row label made of a string-table label and more ("hand second", "hand: minute #2",
// "digital display \"%H:%M\""): the leading label and a following string-table text are
// translated, anything else (a format, a number) stays as it is.
QString translatedRowLabel(std::u16string_view text);

// The entry of that id, translated whole (the tray's tool tip).
QString translatedTableEntry(int id);
