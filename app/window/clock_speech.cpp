// ClockSpeech: the time and date in words, from the zone slots the clock converts with.
#include "app/window/clock_speech.h"

#include "time/zone_slots.h"

#include <QCoreApplication>
#include <QDate>
#include <QRegularExpression>
#include <QTime>

namespace {

QDate dateOf(const velmora::PackedDateTime& local) {
    return QDate(local.year(), local.month(), local.day());
}

QTime minuteOf(const velmora::PackedDateTime& local) {
    return QTime(local.hour(), local.minute());
}

// The locale's short time without seconds, which some locales' short form carries.
QString minuteText(const velmora::PackedDateTime& local, const QLocale& locale) {
    static const QRegularExpression seconds(QStringLiteral("[^Hhm]*s+"));
    QString format = locale.timeFormat(QLocale::ShortFormat);
    format.remove(seconds);
    return locale.toString(minuteOf(local), format);
}

QString zoneName(const velmora::ZoneRecord& zone) {
    const std::u16string_view display = zone.displayNameView();
    const std::u16string_view standard = zone.standardNameView();
    if (!display.empty()) {
        return QString::fromUtf16(display.data(), static_cast<qsizetype>(display.size()));
    }
    if (!standard.empty()) {
        return QString::fromUtf16(standard.data(), static_cast<qsizetype>(standard.size()));
    }
    return QStringLiteral("UTC");
}

} // namespace

QString ClockSpeech::spokenTime(const velmora::PackedDateTime& utc, const QLocale& locale) {
    const velmora::PackedDateTime local = velmora::zoneSlotTime(0, utc);
    //: The clock's time as a screen reader says it: %1 the time, %2 the date.
    return QCoreApplication::translate("ClockSpeech", "%1, %2")
        .arg(minuteText(local, locale), locale.toString(dateOf(local), QLocale::LongFormat));
}

QStringList ClockSpeech::otherZones(const velmora::PackedDateTime& utc, const QLocale& locale) {
    const velmora::ZoneRecord localZone = velmora::zoneSlot(0);
    const QDate localDate = dateOf(velmora::zoneSlotTime(0, utc));
    QStringList lines;
    for (int slot = 1; slot < velmora::kZoneSlotCount; ++slot) {
        const velmora::ZoneRecord zone = velmora::zoneSlot(slot);
        if (zone.standardNameView() == localZone.standardNameView() &&
            zone.displayNameView() == localZone.displayNameView()) {
            continue;
        }
        const velmora::PackedDateTime there = velmora::zoneSlotTime(slot, utc);
        QString time = minuteText(there, locale);
        if (dateOf(there) != localDate) {
            //: A zone's time on another day than the local one: %1 the time, %2 the weekday.
            time = QCoreApplication::translate("ClockSpeech", "%1, %2")
                       .arg(time, locale.dayName(dateOf(there).dayOfWeek()));
        }
        //: A line of the clock's tooltip: %1 the zone's name, %2 its time.
        lines.append(
            QCoreApplication::translate("ClockSpeech", "%1: %2").arg(zoneName(zone), time));
    }
    return lines;
}

QString ClockSpeech::toolTip(const velmora::PackedDateTime& utc, const QLocale& locale) {
    QStringList lines{spokenTime(utc, locale)};
    lines.append(otherZones(utc, locale));
    return lines.join(QLatin1Char('\n'));
}
