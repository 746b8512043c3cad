// The windows the clock opens for the user: the customize dialog, the time zone dialog, the
// scheme chooser, the calendar, the alarms dialog and the info dialog; and schemes loaded from
// outside the editor.
#pragma once

#include "time/packed_date_time.h"

#include <QDialog>
#include <QPoint>
#include <QPointF>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>

class AlarmService;
class Clock;
class ClockChimes;
class ClockEditor;
class ClockPlanner;
class QDate;
class SettingsStore;
class QKeyEvent;
class QWidget;

class ClockDialogs : public QObject {
    Q_OBJECT
public:
    // The dialogs open beside `window`, the clock's, and edit `clock`; both outlive this.
    ClockDialogs(QWidget& window, Clock& clock, SettingsStore& settings);
    ~ClockDialogs() override;

    // The customize dialog while one is open, else null.
    QDialog* optionsDialog() const { return optionsDial_; }
    // Whether "Customize..." may open one now: only one runs in the program, and the editor
    // must be there.
    static bool canOpenOptionsDialog();
    void openOptionsDialog();
    // Closes an open customize dialog as its OK does, asking about unsaved edits; false when
    // the user keeps editing. True when none is open.
    bool closeOptionsDialog();
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
    // The month calendar beside the clock, with `today` (the clock's local date) marked.
    void openCalendar(const QDate& today);
    QWidget* calendar() const { return calendar_; }
    // The alarms, timers and sounds of the clock, beside it; brought forward when open.
    void openAlarms(AlarmService& alarms, ClockChimes& chimes);
    QDialog* alarmsDialog() const { return alarmsDial_; }

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

    // Moves the clock to a place of the program's, never saved. Set where the window system
    // may put the customize dialog over the clock: the clock then steps beside the dialog
    // while it is open (see stepAsideFrom). Unset, the clock stays where it is.
    using ClockMover = std::function<void(const QPoint& position)>;
    void setClockMover(ClockMover mover) { clockMover_ = std::move(mover); }

    // Editing on the clock itself while the customize dialog is open (see ClockEditor).
    bool pressOnClock(QPointF position, QPoint globalPosition, qreal ratio,
                      const velmora::PackedDateTime& utc);
    void moveOnClock(QPoint globalPosition, qreal ratio);
    void releaseOnClock();
    bool movingOnClock() const;
    bool keyOnClock(const QKeyEvent& key, qreal ratio);

signals:
    // The scheme changed through a dialog or a load: the clock shows it now.
    void schemeChanged();
    // The time zone dialog changed the zone slots.
    void zonesChanged();
    // A user's choice of scheme is about to replace whatever start-up still reads.
    void userSchemeChosen();

private:
    // Opens a dialog beside the clock, on its screen, where the clock stays in view; a dialog
    // that must shrink to fit is given its size through resize. With clockStepsAside (the
    // caller runs stepAsideFrom), a dialog that would shrink much beside the clock keeps its
    // size and is placed for the clock to step aside.
    void placeBesideClock(QWidget& dialog, const std::function<void(QSize)>& resize,
                          bool clockStepsAside) const;
    // Once the window system has placed the dialog: where it covers the clock, the clock
    // steps beside it, and back when the dialog goes unless the user moved it meanwhile.
    void stepAsideFrom(QDialog& dialog);
    // The editor, or null after telling the user why it is missing.
    ClockEditor* editorOrMessage();
    // The same of the planner (the calendar and the alarms dialog).
    ClockPlanner* plannerOrMessage();

    QWidget& window_;
    Clock& clock_;
    SettingsStore& settings_;
    QPointer<QDialog> optionsDial_;
    // The time zone dialog while it runs: a second one from the tray's menu would race it.
    QPointer<QDialog> timezonesDial_;
    QPointer<QDialog> schemeChooser_;
    QPointer<QWidget> calendar_;
    QPointer<QDialog> alarmsDial_;
    LoadErrorReport loadErrorReport_;
    ClockMover clockMover_;
};
