// The calendar pop-up: the locale's first weekday and names, ISO week numbers, today marked and
// moved on, months and years by buttons, keys and the wheel, and Esc or a click outside closing it.
#include "app/planner/calendar_popup.h"
#include "tests/tab_stops.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCalendarWidget>
#include <QPointer>
#include <QTableView>
#include <QTest>
#include <QTextCharFormat>
#include <QToolButton>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

class CalendarPopupTest : public testing::Test {
protected:
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    // A pop-up on today's month in the locale, shown.
    QPointer<CalendarPopup> open(const char* locale, const QDate& today) {
        QLocale::setDefault(QLocale(QLatin1String(locale)));
        QPointer<CalendarPopup> popup = new CalendarPopup(today, nullptr);
        popup->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(popup));
        return popup;
    }

    static QTableView* grid(CalendarPopup& popup) {
        return popup.calendar()->findChild<QTableView*>();
    }

    // The text the grid shows at a row and column (row 0 the day names, column 0 the weeks).
    static QString cell(CalendarPopup& popup, int row, int column) {
        const QAbstractItemModel* model = grid(popup)->model();
        return model->data(model->index(row, column)).toString();
    }

    static QToolButton* button(CalendarPopup& popup, const char* name) {
        for (QToolButton* found : popup.findChildren<QToolButton*>()) {
            if (found->toolTip() == QLatin1String(name)) {
                return found;
            }
        }
        return nullptr;
    }
};

struct LocaleCase {
    const char* locale;
    const char* firstDay;
};

// January 2027 begins on a Friday, in ISO week 53 of 2026: the first row, whichever day the
// locale's week begins with, is week 53 (by its Monday), the next one week 1.
TEST_F(CalendarPopupTest, WeeksAndNamesAreTheLocales) {
    for (const LocaleCase& row :
         {LocaleCase{"en_US", "Sun"}, LocaleCase{"de_DE", "Mo."}, LocaleCase{"fr_FR", "lun."}}) {
        QPointer<CalendarPopup> popup = open(row.locale, QDate(2027, 1, 15));
        EXPECT_EQ(cell(*popup, 0, 1), QString::fromUtf8(row.firstDay)) << row.locale;
        EXPECT_EQ(cell(*popup, 1, 0), QLatin1String("53")) << row.locale;
        EXPECT_EQ(cell(*popup, 2, 0), QLatin1String("1")) << row.locale;
        delete popup;
    }
}

TEST_F(CalendarPopupTest, TodayIsMarkedAndMovesOn) {
    QPointer<CalendarPopup> popup = open("de_DE", QDate(2026, 12, 31));
    QCalendarWidget* calendar = popup->calendar();
    EXPECT_EQ(calendar->dateTextFormat(QDate(2026, 12, 31)).fontWeight(), QFont::Bold);
    EXPECT_NE(calendar->dateTextFormat(QDate(2026, 12, 30)).fontWeight(), QFont::Bold);
    EXPECT_EQ(calendar->selectedDate(), QDate(2026, 12, 31));
    popup->setToday(QDate(2027, 1, 1));
    EXPECT_NE(calendar->dateTextFormat(QDate(2026, 12, 31)).fontWeight(), QFont::Bold);
    EXPECT_EQ(calendar->dateTextFormat(QDate(2027, 1, 1)).fontWeight(), QFont::Bold);
    EXPECT_EQ(popup->shownMonth(), QDate(2027, 1, 1));
    delete popup;
}

TEST_F(CalendarPopupTest, MonthsAndYearsMoveByButtonsKeysAndTheWheel) {
    QPointer<CalendarPopup> popup = open("en_US", QDate(2026, 6, 10));
    QTableView* view = grid(*popup);
    view->setFocus();
    QTest::mouseClick(button(*popup, "Next month"), Qt::LeftButton);
    EXPECT_EQ(popup->shownMonth(), QDate(2026, 7, 1));
    QTest::mouseClick(button(*popup, "Previous year"), Qt::LeftButton);
    EXPECT_EQ(popup->shownMonth(), QDate(2025, 7, 1));
    QTest::keyClick(view, Qt::Key_PageDown);
    EXPECT_EQ(popup->shownMonth(), QDate(2025, 8, 1));
    QTest::keyClick(view, Qt::Key_PageUp, Qt::ShiftModifier);
    EXPECT_EQ(popup->shownMonth(), QDate(2024, 8, 1));

    const auto wheel = [&](int delta, Qt::KeyboardModifiers modifiers) {
        const QPointF at = view->viewport()->rect().center();
        QWheelEvent event(at, view->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view->viewport(), &event);
    };
    wheel(-120, Qt::NoModifier);
    EXPECT_EQ(popup->shownMonth(), QDate(2024, 9, 1));
    // A touchpad's small steps add up to a notch.
    wheel(60, Qt::NoModifier);
    EXPECT_EQ(popup->shownMonth(), QDate(2024, 9, 1));
    wheel(60, Qt::NoModifier);
    EXPECT_EQ(popup->shownMonth(), QDate(2024, 8, 1));
    wheel(-240, Qt::ControlModifier);
    EXPECT_EQ(popup->shownMonth(), QDate(2026, 8, 1));
    QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(popup->shownMonth(), QDate(2026, 6, 1));
    delete popup;
}

TEST_F(CalendarPopupTest, EscAndAClickOutsideCloseIt) {
    QPointer<CalendarPopup> popup = open("en_US", QDate(2026, 6, 10));
    QTest::keyClick(grid(*popup), Qt::Key_Escape);
    QTRY_VERIFY(popup.isNull());

    QWidget outside;
    outside.setGeometry(600, 600, 100, 100);
    outside.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&outside));
    popup = open("en_US", QDate(2026, 6, 10));
    popup->move(0, 0);
    QTest::mouseClick(&outside, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    QTRY_VERIFY(popup.isNull());
}

} // namespace

// Tab goes from the month's days to the buttons that step the months and years, in their row
// from the left, and back to the days.
TEST_F(CalendarPopupTest, TabGoesFromTheGridThroughTheStepButtons) {
    QPointer<CalendarPopup> popup = open("en_GB", QDate(2026, 12, 9));
    QApplication::setActiveWindow(popup);
    const std::vector<QWidget*> stops = tabStops(grid(*popup));
    std::vector<QString> names;
    for (const QWidget* stop : stops) {
        names.push_back(stop->accessibleName());
    }
    EXPECT_EQ(names, (std::vector<QString>{"Previous year", "Previous month", "Next month",
                                           "Next year", QString()}))
        << describeStops(stops);
    EXPECT_EQ(stops.back(), grid(*popup));
    delete popup.data();
}
