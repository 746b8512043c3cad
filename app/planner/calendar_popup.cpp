// The month calendar: a pop-up beside the clock with the clock's local date marked, ISO week
// numbers, and the week, day and month names of the desktop's locale.
#include "app/planner/calendar_popup.h"

#include "time/wall_clock_zone.h"
#include "time/zone_slots.h"

#include <QCalendarWidget>
#include <QCoreApplication>
#include <QDateTime>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QTableView>
#include <QTextCharFormat>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {

// One notch of a wheel.
constexpr int kWheelStep = 120;
// Midnight is looked for again a little after it, in case the timer fired a moment early.
constexpr int kPastMidnightMs = 500;

QToolButton* stepButton(QWidget* parent, const QString& text, const char* help) {
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setToolTip(QCoreApplication::translate("CalendarPopup", help));
    button->setAccessibleName(button->toolTip());
    button->setAutoRaise(true);
    button->setAutoRepeat(true);
    return button;
}

// The clock's local date now, from the zone slot its local time comes from.
QDate clockToday() {
    const velmora::PackedDateTime local = velmora::zoneSlotTime(0, velmora::currentUtcDateTime());
    return QDate(local.year(), local.month(), local.day());
}

} // namespace

CalendarPopup::CalendarPopup(const QDate& today, QWidget* parent)
    : QFrame(parent, Qt::Popup), today_(today) {
    setAttribute(Qt::WA_DeleteOnClose);
    // A pop-up has no window frame: its own edge sets it off from what lies beneath.
    setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    setAccessibleName(QCoreApplication::translate("CalendarPopup", "Calendar"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    auto* header = new QHBoxLayout;
    QToolButton* previousYear = stepButton(this, QStringLiteral("\u00ab"),
                                           QT_TRANSLATE_NOOP("CalendarPopup", "Previous year"));
    QToolButton* previousMonth = stepButton(this, QStringLiteral("\u2039"),
                                            QT_TRANSLATE_NOOP("CalendarPopup", "Previous month"));
    QToolButton* nextMonth = stepButton(this, QStringLiteral("\u203a"),
                                        QT_TRANSLATE_NOOP("CalendarPopup", "Next month"));
    QToolButton* nextYear =
        stepButton(this, QStringLiteral("\u00bb"), QT_TRANSLATE_NOOP("CalendarPopup", "Next year"));
    title_ = new QLabel(this);
    title_->setAlignment(Qt::AlignCenter);
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    header->addWidget(previousYear);
    header->addWidget(previousMonth);
    header->addWidget(title_, 1);
    header->addWidget(nextMonth);
    header->addWidget(nextYear);
    layout->addLayout(header);

    calendar_ = new QCalendarWidget(this);
    const QLocale locale;
    calendar_->setLocale(locale);
    calendar_->setFirstDayOfWeek(locale.firstDayOfWeek());
    calendar_->setNavigationBarVisible(false);
    calendar_->setVerticalHeaderFormat(QCalendarWidget::ISOWeekNumbers);
    calendar_->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    calendar_->setGridVisible(false);
    layout->addWidget(calendar_);
    // Keys and the wheel reach the grid first.
    if (auto* view = calendar_->findChild<QTableView*>()) {
        view->installEventFilter(this);
        view->viewport()->installEventFilter(this);
    }

    connect(previousYear, &QToolButton::clicked, this, [this] { step(-12); });
    connect(previousMonth, &QToolButton::clicked, this, [this] { step(-1); });
    connect(nextMonth, &QToolButton::clicked, this, [this] { step(1); });
    connect(nextYear, &QToolButton::clicked, this, [this] { step(12); });
    connect(calendar_, &QCalendarWidget::currentPageChanged, this, &CalendarPopup::showTitle);
    midnight_.setSingleShot(true);
    connect(&midnight_, &QTimer::timeout, this, [this] {
        setToday(clockToday());
        awaitMidnight();
    });
    calendar_->setSelectedDate(today);
    setToday(today);
    awaitMidnight();
}

void CalendarPopup::setToday(const QDate& today) {
    calendar_->setDateTextFormat(today_, QTextCharFormat());
    const bool followed =
        calendar_->selectedDate() == today_ || !calendar_->selectedDate().isValid();
    today_ = today;
    QTextCharFormat marked;
    marked.setFontWeight(QFont::Bold);
    QColor ring = palette().color(QPalette::Highlight);
    marked.setForeground(ring);
    ring.setAlpha(48);
    marked.setBackground(ring);
    calendar_->setDateTextFormat(today_, marked);
    if (followed) {
        calendar_->setSelectedDate(today_);
        calendar_->setCurrentPage(today_.year(), today_.month());
    }
    showTitle();
}

QDate CalendarPopup::shownMonth() const {
    return QDate(calendar_->yearShown(), calendar_->monthShown(), 1);
}

void CalendarPopup::step(int months) {
    const QDate target = shownMonth().addMonths(months);
    if (target.isValid()) {
        calendar_->setCurrentPage(target.year(), target.month());
    }
}

void CalendarPopup::showTitle() {
    const QLocale locale;
    title_->setText(QStringLiteral("%1 %2").arg(
        locale.standaloneMonthName(calendar_->monthShown(), QLocale::LongFormat),
        QString::number(calendar_->yearShown())));
}

void CalendarPopup::awaitMidnight() {
    // The clock's next midnight, on a day of 23 or 25 hours too.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const velmora::ZoneOffsetAt zone = velmora::zoneSlotOffset(0);
    const std::int64_t seconds = now / 1000;
    const std::int64_t tomorrow = velmora::localDay(seconds + zone(seconds)) + 1;
    const std::int64_t midnight =
        velmora::firstInstantShowing(zone, tomorrow * velmora::kSecondsPerDay);
    midnight_.start(static_cast<int>(midnight * 1000 - now) + kPastMidnightMs);
}

bool CalendarPopup::navigate(const QKeyEvent& key) {
    const bool shifted = key.modifiers().testFlag(Qt::ShiftModifier) ||
                         key.modifiers().testFlag(Qt::ControlModifier);
    switch (key.key()) {
    case Qt::Key_PageUp:
        step(shifted ? -12 : -1);
        return true;
    case Qt::Key_PageDown:
        step(shifted ? 12 : 1);
        return true;
    case Qt::Key_Home:
        if (!key.modifiers().testFlag(Qt::ControlModifier)) {
            return false;
        }
        calendar_->setSelectedDate(today_);
        calendar_->setCurrentPage(today_.year(), today_.month());
        return true;
    case Qt::Key_Escape:
        close();
        return true;
    default:
        return false;
    }
}

// Away from you (up) goes back a month, as the grid's own wheel does; with Shift or Ctrl, a
// year. Touchpads send small steps, which add up to a notch first.
bool CalendarPopup::scroll(const QWheelEvent& wheel) {
    wheelRest_ += wheel.angleDelta().y() != 0 ? wheel.angleDelta().y() : wheel.angleDelta().x();
    const int notches = wheelRest_ / kWheelStep;
    wheelRest_ -= notches * kWheelStep;
    const bool years = wheel.modifiers().testFlag(Qt::ShiftModifier) ||
                       wheel.modifiers().testFlag(Qt::ControlModifier);
    if (notches != 0) {
        step(-notches * (years ? 12 : 1));
    }
    return true;
}

bool CalendarPopup::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && navigate(*static_cast<QKeyEvent*>(event))) {
        return true;
    }
    if (event->type() == QEvent::Wheel) {
        return scroll(*static_cast<QWheelEvent*>(event));
    }
    return QFrame::eventFilter(watched, event);
}

void CalendarPopup::keyPressEvent(QKeyEvent* event) {
    if (!navigate(*event)) {
        QFrame::keyPressEvent(event);
    }
}

void CalendarPopup::wheelEvent(QWheelEvent* event) {
    scroll(*event);
}
