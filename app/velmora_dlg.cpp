// The clock on the desktop: a frameless, per-pixel-alpha window showing the clock body.
#include "app/velmora_dlg.h"

#include "app/about_dialog.h"
#include "app/clock_instance.h"
#include "app/desktop_backdrop.h"
#include "app/dialog_placement.h"
#include "app/frame_painting.h"
#include "app/help_links.h"
#include "app/options_dial.h"
#include "app/scheme_chooser.h"
#include "app/settings.h"
#include "app/thread_priority.h"
#include "app/timezones_dial.h"
#include "app/window_aligner.h"
#include "app/x11_frame_presenter.h"
#include "clock/scheme_file.h"
#include "model/settings_store.h"
#include "model/string_table.h"
#include "model/utf.h"
#include "render/png_image.h"
#include "time/machine_zone.h"
#include "time/system_zone_table.h"
#include "time/zone_slots.h"

#include <QApplication>
#include <QBackingStore>
#include <QBitmap>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QProcess>
#include <QRegion>
#include <QScreen>
#include <QStandardPaths>
#include <QStyle>
#include <QWindow>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kTrayTooltipTextId = 49;
// Step-wise clocks wake at each second boundary; continuous ones at each tenth of a second,
// so that their second changes on the boundary too.
constexpr std::chrono::milliseconds kContinuousPeriod(100);
// How often, in seconds, the machine's time zone is checked for a change, and the desktop's
// tray where its coming and going cannot be watched; checked on a tick so that an idle clock
// wakes only once a second. Asking for the tray costs one round trip to the X server.
constexpr int kWatchSeconds = 3;
// The ticks recorded ahead for the drawing thread, which this thread then sleeps through:
// ten seconds of a clock that ticks, one of a clock that moves continuously.
constexpr int kAheadFrames = 10;
// How long start-up waits for the stored scheme's file before showing the built-in scheme;
// a file on a local disk takes milliseconds.
constexpr std::chrono::milliseconds kStartupSchemeWait(300);
// How detailed the record of what the backing store lacks may grow.
constexpr int kMaxBehindRects = 16;

// How far apart "New clock" places a new clock from this one.
constexpr int kNewClockGap = 16;
// How soon a scheme handed over while a modal window runs is tried again.
constexpr std::chrono::milliseconds kHandOverRetry(300);

// Corner order: top-left, top-right, bottom-right, bottom-left.
constexpr std::array<const char*, 4> kCornerNames = {"tl", "tr", "br", "bl"};

std::array<QImage, 4> loadMarks(const char* colour) {
    std::array<QImage, 4> marks;
    for (std::size_t i = 0; i < marks.size(); ++i) {
        marks[i] =
            readPng(QStringLiteral(":/corners/corner_%1_%2.png").arg(colour, kCornerNames[i]));
    }
    return marks;
}

