// CWindowAligner: keeps a window's placement in the settings and its controls anchored.
#include "app/dialogs/window_aligner.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <array>
#include <limits>
#include <vector>

namespace {

constexpr unsigned kAnchorMask = CWindowAligner::MoveRight | CWindowAligner::MoveDown |
                                 CWindowAligner::StretchRight | CWindowAligner::StretchDown;

// A QSizeGrip that looks like the dialogs' classic grip: three diagonal stripes, each of
// two shadow lines and one highlight line, in the bottom-right corner.
class StripedSizeGrip : public QSizeGrip {
public:
    explicit StripedSizeGrip(QWidget* parent) : QSizeGrip(parent) {}

    QSize sizeHint() const override { return QSizeGrip::sizeHint().expandedTo(QSize(12, 12)); }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        const QColor shadow = palette().color(QPalette::Dark);
        const QColor highlight = palette().color(QPalette::Light);
        const int right = width();
        const int bottom = height();
        for (int i = 1; i <= 11; ++i) {
            if (i % 4 == 0) {
                continue;
            }
            painter.setPen(i % 4 == 3 ? highlight : shadow);
            // The line from (right - i - 2, bottom) to (right, bottom - i - 2) without its
            // end point; its first point lies just below the client area.
            for (int k = 1; k <= i + 1; ++k) {
                painter.drawPoint(right - i - 2 + k, bottom - k);
            }
        }
    }
};

QList<QRect> screenAreas() {
    QList<QRect> areas;
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        areas.append(primary->availableGeometry());
    }
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen()) {
            areas.append(screen->availableGeometry());
        }
    }
    return areas;
}

qint64 areaOf(const QRect& rect) {
    return rect.isEmpty() ? 0 : qint64{rect.width()} * rect.height();
}

// Whether one of the four corner squares lies wholly in the area; a window smaller than the
// square needs all of itself there.
bool holdsACorner(const QRect& rect, const QRect& area, int cornerSize) {
    const QSize square = QSize(cornerSize, cornerSize).boundedTo(rect.size());
    const std::array<QRect, 4> corners{
        QRect(rect.topLeft(), square),
        QRect(QPoint(rect.right() - square.width() + 1, rect.top()), square),
        QRect(QPoint(rect.left(), rect.bottom() - square.height() + 1), square),
        QRect(QPoint(rect.right() - square.width() + 1, rect.bottom() - square.height() + 1),
              square)};
    return std::any_of(corners.begin(), corners.end(),
                       [&](const QRect& corner) { return area.contains(corner); });
}

} // namespace

// A placement left on a monitor since removed or shrunk could leave nothing on screen but a
// transparent sliver that can neither be seen nor grabbed. A window the user left partly off
// the edge with enough of it showing stays where it is.
QRect usablePlacement(const QRect& rect, const QList<QRect>& screens, int cornerSize) {
    if (screens.isEmpty() || rect.isEmpty()) {
        return rect;
    }
    const QRect* best = &screens.front();
    qint64 bestOverlap = 0;
    for (const QRect& area : screens) {
        const qint64 overlap = areaOf(area.intersected(rect));
        // Four times, to compare against a quarter without rounding.
        if (4 * overlap >= areaOf(rect) && holdsACorner(rect, area, cornerSize)) {
            return rect;
        }
        if (overlap > bestOverlap) {
            bestOverlap = overlap;
            best = &area;
        }
    }
    const QRect area = *best;
    const QSize size = rect.size().boundedTo(area.size());
    const int x = std::clamp(rect.left(), area.left(), area.left() + area.width() - size.width());
    const int y = std::clamp(rect.top(), area.top(), area.top() + area.height() - size.height());
    return QRect(QPoint(x, y), size);
}

void watchScreens(QObject* receiver, const std::function<void()>& changed) {
    auto watch = [receiver, changed](QScreen* screen) {
        QObject::connect(screen, &QScreen::geometryChanged, receiver, changed);
        QObject::connect(screen, &QScreen::availableGeometryChanged, receiver, changed);
    };
    for (QScreen* screen : QGuiApplication::screens()) {
        watch(screen);
    }
    QObject::connect(qApp, &QGuiApplication::screenAdded, receiver,
                     [watch, changed](QScreen* screen) {
                         watch(screen);
                         changed();
                     });
    QObject::connect(qApp, &QGuiApplication::screenRemoved, receiver, changed);
    QObject::connect(qApp, &QGuiApplication::primaryScreenChanged, receiver, changed);
}

