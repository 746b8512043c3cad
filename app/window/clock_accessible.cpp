// ClockAccessible: the clock window's name and description, read from the clock's own time.
#include "app/window/clock_accessible.h"

#include "app/window/clock_speech.h"
#include "app/window/velmora_dlg.h"

namespace {

QAccessibleInterface* clockInterface(const QString& key, QObject* object) {
    if (key == QLatin1String("CVelmoraDlg")) {
        return new ClockAccessible(static_cast<CVelmoraDlg*>(object));
    }
    return nullptr;
}

} // namespace

ClockAccessible::ClockAccessible(CVelmoraDlg* clock)
    : QAccessibleWidget(clock, QAccessible::Clock) {}

void ClockAccessible::install() {
    static const bool installed = [] {
        QAccessible::installFactory(clockInterface);
        return true;
    }();
    (void)installed;
}

ClockHost& ClockAccessible::clock() const {
    return *static_cast<CVelmoraDlg*>(widget());
}

QString ClockAccessible::text(QAccessible::Text t) const {
    const velmora::PackedDateTime utc = velmora::packedDateTimeFrom(clock().ticks().now());
    switch (t) {
    case QAccessible::Name:
        return ClockSpeech::spokenTime(utc, QLocale());
    case QAccessible::Description: {
        QStringList lines{clock().widget().windowTitle()};
        lines.append(ClockSpeech::otherZones(utc, QLocale()));
        return lines.join(QStringLiteral("; "));
    }
    default:
        return QAccessibleWidget::text(t);
    }
}
