// The velmora_chime module: the info dialog's chime, the only user of Qt Multimedia.
#include "app/chime/chime_player.h"

#include <QSoundEffect>
#include <QUrl>
#include <type_traits>

extern "C" Q_DECL_EXPORT QObject* velmoraPlayChime(QObject* owner, const QUrl* source) {
    auto* effect = new QSoundEffect(owner);
    QObject::connect(effect, &QSoundEffect::statusChanged, effect, [effect] {
        if (effect->status() == QSoundEffect::Error) {
            effect->deleteLater();
        }
    });
    QObject::connect(effect, &QSoundEffect::playingChanged, effect, [effect] {
        if (!effect->isPlaying()) {
            effect->deleteLater();
        }
    });
    effect->setSource(*source);
    effect->play();
    return effect;
}

// The player resolves this by name, so its type is checked here against the player's.
static_assert(std::is_same_v<decltype(&velmoraPlayChime), ChimePlayer::Entry>);
