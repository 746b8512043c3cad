// The clock's tooltip on a layer surface, where Qt hears no pointer resting on the clock.
#include "app/window/layer_tool_tip.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QStyle>
#include <QToolTip>
#include <QWidget>
#include <algorithm>

namespace {

// Room between the clock and its tooltip.
constexpr int kGap = 4;
// A compositor may hand the pointer to the tooltip's window as it opens, which the clock hears
// as the pointer leaving: a leave this soon after opening is no leave.
constexpr int kOpeningMs = 1000;
// The pointer may then leave unheard: the tooltip closes by itself, as Qt's own do.
constexpr int kShownMs = 10000;

} // namespace

LayerToolTip::LayerToolTip(QWidget& clock, std::function<QString()> text)
    : clock_(clock), text_(std::move(text)) {
    wait_.setSingleShot(true);
    connect(&wait_, &QTimer::timeout, this, &LayerToolTip::show);
    opened_.setSingleShot(true);
    shown_.setSingleShot(true);
    connect(&shown_, &QTimer::timeout, this, &LayerToolTip::close);
}

LayerToolTip::~LayerToolTip() = default;

void LayerToolTip::hover(bool over) {
    if (!over) {
        if (!opened_.isActive()) {
            close();
        }
        return;
    }
    if (window() == nullptr) {
        wait_.start(clock_.style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, &clock_));
    }
}

void LayerToolTip::close() {
    wait_.stop();
    opened_.stop();
    shown_.stop();
    if (label_ != nullptr) {
        label_->hide();
    }
}

QWidget* LayerToolTip::window() const {
    return label_ != nullptr && label_->isVisible() ? label_.get() : nullptr;
}

void LayerToolTip::show() {
    // Not over an open menu, which the pointer reached across the clock.
    if (QApplication::activePopupWidget() != nullptr) {
        return;
    }
    // A window of its own, kept between showings: a compositor's X11 bridge may stumble over
    // a window destroyed just after it was hidden, as Qt's own tooltip window is.
    if (label_ == nullptr) {
        label_ = std::make_unique<QLabel>(nullptr, Qt::ToolTip | Qt::WindowDoesNotAcceptFocus);
        label_->setAttribute(Qt::WA_ShowWithoutActivating);
        label_->setPalette(QToolTip::palette());
        label_->setFont(QToolTip::font());
        label_->setForegroundRole(QPalette::ToolTipText);
        label_->setBackgroundRole(QPalette::ToolTipBase);
        label_->setAutoFillBackground(true);
        label_->setFrameStyle(QFrame::Box | QFrame::Plain);
        label_->setMargin(label_->style()->pixelMetric(QStyle::PM_ToolTipLabelFrameWidth) + 2);
        label_->setTextFormat(Qt::PlainText);
    }
    label_->setText(text_());
    label_->adjustSize();
    // Below the clock, else above it, centred on it and kept on its screen.
    const QRect clock = clock_.geometry();
    const QScreen* screen = QGuiApplication::screenAt(clock.center());
    const QRect room = screen != nullptr ? screen->availableGeometry() : clock;
    const QSize size = label_->size();
    QPoint at(clock.center().x() - size.width() / 2, clock.bottom() + 1 + kGap);
    if (at.y() + size.height() > room.bottom() + 1) {
        at.setY(clock.top() - kGap - size.height());
    }
    at.setX(
        std::clamp(at.x(), room.left(), std::max(room.left(), room.right() + 1 - size.width())));
    label_->move(at);
    label_->show();
    opened_.start(kOpeningMs);
    shown_.start(kShownMs);
}
