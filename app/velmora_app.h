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
};
