// ChimePlayer: plays the info dialog's chime through a module loaded at the first chime.
#include "app/chime_player.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QtDebug>

ChimePlayer::ChimePlayer(QStringList folders) : folders_(std::move(folders)) {}

ChimePlayer& ChimePlayer::installed() {
    const QString executableFolder = QCoreApplication::applicationDirPath();
    static ChimePlayer player(
        {executableFolder,
         QDir::cleanPath(executableFolder + QStringLiteral("/" VELMORA_CHIME_FROM_BIN))});
    return player;
}

QObject* ChimePlayer::play(QObject* owner, const QUrl& source) {
    const Entry entry = load();
    return entry != nullptr ? entry(owner, &source) : nullptr;
}

ChimePlayer::Entry ChimePlayer::load() {
    if (tried_) {
        return entry_;
    }
    tried_ = true;
    const QString fileName = QStringLiteral("lib%1.so").arg(QLatin1String(kModuleName));
    QString why = QStringLiteral("no %1 in %2").arg(fileName, folders_.join(QStringLiteral(", ")));
    for (const QString& folder : folders_) {
        const QString path = QDir(folder).filePath(fileName);
        if (!QFileInfo::exists(path)) {
            continue;
        }
        library_.setFileName(path);
        entry_ = library_.load() ? reinterpret_cast<Entry>(library_.resolve(kEntryName)) : nullptr;
        if (entry_ != nullptr) {
            return entry_;
        }
        why = library_.errorString();
        library_.unload();
    }
    qWarning().noquote() << "velmora: the info chime stays silent:" << why;
    return nullptr;
}