QIcon programIcon() {
    const QImage image = readPng(QStringLiteral(":/velmora_icon.png"));
    if (image.isNull()) {
        return QIcon();
    }
    // Kept for as long as the window lives, at no more than trays and window lists show:
    // 64 pixels at the screen's density.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int side =
        static_cast<int>(std::ceil(64 * (screen != nullptr ? screen->devicePixelRatio() : 1)));
    if (side >= image.width()) {
        return QIcon(QPixmap::fromImage(image));
    }
    return QIcon(QPixmap::fromImage(
        image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

QString toQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QImage emptyInputBits(const QSize& logicalSize) {
    QImage bits(logicalSize, QImage::Format_MonoLSB);
    // Index 1 is black, which a bitmap counts as inside the region.
    bits.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    bits.fill(0);
    return bits;
}

// Pixels of the frame in the window's coordinates, rounded outwards.
QRegion logicalArea(const QRegion& pixels, qreal ratio) {
    if (ratio == 1) {
        return pixels;
    }
    QRegion logical;
    for (const QRect& rect : pixels) {
        const int left = static_cast<int>(std::floor(rect.left() / ratio));
        const int top = static_cast<int>(std::floor(rect.top() / ratio));
        const int right = static_cast<int>(std::ceil((rect.right() + 1) / ratio));
        const int bottom = static_cast<int>(std::ceil((rect.bottom() + 1) / ratio));
        logical += QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    }
    return logical;
}

} // namespace

// Each bit takes the alpha of the frame pixel nearest to its centre, so a frame drawn at a
// higher density than the window still gives one bit per window pixel. The bits are compared
// and written a byte at a time: this runs over the changed boxes every second.
bool CVelmoraDlg::updateInputBits(QImage& bits, const QImage& frame, const QRect& area) {
    const QRect inside = area & bits.rect();
    if (inside.isEmpty() || frame.isNull()) {
        return false;
    }
    const auto nearest = [](qint64 i, qint64 from, qint64 to) {
        return static_cast<int>((2 * i + 1) * to / (2 * from));
    };
    // The frame's column under each bit of the area, worked out once rather than per row.
    std::vector<int> columns(static_cast<std::size_t>(inside.width()));
    for (int x = inside.left(); x <= inside.right(); ++x) {
        columns[static_cast<std::size_t>(x - inside.left())] =
            nearest(x, bits.width(), frame.width());
    }
    const int* column = columns.data() - inside.left();
    bool changed = false;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        const int frameY = nearest(y, bits.height(), frame.height());
        const auto* line = reinterpret_cast<const QRgb*>(frame.constScanLine(frameY));
        uchar* out = bits.scanLine(y);
        for (int x = inside.left(); x <= inside.right();) {
            const int byte = x >> 3;
            const int last = std::min(inside.right(), x | 7);
            uchar mask = 0;
            uchar wanted = 0;
            for (; x <= last; ++x) {
                const auto bit = static_cast<uchar>(1 << (x & 7));
                mask |= bit;
                wanted |= qAlpha(line[column[x]]) != 0 ? bit : 0;
            }
            if ((out[byte] & mask) != wanted) {
                out[byte] = static_cast<uchar>((out[byte] & ~mask) | wanted);
                changed = true;
            }
        }
    }
    return changed;
}

QImage CVelmoraDlg::inputBits(const QImage& frame, const QSize& logicalSize) {
    QImage bits = emptyInputBits(logicalSize);
    updateInputBits(bits, frame, bits.rect());
    return bits;
}

QRegion CVelmoraDlg::inputRegion(const QImage& frame, const QSize& logicalSize) {
    return QRegion(QBitmap::fromImage(inputBits(frame, logicalSize)));
}

void CVelmoraDlg::updateInputMask(const QRegion& changed) {
    // The drawing thread may still be updating the bits for a frame it presents.
    renderer_.settle();
    if (clickThrough_ || lastFrame().isNull()) {
        inputBits_ = QImage();
        clearMask();
        return;
    }
    const bool fresh = inputBits_.size() != size();
    if (fresh) {
        inputBits_ = emptyInputBits(size());
    }
    // The outline rarely changes between seconds; a new shape is sent to the window system
    // only when it does.
    bool outlineChanged = false;
    for (const QRect& area : fresh ? QRegion(rect()) : changed) {
        outlineChanged = updateInputBits(inputBits_, lastFrame(), area) || outlineChanged;
    }
    if (fresh || outlineChanged) {
        setMask(QRegion(QBitmap::fromImage(inputBits_)));
    }
}

CVelmoraDlg::CVelmoraDlg(SettingsStore& settings, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::Tool | Qt::WindowStaysOnTopHint),
      settings_(settings) {
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
    connect(&tickTimer_, &BoundaryTimer::timeout, this, &CVelmoraDlg::tick);
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
          MenuCommand::Schemes, MenuCommand::Exit}) {
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
    renderer_.settle();
    // The dialog edits clock_, which goes before the child windows would.
    delete optionsDial_.data();
    setTrayIconShown(false);
}

void CVelmoraDlg::createTrayIcon() {
    tray_ = std::make_unique<QSystemTrayIcon>(windowIcon());
    tray_->setToolTip(toQString(stringTableText(kTrayTooltipTextId)));
    tray_->setContextMenu(&menu().menu());
    connect(tray_.get(), &QSystemTrayIcon::activated, this, &CVelmoraDlg::onTrayActivated);
}

void CVelmoraDlg::refreshTray() {
    trayAvailable_ = trayProbe_();
    if (trayAvailable_) {
        if (tray_ == nullptr) {
            createTrayIcon();
        }
        return;
    }
    // The icon went with the tray host, and it was the only way back to a clock that lets
    // clicks through or is hidden. The stored choice is kept for a session with a tray.
    if (clickThrough_ || hiddenToTray_) {
        clickThrough_ = false;
        hiddenToTray_ = false;
        applyViewState();
        drawFrame();
    }
}

