// The clock on the desktop: a frameless, per-pixel-alpha window showing the clock body.
#include "app/window/velmora_dlg.h"

#include "app/desktop/clock_places.h"
#include "app/desktop/clock_request.h"
#include "app/desktop/date_language.h"
#include "app/desktop/program_icon.h"
#include "app/desktop/settings.h"
#include "app/desktop/thread_priority.h"
#include "app/desktop/user_path.h"
#include "app/dialogs/window_aligner.h"
#include "app/presentation/frame_painting.h"
#include "app/presentation/input_shape.h"
#include "app/window/clock_accessible.h"
#include "app/window/clock_speech.h"
#include "app/window/layer_clock_surface.h"
#include "app/window/window_clock_surface.h"
#include "app/x11/desktop_backdrop.h"
#include "time/alarm_text.h"
#include "time/zone_slots.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>
#include <QWindow>
#include <cmath>

namespace {

// How long start-up waits for the stored scheme's file before showing the built-in scheme;
// a file on a local disk takes milliseconds.
constexpr std::chrono::milliseconds kStartupSchemeWait(300);

} // namespace

void CVelmoraDlg::updateInputMask(const QRegion& changed) {
    QImage& bits = direct_.settled().inputBits;
    if (view_.clickThrough || lastFrame().isNull()) {
        bits = QImage();
        surface_->takeNoInput();
        return;
    }
    const bool fresh = bits.size() != size();
    if (fresh) {
        bits = InputShape::emptyBits(size());
    }
    // The outline rarely changes between seconds; a new shape is sent to the window system
    // only when it does.
    bool outlineChanged = false;
    for (const QRect& area : fresh ? QRegion(rect()) : changed) {
        outlineChanged = InputShape::update(bits, lastFrame(), area) || outlineChanged;
    }
    if (fresh || outlineChanged) {
        surface_->setInputRegion(InputShape::region(bits));
    }
}

CVelmoraDlg::CVelmoraDlg(SettingsStore& settings, ClockWindowOptions options)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::Tool | Qt::WindowStaysOnTopHint),
      settings_(settings), tray_([this] { return &commands_.menu().menu(); }),
      onLayerShell_(options.layer != nullptr) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoSystemBackground);
    // Set before the native window exists, which takes it only then: a clock shown active
    // at start takes the focus from the user's window and, in click-through mode, shows the
    // red marks.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::StrongFocus);
    // A scheme file dropped on the clock is loaded.
    setAcceptDrops(true);
    schemeReader_ = std::move(options.schemeReader);
    clockName_ = std::move(options.clockName);
    clockLauncher_ = std::move(options.clockLauncher);
    if (options.trayProbe) {
        tray_.setProbe(std::move(options.trayProbe));
    }
    if (options.wallClock) {
        ticks_.setWallClock(std::move(options.wallClock));
    }
    dialogs_.setLoadErrorReport(std::move(options.loadErrorReport));
    setWindowTitle(titleFor(clockName_));
    ClockAccessible::install();
    connect(&ticks_, &TickSchedule::frameDue, this, &CVelmoraDlg::onFrameDue);
    connect(&tray_, &ClockTray::changed, this, &CVelmoraDlg::refreshTray);
    connect(&tray_, &ClockTray::doubleClicked, this, &CVelmoraDlg::toggleClickThrough);
    connect(&zones_, &ZoneFollower::changed, this, &CVelmoraDlg::zonesChanged);
    connect(&dialogs_, &ClockDialogs::schemeChanged, this, &CVelmoraDlg::schemeEdited);
    connect(&dialogs_, &ClockDialogs::zonesChanged, this, &CVelmoraDlg::zonesChanged);
    connect(&alarms_, &AlarmService::changed, this, &CVelmoraDlg::showNextAlarm);
    connect(&tray_, &ClockTray::middleClicked, this, &CVelmoraDlg::openCalendar);
    connect(&dialogs_, &ClockDialogs::userSchemeChosen, this, [this] {
        // What the user edits or loads now wins over a stored scheme that has yet to arrive.
        if (startupScheme_ != nullptr) {
            startupScheme_->abandon();
        }
    });
    // Where the customize dialog cannot open beside the clock, the clock steps beside the
    // dialog; a place of the program's, which the placement keeps out of the settings.
    dialogs_.setClockMover([this](const QPoint& at) { move(at); });
    backdrop_ = std::make_unique<DesktopBackdrop>(*this);
    connect(backdrop_.get(), &DesktopBackdrop::changed, this, qOverload<>(&QWidget::update));
    if (options.layer != nullptr) {
        surface_ = std::make_unique<LayerClockSurface>(
            std::move(options.layer), *this, pointer_, direct_, renderer_,
            [this] { emit exitRequested(); }, [this] { return toolTipText(); });
    } else {
        surface_ = std::make_unique<WindowClockSurface>(*this, *backdrop_, backingStoreLag_);
    }
}

