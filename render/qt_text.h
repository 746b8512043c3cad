// The program's UTF-16 text and paths as Qt strings, the one place the two meet.
#pragma once

#include "velmora_export.h"

#include <QString>
#include <filesystem>
#include <string_view>

// Every code unit is kept as it is, a lone surrogate too, so that a name read from a scheme or
// the zone database shows and compares the same on both sides.
VELMORA_EXPORT QString toQString(std::u16string_view text);

// File names between Qt's dialogs and the program's paths, through the program's UTF-16 form,
// so that a name whose bytes are not UTF-8 still names the same file after the trip.
VELMORA_EXPORT QString pathToQString(const std::filesystem::path& path);
VELMORA_EXPORT std::filesystem::path qStringToPath(const QString& text);
