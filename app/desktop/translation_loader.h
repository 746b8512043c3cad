// The program's translations, chosen from the desktop's language.
#pragma once

#include <QString>
#include <QStringList>
#include <QTranslator>
#include <functional>
#include <memory>

class TranslationLoader {
public:
    // The value of an environment variable, empty when unset.
    using Environment = std::function<QString(const char* name)>;

    // The languages asked for, most wanted first, as gettext reads them: the entries of
    // LANGUAGE, then the locale of LC_ALL, LC_MESSAGES or LANG (the first set). Codesets and
    // modifiers are dropped ("de_DE.UTF-8@euro" gives "de_DE"). That locale being C or POSIX,
    // or none being set, means English whatever LANGUAGE says.
    static QStringList wantedLanguages(const Environment& environment);

    // The folders the catalogues are looked for in: beside the build tree (translations/ next
    // to the program's folder), then the installed share/velmora/translations.
    static QStringList searchFolders(const QString& executableDir);

    // Loads the catalogue of the first wanted language that has one ("de_AT" falls back to
    // "de"), with Qt's own texts of that language where installed. False when English stays.
    bool load(const QStringList& languages, const QStringList& folders);
    bool loadForDesktop();

    // Puts the loaded catalogues into the application; every text asked for afterwards comes
    // in the language, each message missing from it in English.
    void install();

    // The language loaded ("de"), empty for English.
    const QString& language() const { return language_; }

private:
    std::unique_ptr<QTranslator> own_;
    std::unique_ptr<QTranslator> qt_;
    QString language_;
};