CVelmoraDlg::~CVelmoraDlg() {
    // A frame still being finished uses the presenter and the input bits.
    renderer_.setAheadDropped(nullptr);
    renderer_.abandon();
    direct_.settled();
}

QString CVelmoraDlg::titleFor(const QString& clockName) {
    return clockName.isEmpty() ? QStringLiteral("Velmora")
                               : QStringLiteral("Velmora \u2014 %1").arg(clockName);
}

void CVelmoraDlg::refreshTray() {
    if (tray_.refresh()) {
        return;
    }
    // The icon went with the tray host, and it was the only way back to a clock that lets
    // clicks through or is hidden. The stored choice is kept for a session with a tray.
    if (view_.clickThrough || view_.hiddenToTray) {
        view_.clickThrough = false;
        view_.hiddenToTray = false;
        applyViewState();
        drawFrame();
    }
}

void CVelmoraDlg::initialize() {
    zones_.fillSlots();
    zoneWatched_ = zones_.watch();
    trayWatched_ = tray_.watch();
    ticks_.setPolling(!zoneWatched_ || !trayWatched_);
    refreshTray();
    view_ = ViewSettings::read(settings_, trayAvailable());
    clock_.setDateNames(dateNamesFor(settings_));
    loadScheme();
    limitSizeToDesktop();
    prepareFirstFrame();
    // As small as a corner drag may make it: a stored size below that could not be grabbed.
    setMinimumSize(kCornerSize + 1, kCornerSize + 1);
    resize(kInitialSize, kInitialSize);
    surface_->prepare();
    direct_.setPresenter(surface_->makePresenter());
    // Frames to come that the drawing thread will not draw after all: drawn from here again.
    renderer_.setAheadDropped([this] {
        ticks_.aheadGone();
        ticks_.schedule();
    });
    // Frames the server reads itself need no pixels sent; a new presenter makes the next. The
    // renderer allocates on the window's thread, with no frame being finished.
    renderer_.setAllocator([this](const QSize& pixels) {
        const std::unique_ptr<FramePresenter>& presenter = direct_.settled().presenter;
        return presenter != nullptr ? presenter->createFrame(pixels) : QImage();
    });
    aligner_ = std::make_unique<CWindowAligner>(settings_);
    // Only the user's own moves and resizes are the user's placement: never one a window
    // manager or compositor imposes (centring, tiling, a shadow frame).
    aligner_->saveOnlyUserChanges();
    // A drag just ended is judged before the program ends.
    connect(this, &CVelmoraDlg::exitRequested, aligner_.get(), &CWindowAligner::settleUserChange);
    aligner_->setCornerSize(kCornerSize);
    surface_->placeAtStart(*aligner_, [this](const QRect& area) { return firstPlacement(area); });
    watchScreens();
    if (view_.clickThrough) {
        clearFocus();
    }
    drawFrame();
    ticks_.schedule();
    alarms_.setWindow(this);
    alarms_.start();
    chimes_.start();
    showNextAlarm();
}

void CVelmoraDlg::zonesChanged() {
    drawFrame();
    alarms_.zoneChanged();
    chimes_.zoneChanged();
}

void CVelmoraDlg::showNextAlarm() {
    const QString next = alarms_.nextAlarmText();
    const QString line =
        next.isEmpty() ? QString()
                       : QCoreApplication::translate("CVelmoraDlg", "Next alarm: %1").arg(next);
    setToolTip(line);
    tray_.setNextAlarm(line);
}

