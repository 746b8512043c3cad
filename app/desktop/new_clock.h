// "New clock": another clock of its own name, started beside this one.
#pragma once

#include <QRect>
#include <QString>
#include <functional>

class NewClock {
public:
    // How the clock of a name is started: a process of this program, or a test's own.
    using Launcher = std::function<bool(const QString& clockName)>;

    // The first of "2", "3", ... that no running clock goes by.
    static QString nextFreeName(const std::function<bool(const QString&)>& running);
    // Starts the next free clock beside the clock at `here` (its frame) on `desktop`; its
    // name, empty on failure. Without a launcher, a process of this program.
    static QString start(const QRect& here, const QRect& desktop, const Launcher& launcher);
    // Gives the clock of the name a place beside `here` clear of the other clocks, to the right
    // where the desktop has room, else to the left; unless it has a place of its own.
    static void placeBeside(const QString& clockName, const QRect& here, const QRect& desktop);
};
