// The program: prepares Qt, the settings store and the scheme classes, then runs the clock.
#pragma once

#include "velmora_export.h"

#include <QString>
#include <memory>

struct CommandLine;
class LayerClock;
class QApplication;

class VELMORA_EXPORT CVelmoraApp {
public:
    // Runs until "Exit"; returns the program's exit status.
    int run(int argc, char** argv);

private:
    // --alarm and --timer: hands the request to the clock of the name, starting that clock
    // first where none runs; needs no display of its own. The program's exit status.
    static int handReminderOver(int argc, char** argv, const CommandLine& command);
    // Starts the clock of the name as a process of its own and waits until it listens.
    static bool startClock(const QString& clockName, const QString& socketPath);
    // The layer shell where the compositor offers it, else XWayland (a Wayland client window
    // can neither place itself nor stay on top): sets Qt's platform before Qt starts. False,
    // with the reason on stderr, where nothing can show the clock.
    static bool chooseDesktop(bool& layerShell);
    // The clock's layer surface; null where it cannot be made after all, and then usable
    // tells whether the clock may still run as a window (through XWayland).
    static std::unique_ptr<LayerClock> connectLayerShell(bool& usable);
    // The clock's threads (the window's, the drawing thread, Qt's X and D-Bus threads)
    // allocate little and seldom at once: one memory arena for all of them keeps each from
    // holding pages of its own. Before any thread starts.
    static void shareOneMemoryArena();
};
