// The clock on the desktop: a frameless, per-pixel-alpha window showing the clock body.
#pragma once

#include "app/autostart_entry.h"
#include "app/boundary_timer.h"
#include "app/clock_editing.h"
#include "app/clock_menu.h"
#include "app/startup_scheme.h"
#include "app/tray_watcher.h"
#include "app/zone_file_watcher.h"
#include "clock/clock.h"
#include "render/frame_renderer.h"
#include "time/machine_zone.h"

#include <QDialog>
#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class COptionsDial;
class DesktopBackdrop;
class X11FramePresenter;
class CWindowAligner;
class SettingsStore;

class CVelmoraDlg : public QWidget {
    Q_OBJECT

public:
    // The corner squares that resize the window and show the focus marks.
    static constexpr int kCornerSize = 32;
    static constexpr int kInitialSize = 200;

    explicit CVelmoraDlg(SettingsStore& settings, QWidget* parent = nullptr);
    ~CVelmoraDlg() override;

    // Zones, view settings, the scheme, placement and the first frame.
    void initialize();
    // Renders one frame for the current time and shows it.
    void drawFrame();
    // Brings z-order, click-through, visibility, the tray icon and the thread priority in
    // line with the members.
    void applyViewState();
    void showContextMenu(const QPoint& screenPosition);
    // Brings the menu's marks and enabled states up to date, as each opening does.
    void updateMenu();
    void runCommand(MenuCommand command);
    void toggleClickThrough();
    // The customize dialog while one is open from this window, else null.
    COptionsDial* optionsDialog() const;
    // The time zone dialog while it runs, else null.
    QDialog* timezonesDialog() const { return timezonesDial_; }

    // The clock's name (empty for the default clock), which its settings, its socket and its
    // autostart entry go by. Set before initialize().
    void setClockName(const QString& name) { clockName_ = name; }
    const QString& clockName() const { return clockName_; }
    // Loads a scheme file the user chose from outside the editor (a later launch, a drop) as
    // the editor's Load does: a file that cannot be read is reported and changes nothing; an
    // open customize dialog may keep its unsaved edits first. Whether the clock took it.
    bool loadSchemeAsUser(const QString& path);
    // Shows the clock, above other windows, as a later launch of it asks.
    void bringToFront();
    // A later launch's request: its scheme (empty: none) is loaded as the user's, and the
    // clock comes to the front. While a modal window of the clock runs, the load waits for it.
    void takeHandOver(const QString& path);
    // How a refused file is reported: a message box, or a test's own.
    using LoadErrorReport = std::function<void(const QString& message)>;
    void setLoadErrorReport(LoadErrorReport report) { loadErrorReport_ = std::move(report); }
    // How "New clock" starts the clock of a name: a process of this program, or a test's own.
    using ClockLauncher = std::function<bool(const QString& clockName)>;
    void setClockLauncher(ClockLauncher launcher) { clockLauncher_ = std::move(launcher); }
    // The first of "2", "3", ... that no running clock goes by.
    static QString nextFreeClockName(const std::function<bool(const QString&)>& running);
    // "New clock": starts the next free clock beside this one; its name, empty on failure.
    QString startNewClock();
    // The login entry of this clock, which "Start with the desktop" writes and removes.
    AutostartEntry autostartEntry() const;
    // The scheme chooser while it is open, else null.
    QDialog* schemeChooser() const { return schemeChooser_; }
    // The folders the scheme chooser shows: the installed examples, the user's scheme folder
    // and the folder of the scheme loaded last.
    QStringList schemeFolders() const;

