// The clock on the desktop: a frameless, per-pixel-alpha window showing the clock body, its
// input (moves, corner resizes, the menu, drops) and its view settings. The parts it is made
// of each do one thing: TickSchedule wakes it, FrameRenderer and DirectPresentation draw and
// show its frames, ClockTray and ZoneFollower watch the desktop, ClockDialogs opens the
// editor and the other dialogs.
#pragma once

#include "app/alarms/alarm_service.h"
#include "app/alarms/clock_chimes.h"
#include "app/alarms/desktop_notifier.h"
#include "app/desktop/new_clock.h"
#include "app/desktop/zone_follower.h"
#include "app/presentation/backing_store_lag.h"
#include "app/presentation/direct_presentation.h"
#include "app/window/clock_commands.h"
#include "app/window/clock_dialogs.h"
#include "app/window/clock_host.h"
#include "app/window/clock_menu.h"
#include "app/window/clock_pointer.h"
#include "app/window/clock_surface.h"
#include "app/window/clock_tray.h"
#include "app/window/layer_clock.h"
#include "app/window/startup_scheme.h"
#include "app/window/tick_schedule.h"
#include "app/window/view_settings.h"
#include "app/window/window_corners.h"
#include "clock/clock.h"
#include "render/frame_renderer.h"

#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class DesktopBackdrop;
class CWindowAligner;
class SettingsStore;

// What a clock is from its start to its end.
struct ClockWindowOptions {
    // The clock's name (empty for the default clock), which its settings, its socket and its
    // autostart entry go by, and its window's title.
    QString clockName;
    // Where the compositor offers it, the surface that shows the clock instead of the window,
    // which then stays hidden and only keeps the clock's geometry; null on X11.
    std::unique_ptr<LayerClock> layer;
    // How the stored scheme's file is read at start: whole, on a thread of its own; a test may
    // read through its own.
    StartupScheme::Reader schemeReader = StartupScheme::readWholeFile;
    // Whether the desktop has a tray: the platform's answer when empty, or a test's own.
    ClockTray::Probe trayProbe;
    // Where the time comes from: the system clock when empty, or a test's own.
    TickSchedule::WallClock wallClock;
    // Where a scheme that cannot be loaded is reported: a message box when empty.
    ClockDialogs::LoadErrorReport loadErrorReport;
    // How "New clock" starts the clock of a name: a process of this program when empty.
    NewClock::Launcher clockLauncher;
};

class CVelmoraDlg final : public QWidget, public ClockHost {
    Q_OBJECT

public:
    static constexpr int kCornerSize = WindowCorners::kSize;
    static constexpr int kInitialSize = 200;

    explicit CVelmoraDlg(SettingsStore& settings, ClockWindowOptions options = {});
    ~CVelmoraDlg() override;

    // Zones, view settings, the scheme, placement and the first frame.
    void initialize();
    // Loads a scheme file the user chose from outside the editor (see ClockDialogs).
    bool loadSchemeAsUser(const QString& path) { return dialogs_.loadSchemeAsUser(path); }
    // A later launch's request: a scheme to show, or an alarm or timer to set.
    void takeRequest(const ClockRequest& request);

signals:
    void exitRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Its tests reach its parts and what its last frame redrew.
    friend class ClockWindowProbe;

    // What the commands, the pointer and the accessible clock reach, through ClockHost.
    QWidget& widget() override { return *this; }
    Clock& clock() override { return clock_; }
    SettingsStore& settings() override { return settings_; }
    ViewSettings& view() override { return view_; }
    ClockDialogs& dialogs() override { return dialogs_; }
    AlarmService& alarms() override { return alarms_; }
    ClockChimes& chimes() override { return chimes_; }
    TickSchedule& ticks() override { return ticks_; }
    const QString& clockName() const override { return clockName_; }
    const NewClock::Launcher& clockLauncher() const override { return clockLauncher_; }
    bool onLayerShell() const override { return onLayerShell_; }
    // Frame pixels per logical pixel: the layer surface's output scale, or the window's ratio.
    qreal frameRatio() const override;
    // Whether click-through and hiding can be offered: both need a tray icon to come back.
    // As last seen by refreshTray().
    bool trayAvailable() const override { return tray_.available(); }
    // Asks the desktop again whether it has a tray, which a tray host starting after the clock
    // or ending before it changes: creates the icon when one appears, and brings a
    // click-through or hidden clock back to normal when it goes.
    void refreshTray() override;
    // A move or resize the user makes, live (a drag) or done (its end, a size preset): only
    // those are saved.
    void placeByUser(const QRect& target, bool done) override;
    // Renders one frame for the current time and shows it.
    void drawFrame() override;
    // Brings z-order, click-through, visibility, the tray icon and the thread priority in
    // line with the members.
    void applyViewState() override;
    void showContextMenu(const QPoint& screenPosition) override {
        commands_.showMenu(screenPosition);
    }
    void toggleClickThrough() override;
    // The user's "Exit" (the menu, Enter on the clock, the window manager's close): an open
    // customize dialog first settles its unsaved edits, and the user may stay.
    void exitAsUser() override;
    // The month calendar beside the clock, with the clock's local date marked.
    void openCalendar() override;
    void setOverallAlpha(int alpha) override;
    // "Smooth motion": continuous hands at the display's refresh rate, or ten times a second.
    void setSmoothMotion(bool on) override;
    void setThreadPriority(int level) override;