// A window manager moves windows off a screen that shrinks or goes (openbox leaves 20 pixels
// of them showing), and the window sees that as any other move. The change of the screens
// reaches the program before those moves, which follow from it.
CWindowAligner::CWindowAligner(SettingsStore& store) : store_(store) {
    watchScreens(this, [this] { screensSettling_ = QDeadlineTimer(kScreenSettleMs); });
    confirm_.setSingleShot(true);
    confirm_.setInterval(kConfirmMs);
    connect(&confirm_, &QTimer::timeout, this, &CWindowAligner::settleUserChange);
}

CWindowAligner::~CWindowAligner() {
    settleUserChange();
}

void CWindowAligner::saveOnlyUserChanges() {
    userChangesOnly_ = true;
}

void CWindowAligner::userChange(const std::function<void()>& change) {
    change();
    // Otherwise the change's own move and resize events save it.
    if (!userChangesOnly_ || !hasPlacement()) {
        return;
    }
    // Qt takes the new geometry at once; the window system's answer, if it differs, comes
    // later as a move or resize of its own.
    requested_ = QRect(window_->pos(), window_->size());
    confirm_.start();
}

void CWindowAligner::settleUserChange() {
    confirm_.stop();
    if (!requested_ || window_ == nullptr) {
        requested_.reset();
        return;
    }
    const QRect requested = *requested_;
    requested_.reset();
    // Anywhere else the window system chose the place, and a placement it imposed is not
    // the user's, even when it follows the user's drag.
    if (QRect(window_->pos(), window_->size()) == requested) {
        savePlacement();
    }
}

void CWindowAligner::initForWindow(QWidget* window, QWidget* sizeSource, bool enforceMinimum,
                                   std::string_view name, bool relativeToParent) {
    controls_.clear();
    name_ = name;
    manage(window);
    enforceMinimum_ = enforceMinimum;
    minimumLayout_.reset();
    relativeToParent_ = relativeToParent;
    const QWidget* source = sizeSource != nullptr ? sizeSource : window;
    initialSize_ = source != nullptr ? source->size() : QSize(0, 0);
    restorePlacement();
}

void CWindowAligner::initForTemplate(QWidget* dialog, std::string_view name,
                                     bool relativeToParent) {
    // A window never resized has a placeholder size until show() fits it to its contents;
    // fitting it now gives the size it is designed for.
    if (dialog != nullptr && !dialog->testAttribute(Qt::WA_Resized)) {
        dialog->adjustSize();
    }
    initForWindow(dialog, nullptr, enforceMinimum_, name, relativeToParent);
}

void CWindowAligner::manage(QWidget* window) {
    if (window_ == window) {
        return;
    }
    if (window_ != nullptr) {
        window_->removeEventFilter(this);
    }
    window_ = window;
    // A grip belongs to the window it was made for.
    grip_.clear();
    if (window != nullptr) {
        window->installEventFilter(this);
    }
}

void CWindowAligner::addWindow(QWidget* control, unsigned flags, const QString& controlName) {
    Control record;
    record.name = controlName;
    record.flags = flags;
    if (window_ != nullptr && control != nullptr && window_->isAncestorOf(control)) {
        record.widget = control;
        measure(record);
    }
    controls_.push_back(std::move(record));
}

QWidget* CWindowAligner::findControl(const QString& controlName) const {
    if (window_ == nullptr || controlName.isEmpty()) {
        return nullptr;
    }
    return window_->findChild<QWidget*>(controlName);
}

QRect CWindowAligner::controlRect(const QWidget& control) const {
    return QRect(control.mapTo(window_.data(), QPoint(0, 0)), control.size());
}

