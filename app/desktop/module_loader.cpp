// A module of the program (a shared object with one entry point), loaded at its first use.
#include "app/desktop/module_loader.h"

#include "app/desktop/module_identity.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

ModuleLoader::ModuleLoader(QString name, QStringList folders)
    : name_(std::move(name)), folders_(std::move(folders)) {}

QStringList ModuleLoader::installedFolders() {
    // Before Qt starts (the Wayland module decides on which platform it does), the kernel
    // says where the program is.
    const QString executableFolder =
        QCoreApplication::instance() != nullptr
            ? QCoreApplication::applicationDirPath()
            : QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).path();
    return {executableFolder,
            QDir::cleanPath(executableFolder + QStringLiteral("/" VELMORA_MODULES_FROM_BIN))};
}

QFunctionPointer ModuleLoader::resolve(const char* entry) {
    if (tried_) {
        return entry_;
    }
    tried_ = true;
    const QString fileName = QStringLiteral("lib%1.so").arg(name_);
    QStringList reasons;
    for (const QString& folder : folders_) {
        const QString path = QDir(folder).filePath(fileName);
        if (!QFileInfo::exists(path)) {
            continue;
        }
        // Checked before loading: loading runs the module's code.
        QString unreadable;
        const std::optional<QByteArray> identity = ModuleIdentity::ofFile(path, unreadable);
        if (!identity) {
            reasons.append(unreadable);
            continue;
        }
        if (*identity != ModuleIdentity::program()) {
            reasons.append(QStringLiteral("%1 is of another build (%2), not of this program's (%3)")
                               .arg(path, QString::fromLatin1(*identity),
                                    QString::fromLatin1(ModuleIdentity::program())));
            continue;
        }
        library_.setFileName(path);
        entry_ = library_.load() ? library_.resolve(entry) : nullptr;
        if (entry_ != nullptr) {
            why_.clear();
            return entry_;
        }
        reasons.append(library_.errorString());
        library_.unload();
    }
    why_ = reasons.isEmpty()
               ? QStringLiteral("no %1 in %2").arg(fileName, folders_.join(QStringLiteral(", ")))
               : reasons.join(QStringLiteral("; "));
    return nullptr;
}

QString ModuleLoader::path() const {
    return entry_ != nullptr ? library_.fileName() : QString();
}