void CVelmoraDlg::openCalendar() {
    const velmora::PackedDateTime local =
        velmora::zoneSlotTime(0, velmora::packedDateTimeFrom(ticks_.now()));
    dialogs_.openCalendar(QDate(local.year(), local.month(), local.day()));
}

void CVelmoraDlg::takeRequest(const ClockRequest& request) {
    if (request.kind == ClockRequest::Kind::Show) {
        takeHandOver(request.schemePath);
        return;
    }
    // The launch was answered as the request arrived; what the clock cannot keep it says here.
    if (!alarms_.take(request)) {
        std::fprintf(stderr,
                     "velmora: a launch's alarm or timer was refused: out of range, or %zu of "
                     "its kind set already\n",
                     velmora::kMaxAlarms);
    }
}

// However large the background or the stored size, the clock stays within the desktop: no
// more of it could be seen, and the frame and the window system's copy of it grow with it.
void CVelmoraDlg::limitSizeToDesktop() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    setMaximumSize(screen->virtualSize().expandedTo(QSize(kInitialSize, kInitialSize)));
    // Nor is a background ever drawn larger, so no more of it is kept in memory.
    renderer_.setImageKeepSize(maximumSize() * screen->devicePixelRatio());
}

QRect CVelmoraDlg::firstPlacement(const QRect& area) const {
    const QSize size = CWindowAligner::storedSize(settings_, settings::kClockWindow, this->size())
                           .boundedTo(maximumSize());
    return QRect(ClockPlaces::first(area, size, ClockPlaces::ofOtherClocks(clockName_)), size);
}

// The background's full-size decode is the largest allocation a start makes. Made before the
// window, its buffers and the window system's share of the program exist, it adds nothing to
// the program's peak memory; the first frame finds the background scaled to its size.
void CVelmoraDlg::prepareFirstFrame() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (view_.hiddenToTray || screen == nullptr) {
        return;
    }
    const QSize logical = CWindowAligner::storedSize(settings_, settings::kClockWindow,
                                                     QSize(kInitialSize, kInitialSize))
                              .boundedTo(maximumSize());
    const qreal ratio = screen->devicePixelRatio();
    renderer_.prepareBackground(clock_, QSize(static_cast<int>(logical.width() * ratio),
                                              static_cast<int>(logical.height() * ratio)));
}

void CVelmoraDlg::watchScreens() {
    // Queued: while a screen goes away the list of screens may still hold it, and the window
    // system may move the window off it first.
    ::watchScreens(this, [this] {
        QMetaObject::invokeMethod(this, &CVelmoraDlg::screensChanged, Qt::QueuedConnection);
    });
}

void CVelmoraDlg::screensChanged() {
    if (surface_->followsScreensItself()) {
        return;
    }
    // The program's corrections are not the user's placement, so none of them is saved.
    aligner_->withoutSaving([this] {
        limitSizeToDesktop();
        aligner_->keepOnScreen();
    });
}

void CVelmoraDlg::loadScheme() {
    startupScheme_ = std::make_unique<StartupScheme>(clock_, settings_, schemeReader_);
    connect(startupScheme_.get(), &StartupScheme::lateSchemeLoaded, this,
            &CVelmoraDlg::schemeEdited);
    startupScheme_->start(kStartupSchemeWait);
}

// The frames of the ticks to come are recorded now, while this thread is awake, and the
// drawing thread draws and presents each at its moment on its own. Anything that settles the
// renderer drops those not yet drawn, and this thread then ticks again until it draws.
std::optional<QRegion> CVelmoraDlg::drawAhead(const FrameRenderer::Finish& finish, bool fromNow) {
    const std::vector<FrameRenderer::Moment> moments = ticks_.aheadMoments(fromNow);
    // Smooth frames are drawn as the display refreshes, where it tells.
    const std::chrono::nanoseconds pacing =
        smoothlyPaced()
            ? std::chrono::nanoseconds(std::chrono::seconds(1)) / ticks_.ticksPerSecond()
            : std::chrono::nanoseconds(0);
    std::optional<QRegion> ahead = renderer_.renderAhead(clock_, moments, finish, pacing);
    if (ahead) {
        ticks_.aheadTaken(moments);
    }
    return ahead;
}

