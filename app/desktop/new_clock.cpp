// "New clock": another clock of its own name, started beside this one.
#include "app/desktop/new_clock.h"

#include "app/desktop/clock_instance.h"
#include "app/desktop/clock_places.h"
#include "app/desktop/settings.h"

#include <QCoreApplication>
#include <QList>
#include <QProcess>
#include <climits>

QString NewClock::nextFreeName(const std::function<bool(const QString&)>& running) {
    for (int number = 2;; ++number) {
        const QString name = QString::number(number);
        if (!running(name)) {
            return name;
        }
    }
}

QString NewClock::start(const QRect& here, const QRect& desktop, const Launcher& launcher) {
    const QString name = nextFreeName([](const QString& candidate) {
        return ClockInstance::isRunning(Settings::applicationName(candidate));
    });
    placeBeside(name, here, desktop);
    const bool started = launcher ? launcher(name)
                                  : QProcess::startDetached(QCoreApplication::applicationFilePath(),
                                                            {QStringLiteral("--clock"), name});
    return started ? name : QString();
}

void NewClock::placeBeside(const QString& clockName, const QRect& here, const QRect& desktop) {
    using settings::PlacementPart;
    using settings::windowLayoutKey;
    Settings other(Settings::ClockName{clockName});
    const SettingKey x = windowLayoutKey(settings::kClockWindow, PlacementPart::X);
    const SettingKey y = windowLayoutKey(settings::kClockWindow, PlacementPart::Y);
    constexpr std::int32_t kUnset = INT32_MIN;
    if (other.readInt(x, kUnset) != kUnset && other.readInt(y, kUnset) != kUnset) {
        return;
    }
    QList<QRect> taken = ClockPlaces::ofOtherClocks(clockName);
    taken.append(here);
    const QPoint place = ClockPlaces::beside(here, desktop, taken);
    other.writeInt(x, place.x());
    other.writeInt(y, place.y());
}
