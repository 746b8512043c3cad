// The clock on the desktop: a frameless, per-pixel-alpha window showing the clock body.
#include "app/velmora_dlg.h"

#include "app/date_language.h"
#include "app/desktop_backdrop.h"
#include "app/frame_painting.h"
#include "app/help_links.h"
#include "app/input_shape.h"
#include "app/program_icon.h"
#include "app/settings.h"
#include "app/thread_priority.h"
#include "app/window_aligner.h"
#include "app/x11_frame_presenter.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

namespace {

// How long start-up waits for the stored scheme's file before showing the built-in scheme;
// a file on a local disk takes milliseconds.
constexpr std::chrono::milliseconds kStartupSchemeWait(300);

} // namespace

void CVelmoraDlg::updateInputMask(const QRegion& changed) {
    QImage& bits = direct_.settled().inputBits;
    if (view_.clickThrough || lastFrame().isNull()) {
        bits = QImage();
        clearMask();
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
        setMask(InputShape::region(bits));
    }
}

CVelmoraDlg::CVelmoraDlg(SettingsStore& settings, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::Tool | Qt::WindowStaysOnTopHint),
      settings_(settings), tray_([this] { return &menu().menu(); }) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoSystemBackground);
    // Set before the native window exists, which takes it only then: a clock shown active
    // at start takes the focus from the user's window and, in click-through mode, shows the
    // red marks.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::StrongFocus);
    // A scheme file dropped on the clock is loaded.
    setAcceptDrops(true);
    setWindowTitle(QStringLiteral("Velmora"));
    setWindowIcon(programIcon());
    tray_.setIcon(windowIcon());
    connect(&ticks_, &TickSchedule::frameDue, this, &CVelmoraDlg::onFrameDue);
    connect(&tray_, &ClockTray::changed, this, &CVelmoraDlg::refreshTray);
    connect(&tray_, &ClockTray::doubleClicked, this, &CVelmoraDlg::toggleClickThrough);
    connect(&zones_, &ZoneFollower::changed, this, &CVelmoraDlg::drawFrame);
    connect(&dialogs_, &ClockDialogs::schemeChanged, this, &CVelmoraDlg::schemeEdited);
    connect(&dialogs_, &ClockDialogs::zonesChanged, this, &CVelmoraDlg::drawFrame);
    connect(&dialogs_, &ClockDialogs::userSchemeChosen, this, [this] {
        // What the user edits or loads now wins over a stored scheme that has yet to arrive.
        if (startupScheme_ != nullptr) {
            startupScheme_->abandon();
        }
    });
    backdrop_ = std::make_unique<DesktopBackdrop>(*this);
    connect(backdrop_.get(), &DesktopBackdrop::changed, this, qOverload<>(&QWidget::update));
}

ClockMenu& CVelmoraDlg::menu() {
    // Made at the first use: a clock that is only looked at never needs its menu.
    if (menu_ != nullptr) {
        return *menu_;
    }
    menu_ = std::make_unique<ClockMenu>();
    connect(&menu_->menu(), &QMenu::aboutToShow, this, &CVelmoraDlg::updateMenu);
    for (MenuCommand command :
         {MenuCommand::Info, MenuCommand::Site, MenuCommand::Usage, MenuCommand::Customizing,
          MenuCommand::Faq, MenuCommand::Feedback, MenuCommand::Download, MenuCommand::ClickThrough,
          MenuCommand::StayOnTop, MenuCommand::HideToTray, MenuCommand::Customize,
          MenuCommand::TimeZones, MenuCommand::NewClock, MenuCommand::StartWithDesktop,
          MenuCommand::Schemes, MenuCommand::DatesInMyLanguage, MenuCommand::Exit}) {
        connect(menu_->action(command), &QAction::triggered, this,
                [this, command] { runCommand(command); });
    }
    for (std::size_t i = 0; i < kTransparencyItems.size(); ++i) {
        connect(menu_->transparencyActions()[i], &QAction::triggered, this,
                [this, i] { setOverallAlpha(kTransparencyItems[i].alpha); });
    }
    for (std::size_t i = 0; i < kSizeItems.size(); ++i) {
        connect(menu_->sizeActions()[i], &QAction::triggered, this,
                [this, i] { applySize(kSizeItems[i].percent); });
    }
    for (std::size_t i = 0; i < kPriorityItems.size(); ++i) {
        connect(menu_->priorityActions()[i], &QAction::triggered, this,
                [this, i] { setThreadPriority(kPriorityItems[i].level); });
    }
    return *menu_;
}

