// The program's string table: labels, descriptions and other texts by id.
#include "resources/string_table.h"

namespace {

// A property text is its label, a tab, and its description. The description of the
// format (55) is a rich-text document for the editor's description pane.
constexpr StringTableEntry kEntries[] = {
    {1, u"stopped"},
    {2, u"second"},
    {3, u"second (continuous, high CPU usage!)"},
    {4, u"minute"},
    {5, u"minute (continuous)"},
    {6, u"12 hours"},
    {7, u"12 hours (continuous)"},
    {8, u"24 hours"},
    {9, u"24 hours (continuous)"},
    {10, u"flat"},
    {11, u"square"},
    {12, u"round"},
    {13, u"triangle"},
    {14, u"no anchor"},
    {15, u"square anchor"},
    {16, u"round anchor"},
    {17, u"diamond anchor"},
    {18, u"arrow anchor"},
    {19, u"opacity\tSets the item's opacity (e.g.: 0 = invisible, 127 = semi transparent, 255 = "
         u"100% visible)"},
    {21, u"background image\tSets the image drawn as the clock's background. Its transparent "
         u"parts give the clock its shape. The image is stored inside the scheme."},
    {22, u"color\tSets the color of the hand line."},
    {23, u"begin radius (%)\tSets the radius in % at which the hand line begins. The value may "
         u"be negative."},
    {24, u"end radius (%)\tSets the radius in % at which the hand line ends. The value may be "
         u"negative."},
    {25, u"begin line cap\tSets the shape of the hand line at its beginning."},
    {26, u"end line cap\tSets the shape of the hand line at its end."},
    {27, u"thickness (%)\tSets the thickness of the hand line in % of the clock's radius."},
    {28, u"time value\tSets the time value that the hand displays."},
    {29, u"color\tSets the color of the slice."},
    {30, u"outer radius\tSets the radius in % at which the slice ends on the outside."},
    {31, u"time value\tSets the time value that the slice displays."},
    {32, u"time zone\tSets the time zone in which the hand shows the time."},
    {33, u"count down\tIf on, the slice shows the part that remains instead of the part that "
         u"has passed."},
    {38, u"center dX\tMoves the clock's center to the right in % of the clock's radius (to the "
         u"left when negative)."},
    {39, u"center dY\tMoves the clock's center down in % of the clock's radius (up when "
         u"negative)."},
    {40, u"smoothing Mode\tSets how smoothly lines and curves are drawn."},
    {41, u"high Quality (lower speed)"},
    {42, u"high Speed (lower quality)"},
    {43, u"clock body\tThe clock body is the basic element of a clock. It has a center and you "
         u"can set a background image that will give the clock its shape."},
    {44, u"hand\tClock hands are lines, that move around the clock body's center. Every clock "
         u"hand can be setup to a specified value to display."},
    {45, u"time slice\tTime slices are mostly like hands, but with the shap of a slice (or "
         u"pie)."},
    {46, u"x offset (%)\tMoves the hand's center to the right in % of the clock's radius (to "
         u"the left when negative)."},
    {47, u"y offset (%)\tMoves the hand's center down in % of the clock's radius (up when "
         u"negative)."},
    {48, u"day of week  (0..6=Sunday,M,T,W,T,F,S)"},
    {49, u"VELMORA\n\nright click: open menu\ndouble left click: switch display mode"},
    {50, u"x offset (%)\tMoves the slice to the right in % of the clock's radius (to the left "
         u"when negative)."},
    {51, u"y offset (%)\tMoves the slice down in % of the clock's radius (up when negative)."},
    {52, u"text color\tSets the color of the text."},
    {53, u"x offset (%)\tMoves the text to the right in % of the clock's radius (to the left "
         u"when negative)."},
    {54, u"y offset (%)\tMoves the text down in % of the clock's radius (up when negative)."},
    {55, u"format\t{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Tahoma;}}\\fs16 "
         u"{\\b Sets the format of the text.} Codes starting with % are replaced by parts of "
         u"the date and time; all other characters are shown as they are.\\par "
         u"\\par "
         u"{\\b %a} weekday, abbreviated (Sun)\\par "
         u"{\\b %A} weekday (Sunday)\\par "
         u"{\\b %b} month, abbreviated (Jan)\\par "
         u"{\\b %B} month (January)\\par "
         u"{\\b %c} date and time (03/14/07 12:41:29)\\par "
         u"{\\b %d} day of month (01 - 31)\\par "
         u"{\\b %H} hour, 24-hour clock (00 - 23)\\par "
         u"{\\b %I} hour, 12-hour clock (01 - 12)\\par "
         u"{\\b %j} day of year (001 - 366)\\par "
         u"{\\b %m} month (01 - 12)\\par "
         u"{\\b %M} minute (00 - 59)\\par "
         u"{\\b %p} AM or PM\\par "
         u"{\\b %S} second (00 - 59)\\par "
         u"{\\b %U} week of year, weeks starting on Sunday (00 - 53)\\par "
         u"{\\b %W} week of year, weeks starting on Monday (00 - 53)\\par "
         u"{\\b %w} weekday (0 - 6, Sunday is 0)\\par "
         u"{\\b %x} date (03/14/07)\\par "
         u"{\\b %X} time (12:41:29)\\par "
         u"{\\b %y} year without century (00 - 99)\\par "
         u"{\\b %Y} year with century (2007)\\par "
         u"{\\b %z}, {\\b %Z} the short name of the text's time zone (CET, JST)\\par "
         u"{\\b %%} a percent sign\\par "
         u"\\par "
         u"A {\\b #} after the % removes leading zeros (%#d shows 4 instead of 04); %#c and "
         u"%#x show the long date (Wednesday, March 14, 2007).\\par "
         u"Example: %d.%m.%Y shows 14.03.2007, %H:%M:%S shows 12:41:29.}"},
    {56, u"time zone\tSets the time zone in which the text shows the date and time."},
    {57, u"time zone\tSets the time zone in which the slice shows the time."},
    {58, u"day of month (1..31)"},
    {59, u"centiseconds (high CPU usage!)"},
    {60, u"month of year (1..12)"},
    {61, u"week of year (1..52)"},
    {62, u"digital display\tDigital displays show the date or time as text, formatted by a "
         u"format of your choice."},
    {63, u"font family\tSets the font family of the text."},
    {64, u"font size (%)\tSets the size of the text in % of the clock's diameter."},
    {65, u"font bold\tIf on, the text is drawn in bold."},
    {66, u"font italic\tIf on, the text is drawn in italics."},
    {67, u"author info\tThe name of the scheme's author, and anything else worth knowing about "
         u"the scheme."},
    {68, u"CPU #%d performance (%%)"},
    {69, u"memory load (%)"},
    {70, u"page file (%)"},
    {71, u"real memory (%)"},
    {72, u"inner radius\tSets the radius in % at which the slice begins on the inside."},
};

} // namespace

std::span<const StringTableEntry> stringTableEntries() {
    return kEntries;
}
