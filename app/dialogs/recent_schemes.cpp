// The schemes the user loaded or saved last.
#include "app/dialogs/recent_schemes.h"

#include "model/settings_store.h"

#include <QFileInfo>

namespace {

QStringList stored(const SettingsStore& settings) {
    return QString::fromStdU16String(settings.readText(settings::kRecentSchemes))
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

QStringList RecentSchemes::read(const SettingsStore& settings) {
    QStringList paths = stored(settings);
    // Loaded before the list was kept, the last scheme still counts.
    const QString last = QString::fromStdU16String(settings.readText(settings::kSchemeLoaded));
    if (!last.isEmpty() && !paths.contains(last)) {
        paths.prepend(last);
    }
    QStringList there;
    for (const QString& path : paths) {
        if (QFileInfo(path).isFile()) {
            there.append(path);
        }
    }
    return there.mid(0, kKept);
}

void RecentSchemes::add(SettingsStore& settings, const QString& given) {
    if (given.isEmpty() || given.contains(QLatin1Char('\n'))) {
        return;
    }
    // One spelling per file, so a scheme named relatively is not listed twice.
    const QString path = QFileInfo(given).absoluteFilePath();
    QStringList paths = stored(settings);
    if (!paths.isEmpty() && paths.constFirst() == path) {
        return;
    }
    paths.removeAll(path);
    paths.prepend(path);
    settings.writeText(settings::kRecentSchemes,
                       paths.mid(0, kKept).join(QLatin1Char('\n')).toStdU16String());
}
