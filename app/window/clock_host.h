// What the clock's menu commands and its pointer need of the clock window: its parts, its view
// settings and the few actions they start. CVelmoraDlg implements it; neither sees the rest of
// the window.
#pragma once

#include "app/desktop/new_clock.h"

#include <QPoint>
#include <QRect>
#include <QString>

class AlarmService;
class Clock;
class ClockChimes;
class ClockDialogs;
class QWidget;
class SettingsStore;
class TickSchedule;
struct ViewSettings;

class ClockHost {
public:
    // The window itself: its geometry, its title, a parent for messages.
    virtual QWidget& widget() = 0;
    virtual Clock& clock() = 0;
    virtual SettingsStore& settings() = 0;
    // The settings the menu marks and toggles; applyViewState() brings the window in line.
    virtual ViewSettings& view() = 0;
    virtual ClockDialogs& dialogs() = 0;
    virtual AlarmService& alarms() = 0;
    virtual ClockChimes& chimes() = 0;
    virtual TickSchedule& ticks() = 0;
    virtual const QString& clockName() const = 0;
    virtual const NewClock::Launcher& clockLauncher() const = 0;

    virtual bool onLayerShell() const = 0;
    virtual qreal frameRatio() const = 0;
    virtual bool trayAvailable() const = 0;
    virtual void refreshTray() = 0;

    virtual void placeByUser(const QRect& target, bool done) = 0;
    virtual void applyViewState() = 0;
    virtual void drawFrame() = 0;
    virtual void toggleClickThrough() = 0;
    virtual void setOverallAlpha(int alpha) = 0;
    virtual void setThreadPriority(int level) = 0;
    virtual void setSmoothMotion(bool on) = 0;
    virtual void showContextMenu(const QPoint& screenPosition) = 0;
    virtual void openCalendar() = 0;
    virtual void exitAsUser() = 0;

protected:
    ~ClockHost() = default;
};
