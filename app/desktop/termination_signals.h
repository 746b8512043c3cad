// SIGTERM (the session ending), SIGINT (Ctrl+C) and SIGHUP end the clock as "Exit" does, and
// within a second whatever it is busy with.
#pragma once

#include <chrono>

class QCoreApplication;

class TerminationSignals {
public:
    // How long the ordinary way out may take before the process ends by the signal itself.
    static constexpr std::chrono::milliseconds kGrace{700};

    // From now on each of the signals quits the application's event loop; if the loop is too
    // busy to get there (a frame that takes long, say) or the way out takes longer than the
    // grace, or a second signal comes, the process ends at once by the signal. Nothing is
    // lost that way: settings are written at each change, saves replace their file only
    // once whole, and the next start sweeps temporary copies left behind.
    static void quitOn(QCoreApplication& application);
};
