// Where a clock goes that the user has not placed: the same place at every start.
#include "app/desktop/clock_places.h"

#include "app/desktop/settings.h"
#include "model/settings_keys.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>

namespace {

// More clocks than this in a row are not looked for.
constexpr int kRowLength = 64;
// The size of a clock that keeps no size of its own.
constexpr int kDefaultSide = 200;

} // namespace

bool ClockPlaces::firstClear(QPoint start, int step, const QSize& size, const QRect& area,
                             const QList<QRect>& others, QPoint& found) {
    for (int i = 0; i < kRowLength; ++i) {
        const QRect candidate(start + QPoint(i * step, 0), size);
        if (area.isValid() && !area.contains(candidate)) {
            return false;
        }
        const bool clear = std::none_of(others.begin(), others.end(), [&](const QRect& other) {
            return other.intersects(candidate);
        });
        if (clear) {
            found = candidate.topLeft();
            return true;
        }
    }
    return false;
}

QPoint ClockPlaces::first(const QRect& area, const QSize& size, const QList<QRect>& others) {
    const QPoint corner(area.right() + 1 - kMargin - size.width(), area.top() + kMargin);
    QPoint found = corner;
    firstClear(corner, -(size.width() + kGap), size, area, others, found);
    return found;
}

QPoint ClockPlaces::beside(const QRect& here, const QRect& area, const QList<QRect>& others) {
    const QPoint right(here.right() + 1 + kGap, here.top());
    const int step = here.width() + kGap;
    QPoint found = right;
    if (firstClear(right, step, here.size(), area, others, found) ||
        firstClear(QPoint(here.left() - step, here.top()), -step, here.size(), area, others,
                   found)) {
        return found;
    }
    return right;
}

QList<QRect> ClockPlaces::ofOtherClocks(const QString& clockName) {
    const QString own = Settings::applicationName(clockName);
    const QString base = Settings::applicationName(QString());
    const QDir folder(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                      QLatin1Char('/') + Settings::kOrganisation);
    const auto key = [](settings::PlacementPart part) {
        const SettingKey setting = settings::windowLayoutKey(settings::kClockWindow, part);
        return QString::fromUtf8(setting.section.data(),
                                 static_cast<qsizetype>(setting.section.size())) +
               QLatin1Char('/') + QString::fromStdString(setting.name);
    };
    QList<QRect> places;
    const QFileInfoList files = folder.entryInfoList(
        {base + QStringLiteral(".conf"), base + QStringLiteral("-*.conf")}, QDir::Files);
    for (const QFileInfo& file : files) {
        // Read only, and only what a clock writes: another clock's file is its own business.
        if (file.completeBaseName() == own || file.size() > Settings::kMaxFileBytes) {
            continue;
        }
        const QSettings other(file.filePath(), QSettings::IniFormat);
        bool hasX = false;
        bool hasY = false;
        const int x = other.value(key(settings::PlacementPart::X)).toInt(&hasX);
        const int y = other.value(key(settings::PlacementPart::Y)).toInt(&hasY);
        const int w = other.value(key(settings::PlacementPart::W), kDefaultSide).toInt();
        const int h = other.value(key(settings::PlacementPart::H), kDefaultSide).toInt();
        if (hasX && hasY && w > 0 && h > 0) {
            places.append(QRect(x, y, w, h));
        }
    }
    return places;
}