    Clock& clock() { return clock_; }
    ClockMenu& menu();
    const QImage& lastFrame() const { return renderer_.frame(); }
    bool stayOnTop() const { return stayOnTop_; }
    bool clickThrough() const { return clickThrough_; }
    bool hiddenToTray() const { return hiddenToTray_; }
    int overallAlpha() const { return overallAlpha_; }
    // The stored opacity as the window uses it: one outside 1..255 (an invisible clock, or
    // one whose low byte is 0) becomes the nearest step of the transparency menu.
    static int usableOverallAlpha(std::int32_t stored);
    int threadPriority() const { return threadPriority_; }
    bool continuousRedraw() const { return continuousRedraw_; }
    // Whether click-through and hiding can be offered: both need a tray icon to come back.
    // As last seen by refreshTray().
    bool trayAvailable() const { return trayAvailable_; }
    // Asks the desktop again whether it has a tray, which a tray host starting after the clock
    // or ending before it changes: creates the icon when one appears, and brings a
    // click-through or hidden clock back to normal when it goes.
    void refreshTray();
    // Whether the desktop has a tray now: the platform's answer, or a test's own.
    using TrayProbe = std::function<bool()>;
    void setTrayProbe(TrayProbe probe) { trayProbe_ = std::move(probe); }
    // How the stored scheme's file is read at start: whole, on a thread of its own; a test
    // may read through its own. Set before initialize().
    void setSchemeReader(StartupScheme::Reader reader) { schemeReader_ = std::move(reader); }
    // Where the time comes from: the system clock, or a test's own.
    using WallClock = std::function<std::chrono::system_clock::time_point()>;
    void setWallClock(WallClock clock) { wallClock_ = std::move(clock); }
    // One wake-up of the timer: redraws when the second changed or an element moves
    // continuously, then schedules the next wake-up.
    void tick();
    int framesDrawn() const { return framesDrawn_; }
    // The pixels of the frame the last drawFrame() drew again; empty when nothing changed.
    const QRegion& lastRedrawn() const { return lastRedrawn_; }
    // The corner square under a point, the edges it resizes; none outside the squares.
    Qt::Edges cornerAt(const QPoint& position) const;

    // Pixels with any alpha take the mouse; fully transparent ones let clicks through.
    static QRegion inputRegion(const QImage& frame, const QSize& logicalSize);
    // The same as one bit a pixel, in the window's own coordinates.
    static QImage inputBits(const QImage& frame, const QSize& logicalSize);
    // Brings the bits of the area in line with the frame; whether any bit changed.
    static bool updateInputBits(QImage& bits, const QImage& frame, const QRect& area);
    // From a wall-clock time to the next whole second, or to the next tenth of a second for
    // a clock that moves continuously.
    static std::chrono::nanoseconds untilNextTick(std::chrono::system_clock::time_point now,
                                                  bool continuous);

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
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void limitSizeToDesktop();
    // Follows screens added, removed or resized, so the clock stays usable on one of them.
    void watchScreens();
    void screensChanged();
    void fillZoneSlots();
    // Takes over a new zone of the machine, if it has one; true when it did.
    bool followMachineZone();
    void readViewSettings();
    void loadScheme();
    // Records the frames of the ticks to come for the drawing thread; what they will draw
    // again, or nothing when it takes none.
    std::optional<QRegion> drawAhead(const FrameRenderer::Finish& finish);
    void releaseBackingStore();
    void scheduleTick();
    void drawCornerMarks(const QRegion& area);
    // Whether a frame can skip the backing store and go straight to the window.
    bool presentDirectly() const;
    QRect draggedGeometry(const QPoint& delta) const;
    // Updates the input shape where the frame changed, in the window's coordinates.
    void updateInputMask(const QRegion& changed);
    // Updates the input shape and uploads a frame presented directly, on the drawing thread.
    void finishDirectFrame(const QImage& frame, const QRegion& redrawn, qreal ratio, int alpha,
                           bool outline);
    void setTrayIconShown(bool shown);
    void createTrayIcon();
    // Undoes a minimise by the window manager, which would leave the clock unreachable.
    void restoreFromMinimized();
    void onTrayActivated(QSystemTrayIcon::ActivationReason reason);
    void applySize(int percent);
    void setOverallAlpha(int alpha);
    void setThreadPriority(int level);
    void openOptionsDialog();
    // Runs the time zone dialog modally; its OK changes the zone slots.
    void runTimezonesDialog();
    // An edit in the customize dialog shows at once, not at the next second.
    void schemeEdited();
    // Opens a dialog beside the clock, on its screen, where the clock stays in view.
    void placeBesideClock(QWidget& dialog) const;
    // Whether an open customize dialog lets a scheme from outside replace the one it edits:
    // it may ask to save its edits first, and closes, as its rows are of the old scheme.
    bool editorReleasesScheme();
    // The clock of the name gets a place beside this one, unless it has one of its own.
    void placeClockBesideThis(const QString& clockName) const;
    void toggleStartWithDesktop();
    void openSchemeChooser();

