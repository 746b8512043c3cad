// Conversions between the program's UTF-16 text and UTF-8 for file names and output.
#pragma once

#include "velmora_export.h"

#include <filesystem>
#include <string>
#include <string_view>

// Widens ASCII text, such as numbers, to UTF-16.
std::u16string fromAscii(std::string_view text);
// Unpaired surrogates become U+FFFD.
std::string toUtf8(std::u16string_view text);
// Invalid sequences become U+FFFD.
std::u16string fromUtf8(std::string_view text);
// A file name's bytes that are not valid UTF-8 each become a lone surrogate U+DC80..U+DCFF
// and back, so that any name the system allows survives the trip through UTF-16.
VELMORA_EXPORT std::filesystem::path toPath(std::u16string_view text);
std::u16string fromPath(const std::filesystem::path& path);
