// The clock's tray icon, and whether the desktop has a tray to show it in.
#pragma once

#include "app/x11/tray_watcher.h"

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>
#include <functional>
#include <memory>

class QMenu;

// A tray host may start after the clock or end before it. Where the desktop tells of its
// coming and going, the tray is asked again then; elsewhere the owner polls refresh().
class ClockTray : public QObject {
    Q_OBJECT
public:
    // Whether the desktop has a tray now: the platform's answer, or a test's own.
    using Probe = std::function<bool()>;
    // The menu the icon offers, made when the icon is.
    using MenuSource = std::function<QMenu*()>;

    explicit ClockTray(MenuSource menu, QObject* parent = nullptr);
    ~ClockTray() override;

    void setProbe(Probe probe) { probe_ = std::move(probe); }
    // Starts watching the desktop; false where it has to be polled.
    bool watch();
    // Asks the desktop again; makes the icon when a tray appears. Whether it has one.
    bool refresh();
    // As last seen by refresh().
    bool available() const { return available_; }
    void setIconShown(bool shown);
    // The time under the program's name in the icon's tooltip; kept for an icon made later.
    void setTimeText(const QString& text);
    // A line naming the next alarm under the icon's own tooltip; empty for none.
    void setNextAlarm(const QString& line);

signals:
    // The tray may have come or gone: refresh().
    void changed();
    // A double click on the icon.
    void doubleClicked();
    // A click with the middle button on the icon.
    void middleClicked();

private:
    void createIcon();
    void applyToolTip();

    MenuSource menu_;
    Probe probe_ = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
    std::unique_ptr<QSystemTrayIcon> tray_;
    TrayWatcher watcher_;
    bool available_ = false;
    bool iconShown_ = false;
    QString timeText_;
    QString nextAlarm_;
};
