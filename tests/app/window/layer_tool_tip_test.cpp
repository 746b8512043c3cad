// The clock's tooltip on a layer surface: opened by resting over the clock, below the clock,
// closed by leaving or a drag, and never over an open menu.
#include "app/window/layer_tool_tip.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QStyle>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class LayerToolTipTest : public testing::Test {
protected:
    void SetUp() override { clock_.setGeometry(100, 80, 200, 200); }

    QWidget* tip() const { return tip_.window(); }
    QString shownText() const {
        const auto* label = qobject_cast<const QLabel*>(tip_.window());
        return label != nullptr ? label->text() : QString();
    }
    static int delay() {
        return QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay) + 200;
    }

    QWidget clock_;
    int asked_ = 0;
    LayerToolTip tip_{clock_, [this] {
                          ++asked_;
                          return QStringLiteral("10:08, Wednesday, 9 December 2026");
                      }};
};

TEST_F(LayerToolTipTest, OpensBelowTheClockAfterRestingAndClosesOnLeaving) {
    tip_.hover(true);
    EXPECT_EQ(tip(), nullptr) << "not at once";
    QTest::qWait(delay());
    ASSERT_NE(tip(), nullptr);
    EXPECT_EQ(shownText(), QStringLiteral("10:08, Wednesday, 9 December 2026"));
    EXPECT_EQ(asked_, 1) << "the text is worked out when the tip opens";
    EXPECT_GT(tip()->geometry().top(), clock_.geometry().bottom());
    // A leave as it opens is the compositor handing the pointer to the tooltip's window.
    tip_.hover(false);
    EXPECT_NE(tip(), nullptr);
    tip_.hover(true);
    QTest::qWait(1100);
    tip_.hover(false);
    EXPECT_EQ(tip(), nullptr);
}

// Near the screen's bottom it opens above the clock.
TEST_F(LayerToolTipTest, AboveTheClockWhereTheScreenEnds) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    clock_.setGeometry(screen.left() + 10, screen.bottom() - 200, 200, 200);
    tip_.hover(true);
    QTest::qWait(delay());
    ASSERT_NE(tip(), nullptr);
    EXPECT_LT(tip()->geometry().bottom(), clock_.geometry().top());
    EXPECT_GE(tip()->geometry().left(), screen.left());
}

TEST_F(LayerToolTipTest, LeavingBeforeTheDelayShowsNothing) {
    tip_.hover(true);
    QTest::qWait(50);
    tip_.hover(false);
    QTest::qWait(delay());
    EXPECT_EQ(tip(), nullptr);
    EXPECT_EQ(asked_, 0);
}

// A drag closes it while the pointer stays over the clock; it opens again only once the
// pointer has come back.
TEST_F(LayerToolTipTest, ClosedItStaysClosedUntilThePointerComesBack) {
    tip_.hover(true);
    QTest::qWait(delay());
    ASSERT_NE(tip(), nullptr);
    tip_.close();
    EXPECT_EQ(tip(), nullptr);
    QTest::qWait(delay());
    EXPECT_EQ(tip(), nullptr);
    EXPECT_EQ(asked_, 1);
}

TEST_F(LayerToolTipTest, NoneOverAnOpenMenu) {
    QMenu menu;
    menu.addAction(QStringLiteral("Exit"));
    menu.popup(QPoint(120, 120));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    tip_.hover(true);
    QTest::qWait(delay());
    EXPECT_EQ(tip(), nullptr);
    menu.close();
}

} // namespace
