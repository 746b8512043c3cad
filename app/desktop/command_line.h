// The clock's command line: velmora [--clock NAME] [FILE.Velmora], --alarm HH:MM or --timer
// DURATION with --label TEXT, --help, --version, --check-modules.
#pragma once

#include "app/desktop/clock_request.h"

#include <QString>
#include <QStringList>
#include <optional>

struct CommandLine {
    enum class Action {
        // Start the clock (or hand the file to the one already running under the name).
        Run,
        // Print the text to standard output and end with status 0 (--help, --version).
        Print,
        // Print the text to standard error and end with status 2.
        UsageError,
        // Load each of the program's modules as the clock would, tell how it went, and end.
        CheckModules,
    };
    static constexpr int kExitUsage = 2;

    Action action = Action::Run;
    QString text;
    // The clock's name; empty for the default clock.
    QString clockName;
    // The scheme file to load, as given (relative to the working folder); empty for none.
    QString schemeFile;
    // An alarm or timer to hand to the clock (its askedAt left for the caller to set); the
    // launch then starts no clock of its own.
    std::optional<ClockRequest> reminder;

    // Reads the arguments, the program's name first. Needs no application object, so it
    // answers without a display.
    static CommandLine parse(const QStringList& arguments);
    // The arguments without the options every Qt program takes (-style, -stylesheet,
    // -platform, -reverse, ...) and their values, which are the toolkit's to read.
    static QStringList withoutToolkitOptions(const QStringList& arguments);
    // A name fit for file names, socket names and the autostart entry's command line.
    static bool isValidClockName(const QString& name);
    static QString usage(const QString& program);
};
