// ChimePlayer: plays the clock's sounds (the chimes, alarms, the info dialog's chime) through a
// module loaded at the first sound.
#pragma once

#include "app/desktop/module_loader.h"

#include <QStringList>

class QObject;
class QUrl;

// Qt Multimedia maps a whole audio stack (PulseAudio, codecs, crypto) into the process; only
// the sounds need it, so it lives in a module of its own (velmora_chime) that is loaded the
// first time a sound plays rather than at every start.
class ChimePlayer {
public:
    // The module's entry point: plays source `loops` times (kLoopForever: until deleted) with an
    // effect owned by owner and returns it; the effect deletes itself once it has played or
    // failed. Null, with the reason, when no sound device answers.
    using Entry = QObject* (*)(QObject* owner, const QUrl* source, int loops, QString* whyNot);
    static constexpr const char* kEntryName = "velmoraPlaySound";
    static constexpr const char* kModuleName = "velmora_chime";
    static constexpr int kLoopForever = -2;

    // Looks for the module in these folders, in order, at the first play().
    explicit ChimePlayer(QStringList folders);
    ChimePlayer(const ChimePlayer&) = delete;
    ChimePlayer& operator=(const ChimePlayer&) = delete;

    // The player of the program: the module beside the executable (a build tree), then in the
    // installed library folder.
    static ChimePlayer& installed();

    // The playing effect, or null when the module is missing or cannot be loaded, or no sound
    // device answers (said once on stderr): the sound is then left out, silently for the user.
    // Deleting the effect stops it.
    QObject* play(QObject* owner, const QUrl& source, int loops = 1);

private:
    void sayOnce(const QString& why);

    ModuleLoader module_;
    bool said_ = false;
};
