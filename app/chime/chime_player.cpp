// ChimePlayer: plays the info dialog's chime through a module loaded at the first chime.
#include "app/chime/chime_player.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QtDebug>

ChimePlayer::ChimePlayer(QStringList folders)
    : module_(QLatin1String(kModuleName), std::move(folders)) {}

ChimePlayer& ChimePlayer::installed() {
    static ChimePlayer player(ModuleLoader::installedFolders());
    return player;
}

QObject* ChimePlayer::play(QObject* owner, const QUrl& source) {
    const auto entry = reinterpret_cast<Entry>(module_.resolve(kEntryName));
    if (entry == nullptr) {
        // Said once: the chime is then left out, silently for the user.
        static bool said = false;
        if (!said) {
            qWarning().noquote() << "velmora: the info chime stays silent:" << module_.why();
            said = true;
        }
        return nullptr;
    }
    return entry(owner, &source);
}
