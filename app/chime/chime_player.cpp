// ChimePlayer: plays the clock's sounds (the chimes, alarms, the info dialog's chime) through a
// module loaded at the first sound.
#include "app/chime/chime_player.h"

#include <QUrl>
#include <QtDebug>

ChimePlayer::ChimePlayer(QStringList folders)
    : module_(QLatin1String(kModuleName), std::move(folders)) {}

ChimePlayer& ChimePlayer::installed() {
    static ChimePlayer player(ModuleLoader::installedFolders());
    return player;
}

QObject* ChimePlayer::play(QObject* owner, const QUrl& source, int loops) {
    const auto entry = reinterpret_cast<Entry>(module_.resolve(kEntryName));
    if (entry == nullptr) {
        sayOnce(module_.why());
        return nullptr;
    }
    QString whyNot;
    QObject* effect = entry(owner, &source, loops, &whyNot);
    if (effect == nullptr) {
        sayOnce(whyNot);
    }
    return effect;
}

// A clock that chimes every quarter without a sound device would say so four times an hour.
void ChimePlayer::sayOnce(const QString& why) {
    if (said_) {
        return;
    }
    said_ = true;
    qWarning().noquote() << "velmora: sounds stay silent:" << why;
}