void CWindowAligner::measure(Control& control) const {
    const QRect rect = controlRect(*control.widget);
    control.left = rect.left();
    control.top = rect.top();
    control.width = rect.width();
    control.height = rect.height();
    // Margins to the edges just past the control, as its width and height count them.
    control.rightMargin = initialSize_.width() - (rect.left() + rect.width());
    control.bottomMargin = initialSize_.height() - (rect.top() + rect.height());
    control.measured = true;
}

void CWindowAligner::arrangeControls() {
    if (layoutRunning_ || window_ == nullptr) {
        return;
    }
    layoutRunning_ = true;
    // Switching updates off lets the window repaint once for all the moved controls.
    const bool holdUpdates = !controls_.empty() && window_->isWindow() && window_->updatesEnabled();
    if (holdUpdates) {
        window_->setUpdatesEnabled(false);
    }
    const QSize client = layoutSize();
    for (Control& control : controls_) {
        placeControl(control, client);
    }
    placeSizeGrip();
    if (window_ == nullptr) {
        layoutRunning_ = false;
        return;
    }
    if (holdUpdates) {
        window_->setUpdatesEnabled(true);
    }
    window_->update();
    if (!restoring_ && !userChangesOnly_) {
        savePlacement();
    }
    layoutRunning_ = false;
}

QSize CWindowAligner::layoutSize() const {
    const QSize client = window_->size();
    return enforceMinimum_ ? client.expandedTo(minimumLayoutSize()) : client;
}

void CWindowAligner::placeControl(Control& control, QSize client) {
    if (control.widget == nullptr) {
        control.widget = findControl(control.name);
        if (control.widget != nullptr && !control.measured) {
            measure(control);
        }
    }
    QWidget* widget = control.widget;
    if (widget == nullptr || (control.flags & kAnchorMask) == 0 || !window_->isAncestorOf(widget)) {
        return;
    }
    QRect rect = controlRect(*widget);
    const int right = client.width() - control.rightMargin;
    const int bottom = client.height() - control.bottomMargin;
    if ((control.flags & MoveRight) != 0) {
        rect.moveLeft(right - rect.width());
    } else if ((control.flags & StretchRight) != 0) {
        rect.setWidth(std::max(0, right - rect.left()));
    }
    if ((control.flags & MoveDown) != 0) {
        rect.moveTop(bottom - rect.height());
    } else if ((control.flags & StretchDown) != 0) {
        rect.setHeight(std::max(0, bottom - rect.top()));
    }
    const QWidget* parent = widget->parentWidget();
    widget->setGeometry(QRect(parent->mapFrom(window_.data(), rect.topLeft()), rect.size()));
}

void CWindowAligner::restorePlacement() {
    if (!hasPlacement()) {
        return;
    }
    QRect target = storedRect();
    if (window_->isWindow()) {
        target = usablePlacement(target, screenAreas(), cornerSize_);
    }
    applyUnsaved(target);
    if (window_ != nullptr) {
        window_->update();
    }
}

void CWindowAligner::keepOnScreen() {
    if (window_ == nullptr || !window_->isWindow()) {
        return;
    }
    const QRect current(window_->pos(), window_->size());
    applyUnsaved(usablePlacement(current, screenAreas(), cornerSize_));
}

void CWindowAligner::applyUnsaved(const QRect& target) {
    // Only what changes is applied: moving a hidden window to where it already is would
    // take its first placement away from the window manager.
    withoutSaving([&] {
        if (target.topLeft() != window_->pos()) {
            window_->move(target.topLeft());
        }
        if (window_ != nullptr && target.size() != window_->size()) {
            window_->resize(target.size());
        }
    });
}

void CWindowAligner::withoutSaving(const std::function<void()>& change) {
    // Kept, not cleared, at the end: a change may run inside a restore.
    const bool outer = restoring_;
    restoring_ = true;
    change();
    restoring_ = outer;
}

void CWindowAligner::resizeUnsaved(QSize size) {
    if (window_ == nullptr) {
        return;
    }
    if (!fitted_) {
        unfitted_ = window_->size();
    }
    fitted_ = size;
    withoutSaving([this, size] { window_->resize(size); });
}

