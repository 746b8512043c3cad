// The velmora_chime module: the clock's sounds, the only user of Qt Multimedia.
#include "app/chime/chime_player.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>
#include <type_traits>

namespace {

bool soundDeviceAnswers() {
    static bool probed = false;
    if (probed) {
        return !QMediaDevices::defaultAudioOutput().isNull();
    }
    probed = true;
    // Qt's audio layer tells of a missing sound server in its own words as it starts, and of a
    // missing device at every sound; the player says it once, in ours.
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    const bool present = !QMediaDevices::defaultAudioOutput().isNull();
    qInstallMessageHandler(previous);
    return present;
}

} // namespace

extern "C" Q_DECL_EXPORT QObject* velmoraPlaySound(QObject* owner, const QUrl* source, int loops,
                                                   QString* whyNot) {
    if (!soundDeviceAnswers()) {
        *whyNot = QStringLiteral("no sound device answers");
        return nullptr;
    }
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
    effect->setLoopCount(loops);
    effect->setSource(*source);
    effect->play();
    return effect;
}

// The player resolves this by name, so its type is checked here against the player's.
static_assert(std::is_same_v<decltype(&velmoraPlaySound), ChimePlayer::Entry>);
static_assert(ChimePlayer::kLoopForever == QSoundEffect::Infinite);
