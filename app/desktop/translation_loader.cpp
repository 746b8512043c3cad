// The program's translations, chosen from the desktop's language.
#include "app/desktop/translation_loader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>

namespace {

// "de_DE.UTF-8@euro" → "de_DE"; empty for the locales that mean "untranslated".
QString languageOf(const QString& locale) {
    QString name = locale.section(QLatin1Char('@'), 0, 0).section(QLatin1Char('.'), 0, 0);
    if (name == QLatin1String("C") || name == QLatin1String("POSIX")) {
        return {};
    }
    return name;
}

// "de_AT" is tried as itself, then as "de".
QStringList catalogueNames(const QString& language) {
    QStringList names{language};
    const QString base = language.section(QLatin1Char('_'), 0, 0);
    if (base != language) {
        names.append(base);
    }
    return names;
}

} // namespace

QStringList TranslationLoader::wantedLanguages(const Environment& environment) {
    QString locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = environment(name);
        if (!locale.isEmpty()) {
            break;
        }
    }
    // As in gettext, LANGUAGE refines a chosen language but does not override the C locale,
    // which scripts set to have the program's own words.
    const QString language = languageOf(locale);
    if (language.isEmpty()) {
        return {};
    }
    QStringList wanted;
    for (const QString& entry :
         environment("LANGUAGE").split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (const QString listed = languageOf(entry); !listed.isEmpty()) {
            wanted.append(listed);
        }
    }
    wanted.append(language);
    return wanted;
}

QStringList TranslationLoader::searchFolders(const QString& executableDir) {
    if (executableDir.isEmpty()) {
        return {};
    }
    return {
        QDir::cleanPath(executableDir + QStringLiteral("/../translations")),
        QDir::cleanPath(executableDir + QStringLiteral("/" VELMORA_DATA_FROM_BIN "/translations"))};
}

bool TranslationLoader::load(const QStringList& languages, const QStringList& folders) {
    for (const QString& wanted : languages) {
        for (const QString& language : catalogueNames(wanted)) {
            for (const QString& folder : folders) {
                auto own = std::make_unique<QTranslator>();
                if (!own->load(QStringLiteral("velmora_") + language, folder)) {
                    continue;
                }
                own_ = std::move(own);
                // The loader itself falls back from "velmora_de_AT" to "velmora_de".
                language_ = QFileInfo(own_->filePath()).completeBaseName().mid(8);
                // Qt's own buttons and file dialogs in the same language, where Debian's
                // translations of Qt are installed.
                auto qt = std::make_unique<QTranslator>();
                if (qt->load(QStringLiteral("qtbase_") + language,
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
                    qt_ = std::move(qt);
                }
                return true;
            }
        }
    }
    return false;
}

bool TranslationLoader::loadForDesktop() {
    // Read one by one: the whole environment as Qt gathers it brings in its process code.
    return load(wantedLanguages([](const char* name) { return qEnvironmentVariable(name); }),
                searchFolders(QCoreApplication::applicationDirPath()));
}

void TranslationLoader::install() {
    if (qt_ != nullptr) {
        QCoreApplication::installTranslator(qt_.get());
    }
    if (own_ != nullptr) {
        QCoreApplication::installTranslator(own_.get());
    }
}
