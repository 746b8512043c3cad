// How alarms and timers read to the user: times of day in the desktop's form, durations, and
// days of the week.
#include "app/alarms/alarm_texts.h"

#include "time/zone_history.h"
#include "time/zone_slots.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>
#include <QTime>

namespace {

constexpr std::uint8_t kEveryDay = 0x7F;
// Monday to Friday.
constexpr std::uint8_t kWorkDays = 0x3E;
// Qt counts Monday as 1 and Sunday as 7.
Qt::DayOfWeek qtDay(int weekday) {
    return static_cast<Qt::DayOfWeek>(weekday == 0 ? 7 : weekday);
}

} // namespace

QString AlarmTexts::minutesFormat() {
    // Some locales' short form (the C locale's) still shows seconds, which an alarm never has.
    return QLocale()
        .timeFormat(QLocale::ShortFormat)
        .remove(QLatin1String(":ss"))
        .remove(QLatin1String(".ss"));
}

QString AlarmTexts::timeOfDay(std::int32_t minuteOfDay) {
    const QString format = minutesFormat();
    return QLocale().toString(QTime(minuteOfDay / 60, minuteOfDay % 60), format);
}

QString AlarmTexts::duration(std::int64_t seconds) {
    const std::int64_t hours = seconds / 3600;
    const QString minutesAndSeconds = QStringLiteral("%1:%2")
                                          .arg(seconds / 60 % 60, hours > 0 ? 2 : 1, 10, QChar('0'))
                                          .arg(seconds % 60, 2, 10, QChar('0'));
    return hours > 0 ? QStringLiteral("%1:%2").arg(hours).arg(minutesAndSeconds)
                     : minutesAndSeconds;
}

QString AlarmTexts::dayName(int weekday) {
    return QLocale().dayName(qtDay(weekday), QLocale::ShortFormat);
}

std::array<int, 7> AlarmTexts::weekOrder() {
    const int first = QLocale().firstDayOfWeek() % 7;
    std::array<int, 7> order{};
    for (int i = 0; i < 7; ++i) {
        order[static_cast<std::size_t>(i)] = (first + i) % 7;
    }
    return order;
}

QString AlarmTexts::weekdays(std::uint8_t weekdays) {
    if (weekdays == 0) {
        return QCoreApplication::translate("AlarmTexts", "Once");
    }
    if (weekdays == kEveryDay) {
        return QCoreApplication::translate("AlarmTexts", "Every day");
    }
    if (weekdays == kWorkDays) {
        return QCoreApplication::translate("AlarmTexts", "%1 to %2").arg(dayName(1), dayName(5));
    }
    QStringList names;
    for (const int day : weekOrder()) {
        if (weekdays & (1u << day)) {
            names.append(dayName(day));
        }
    }
    return names.join(QStringLiteral(", "));
}

QString AlarmTexts::dayAndTime(velmora::Instant at) {
    const std::int64_t seconds = at >= 0 ? at / 1000 : (at - 999) / 1000;
    const velmora::PackedDateTime local =
        velmora::zoneSlotTime(0, velmora::packedFromSeconds(seconds));
    const QDate date(local.year(), local.month(), local.day());
    return QStringLiteral("%1 %2").arg(dayName(date.dayOfWeek() % 7),
                                       timeOfDay(local.hour() * 60 + local.minute()));
}