void CVelmoraDlg::onFrameDue(bool pollDue) {
    if (pollDue && !zoneWatched_) {
        zones_.follow();
    }
    if (pollDue && !trayWatched_) {
        refreshTray();
    }
    drawFrame();
}

bool CVelmoraDlg::smoothlyPaced() const {
    return view_.smoothMotion && clock_.needsContinuousRedraw();
}

bool CVelmoraDlg::coveredWhileMoving() const {
    return surface_->covered() && framesDrawn_ > 0 && clock_.needsContinuousRedraw();
}

int CVelmoraDlg::displayRate() const {
    constexpr int kUsualRate = 60;
    const qreal rate = surface_->refreshRate();
    return rate >= 1 ? static_cast<int>(std::lround(rate)) : kUsualRate;
}

void CVelmoraDlg::drawFrame() {
    if (view_.hiddenToTray || !surface_->shown() || width() <= 0 || height() <= 0) {
        return;
    }
    // Nothing shows a moving clock that the window system says is covered: it sleeps as a
    // step-wise clock does until its window is exposed again.
    if (coveredWhileMoving()) {
        direct_.settled();
        ticks_.aheadGone();
        ticks_.setContinuous(false);
        return;
    }
    ticks_.setSmoothRate(view_.smoothMotion ? displayRate() : 0);
    const qreal ratio = frameRatio();
    const QSize pixels(static_cast<int>(width() * ratio), static_cast<int>(height() * ratio));
    using Marks = WindowCorners::Marks;
    const Marks marks = !surface_->showsMarks() ? Marks::None
                        : view_.clickThrough    ? Marks::Red
                                                : Marks::Green;
    // What the drawing thread may still do with the frame, the presenter and the input bits
    // ends before any of them changes here, and the frames it has to come are recorded anew.
    DirectPresentation::Parts& parts = direct_.settled();
    ticks_.aheadGone();
    if (marks != drawnMarks_) {
        renderer_.invalidate();
        drawnMarks_ = marks;
    }
    if (parts.presenter != nullptr && !surface_->presentsHere(*parts.presenter)) {
        direct_.setPresenter(surface_->makePresenter());
    }
    const velmora::PackedDateTime utc = velmora::packedDateTimeFrom(ticks_.now());
    // Usually only the boxes around the hands, old and new, are drawn again.
    const bool direct =
        presentDirectly() && (view_.clickThrough || parts.inputBits.size() == size());
    const FrameRenderer::Finish finish = direct_.finish(
        ratio, view_.overallAlpha & 0xFF, !view_.clickThrough, this,
        [this](const QImage& bits) {
            // Click-through, turned on meanwhile, takes the shape away.
            if (!view_.clickThrough) {
                surface_->setInputRegion(InputShape::region(bits));
            }
        },
        // The marks are part of the frame and of its outline: they are grabbed to resize.
        [this, marks, window = size()](QImage& frame, const QRegion& redrawn) {
            corners_.draw(marks, frame, window, redrawn);
        });
    // A moving clock keeps what lies beneath its moving hands, at the cost of a second frame.
    renderer_.setKeepUnderlay(clock_.needsContinuousRedraw());
    ticks_.setContinuous(clock_.needsContinuousRedraw());
    // A smooth clock's frame of now is drawn at the display's next refresh with those after
    // it, not at once between two refreshes: its frames flow on where the window's thread
    // records the next ones.
    std::optional<QRegion> drawnAhead;
    if (direct && smoothlyPaced() && renderer_.holds(pixels, ratio)) {
        drawnAhead = drawAhead(finish, true);
    }
    if (drawnAhead) {
        lastRedrawn_ = QRegion();
    } else {
        lastRedrawn_ = direct ? renderer_.renderAndFinish(clock_, pixels, ratio, utc, finish)
                              : renderer_.render(clock_, pixels, ratio, utc);
        ticks_.setFrameCost(renderer_.frameCost());
        if (direct) {
            drawnAhead = drawAhead(finish, false);
        }
    }
    ++framesDrawn_;
    updateTrayTime(utc);
    const QRegion ahead = drawnAhead.value_or(QRegion());
    if (lastRedrawn_.isEmpty() && ahead.isEmpty()) {
        return;
    }
    if (direct) {
        surface_->presentedDirectly(lastRedrawn_, ahead, ratio);
        return;
    }
    corners_.draw(marks, renderer_.frame(), size(), lastRedrawn_);
    const QRegion logical = logicalArea(lastRedrawn_, ratio);
    updateInputMask(logical);
    surface_->showFrame(parts, renderer_.frame(), lastRedrawn_, logical, view_.overallAlpha & 0xFF);
}