QRect CWindowAligner::storedRect() const {
    using settings::PlacementPart;
    using settings::windowLayoutKey;
    // Defaults are taken in the stored coordinates, so missing values leave the window
    // where it is even when positions are kept relative to the parent.
    const QPoint origin = parentOrigin();
    const QPoint current = window_->pos() - origin;
    // In 64 bits: a stored position near the ends of the range would overflow once the
    // origin or the size is added, and pass for a position on screen. Every screen lies well
    // within the range kept, so the on-screen rule still brings a far one back.
    constexpr qint64 kFar = qint64{1} << 30;
    const auto position = [&](PlacementPart part, int fallback, int offset) {
        const qint64 stored = store_.readInt(windowLayoutKey(name_, part), fallback);
        return static_cast<int>(std::clamp(stored + offset, -kFar, kFar));
    };
    const int x = position(PlacementPart::X, current.x(), origin.x());
    const int y = position(PlacementPart::Y, current.y(), origin.y());
    // Within what the window allows, which the window system would impose after the on-screen
    // rule had judged the stored size.
    const QSize size = storedSize(store_, name_, window_->size())
                           .expandedTo(window_->minimumSize())
                           .boundedTo(window_->maximumSize());
    return QRect(QPoint(x, y), size);
}

QSize CWindowAligner::storedSize(SettingsStore& store, std::string_view name, QSize fallback) {
    using settings::PlacementPart;
    using settings::windowLayoutKey;
    const int w = store.readInt(windowLayoutKey(name, PlacementPart::W), fallback.width());
    const int h = store.readInt(windowLayoutKey(name, PlacementPart::H), fallback.height());
    // An empty window could never be seen or grabbed again: treat it as no value.
    return QSize(w > 0 ? w : fallback.width(), h > 0 ? h : fallback.height());
}

bool CWindowAligner::hasStoredPosition(SettingsStore& store, std::string_view name) {
    using settings::PlacementPart;
    using settings::windowLayoutKey;
    constexpr std::int32_t kUnset = INT32_MIN;
    return store.readInt(windowLayoutKey(name, PlacementPart::X), kUnset) != kUnset &&
           store.readInt(windowLayoutKey(name, PlacementPart::Y), kUnset) != kUnset;
}

QPoint CWindowAligner::parentOrigin() const {
    // A child widget's position is in its parent already.
    const QWidget* parent = window_->parentWidget();
    if (!relativeToParent_ || parent == nullptr || !window_->isWindow()) {
        return QPoint(0, 0);
    }
    return parent->isWindow() ? parent->pos() : parent->mapToGlobal(QPoint(0, 0));
}

void CWindowAligner::savePlacement() {
    if (!hasPlacement()) {
        return;
    }
    // The placement to come back to is the one the user chose, not the one the window
    // system imposes while the window is out of its normal state.
    constexpr Qt::WindowStates kImposed =
        Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;
    if ((window_->windowState() & kImposed) != 0 || !screensSettling_.hasExpired()) {
        return;
    }
    using settings::PlacementPart;
    using settings::windowLayoutKey;
    const QPoint position = window_->pos() - parentOrigin();
    // Once the user resizes the window, its size is theirs again.
    if (fitted_ && window_->size() != *fitted_) {
        fitted_.reset();
    }
    const QSize size = fitted_ ? unfitted_ : window_->size();
    const SettingKey x = windowLayoutKey(name_, PlacementPart::X);
    const SettingKey y = windowLayoutKey(name_, PlacementPart::Y);
    const SettingKey w = windowLayoutKey(name_, PlacementPart::W);
    const SettingKey h = windowLayoutKey(name_, PlacementPart::H);
    // One update for the four values: a drag moves the window many times a second, and each
    // write through to disk rewrites the whole file.
    const std::array<SettingsStore::IntValue, 4> values{
        {{x, position.x()}, {y, position.y()}, {w, size.width()}, {h, size.height()}}};
    store_.writeInts(values);
}

bool CWindowAligner::applyMinimumTrackSize() {
    if (window_ == nullptr || initialSize_ == QSize(0, 0)) {
        return false;
    }
    window_->setMinimumSize(minimumLayoutSize());
    return true;
}