CVelmoraDlg::~CVelmoraDlg() {
    // A frame still being finished uses the presenter and the input bits.
    renderer_.setAheadDropped(nullptr);
    direct_.settled();
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
    // As small as a corner drag may make it: a stored size below that could not be grabbed.
    setMinimumSize(kCornerSize + 1, kCornerSize + 1);
    resize(kInitialSize, kInitialSize);
    // The native window must exist before its flags can change without hiding it.
    winId();
    windowHandle()->installEventFilter(this);
    // Another screen may have another density, which the frames recorded ahead do not know.
    connect(windowHandle(), &QWindow::screenChanged, this, &CVelmoraDlg::drawFrame);
    direct_.settled().presenter = X11FramePresenter::forWindow(*this);
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
    applyViewState();
    aligner_ = std::make_unique<CWindowAligner>(settings_);
    // Only the user's own moves and resizes are the user's placement: never one a window
    // manager or compositor imposes (centring, tiling, a shadow frame).
    aligner_->saveOnlyUserChanges();
    // A drag just ended is judged before the program ends.
    connect(this, &CVelmoraDlg::exitRequested, aligner_.get(), &CWindowAligner::settleUserChange);
    aligner_->setCornerSize(kCornerSize);
    aligner_->initForWindow(this, nullptr, true, settings::kClockWindow, false);
    watchScreens();
    if (view_.clickThrough) {
        clearFocus();
    }
    drawFrame();
    ticks_.schedule();
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

void CVelmoraDlg::watchScreens() {
    // Queued: while a screen goes away the list of screens may still hold it, and the window
    // system may move the window off it first.
    ::watchScreens(this, [this] {
        QMetaObject::invokeMethod(this, &CVelmoraDlg::screensChanged, Qt::QueuedConnection);
    });
}

void CVelmoraDlg::screensChanged() {
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
std::optional<QRegion> CVelmoraDlg::drawAhead(const FrameRenderer::Finish& finish) {
    const std::vector<FrameRenderer::Moment> moments = ticks_.aheadMoments();
    std::optional<QRegion> ahead = renderer_.renderAhead(clock_, moments, finish);
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

void CVelmoraDlg::drawFrame() {
    if (view_.hiddenToTray || !isVisible() || width() <= 0 || height() <= 0) {
        return;
    }
    const qreal ratio = devicePixelRatioF();
    const QSize pixels(static_cast<int>(width() * ratio), static_cast<int>(height() * ratio));
    using Marks = WindowCorners::Marks;
    const Marks marks = !isActiveWindow()    ? Marks::None
                        : view_.clickThrough ? Marks::Red
                                             : Marks::Green;
    // What the drawing thread may still do with the frame, the presenter and the input bits
    // ends before any of them changes here, and the frames it has to come are recorded anew.
    DirectPresentation::Parts& parts = direct_.settled();
    ticks_.aheadGone();
    if (marks != drawnMarks_) {
        renderer_.invalidate();
        drawnMarks_ = marks;
    }
    if (parts.presenter != nullptr && !parts.presenter->showsInto(winId())) {
        parts.presenter = X11FramePresenter::forWindow(*this);
    }
    const velmora::PackedDateTime utc = velmora::packedDateTimeFrom(ticks_.now());
    // Usually only the boxes around the hands, old and new, are drawn again.
    const bool direct = marks == Marks::None && presentDirectly() &&
                        (view_.clickThrough || parts.inputBits.size() == size());
    const FrameRenderer::Finish finish = direct_.finish(
        ratio, view_.overallAlpha & 0xFF, !view_.clickThrough, this, [this](const QImage& bits) {
            // Click-through, turned on meanwhile, takes the shape away.
            if (!view_.clickThrough) {
                setMask(InputShape::region(bits));
            }
        });
    lastRedrawn_ = direct ? renderer_.renderAndFinish(clock_, pixels, ratio, utc, finish)
                          : renderer_.render(clock_, pixels, ratio, utc);
    ++framesDrawn_;
    ticks_.setContinuous(clock_.needsContinuousRedraw());
    const QRegion ahead = direct ? drawAhead(finish).value_or(QRegion()) : QRegion();
    if (lastRedrawn_.isEmpty() && ahead.isEmpty()) {
        return;
    }
    if (direct) {
        // Counted now for the frames to come as well: painting more again costs nothing.
        backingStoreLag_.presentedDirectly(*this, logicalArea(lastRedrawn_ + ahead, ratio));
        return;
    }
    corners_.draw(marks, renderer_.frame(), size(), lastRedrawn_);
    const QRegion logical = logicalArea(lastRedrawn_, ratio);
    updateInputMask(logical);
    update(logical);
}

// The marks are drawn over the frame for a window the user is working with; those few frames
// go through Qt, and so does everything before the window is on the screen and everything
// painted over the desktop's background.
bool CVelmoraDlg::presentDirectly() {
    const QWindow* window = windowHandle();
    return direct_.settled().presenter != nullptr && window != nullptr && window->isExposed() &&
           backdrop_->image().isNull();
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
    event->accept();
    emit exitRequested();
}

void CVelmoraDlg::hideEvent(QHideEvent* event) {
    // No frames for a window that is not shown.
    direct_.settled();
    QWidget::hideEvent(event);
}

void CVelmoraDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    // While the editor is open, a press on an element selects it and a drag moves it.
    const QPoint position = event->position().toPoint();
    if (!cornerAt(position) &&
        dialogs_.pressOnClock(event->position(), event->globalPosition().toPoint(),
                              devicePixelRatioF(), velmora::packedDateTimeFrom(ticks_.now()))) {
        drag_.reset();
        return;
    }
    // The clock moves and resizes itself rather than through the window manager: a window
    // manager's move grabs the pointer at the press and swallows the second click of a
    // double click, and some have no such moves for frameless windows at all.
    drag_ = Drag{cornerAt(event->position().toPoint()), event->globalPosition().toPoint(),
                 geometry(), false};
}

void CVelmoraDlg::mouseMoveEvent(QMouseEvent* event) {
    if (dialogs_.movingOnClock() && (event->buttons() & Qt::LeftButton)) {
        dialogs_.moveOnClock(event->globalPosition().toPoint(), devicePixelRatioF());
        return;
    }
    if (!drag_ || !(event->buttons() & Qt::LeftButton)) {
        return;
    }
    QPoint delta = event->globalPosition().toPoint() - drag_->start;
    if (!drag_->started && delta.manhattanLength() < QApplication::startDragDistance()) {
        return;
    }
    drag_->started = true;
    const QRect target = WindowCorners::dragged(drag_->geometry, drag_->edges, delta);
    aligner_->userChange([this, &target] { setGeometry(target); });
}

void CVelmoraDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        drag_.reset();
        dialogs_.releaseOnClock();
    }
    // The corner squares resize; only the rest of the clock opens the menu.
    if (event->button() == Qt::RightButton && !cornerAt(event->position().toPoint())) {
        showContextMenu(event->globalPosition().toPoint());
    }
}

