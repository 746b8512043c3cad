// The installed font family names, from Qt's font database, for the font family choices.
#include "render/font_families.h"

#include "model/font_family_list.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QSet>

std::vector<std::u16string> installedFontFamilies() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return {};
    }
    const QStringList names = QFontDatabase::families();
    std::vector<std::u16string> families;
    families.reserve(std::min<std::size_t>(names.size(), FontFamilyList::kCapacity));
    QSet<QString> seen;
    for (const QString& name : names) {
        if (families.size() == FontFamilyList::kCapacity) {
            break;
        }
        // A family that several foundries provide is listed once per foundry, tagged
        // "Name [FOUNDRY]"; people choose the family, and fontconfig picks the foundry.
        QString family = name;
        if (const qsizetype open = family.lastIndexOf(QStringLiteral(" ["));
            open > 0 && family.endsWith(u']')) {
            family.truncate(open);
        }
        if (seen.contains(family)) {
            continue;
        }
        seen.insert(family);
        families.push_back(family.toStdU16String());
    }
    return families;
}

void useInstalledFontFamilies() {
    FontFamilyList::setSource(&installedFontFamilies);
}
