// The installed font family names, from Qt's font database, for the font family choices.
#include "render/font_families.h"

#include "model/font_family_list.h"

#include <QFontDatabase>
#include <QGuiApplication>

std::vector<std::u16string> installedFontFamilies() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return {};
    }
    const QStringList names = QFontDatabase::families();
    std::vector<std::u16string> families;
    families.reserve(std::min<std::size_t>(names.size(), FontFamilyList::kCapacity));
    for (const QString& name : names) {
        if (families.size() == FontFamilyList::kCapacity) {
            break;
        }
        families.push_back(name.toStdU16String());
    }
    return families;
}

void useInstalledFontFamilies() {
    FontFamilyList::setSource(&installedFontFamilies);
}
