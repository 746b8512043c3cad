// ClockSpeech: the clock's time and date in words, for screen readers and tooltips.
#pragma once

#include "time/packed_date_time.h"

#include <QLocale>
#include <QString>

class ClockSpeech {
public:
    // The local time of zone slot 0 as a person says it in the locale's words and order:
    // "10:08, Wednesday, 9 December 2026". Only the minute counts, so the text stays the same
    // through a minute.
    static QString spokenTime(const velmora::PackedDateTime& utc, const QLocale& locale);
    // The other zones (slots 1 to 4) that differ from the local one, one line each:
    // "Tokyo: 19:08, Thursday" (the day only where it is another day than the local one).
    static QStringList otherZones(const velmora::PackedDateTime& utc, const QLocale& locale);
    // The tooltip: the spoken time, then the other zones' lines.
    static QString toolTip(const velmora::PackedDateTime& utc, const QLocale& locale);
};