void CVelmoraDlg::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    toggleClickThrough();
    activateWindow();
    raise();
}

void CVelmoraDlg::keyPressEvent(QKeyEvent* event) {
    // Enter ends the program as "Exit" does; Esc does nothing.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit exitRequested();
        return;
    }
    event->accept();
}

void CVelmoraDlg::applyViewState() {
    bool wantIcon = true;
    if (view_.hiddenToTray) {
        hide();
    } else {
        if (windowHandle() != nullptr) {
            windowHandle()->setFlag(Qt::WindowStaysOnTopHint, view_.stayOnTop);
        }
        show();
        if (windowHandle() != nullptr) {
            windowHandle()->setFlag(Qt::WindowTransparentForInput, view_.clickThrough);
        }
        updateInputMask(QRegion());
        wantIcon = view_.clickThrough;
    }
    tray_.setIconShown(wantIcon);
    applyThreadPriority(view_.threadPriority);
}

void CVelmoraDlg::showContextMenu(const QPoint& screenPosition) {
    activateWindow();
    menu().menu().exec(screenPosition);
}

void CVelmoraDlg::updateMenu() {
    refreshTray();
    ClockMenu& items = menu();
    items.action(MenuCommand::StayOnTop)->setChecked(view_.stayOnTop);
    bool transparent = windowHandle() != nullptr &&
                       windowHandle()->flags().testFlag(Qt::WindowTransparentForInput);
    items.action(MenuCommand::ClickThrough)->setChecked(transparent);
    items.action(MenuCommand::ClickThrough)->setEnabled(trayAvailable());
    items.action(MenuCommand::HideToTray)->setChecked(view_.hiddenToTray);
    items.action(MenuCommand::HideToTray)->setEnabled(trayAvailable());
    items.action(MenuCommand::Customize)->setEnabled(ClockDialogs::canOpenOptionsDialog());
    // The tray's menu stays reachable while the modal dialog runs.
    items.action(MenuCommand::TimeZones)->setEnabled(timezonesDialog() == nullptr);
    items.action(MenuCommand::StartWithDesktop)->setChecked(autostartEntry().isEnabled());
    items.action(MenuCommand::DatesInMyLanguage)->setChecked(datesInMyLanguage(settings_));
    for (std::size_t i = 0; i < kPriorityItems.size(); ++i) {
        items.priorityActions()[i]->setChecked(view_.threadPriority == kPriorityItems[i].level);
    }
    for (std::size_t i = 0; i < kTransparencyItems.size(); ++i) {
        items.transparencyActions()[i]->setChecked(view_.overallAlpha ==
                                                   kTransparencyItems[i].alpha);
    }
    bool anySize = false;
    for (std::size_t i = 0; i < kSizeItems.size(); ++i) {
        double factor = kSizeItems[i].percent / 100.0;
        int w = static_cast<int>(clock_.backgroundWidth() * factor);
        int h = static_cast<int>(factor * clock_.backgroundHeight());
        bool current = w == width() && h == height();
        items.sizeActions()[i]->setChecked(current);
        anySize = anySize || current;
    }
    items.action(MenuCommand::OtherSize)->setChecked(!anySize);
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
    update();
}

