// The program's UTF-16 text as Qt strings, the one place the two meet.
#pragma once

#include <QString>
#include <string_view>

// Every code unit is kept as it is, a lone surrogate too, so that a name read from a scheme or
// the zone database shows and compares the same on both sides.
QString toQString(std::u16string_view text);
