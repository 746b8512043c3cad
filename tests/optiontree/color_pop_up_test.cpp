// The colour pop-up: where its entries lie, how keys and the mouse move and end the choice, its
// colour dialog, its tool tips and the ways it is cancelled.
#include "optiontree/option_tree_color_pop_up.h"

#include <QApplication>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

using Layout = ColorPopUpLayout;
using Message = ColorPopUpMessage;

constexpr QRgb kRed = 0xFFFF0000;
constexpr int kRedEntry = 16;

void deleteLaterNow() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A pop-up opened at a fixed point that records what it reports and that the test can always
// clean up, whether or not it deleted itself.
class PopUpTest : public testing::Test {
protected:
    void open(QRgb initial, QRgb automatic = 0xFF000000,
              COptionTreeColorPopUp::ColorDialog dialog = {}) {
        popUp = new COptionTreeColorPopUp(
            QColor(initial), QColor(automatic), QApplication::font(),
            [this](Message message, QColor color) { messages.emplace_back(message, color.rgb()); },
            std::move(dialog));
        popUp->popUp(QPoint(20, 20));
    }
    void TearDown() override {
        delete popUp.data();
        deleteLaterNow();
    }
    QPoint centre(int entry) const { return popUp->layout().entryRect(entry).center(); }
    std::vector<std::pair<Message, QRgb>> messages;
    QPointer<COptionTreeColorPopUp> popUp;
};

TEST(ColorPopUpLayoutTest, EveryEntryIsFoundAtItsOwnRectangleAndGapsFindNothing) {
    const Layout layout(QApplication::font(), COptionTreeColorPopUp::defaultText(),
                        COptionTreeColorPopUp::customText());
    for (int entry = Layout::kCustomEntry; entry < 40; ++entry) {
        if (entry == Layout::kNoEntry) {
            continue;
        }
        const QRect box = layout.entryRect(entry);
        ASSERT_TRUE(QRect(QPoint(), layout.size()).contains(box)) << entry;
        EXPECT_EQ(layout.entryAt(box.topLeft()), entry);
        EXPECT_EQ(layout.entryAt(box.bottomRight()), entry);
    }
    // Five rows of eight 18-pixel boxes, with the two text boxes above and below.
    EXPECT_EQ(layout.entryRect(8).top() - layout.entryRect(0).top(), Layout::kBox);
    EXPECT_EQ(layout.entryRect(1).left() - layout.entryRect(0).left(), Layout::kBox);
    EXPECT_LT(layout.entryRect(Layout::kDefaultEntry).bottom(), layout.entryRect(0).top());
    EXPECT_GT(layout.entryRect(Layout::kCustomEntry).top(), layout.entryRect(39).bottom());
    EXPECT_GE(layout.size().width(), 8 * Layout::kBox + 2 * Layout::kMargin);
    EXPECT_EQ(layout.entryAt(QPoint(0, 0)), Layout::kNoEntry);
    EXPECT_EQ(layout.entryAt(QPoint(layout.size().width() + 3, 40)), Layout::kNoEntry);
}

struct StepRow {
    const char* name;
    int from;
    int key;
    int to;
};

// Named rows print by name (the padding between members is not initialised).
void PrintTo(const StepRow& row, std::ostream* out) {
    *out << row.name;
}

class ColorPopUpStepTest : public testing::TestWithParam<StepRow> {};