namespace {

// One control along one axis at the initial size: where it starts and ends, whether it moves
// or stretches with the window's far edge, and how far it may shrink.
struct Span {
    int start;
    int end;
    bool moves;
    bool stretches;
    int shrinkable;
};

// How far a window `extent` long may shrink along an axis: no control's end may pass a later
// neighbour in the same band, a moving control its window's near edge, nor a fixed one the far
// edge.
int allowedShrink(const std::vector<Span>& spans, const std::vector<std::vector<bool>>& sameBand,
                  int gap, int extent) {
    int shrink = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < spans.size(); ++i) {
        const Span& a = spans[i];
        if (a.stretches) {
            shrink = std::min(shrink, a.shrinkable);
        } else if (a.moves) {
            shrink = std::min(shrink, std::max(0, a.start - gap));
        } else {
            shrink = std::min(shrink, std::max(0, extent - a.end - gap));
        }
        for (std::size_t j = 0; j < spans.size(); ++j) {
            const Span& b = spans[j];
            // Only an end that stays put and a later start that comes nearer close up.
            if (i == j || !sameBand[i][j] || a.moves || a.stretches || !b.moves ||
                b.start < a.end) {
                continue;
            }
            shrink =
                std::min(shrink, std::max(0, b.start - a.end - std::min(gap, b.start - a.end)));
        }
    }
    return shrink == std::numeric_limits<int>::max() ? 0 : shrink;
}

} // namespace

QSize CWindowAligner::compactSize(int gap) const {
    std::vector<QRect> rects;
    std::vector<const Control*> placed;
    for (const Control& control : controls_) {
        if (control.widget != nullptr && control.measured && !control.widget->isHidden()) {
            rects.emplace_back(control.left, control.top, control.width, control.height);
            placed.push_back(&control);
        }
    }
    const std::size_t count = rects.size();
    std::vector<Span> across;
    std::vector<Span> down;
    std::vector<std::vector<bool>> sameRow(count, std::vector<bool>(count));
    std::vector<std::vector<bool>> sameColumn(count, std::vector<bool>(count));
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned flags = placed[i]->flags;
        const QSize least = placed[i]->widget->minimumSize();
        across.push_back({rects[i].left(), rects[i].right() + 1, (flags & MoveRight) != 0,
                          (flags & (MoveRight | StretchRight)) == StretchRight,
                          std::max(0, rects[i].width() - least.width())});
        down.push_back({rects[i].top(), rects[i].bottom() + 1, (flags & MoveDown) != 0,
                        (flags & (MoveDown | StretchDown)) == StretchDown,
                        std::max(0, rects[i].height() - least.height())});
        for (std::size_t j = 0; j < count; ++j) {
            sameRow[i][j] =
                rects[i].top() <= rects[j].bottom() && rects[j].top() <= rects[i].bottom();
            sameColumn[i][j] =
                rects[i].left() <= rects[j].right() && rects[j].left() <= rects[i].right();
        }
    }
    return initialSize_ - QSize(allowedShrink(across, sameRow, gap, initialSize_.width()),
                                allowedShrink(down, sameColumn, gap, initialSize_.height()));
}

void CWindowAligner::setMinimumLayoutSize(QSize size) {
    minimumLayout_ = size.boundedTo(initialSize_);
    arrangeControls();
}

void CWindowAligner::showSizeGrip() {
    if (window_ == nullptr || grip_ != nullptr) {
        return;
    }
    // Owned by the window, so it lives exactly as long as the corner it sits in.
    grip_ = new StripedSizeGrip(window_.data());
    grip_->resize(grip_->sizeHint());
    placeSizeGrip();
    grip_->raise();
    grip_->show();
}

void CWindowAligner::placeSizeGrip() {
    // The grip marks the real corner, even when a pass lays the controls out larger.
    if (grip_ == nullptr || window_ == nullptr) {
        return;
    }
    grip_->move(window_->width() - grip_->width(), window_->height() - grip_->height());
}

bool CWindowAligner::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_) {
        return false;
    }
    if (event->type() == QEvent::Move && !layoutRunning_ && !restoring_ && !userChangesOnly_) {
        // A pass saves once at its end; a restore writes back nothing it just read.
        savePlacement();
    } else if (event->type() == QEvent::Resize) {
        arrangeControls();
    }
    return false;
}
