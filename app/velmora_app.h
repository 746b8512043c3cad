// The program: prepares Qt, the settings store and the scheme classes, then runs the clock.
#pragma once

class QApplication;

class CVelmoraApp {
public:
    // Runs until "Exit"; returns the program's exit status.
    int run(int argc, char** argv);

private:
    // Ending the session or Ctrl+C end the program as "Exit" does, so the temporary files
    // of the scheme are removed.
    static void quitOnTerminationSignals(QApplication& application);
    // A Wayland client can neither place itself nor stay on top: use XWayland when there.
    static void preferXcbUnderWayland();
    // The clock's threads (the window's, the drawing thread, Qt's X and D-Bus threads)
    // allocate little and seldom at once: one memory arena for all of them keeps each from
    // holding pages of its own. Before any thread starts.
    static void shareOneMemoryArena();
};