qreal CVelmoraDlg::frameRatio() const {
    return surface_->frameRatio();
}

void CVelmoraDlg::placeByUser(const QRect& target, bool done) {
    surface_->placeByUser(*aligner_, target, done);
}

bool CVelmoraDlg::presentDirectly() {
    return direct_.settled().presenter != nullptr && surface_->takesDirectFrames();
}

void CVelmoraDlg::updateTrayTime(const velmora::PackedDateTime& utc) {
    const std::int64_t minute = std::int64_t{utc.date} * 10000 + utc.hour() * 100 + utc.minute();
    if (minute == trayMinute_ || !tray_.available()) {
        return;
    }
    trayMinute_ = minute;
    tray_.setTimeText(ClockSpeech::toolTip(utc, QLocale()));
}

bool CVelmoraDlg::event(QEvent* event) {
    // Worked out when asked for: the tooltip costs the clock no wake-up of its own.
    if (event->type() == QEvent::ToolTip) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), toolTipText(), this);
        return true;
    }
    return QWidget::event(event);
}

QString CVelmoraDlg::toolTipText() const {
    QString tip = ClockSpeech::toolTip(velmora::packedDateTimeFrom(ticks_.now()), QLocale());
    // The next alarm, when one is set, under the date and the zones.
    if (!toolTip().isEmpty()) {
        tip += QLatin1Char('\n') + toolTip();
    }
    return tip;
}

bool CVelmoraDlg::eventFilter(QObject* watched, QEvent* event) {
    // Qt shows an exposed window from its backing store, which lacks what was presented
    // directly: painted again first, so that the exposure shows the current frame.
    if (watched == windowHandle() && event->type() == QEvent::Expose &&
        !windowHandle()->isExposed()) {
        // Nothing shows what is presented meanwhile.
        direct_.settled();
    } else if (watched == windowHandle() && event->type() == QEvent::Expose) {
        backingStoreLag_.exposed(*this);
        // A moving clock drew nothing while it was covered.
        if (clock_.needsContinuousRedraw()) {
            drawFrame();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CVelmoraDlg::paintEvent(QPaintEvent* event) {
    backingStoreLag_.painted(event->region());
    QPainter painter(this);
    for (const QRect& area : event->region()) {
        paintFrameArea(painter, lastFrame(), backdrop_->image(), area,
                       (view_.overallAlpha & 0xFF) / 255.0);
    }
}

void CVelmoraDlg::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    drawFrame();
}

void CVelmoraDlg::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange) {
        drawFrame();
    } else if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        // Undone after the window system has finished the change it reports.
        QMetaObject::invokeMethod(this, &CVelmoraDlg::restoreFromMinimized, Qt::QueuedConnection);
    }
}

// The clock is a tool window with no taskbar entry, and outside click-through it has no tray
// icon: minimised, nothing would show it again. It is restored at once rather than treated as
// "Hide to tray", which would need a tray and would make the window manager's command mean
// something else on each desktop.
void CVelmoraDlg::restoreFromMinimized() {
    if (!isMinimized()) {
        return;
    }
    setWindowState(windowState() & ~Qt::WindowMinimized);
    if (!view_.hiddenToTray) {
        show();
    }
}

// The window manager's close (Alt+F4, its window menu) ends the program as "Exit" does:
// hidden, the clock would leave a process running with nothing on screen to end it.
void CVelmoraDlg::closeEvent(QCloseEvent* event) {
    // The program's end may close its windows too: this one then goes without asking again.
    if (!exiting_) {
        exitAsUser();
    }
    event->setAccepted(exiting_);
}