    // What the clock is called on the desktop: "Velmora", or "Velmora — NAME" for a named one.
    static QString titleFor(const QString& clockName);
    const QImage& lastFrame() const { return renderer_.frame(); }
    // The display's refresh rate in frames a second, 60 where it does not say.
    int displayRate() const;
    // Shows the clock, above other windows, as a later launch of it asks.
    void bringToFront();
    // A later launch's scheme (empty: none) is loaded as the user's, and the clock comes to
    // the front. While a modal window of the clock runs, the load waits for it.
    void takeHandOver(const QString& path);

    void limitSizeToDesktop();
    // Where a clock the user never placed goes in the free area of the primary screen: the
    // same place at every start, clear of the other clocks.
    QRect firstPlacement(const QRect& area) const;
    void prepareFirstFrame();
    // The tooltip: the date and the zones' times, and the next alarm when one is set.
    QString toolTipText() const;
    // Follows screens added, removed or resized, so the clock stays usable on one of them.
    void watchScreens();
    void screensChanged();
    void loadScheme();
    // A tick of the schedule: polls what cannot be watched when due, and draws.
    void onFrameDue(bool pollDue);
    // Records the frames of the ticks to come for the drawing thread; what they will draw
    // again, or nothing when it takes none.
    std::optional<QRegion> drawAhead(const FrameRenderer::Finish& finish, bool fromNow);
    // Whether the clock's frames follow the display's refreshes: smooth motion, moving.
    bool smoothlyPaced() const;
    // Whether a frame can skip the backing store and go straight to the window.
    bool presentDirectly();
    // Updates the input shape where the frame changed, in the window's coordinates.
    void updateInputMask(const QRegion& changed);
    // Undoes a minimise by the window manager, which would leave the clock unreachable.
    void restoreFromMinimized();
    // Whether the clock moves and its window is covered or unmapped, as the window system says.
    bool coveredWhileMoving() const;
    // An edit in the customize dialog shows at once, not at the next second.
    void schemeEdited();
    // The tray icon's tooltip tells the time: brought up to date when the minute changed.
    void updateTrayTime(const velmora::PackedDateTime& utc);
    // The zones of the clock changed: frames, alarms and chimes follow.
    void zonesChanged();
    // The next alarm, named in the tooltips.
    void showNextAlarm();

    SettingsStore& settings_;
    Clock clock_;
    // Before the tray, whose icon shows the same menu.
    ClockCommands commands_{*this};
    std::unique_ptr<CWindowAligner> aligner_;
    TickSchedule ticks_;
    FrameRenderer renderer_;
    // The presenter and the input bits, which the drawing thread uses while it finishes a
    // frame.
    DirectPresentation direct_{renderer_};
    BackingStoreLag backingStoreLag_;
    // Where no compositor runs, the frame is painted over the desktop's background.
    std::unique_ptr<DesktopBackdrop> backdrop_;
    StartupScheme::Reader schemeReader_;
    std::unique_ptr<StartupScheme> startupScheme_;
    // The corner marks drawn over the frame: none while the window is not active, red in
    // click-through mode, green otherwise.
    WindowCorners::Marks drawnMarks_ = WindowCorners::Marks::None;
    QRegion lastRedrawn_;
    WindowCorners corners_;
    ViewSettings view_;
    int framesDrawn_ = 0;
    // The UTC minute the tray's tooltip tells, -1 before the first.
    std::int64_t trayMinute_ = -1;
    ClockTray tray_;
    // Whether the tray's coming and going is told by the desktop rather than polled for.
    bool trayWatched_ = false;
    ZoneFollower zones_{settings_};
    // Whether changes of the machine's zone are told by the system rather than polled for.
    bool zoneWatched_ = false;
    ClockPointer pointer_{*this};
    ClockDialogs dialogs_{*this, clock_, settings_};
    DesktopNotifier notifier_;
    AlarmService alarms_{settings_, notifier_};
    ClockChimes chimes_{settings_};
    // Where the clock shows: its window, or the layer surface the compositor offers. After the
    // parts it uses.
    std::unique_ptr<ClockSurface> surface_;
    const bool onLayerShell_;
    QString clockName_;
    NewClock::Launcher clockLauncher_;
    // Set once the user's exit was agreed to.
    bool exiting_ = false;
};