void CVelmoraDlg::initialize() {
    fillZoneSlots();
    zoneWatched_ = zoneWatcher_.start();
    connect(&zoneWatcher_, &ZoneFileWatcher::changed, this, [this] {
        if (followMachineZone()) {
            drawFrame();
        }
    });
    trayWatched_ = trayWatcher_.start();
    connect(&trayWatcher_, &TrayWatcher::changed, this, &CVelmoraDlg::refreshTray);
    refreshTray();
    readViewSettings();
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
    presenter_ = X11FramePresenter::forWindow(*this);
    // Frames to come that the drawing thread will not draw after all: drawn from here again.
    renderer_.setAheadDropped([this] {
        aheadEnd_.reset();
        scheduleTick();
    });
    // Frames the server reads itself need no pixels sent; a new presenter makes the next.
    renderer_.setAllocator([this](const QSize& pixels) {
        return presenter_ != nullptr ? presenter_->createFrame(pixels) : QImage();
    });
    applyViewState();
    aligner_ = std::make_unique<CWindowAligner>(settings_);
    aligner_->setCornerSize(kCornerSize);
    aligner_->initForWindow(this, nullptr, true, settings::kClockWindow, false);
    watchScreens();
    if (clickThrough_) {
        clearFocus();
    }
    drawFrame();
    scheduleTick();
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

void CVelmoraDlg::fillZoneSlots() {
    // Only the zones the slots name are read; the whole table would cost milliseconds at start.
    velmora::ZoneFinder zones;
    std::u16string machine =
        velmora::machineZoneDisplayName(zones, velmora::currentMachineZoneSources());
    machineZoneStamp_ = velmora::machineZoneStamp();
    machineZone_ = velmora::machineZoneId();
    bool fixedLocalZone = settings_.readInt(settings::kUseFixedZone) != 0;
    for (int slot = 0; slot < settings::kZoneSlotCount; ++slot) {
        // Unless the user fixed it, the local zone follows the machine's, not the stored name.
        std::u16string name = slot == 0 && !fixedLocalZone
                                  ? machine
                                  : settings_.readText(settings::zoneKey(slot), machine);
        velmora::setZoneSlot(slot, zones.findByDisplayName(name));
    }
}

bool CVelmoraDlg::followMachineZone() {
    std::string stamp = velmora::machineZoneStamp();
    if (stamp == machineZoneStamp_) {
        return false;
    }
    machineZoneStamp_ = std::move(stamp);
    if (settings_.readInt(settings::kUseFixedZone) != 0 ||
        velmora::machineZoneId() == machineZone_) {
        return false;
    }
    // The caller draws the frame right after.
    fillZoneSlots();
    return true;
}

int CVelmoraDlg::usableOverallAlpha(std::int32_t stored) {
    if (stored >= 1 && stored <= 255) {
        return stored;
    }
    int nearest = kTransparencyItems.front().alpha;
    for (const TransparencyItem& item : kTransparencyItems) {
        if (std::abs(std::int64_t{item.alpha} - stored) <
            std::abs(std::int64_t{nearest} - stored)) {
            nearest = item.alpha;
        }
    }
    return nearest;
}

void CVelmoraDlg::readViewSettings() {
    stayOnTop_ = settings_.readInt(settings::kStayOnTop) != 0;
    // Without a tray icon there would be no way back from click-through; the stored value
    // stays for a session that has one.
    clickThrough_ = settings_.readInt(settings::kClickThrough) != 0 && trayAvailable();
    overallAlpha_ = usableOverallAlpha(settings_.readInt(settings::kOverallAlpha));
    threadPriority_ = settings_.readInt(settings::kThreadPriority);
}

void CVelmoraDlg::loadScheme() {
    startupScheme_ = std::make_unique<StartupScheme>(clock_, settings_, schemeReader_);
    connect(startupScheme_.get(), &StartupScheme::lateSchemeLoaded, this,
            &CVelmoraDlg::schemeEdited);
    startupScheme_->start(kStartupSchemeWait);
}

std::chrono::nanoseconds CVelmoraDlg::untilNextTick(std::chrono::system_clock::time_point now,
                                                    bool continuous) {
    using namespace std::chrono;
    const nanoseconds period =
        continuous ? nanoseconds(kContinuousPeriod) : nanoseconds(seconds(1));
    const nanoseconds sinceEpoch = duration_cast<nanoseconds>(now.time_since_epoch());
    nanoseconds into = sinceEpoch % period;
    if (into < nanoseconds(0)) {
        into += period;
    }
    return period - into;
}

void CVelmoraDlg::scheduleTick() {
    // Every wake-up reads the wall clock afresh, and the timer ends its wait when the wall
    // clock is set, so clock changes show at once and a resume at the next tick.
    const auto now = wallClock_();
    if (aheadEnd_ && *aheadEnd_ > now) {
        // Woken for the first frame the drawing thread has not got.
        tickTimer_.start(*aheadEnd_ - now);
        return;
    }
    aheadEnd_.reset();
    tickTimer_.start(untilNextTick(now, continuousRedraw_));
}

// The frames of the ticks to come are recorded now, while this thread is awake, and the
// drawing thread draws and presents each at its moment on its own. Anything that settles the
// renderer drops those not yet drawn, and this thread then ticks again until it draws.
std::optional<QRegion> CVelmoraDlg::drawAhead(const FrameRenderer::Finish& finish) {
    using namespace std::chrono;
    const nanoseconds period =
        continuousRedraw_ ? nanoseconds(kContinuousPeriod) : nanoseconds(seconds(1));
    const auto now = wallClock_();
    // The tick of the frame just drawn.
    const auto drawn = now - (period - untilNextTick(now, continuousRedraw_));
    auto end = drawn + kAheadFrames * period;
    if (!zoneWatched_ || !trayWatched_) {
        // The machine's zone or the tray is looked at every few seconds, here.
        const auto next = floor<seconds>(drawn) + seconds(1);
        const auto count = next.time_since_epoch().count();
        end = std::min<system_clock::time_point>(
            end, next + seconds((kWatchSeconds - count % kWatchSeconds) % kWatchSeconds));
    }
    std::vector<FrameRenderer::Moment> moments;
    for (auto at = drawn + period; at < end; at += period) {
        moments.push_back({at, velmora::packedDateTimeFrom(at)});
    }
    std::optional<QRegion> ahead = renderer_.renderAhead(clock_, moments, finish);
    if (ahead) {
        aheadEnd_ = moments.back().at + period;
        scheduleTick();
    }
    return ahead;
}

void CVelmoraDlg::tick() {
    int second = velmora::packedDateTimeFrom(wallClock_()).second();
    // Woken while the drawing thread had frames to come: they ran out, or the wall clock was
    // set, which leaves them for the wrong moments. Either way the frame is drawn anew.
    if (continuousRedraw_ || second != lastSecond_ || aheadEnd_) {
        if (second != lastSecond_ && second % kWatchSeconds == 0) {
            if (!zoneWatched_) {
                followMachineZone();
            }
            if (!trayWatched_) {
                refreshTray();
            }
        }
        lastSecond_ = second;
        drawFrame();
    }
    scheduleTick();
}

void CVelmoraDlg::drawFrame() {
    if (hiddenToTray_ || !isVisible() || width() <= 0 || height() <= 0) {
        return;
    }
    const qreal ratio = devicePixelRatioF();
    const QSize pixels(static_cast<int>(width() * ratio), static_cast<int>(height() * ratio));
    const Marks marks = !isActiveWindow() ? Marks::None : clickThrough_ ? Marks::Red : Marks::Green;
    // What the drawing thread may still do with the frame, the presenter and the input bits
    // ends before any of them changes here, and the frames it has to come are recorded anew.
    renderer_.settle();
    aheadEnd_.reset();
    if (marks != drawnMarks_) {
        renderer_.invalidate();
        drawnMarks_ = marks;
    }
    if (presenter_ != nullptr && presenter_->windowId() != winId()) {
        presenter_ = X11FramePresenter::forWindow(*this);
    }
    const velmora::PackedDateTime utc = velmora::packedDateTimeFrom(wallClock_());
    // Usually only the boxes around the hands, old and new, are drawn again.
    const bool direct =
        marks == Marks::None && presentDirectly() && (clickThrough_ || inputBits_.size() == size());
    const FrameRenderer::Finish finish = [this, ratio, alpha = overallAlpha_ & 0xFF,
                                          outline = !clickThrough_](const QImage& frame,
                                                                    const QRegion& redrawn) {
        finishDirectFrame(frame, redrawn, ratio, alpha, outline);
    };
    lastRedrawn_ = direct ? renderer_.renderAndFinish(clock_, pixels, ratio, utc, finish)
                          : renderer_.render(clock_, pixels, ratio, utc);
    ++framesDrawn_;
    continuousRedraw_ = clock_.needsContinuousRedraw();
    const QRegion ahead = direct ? drawAhead(finish).value_or(QRegion()) : QRegion();
    if (lastRedrawn_.isEmpty() && ahead.isEmpty()) {
        return;
    }
    if (direct) {
        releaseBackingStore();
        // Counted now for the frames to come as well: painting more again costs nothing.
        behindBackingStore_ += logicalArea(lastRedrawn_ + ahead, ratio);
        // Only ever repainted on an exposure: a box around it serves as well as its outline.
        if (behindBackingStore_.rectCount() > kMaxBehindRects) {
            behindBackingStore_ = behindBackingStore_.boundingRect();
        }
        return;
    }
    if (marks != Marks::None) {
        drawCornerMarks(lastRedrawn_);
    }
    const QRegion logical = logicalArea(lastRedrawn_, ratio);
    updateInputMask(logical);
    update(logical);
}

// On the drawing thread, right after the frame's pixels: the outline and the upload need
// nothing of the GUI thread, which sleeps on. Only a changed outline is handed back to it,
// as a window's mask is set there.
void CVelmoraDlg::finishDirectFrame(const QImage& frame, const QRegion& redrawn, qreal ratio,
                                    int alpha, bool outline) {
    bool outlineChanged = false;
    if (outline) {
        for (const QRect& area : logicalArea(redrawn, ratio)) {
            outlineChanged = updateInputBits(inputBits_, frame, area) || outlineChanged;
        }
    }
    presenter_->present(frame, redrawn, alpha);
    if (outlineChanged) {
        QMetaObject::invokeMethod(
            this,
            [this, bits = inputBits_.copy()] {
                // Click-through, turned on meanwhile, takes the shape away.
                if (!clickThrough_) {
                    setMask(QRegion(QBitmap::fromImage(bits)));
                }
            },
            Qt::QueuedConnection);
    }
}

// The marks are drawn over the frame for a window the user is working with; those few frames
// go through Qt, and so does everything before the window is on the screen and everything
// painted over the desktop's background.
bool CVelmoraDlg::presentDirectly() const {
    const QWindow* window = windowHandle();
    return presenter_ != nullptr && window != nullptr && window->isExposed() &&
           backdrop_->image().isNull();
}

bool CVelmoraDlg::eventFilter(QObject* watched, QEvent* event) {
    // Qt shows an exposed window from its backing store, which lacks what was presented
    // directly: painted again first, so that the exposure shows the current frame.
    if (watched == windowHandle() && event->type() == QEvent::Expose &&
        !windowHandle()->isExposed()) {
        // Nothing shows what is presented meanwhile.
        renderer_.settle();
    } else if (watched == windowHandle() && event->type() == QEvent::Expose &&
               !behindBackingStore_.isEmpty()) {
        update(behindBackingStore_);
        behindBackingStore_ = QRegion();
    }
    return QWidget::eventFilter(watched, event);
}

// Drawn in the frame's pixels, where the marks are scaled by the density like the clock.
void CVelmoraDlg::drawCornerMarks(const QRegion& area) {
    std::array<QImage, 4>& marks = clickThrough_ ? redMarks_ : greenMarks_;
    // Read when first shown: most sessions never show one colour or the other.
    if (marks[0].isNull()) {
        marks = loadMarks(clickThrough_ ? "red" : "green");
    }
    QImage& frame = renderer_.frame();
    const qreal ratio = frame.devicePixelRatio();
    QPainter painter(&frame);
    painter.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
    painter.setClipRegion(area);
    const int right = width() - kCornerSize;
    const int bottom = height() - kCornerSize;
    const std::array<QPoint, 4> at = {QPoint(0, 0), QPoint(right, 0), QPoint(right, bottom),
                                      QPoint(0, bottom)};
    for (std::size_t i = 0; i < marks.size(); ++i) {
        painter.drawImage(QRectF(QPointF(at[i]) * ratio, QSizeF(kCornerSize, kCornerSize) * ratio),
                          marks[i]);
    }
}

void CVelmoraDlg::paintEvent(QPaintEvent* event) {
    behindBackingStore_ -= event->region();
    QPainter painter(this);
    for (const QRect& area : event->region()) {
        paintFrameArea(painter, lastFrame(), backdrop_->image(), area,
                       (overallAlpha_ & 0xFF) / 255.0);
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
    if (!hiddenToTray_) {
        show();
    }
}

// The window manager's close (Alt+F4, its window menu) ends the program as "Exit" does:
// hidden, the clock would leave a process running with nothing on screen to end it.
void CVelmoraDlg::closeEvent(QCloseEvent* event) {
    event->accept();
    emit exitRequested();
}

// Qt's own copy of the window, as large as the frame, serves only what Qt paints itself:
// while frames go to the window directly it is given back, and Qt sizes it anew before it
// next paints (an exposure, the corner marks).
void CVelmoraDlg::releaseBackingStore() {
    QBackingStore* store = backingStore();
    if (store != nullptr && !store->size().isEmpty()) {
        store->resize(QSize(0, 0));
    }
}

void CVelmoraDlg::hideEvent(QHideEvent* event) {
    // No frames for a window that is not shown.
    renderer_.settle();
    QWidget::hideEvent(event);
}

Qt::Edges CVelmoraDlg::cornerAt(const QPoint& position) const {
    bool left = position.x() < kCornerSize;
    bool right = position.x() >= width() - kCornerSize;
    bool top = position.y() < kCornerSize;
    bool bottom = position.y() >= height() - kCornerSize;
    if (bottom && right) {
        return Qt::BottomEdge | Qt::RightEdge;
    }
    if (bottom && left) {
        return Qt::BottomEdge | Qt::LeftEdge;
    }
    if (top && right) {
        return Qt::TopEdge | Qt::RightEdge;
    }
    if (top && left) {
        return Qt::TopEdge | Qt::LeftEdge;
    }
    return {};
}

void CVelmoraDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    // While the editor is open, a press on an element selects it and a drag moves it.
    const QPoint position = event->position().toPoint();
    if (COptionsDial* dialog = optionsDialog();
        dialog != nullptr && !cornerAt(position) &&
        editing_.press(*dialog, event->position(), event->globalPosition().toPoint(),
                       devicePixelRatioF(), velmora::packedDateTimeFrom(wallClock_()))) {
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
    if (editing_.isActive() && (event->buttons() & Qt::LeftButton)) {
        editing_.move(event->globalPosition().toPoint(), devicePixelRatioF());
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
    setGeometry(draggedGeometry(delta));
}

QRect CVelmoraDlg::draggedGeometry(const QPoint& delta) const {
    QRect target = drag_->geometry;
    if (!drag_->edges) {
        target.moveTopLeft(target.topLeft() + delta);
        return target;
    }
    if (drag_->edges & Qt::LeftEdge) {
        target.setLeft(std::min(target.left() + delta.x(), target.right() - kCornerSize));
    } else {
        target.setRight(std::max(target.right() + delta.x(), target.left() + kCornerSize));
    }
    if (drag_->edges & Qt::TopEdge) {
        target.setTop(std::min(target.top() + delta.y(), target.bottom() - kCornerSize));
    } else {
        target.setBottom(std::max(target.bottom() + delta.y(), target.top() + kCornerSize));
    }
    return target;
}

void CVelmoraDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        drag_.reset();
        editing_.release();
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
    if (hiddenToTray_) {
        hide();
    } else {
        if (windowHandle() != nullptr) {
            windowHandle()->setFlag(Qt::WindowStaysOnTopHint, stayOnTop_);
        }
        show();
        if (windowHandle() != nullptr) {
            windowHandle()->setFlag(Qt::WindowTransparentForInput, clickThrough_);
        }
        updateInputMask(QRegion());
        wantIcon = clickThrough_;
    }
    setTrayIconShown(wantIcon);
    applyThreadPriority(threadPriority_);
}

void CVelmoraDlg::setTrayIconShown(bool shown) {
    if (tray_ == nullptr || shown == trayIconShown_) {
        return;
    }
    tray_->setVisible(shown);
    trayIconShown_ = shown;
}

void CVelmoraDlg::onTrayActivated(QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::DoubleClick) {
        toggleClickThrough();
    }
}

void CVelmoraDlg::showContextMenu(const QPoint& screenPosition) {
    activateWindow();
    menu().menu().exec(screenPosition);
}

void CVelmoraDlg::updateMenu() {
    refreshTray();
    ClockMenu& items = menu();
    items.action(MenuCommand::StayOnTop)->setChecked(stayOnTop_);
    bool transparent = windowHandle() != nullptr &&
                       windowHandle()->flags().testFlag(Qt::WindowTransparentForInput);
    items.action(MenuCommand::ClickThrough)->setChecked(transparent);
    items.action(MenuCommand::ClickThrough)->setEnabled(trayAvailable());
    items.action(MenuCommand::HideToTray)->setChecked(hiddenToTray_);
    items.action(MenuCommand::HideToTray)->setEnabled(trayAvailable());
    items.action(MenuCommand::Customize)->setEnabled(COptionsDial::instanceCount() == 0);
    // The tray's menu stays reachable while the modal dialog runs.
    items.action(MenuCommand::TimeZones)->setEnabled(timezonesDial_ == nullptr);
    items.action(MenuCommand::StartWithDesktop)->setChecked(autostartEntry().isEnabled());
    for (std::size_t i = 0; i < kPriorityItems.size(); ++i) {
        items.priorityActions()[i]->setChecked(threadPriority_ == kPriorityItems[i].level);
    }
    for (std::size_t i = 0; i < kTransparencyItems.size(); ++i) {
        items.transparencyActions()[i]->setChecked(overallAlpha_ == kTransparencyItems[i].alpha);
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
    if (!clickThrough_ && !trayAvailable()) {
        return;
    }
    clickThrough_ = !clickThrough_;
    settings_.writeInt(settings::kClickThrough, clickThrough_ ? 1 : 0);
    applyViewState();
    drawFrame();
}

void CVelmoraDlg::setOverallAlpha(int alpha) {
    overallAlpha_ = alpha;
    settings_.writeInt(settings::kOverallAlpha, alpha);
    applyViewState();
    update();
}

void CVelmoraDlg::setThreadPriority(int level) {
    threadPriority_ = level;
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
    resize(std::max(w, 1), std::max(h, 1));
}

void CVelmoraDlg::runCommand(MenuCommand command) {
    switch (command) {
    case MenuCommand::ClickThrough:
        toggleClickThrough();
        break;
    case MenuCommand::StayOnTop:
        stayOnTop_ = !stayOnTop_;
        settings_.writeInt(settings::kStayOnTop, stayOnTop_ ? 1 : 0);
        applyViewState();
        break;
    case MenuCommand::HideToTray:
        if (!trayAvailable()) {
            break;
        }
        hiddenToTray_ = !hiddenToTray_;
        applyViewState();
        drawFrame();
        break;
    case MenuCommand::Customize:
        openOptionsDialog();
        break;
    case MenuCommand::TimeZones:
        runTimezonesDialog();
        break;
    case MenuCommand::NewClock:
        startNewClock();
        break;
    case MenuCommand::Schemes:
        openSchemeChooser();
        break;
    case MenuCommand::StartWithDesktop:
        toggleStartWithDesktop();
        break;
    case MenuCommand::Info: {
        CAboutDlg about(this);
        about.exec();
        break;
    }
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

COptionsDial* CVelmoraDlg::optionsDialog() const {
    return static_cast<COptionsDial*>(optionsDial_.data());
}

void CVelmoraDlg::openOptionsDialog() {
    if (COptionsDial::instanceCount() != 0) {
        return;
    }
    // What the user edits or loads now wins over a stored scheme that has yet to arrive.
    if (startupScheme_ != nullptr) {
        startupScheme_->abandon();
    }
    auto* dialog = new COptionsDial(clock_, settings_, this);
    if (!dialog->isInitialized()) {
        delete dialog;
        return;
    }
    optionsDial_ = dialog;
    connect(dialog, &COptionsDial::schemeChanged, this, &CVelmoraDlg::schemeEdited);
    placeBesideClock(*dialog);
    dialog->show();
}

void CVelmoraDlg::runTimezonesDialog() {
    if (timezonesDial_ != nullptr) {
        return;
    }
    CTimezonesDial dialog(settings_, this);
    timezonesDial_ = &dialog;
    placeBesideClock(dialog);
    const int result = dialog.exec();
    timezonesDial_ = nullptr;
    if (result == QDialog::Accepted) {
        // The zone slots changed: the clock shows them now, not at the next second.
        drawFrame();
    }
}

void CVelmoraDlg::placeBesideClock(QWidget& dialog) const {
    const QScreen* where = screen();
    if (where == nullptr) {
        return;
    }
    // The frame is not known before the window manager decorates the dialog: allow for a
    // title bar and borders as the style draws them.
    const QStyle* style = dialog.style();
    const int border = style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &dialog);
    const int title = style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &dialog);
    const QSize framed = dialog.size() + QSize(2 * border, title + 2 * border);
    const QPoint corner = placeBeside(frameGeometry(), framed, where->availableGeometry());
    dialog.move(corner);
}

void CVelmoraDlg::schemeEdited() {
    drawFrame();
    // An element that now moves continuously needs the short period from now on.
    scheduleTick();
}

bool CVelmoraDlg::loadSchemeAsUser(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    ReadError error;
    // Read whole before anything is asked or changed, so a bad file changes nothing.
    std::unique_ptr<Clock> fresh = readSchemeFile(toPath(absolute.toStdU16String()), &error);
    if (fresh == nullptr) {
        const QString message =
            QStringLiteral("This file could not be loaded as a scheme:\n%1\n\n%2 (at byte %3).")
                .arg(QDir::toNativeSeparators(absolute), QString::fromStdString(error.reason))
                .arg(error.offset);
        if (loadErrorReport_) {
            loadErrorReport_(message);
        } else {
            QMessageBox::warning(this, QStringLiteral("Load error"), message);
        }
        return false;
    }
    if (!editorReleasesScheme()) {
        return false;
    }
    // What the user loads now wins over a stored scheme that has yet to arrive.
    if (startupScheme_ != nullptr) {
        startupScheme_->abandon();
    }
    clock_.takeLoadedScheme(*fresh, toPath(absolute.toStdU16String()), settings_);
    schemeEdited();
    return true;
}

bool CVelmoraDlg::editorReleasesScheme() {
    COptionsDial* dialog = optionsDialog();
    if (dialog == nullptr) {
        return true;
    }
    if (!dialog->confirmSaveChanges()) {
        return false;
    }
    delete dialog;
    return true;
}

void CVelmoraDlg::takeHandOver(const QString& path) {
    bringToFront();
    if (path.isEmpty()) {
        return;
    }
    // A modal window (a file dialog or a question of the editor) runs inside the code that
    // opened it, which goes on with the scheme's elements when it closes: they must still be
    // there then.
    if (QApplication::activeModalWidget() != nullptr) {
        QTimer::singleShot(kHandOverRetry, this, [this, path] { takeHandOver(path); });
        return;
    }
    loadSchemeAsUser(path);
}

void CVelmoraDlg::bringToFront() {
    if (hiddenToTray_) {
        hiddenToTray_ = false;
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
        this, [this, path] { loadSchemeAsUser(path); }, Qt::QueuedConnection);
}

QString CVelmoraDlg::nextFreeClockName(const std::function<bool(const QString&)>& running) {
    for (int number = 2;; ++number) {
        const QString name = QString::number(number);
        if (!running(name)) {
            return name;
        }
    }
}

QString CVelmoraDlg::startNewClock() {
    const QString name = nextFreeClockName([](const QString& candidate) {
        return ClockInstance::isRunning(
            ClockInstance::socketPathFor(Settings::applicationName(candidate)));
    });
    placeClockBesideThis(name);
    const bool started = clockLauncher_
                             ? clockLauncher_(name)
                             : QProcess::startDetached(QCoreApplication::applicationFilePath(),
                                                       {QStringLiteral("--clock"), name});
    return started ? name : QString();
}

void CVelmoraDlg::placeClockBesideThis(const QString& clockName) const {
    using settings::PlacementPart;
    using settings::windowLayoutKey;
    Settings other(Settings::ClockName{clockName});
    const SettingKey x = windowLayoutKey(settings::kClockWindow, PlacementPart::X);
    const SettingKey y = windowLayoutKey(settings::kClockWindow, PlacementPart::Y);
    constexpr std::int32_t kUnset = INT32_MIN;
    if (other.readInt(x, kUnset) != kUnset && other.readInt(y, kUnset) != kUnset) {
        return;
    }
    // To the right where the screen has room, else to the left.
    const QRect here = frameGeometry();
    const QScreen* screen = this->screen();
    const QRect desktop = screen != nullptr ? screen->availableVirtualGeometry() : QRect();
    int left = here.right() + 1 + kNewClockGap;
    if (desktop.isValid() && left + here.width() > desktop.right() + 1) {
        left = std::max(desktop.left(), here.left() - kNewClockGap - here.width());
    }
    other.writeInt(x, left);
    other.writeInt(y, here.top());
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
            this, QStringLiteral("Start with the desktop"),
            QStringLiteral("The login entry %1 could not be %2.")
                .arg(QDir::toNativeSeparators(entry.filePath()),
                     wanted ? QStringLiteral("written") : QStringLiteral("removed")));
    }
}

QStringList CVelmoraDlg::schemeFolders() const {
    QStringList folders{COptionsDial::examplesFolder(),
                        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                            QStringLiteral("/velmora/schemes")};
    const QString last = QString::fromStdU16String(settings_.readText(settings::kSchemeLoaded));
    if (!last.isEmpty()) {
        folders.append(QFileInfo(last).absolutePath());
    }
    return folders;
}

void CVelmoraDlg::openSchemeChooser() {
    if (schemeChooser_ != nullptr) {
        schemeChooser_->raise();
        schemeChooser_->activateWindow();
        return;
    }
    auto* chooser = new SchemeChooser(schemeFolders(), this);
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    connect(chooser, &SchemeChooser::chosen, this, &CVelmoraDlg::loadSchemeAsUser);
    schemeChooser_ = chooser;
    chooser->show();
}
