// The formatter that turns a clock text's format string and a local date-time into its text.
#pragma once

#include "time/packed_date_time.h"

namespace velmora {
struct LocaleTimeNames;
}

#include <cstddef>
#include <string>
#include <string_view>

// The longest text a clock text shows. A longer result shows as nothing rather than cut short:
// existing clock designs were made with that behaviour.
inline constexpr std::size_t kMaxClockTextLength = 1022;

// The date and time fields a clock text shows, from a packed local date-time.
//
// Codes are strftime-style as the classic "C" locale renders them, with a `#` flag of our own:
// on numeric codes it removes leading zeros (never down to an empty string), on %c and %x it
// selects the long date ("Wednesday, March 14, 2007"), elsewhere it is ignored. %z and %Z both
// give `zoneName`: the caller passes the abbreviation of the zone the text is shown in, for the
// frame's instant ("CET", "CEST"). Unknown codes, and a trailing "%" or "%#", are
// copied as they stand; all other code units are copied unchanged. A result over
// kMaxClockTextLength gives "".
//
// With `names` (the user's "dates in my language"), the codes that name or order things follow
// that locale as strftime does: %a %A %b %B %p take its names, %c %x %X its orders (`#` on %c
// and %x: its long date); numbers and every other code stay as above.
std::u16string formatClockText(std::u16string_view format, const velmora::PackedDateTime& local,
                               std::u16string_view zoneName,
                               const velmora::LocaleTimeNames* names = nullptr);
