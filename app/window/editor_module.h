// The editor module (velmora_editor), loaded at the first "Customize..." or "Time zones...".
#pragma once

#include <QString>

class ClockEditor;

// The option tree and the dialogs are a good part of the program, and most sessions only look
// at the clock: they live in a module of their own, which maps no page of them until the user
// asks for the editor.
class EditorModule {
public:
    // The module's entry point, which gives the editor; it lives as long as the program.
    using Entry = ClockEditor* (*)();
    static constexpr const char* kEntryName = "velmoraClockEditor";
    static constexpr const char* kModuleName = "velmora_editor";

    // The editor, loaded at the first call; null when the module is missing or cannot be
    // loaded (the reason is said on stderr).
    static ClockEditor* editor();
    // The editor if it has been loaded already, else null: asks without loading it.
    static ClockEditor* loaded();
    // Why the editor could not be loaded, for a message to the user.
    static QString missingReason();
    // An editor linked into the program itself (the window tests) is used instead.
    static void useLinked(ClockEditor* editor);
};

// The entry point, defined by the editor's code: in the module, or linked into the program.
extern "C" ClockEditor* velmoraClockEditor();
