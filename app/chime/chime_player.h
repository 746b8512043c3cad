// ChimePlayer: plays the info dialog's chime through a module loaded at the first chime.
#pragma once

#include "app/desktop/module_loader.h"

#include <QStringList>

class QObject;
class QUrl;

// Qt Multimedia maps a whole audio stack (PulseAudio, codecs, crypto) into the process; only
// the chime needs it, so it lives in a module of its own (velmora_chime) that is loaded the
// first time a chime plays rather than at every start.
class ChimePlayer {
public:
    // The module's entry point: plays source with an effect owned by owner and returns it; the
    // effect deletes itself once it has played or failed.
    using Entry = QObject* (*)(QObject* owner, const QUrl* source);
    static constexpr const char* kEntryName = "velmoraPlayChime";
    static constexpr const char* kModuleName = "velmora_chime";

    // Looks for the module in these folders, in order, at the first play().
    explicit ChimePlayer(QStringList folders);
    ChimePlayer(const ChimePlayer&) = delete;
    ChimePlayer& operator=(const ChimePlayer&) = delete;

    // The player of the program: the module beside the executable (a build tree), then in the
    // installed library folder.
    static ChimePlayer& installed();

    // The playing effect, or null when the module is missing or cannot be loaded (said once on
    // stderr): the chime is then left out, silently for the user.
    QObject* play(QObject* owner, const QUrl& source);

private:
    ModuleLoader module_;
};