void CVelmoraDlg::exitAsUser() {
    if (dialogs_.closeOptionsDialog()) {
        exiting_ = true;
        emit exitRequested();
    }
}

void CVelmoraDlg::hideEvent(QHideEvent* event) {
    // No frames for a window that is not shown, nor the end of one under way: the program may
    // be ending.
    renderer_.abandon();
    direct_.settled();
    QWidget::hideEvent(event);
}

void CVelmoraDlg::mousePressEvent(QMouseEvent* event) {
    pointer_.press(event->button(), event->position(), event->globalPosition().toPoint());
}

void CVelmoraDlg::mouseMoveEvent(QMouseEvent* event) {
    pointer_.move(event->buttons(), event->globalPosition().toPoint());
}

void CVelmoraDlg::mouseReleaseEvent(QMouseEvent* event) {
    pointer_.release(event->button(), event->position(), event->globalPosition().toPoint());
}

void CVelmoraDlg::mouseDoubleClickEvent(QMouseEvent* event) {
    pointer_.doubleClick(event->button());
}

void CVelmoraDlg::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    if (surface_->setHovered(true)) {
        drawFrame();
    }
}

void CVelmoraDlg::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (surface_->setHovered(false)) {
        drawFrame();
    }
}

void CVelmoraDlg::keyPressEvent(QKeyEvent* event) {
    // After an edit on the clock the keyboard is here, and the editor's keys go on working.
    if (dialogs_.keyOnClock(*event, frameRatio())) {
        event->accept();
        return;
    }
    // Enter ends the program as "Exit" does; Esc does nothing.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        exitAsUser();
        return;
    }
    event->accept();
}

void CVelmoraDlg::applyViewState() {
    if (surface_->applyView(view_)) {
        updateInputMask(QRegion());
    }
    // The icon is the way back to a clock that is hidden or lets clicks through.
    tray_.setIconShown(view_.hiddenToTray || view_.clickThrough);
    applyThreadPriority(view_.threadPriority);
}

void CVelmoraDlg::toggleClickThrough() {
    // Turning it on without a tray icon would leave no way back.
    if (!view_.clickThrough && !trayAvailable()) {
        return;
    }
    view_.clickThrough = !view_.clickThrough;
    settings_.writeInt(settings::kClickThrough, view_.clickThrough ? 1 : 0);
    applyViewState();
    drawFrame();
}

void CVelmoraDlg::setOverallAlpha(int alpha) {
    view_.overallAlpha = alpha;
    settings_.writeInt(settings::kOverallAlpha, alpha);
    applyViewState();
    surface_->repaintWhole();
}

void CVelmoraDlg::setSmoothMotion(bool on) {
    view_.smoothMotion = on;
    settings_.writeInt(settings::kSmoothMotion, on ? 1 : 0);
    // The frames to come are recorded anew at the new rate.
    drawFrame();
    ticks_.schedule();
}

void CVelmoraDlg::setThreadPriority(int level) {
    view_.threadPriority = level;
    settings_.writeInt(settings::kThreadPriority, level);
    applyViewState();
}

void CVelmoraDlg::schemeEdited() {
    drawFrame();
    // An element that now moves continuously needs the short period from now on.
    ticks_.schedule();
}

void CVelmoraDlg::takeHandOver(const QString& path) {
    bringToFront();
    if (!path.isEmpty()) {
        dialogs_.loadWhenFree(path);
    }
}

void CVelmoraDlg::bringToFront() {
    if (view_.hiddenToTray) {
        view_.hiddenToTray = false;
        applyViewState();
    }
    surface_->bringToFront();
    drawFrame();
}

void CVelmoraDlg::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls[0].isLocalFile()) {
        event->acceptProposedAction();
    }
}

void CVelmoraDlg::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls[0].isLocalFile()) {
        return;
    }
    event->acceptProposedAction();
    // Loaded once the drop has ended: a message or question must not hold the drag source.
    const QString path = UserPath::fromUrl(urls[0]);
    QMetaObject::invokeMethod(
        this, [this, path] { dialogs_.loadWhenFree(path); }, Qt::QueuedConnection);
}