TEST_P(ColorPopUpStepTest, ArrowKeysWalkTheGridAndTheTextBoxes) {
    EXPECT_EQ(Layout::step(GetParam().from, GetParam().key), GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ColorPopUpStepTest,
    testing::Values(
        StepRow{"NothingStartsAtBlack", Layout::kNoEntry, Qt::Key_Up, 0},
        StepRow{"RightInARow", 3, Qt::Key_Right, 4},
        StepRow{"RightWrapsToNextRow", 7, Qt::Key_Right, 8},
        StepRow{"LeftFromBlackToAutomatic", 0, Qt::Key_Left, Layout::kDefaultEntry},
        StepRow{"UpFromFirstRowToAutomatic", 5, Qt::Key_Up, Layout::kDefaultEntry},
        StepRow{"UpStopsAtAutomatic", Layout::kDefaultEntry, Qt::Key_Up, Layout::kDefaultEntry},
        StepRow{"DownFromAutomatic", Layout::kDefaultEntry, Qt::Key_Down, 0},
        StepRow{"DownARow", 12, Qt::Key_Down, 20},
        StepRow{"DownFromLastRowToCustom", 35, Qt::Key_Down, Layout::kCustomEntry},
        StepRow{"RightFromWhiteToCustom", 39, Qt::Key_Right, Layout::kCustomEntry},
        StepRow{"DownStopsAtCustom", Layout::kCustomEntry, Qt::Key_Down, Layout::kCustomEntry},
        StepRow{"UpFromCustom", Layout::kCustomEntry, Qt::Key_Up, 32}),
    [](const auto& info) { return std::string(info.param.name); });

struct PlaceRow {
    const char* name;
    QPoint at;
    QPoint expected;
};

void PrintTo(const PlaceRow& row, std::ostream* out) {
    *out << row.name;
}

class ColorPopUpPlaceTest : public testing::TestWithParam<PlaceRow> {};

TEST_P(ColorPopUpPlaceTest, StaysOnTheAvailableScreen) {
    const QRect available(0, 30, 800, 570);
    EXPECT_EQ(Layout::placeOnScreen(GetParam().at, QSize(150, 160), available),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Points, ColorPopUpPlaceTest,
    testing::Values(PlaceRow{"Inside", QPoint(100, 100), QPoint(100, 100)},
                    PlaceRow{"PastTheRightEdge", QPoint(700, 100), QPoint(650, 100)},
                    PlaceRow{"PastTheBottom", QPoint(100, 500), QPoint(100, 440)},
                    PlaceRow{"UnderAPanelAtTheTop", QPoint(-20, 5), QPoint(0, 30)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PopUpTest, StartsOnTheCurrentColourAndEnterEndsWithTheEntryReachedByKeys) {
    open(kRed);
    ASSERT_TRUE(popUp->isVisible());
    EXPECT_EQ(popUp->highlighted(), kRedEntry);
    EXPECT_TRUE(messages.empty());

    QTest::keyClick(popUp, Qt::Key_Right);
    QTest::keyClick(popUp, Qt::Key_Down);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], std::make_pair(Message::Highlight, QRgb(0xFFFFAD5B)));
    EXPECT_EQ(messages[1], std::make_pair(Message::Highlight, QRgb(0xFFFFD700)));

    QTest::keyClick(popUp, Qt::Key_Return);
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[2], std::make_pair(Message::End, QRgb(0xFFFFD700)));
    EXPECT_FALSE(popUp->isVisible());
    deleteLaterNow();
    EXPECT_TRUE(popUp.isNull());
}

TEST_F(PopUpTest, TheTextBoxesHighlightWithTheAutomaticAndTheStartingColour) {
    open(kRed, 0xFF123456);
    popUp->show();
    QTest::mouseMove(popUp, centre(Layout::kDefaultEntry));
    QTest::mouseMove(popUp, centre(Layout::kCustomEntry));
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], std::make_pair(Message::Highlight, QRgb(0xFF123456)));
    EXPECT_EQ(messages[1], std::make_pair(Message::Highlight, kRed));

    // Space on "Automatic" ends with the automatic colour.
    QTest::keyClick(popUp, Qt::Key_Up);
    QTest::keyClick(popUp, Qt::Key_Up);
    QTest::keyClick(popUp, Qt::Key_Up);
    QTest::keyClick(popUp, Qt::Key_Up);
    QTest::keyClick(popUp, Qt::Key_Up);
    QTest::keyClick(popUp, Qt::Key_Up);
    EXPECT_EQ(popUp->highlighted(), Layout::kDefaultEntry);
    QTest::keyClick(popUp, Qt::Key_Space);
    EXPECT_EQ(messages.back(), std::make_pair(Message::End, QRgb(0xFF123456)));
}

TEST_F(PopUpTest, AClickOnAColourEndsWithItAndAClickOutsideCancels) {
    open(kRed);
    const int darkTeal = 4;
    QTest::mouseClick(popUp, Qt::LeftButton, {}, centre(darkTeal));
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), std::make_pair(Message::End, QRgb(0xFF00005E)));
    deleteLaterNow();

    messages.clear();
    open(kRed);
    QTest::mouseMove(popUp, centre(0));
    QTest::mousePress(popUp, Qt::LeftButton, {}, QPoint(-10, -10));
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages.back(), std::make_pair(Message::Cancel, kRed));
}

TEST_F(PopUpTest, MoreColorsThenCancelReportsCancelWithTheStartingColour) {
    QColor offered;
    open(kRed, 0xFF000000, [&](const QColor& initial, QWidget*) -> std::optional<QColor> {
        offered = initial;
        return std::nullopt;
    });
    QTest::mouseClick(popUp, Qt::LeftButton, {}, centre(Layout::kCustomEntry));
    EXPECT_EQ(offered.rgb(), kRed);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), std::make_pair(Message::Cancel, kRed));
    EXPECT_EQ(std::count_if(messages.begin(), messages.end(),
                            [](const auto& m) { return m.first != Message::Highlight; }),
              1);
}

TEST_F(PopUpTest, MoreColorsThenOkEndsWithTheDialogsColour) {
    open(kRed, 0xFF000000,
         [](const QColor&, QWidget*) -> std::optional<QColor> { return QColor(1, 2, 3); });
    QTest::keyClick(popUp, Qt::Key_Down);
    QTest::keyClick(popUp, Qt::Key_Down);
    QTest::keyClick(popUp, Qt::Key_Down);
    ASSERT_EQ(popUp->highlighted(), Layout::kCustomEntry);
    QTest::keyClick(popUp, Qt::Key_Return);
    EXPECT_EQ(messages.back(), std::make_pair(Message::End, qRgb(1, 2, 3)));
}

TEST_F(PopUpTest, EscapeClosingAndLosingTheApplicationEachCancelOnce) {
    open(kRed);
    QTest::keyClick(popUp, Qt::Key_Escape);
    QTest::keyClick(popUp, Qt::Key_Return);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], std::make_pair(Message::Cancel, kRed));
    deleteLaterNow();

    messages.clear();
    open(kRed);
    popUp->close();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].first, Message::Cancel);
    deleteLaterNow();

    messages.clear();
    open(kRed);
    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], std::make_pair(Message::Cancel, kRed));
}

TEST_F(PopUpTest, EachColourBoxNamesItsColourInATip) {
    open(kRed);
    EXPECT_EQ(popUp->toolTipAt(centre(0)), "Black");
    EXPECT_EQ(popUp->toolTipAt(centre(35)), "Pale Green ");
    EXPECT_EQ(popUp->toolTipAt(centre(39)), "White");
    EXPECT_TRUE(popUp->toolTipAt(centre(Layout::kCustomEntry)).isEmpty());

    QHelpEvent help(QEvent::ToolTip, centre(4), popUp->mapToGlobal(centre(4)));
    QApplication::sendEvent(popUp, &help);
    EXPECT_EQ(QToolTip::text(), "Dark Teal");
    QToolTip::hideText();
}

} // namespace
