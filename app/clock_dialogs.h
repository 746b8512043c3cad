// The windows the clock opens for the user: the customize dialog, the time zone dialog, the
// scheme chooser and the info dialog; and schemes loaded from outside the editor.
#pragma once

#include "app/clock_editing.h"

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>

class Clock;
class COptionsDial;
class SettingsStore;
class QWidget;

class ClockDialogs : public QObject {
    Q_OBJECT
public:
    // The dialogs open beside `window`, the clock's, and edit `clock`; both outlive this.
    ClockDialogs(QWidget& window, Clock& clock, SettingsStore& settings);
    ~ClockDialogs() override;

    // The customize dialog while one is open, else null.
    COptionsDial* optionsDialog() const;
    // Whether "Customize..." may open one now: only one runs in the program.
    static bool canOpenOptionsDialog();
    void openOptionsDialog();
    // The time zone dialog while it runs, else null.
    QDialog* timezonesDialog() const { return timezonesDial_; }
    // Runs it modally; its OK changes the zone slots (and emits zonesChanged).
    void runTimezonesDialog();
    void runInfoDialog();
    // The scheme chooser while it is open, else null.
    QDialog* schemeChooser() const { return schemeChooser_; }
    void openSchemeChooser();
    // The folders the scheme chooser shows: the installed examples, the user's scheme folder
    // and the folder of the scheme loaded last.
    QStringList schemeFolders() const;

    // Loads a scheme file the user chose from outside the editor (a later launch, a drop, the
    // chooser) as the editor's Load does: a file that cannot be read is reported and changes
    // nothing; an open customize dialog may keep its unsaved edits first. Whether it took it.
    bool loadSchemeAsUser(const QString& path);
    // The same once no modal window runs: one (a file dialog or a question of the editor) runs
    // inside the code that opened it, which goes on with the scheme's elements when it closes,
    // so they must still be there then.
    void loadWhenFree(const QString& path);
    // How a refused file is reported: a message box, or a test's own.
    using LoadErrorReport = std::function<void(const QString& message)>;
    void setLoadErrorReport(LoadErrorReport report) { loadErrorReport_ = std::move(report); }

    // Picking and moving elements on the clock while the customize dialog is open.
    ClockEditing& editing() { return editing_; }

signals:
    // The scheme changed through a dialog or a load: the clock shows it now.
    void schemeChanged();
    // The time zone dialog changed the zone slots.
    void zonesChanged();
    // A user's choice of scheme is about to replace whatever start-up still reads.
    void userSchemeChosen();

private:
    // Opens a dialog beside the clock, on its screen, where the clock stays in view.
    void placeBesideClock(QWidget& dialog) const;
    // Whether an open customize dialog lets a scheme from outside replace the one it edits:
    // it may ask to save its edits first, and closes, as its rows are of the old scheme.
    bool editorReleasesScheme();

    QWidget& window_;
    Clock& clock_;
    SettingsStore& settings_;
    ClockEditing editing_;
    // Held as its base: the header stays free of the dialog's.
    QPointer<QDialog> optionsDial_;
    // The time zone dialog while it runs: a second one from the tray's menu would race it.
    QPointer<QDialog> timezonesDial_;
    QPointer<QDialog> schemeChooser_;
    LoadErrorReport loadErrorReport_;
};
