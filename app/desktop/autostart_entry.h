// "Start with the desktop": the XDG autostart entry that starts one clock at login.
#pragma once

#include <QString>

class AutostartEntry {
public:
    // The entry of the clock whose settings go by this application name, started by this
    // program with this clock name (empty: the default clock).
    AutostartEntry(QString applicationName, QString program, QString clockName);

    // $XDG_CONFIG_HOME/autostart, else ~/.config/autostart.
    static QString folder();
    QString filePath() const;
    // What the entry holds when written.
    QString contents() const;
    // Read from the entry itself: there, and not hidden or disabled by the desktop.
    bool isEnabled() const;
    // Writes the entry (replacing any of the desktop's edits) or removes it; false when the
    // file system refused.
    bool setEnabled(bool enabled) const;

private:
    QString execLine() const;

    QString applicationName_;
    QString program_;
    QString clockName_;
};