    SettingsStore& settings_;
    Clock clock_;
    std::unique_ptr<ClockMenu> menu_;
    std::unique_ptr<CWindowAligner> aligner_;
    std::unique_ptr<QSystemTrayIcon> tray_;
    BoundaryTimer tickTimer_;
    std::string machineZone_;
    std::string machineZoneStamp_;
    FrameRenderer renderer_;
    std::unique_ptr<X11FramePresenter> presenter_;
    // Where the window shows newer pixels than Qt's backing store holds, in the window's
    // coordinates.
    QRegion behindBackingStore_;
    // Where no compositor runs, the frame is painted over the desktop's background.
    std::unique_ptr<DesktopBackdrop> backdrop_;
    StartupScheme::Reader schemeReader_ = StartupScheme::readWholeFile;
    std::unique_ptr<StartupScheme> startupScheme_;
    QImage inputBits_;
    // The corner marks drawn over the frame: none while the window is not active, red in
    // click-through mode, green otherwise.
    enum class Marks { None, Red, Green };
    Marks drawnMarks_ = Marks::None;
    QRegion lastRedrawn_;
    std::array<QImage, 4> redMarks_;
    std::array<QImage, 4> greenMarks_;
    bool stayOnTop_ = true;
    bool clickThrough_ = false;
    bool hiddenToTray_ = false;
    int overallAlpha_ = 255;
    int threadPriority_ = 0;
    WallClock wallClock_ = [] { return std::chrono::system_clock::now(); };
    int framesDrawn_ = 0;
    int lastSecond_ = -1;
    // The first tick after those the drawing thread has frames for, which it draws on its
    // own; unset when it has none.
    std::optional<std::chrono::system_clock::time_point> aheadEnd_;
    bool continuousRedraw_ = false;
    bool trayIconShown_ = false;
    bool trayAvailable_ = false;
    TrayWatcher trayWatcher_;
    // Whether the tray's coming and going is told by the desktop rather than polled for.
    bool trayWatched_ = false;
    TrayProbe trayProbe_ = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
    ZoneFileWatcher zoneWatcher_{
        {velmora::MachineZoneSources{}.localtime, velmora::MachineZoneSources{}.timezoneFile}};
    // Whether changes of the machine's zone are told by the system rather than polled for.
    bool zoneWatched_ = false;
    // A drag with the left button: the edges being resized (none when moving), where it
    // started, the geometry then, and whether the mouse has moved far enough to count.
    struct Drag {
        Qt::Edges edges;
        QPoint start;
        QRect geometry;
        bool started;
    };
    std::optional<Drag> drag_;
    // Picking and moving elements on the clock while the customize dialog is open.
    ClockEditing editing_{clock_};
    // Held as its base: the header stays free of the dialog's.
    QPointer<QDialog> optionsDial_;
    // The time zone dialog while it runs: a second one from the tray's menu would race it.
    QPointer<QDialog> timezonesDial_;
    QPointer<QDialog> schemeChooser_;
    QString clockName_;
    LoadErrorReport loadErrorReport_;
    ClockLauncher clockLauncher_;
};
