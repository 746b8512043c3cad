// The clock shown in its own frameless window.
#include "app/window/window_clock_surface.h"

#include "app/desktop/settings.h"
#include "app/dialogs/window_aligner.h"
#include "app/presentation/backing_store_lag.h"
#include "app/presentation/frame_painting.h"
#include "app/window/clock_host.h"
#include "app/window/view_settings.h"
#include "app/x11/desktop_backdrop.h"
#include "app/x11/x11_frame_presenter.h"
#include "app/x11/x11_widget_hints.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

WindowClockSurface::WindowClockSurface(ClockHost& host, const DesktopBackdrop& backdrop,
                                       BackingStoreLag& lag)
    : host_(host), window_(host.widget()), backdrop_(backdrop), lag_(lag) {}

WindowClockSurface::~WindowClockSurface() = default;

void WindowClockSurface::prepare() {
    // On X11 the window's hints say where it is stacked: a change of Qt's stacking flags
    // makes Qt replace the native window at its next show, after the hints were given.
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        window_.setWindowFlag(Qt::WindowStaysOnTopHint, false);
    }
    // The native window must exist before its flags can change without hiding it.
    window_.winId();
    window_.windowHandle()->installEventFilter(&window_);
    // Another screen may have another density, which the frames recorded ahead do not know.
    QObject::connect(window_.windowHandle(), &QWindow::screenChanged, &window_,
                     [this] { host_.drawFrame(); });
    hints_ = X11WidgetHints::forWindow(window_);
    // A window manager starting as the clock first shows may miss its request: the clock would
    // stay unseen however long it runs. Looked at once, 2.5 s after the first show, by when a
    // window manager started with the session is up.
    constexpr int kShowCheckMs = 2500;
    showCheck_.setSingleShot(true);
    showCheck_.setInterval(kShowCheckMs);
    QObject::connect(&showCheck_, &QTimer::timeout, &window_, [this] {
        if (hints_ != nullptr && window_.isVisible() && hints_->withdrawn()) {
            window_.hide();
            window_.show();
        }
    });
}

std::unique_ptr<FramePresenter> WindowClockSurface::makePresenter() {
    return X11FramePresenter::forWindow(window_);
}

bool WindowClockSurface::presentsHere(const FramePresenter& presenter) const {
    return presenter.showsInto(window_.winId());
}

void WindowClockSurface::placeAtStart(CWindowAligner& aligner,
                                      const std::function<QRect(const QRect& area)>& first) {
    // Set before the window is shown, so that the window manager takes it as the program's.
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!CWindowAligner::hasStoredPosition(host_.settings(), settings::kClockWindow) &&
        primary != nullptr) {
        window_.setGeometry(first(primary->availableGeometry()));
    }
    host_.applyViewState();
    aligner.initForWindow(&window_, nullptr, true, settings::kClockWindow, false);
}

void WindowClockSurface::placeByUser(CWindowAligner& aligner, const QRect& target, bool) {
    // The aligner saves a change once the window system shows it, a drag after its end.
    if (target == window_.geometry()) {
        return;
    }
    aligner.userChange([this, &target] {
        if (target.topLeft() == window_.geometry().topLeft()) {
            window_.resize(target.size());
        } else {
            window_.setGeometry(target);
        }
    });
}

bool WindowClockSurface::applyView(const ViewSettings& view) {
    if (view.hiddenToTray) {
        window_.hide();
        return false;
    }
    const X11WidgetHints::Wanted wanted{view.onAllWorkspaces, view.stayOnTop};
    if (hints_ == nullptr && window_.windowHandle() != nullptr) {
        window_.windowHandle()->setFlag(Qt::WindowStaysOnTopHint, view.stayOnTop);
    }
    // A window manager takes a window's new kind only when it takes the window anew.
    const bool remap = hints_ != nullptr && hints_->needsRemap(wanted);
    if (remap) {
        window_.hide();
        hints_->unmapped();
    }
    if (hints_ != nullptr) {
        hints_->apply(wanted);
    }
    window_.show();
    if (!shownOnce_ && hints_ != nullptr) {
        shownOnce_ = true;
        showCheck_.start();
    }
    if (remap) {
        hints_->remapped();
    }
    if (window_.windowHandle() != nullptr) {
        window_.windowHandle()->setFlag(Qt::WindowTransparentForInput, view.clickThrough);
    }
    return true;
}

void WindowClockSurface::bringToFront() {
    window_.show();
    window_.raise();
    window_.activateWindow();
}

bool WindowClockSurface::shown() const {
    return window_.isVisible();
}

qreal WindowClockSurface::frameRatio() const {
    return window_.devicePixelRatioF();
}

qreal WindowClockSurface::refreshRate() const {
    return window_.screen() != nullptr ? window_.screen()->refreshRate() : 0;
}

bool WindowClockSurface::covered() const {
    const QWindow* window = window_.windowHandle();
    return window != nullptr && !window->isExposed();
}

bool WindowClockSurface::hoverShowsMarks() const {
    return hovered_ && hints_ != nullptr && hints_->showsAsDock();
}

bool WindowClockSurface::showsMarks() const {
    return window_.isActiveWindow() || hoverShowsMarks();
}

bool WindowClockSurface::setHovered(bool over) {
    const bool before = hoverShowsMarks();
    hovered_ = over;
    return before || hoverShowsMarks();
}

// The marks are drawn over the frame for a window the user is working with; those few frames
// go through Qt, and so does everything before the window is on the screen and everything
// painted over the desktop's background.
bool WindowClockSurface::takesDirectFrames() const {
    const QWindow* window = window_.windowHandle();
    return window != nullptr && window->isExposed() && backdrop_.image().isNull();
}

void WindowClockSurface::presentedDirectly(const QRegion& drawn, const QRegion& ahead,
                                           qreal ratio) {
    // Counted now for the frames to come as well: painting more again costs nothing.
    lag_.presentedDirectly(window_, logicalArea(drawn + ahead, ratio));
}

void WindowClockSurface::showFrame(DirectPresentation::Parts&, const QImage&, const QRegion&,
                                   const QRegion& logical, int) {
    window_.update(logical);
}

void WindowClockSurface::repaintWhole() {
    window_.update();
}

void WindowClockSurface::setInputRegion(const QRegion& region) {
    window_.setMask(region);
}

void WindowClockSurface::takeNoInput() {
    window_.clearMask();
}