void CVelmoraDlg::setThreadPriority(int level) {
    view_.threadPriority = level;
    settings_.writeInt(settings::kThreadPriority, level);
    applyViewState();
}

void CVelmoraDlg::applySize(int percent) {
    // Without a background there is no natural size to scale: the window stays as it is.
    if (clock_.backgroundWidth() <= 0 || clock_.backgroundHeight() <= 0) {
        return;
    }
    double factor = percent / 100.0;
    int w = static_cast<int>(clock_.backgroundWidth() * factor);
    int h = static_cast<int>(clock_.backgroundHeight() * factor);
    aligner_->userChange([this, w, h] { resize(std::max(w, 1), std::max(h, 1)); });
}

void CVelmoraDlg::runCommand(MenuCommand command) {
    switch (command) {
    case MenuCommand::ClickThrough:
        toggleClickThrough();
        break;
    case MenuCommand::StayOnTop:
        view_.stayOnTop = !view_.stayOnTop;
        settings_.writeInt(settings::kStayOnTop, view_.stayOnTop ? 1 : 0);
        applyViewState();
        break;
    case MenuCommand::HideToTray:
        if (!trayAvailable()) {
            break;
        }
        view_.hiddenToTray = !view_.hiddenToTray;
        applyViewState();
        drawFrame();
        break;
    case MenuCommand::Customize:
        dialogs_.openOptionsDialog();
        break;
    case MenuCommand::TimeZones:
        dialogs_.runTimezonesDialog();
        break;
    case MenuCommand::NewClock:
        startNewClock();
        break;
    case MenuCommand::Schemes:
        dialogs_.openSchemeChooser();
        break;
    case MenuCommand::StartWithDesktop:
        toggleStartWithDesktop();
        break;
    case MenuCommand::DatesInMyLanguage:
        toggleDatesInMyLanguage(settings_, clock_);
        drawFrame();
        break;
    case MenuCommand::Info:
        dialogs_.runInfoDialog();
        break;
    case MenuCommand::Exit:
        emit exitRequested();
        break;
    case MenuCommand::Site:
    case MenuCommand::Usage:
    case MenuCommand::Customizing:
    case MenuCommand::Faq:
    case MenuCommand::Feedback:
    case MenuCommand::Download:
        openHelpLink(static_cast<HelpLink>(command), this);
        break;
    default:
        break;
    }
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
    show();
    raise();
    activateWindow();
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
    const QString path = urls[0].toLocalFile();
    QMetaObject::invokeMethod(
        this, [this, path] { dialogs_.loadWhenFree(path); }, Qt::QueuedConnection);
}

QString CVelmoraDlg::startNewClock() {
    const QScreen* where = screen();
    return NewClock::start(frameGeometry(),
                           where != nullptr ? where->availableVirtualGeometry() : QRect(),
                           clockLauncher_);
}

AutostartEntry CVelmoraDlg::autostartEntry() const {
    return AutostartEntry(Settings::applicationName(clockName_),
                          QCoreApplication::applicationFilePath(), clockName_);
}

void CVelmoraDlg::toggleStartWithDesktop() {
    const AutostartEntry entry = autostartEntry();
    const bool wanted = !entry.isEnabled();
    if (!entry.setEnabled(wanted)) {
        QMessageBox::warning(
            this, QCoreApplication::translate("CVelmoraDlg", "Start with the desktop"),
            (wanted ? QCoreApplication::translate("CVelmoraDlg",
                                                  "The login entry %1 could not be written.")
                    : QCoreApplication::translate("CVelmoraDlg",
                                                  "The login entry %1 could not be removed."))
                .arg(QDir::toNativeSeparators(entry.filePath())));
    }
}
