// A module of the program (a shared object with one entry point), loaded at its first use.
#pragma once

#include <QLibrary>
#include <QString>
#include <QStringList>

// Parts that only some sessions use (the chime's audio stack, the editor) live in modules of
// their own, so that a clock that is only looked at never maps them.
class ModuleLoader {
public:
    // Looks for lib<name>.so in these folders, in order, at the first resolve().
    ModuleLoader(QString name, QStringList folders);
    ModuleLoader(const ModuleLoader&) = delete;
    ModuleLoader& operator=(const ModuleLoader&) = delete;

    // Where the program's modules are: beside the executable (a build tree), then in the
    // installed private folder. Also before the application object exists.
    static QStringList installedFolders();

    // The entry point, or null when the module is missing, comes from another build of the
    // program (refused unloaded) or cannot be loaded; the reason is in why(). Tried once.
    QFunctionPointer resolve(const char* entry);
    const QString& why() const { return why_; }
    // The file the entry point came from; empty until one did.
    QString path() const;

private:
    QString name_;
    QStringList folders_;
    QLibrary library_;
    bool tried_ = false;
    QFunctionPointer entry_ = nullptr;
    QString why_;
};
