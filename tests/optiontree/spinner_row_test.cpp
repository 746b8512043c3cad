// The spinner row: reading its number, stepping with wrap-around and limits, its arrows and
// keys, its commits, and integer properties edited through it.
#include "model/color_property.h"
#include "model/int_property.h"
#include "model/percent_property.h"
#include "optiontree/option_tree_item_spinner.h"
#include "optiontree/option_tree_spinner_button.h"
#include "row_test_support.h"

#include <QImage>
#include <QMenu>
#include <limits>

namespace {

using rowtest::RowTest;
using Arrow = COptionTreeSpinnerButton::Arrow;
constexpr int kChanged = OptionTreeNotify::kItemChanged;
constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kIntMin = std::numeric_limits<std::int32_t>::min();

struct NumberRow {
    const char* name;
    const char* text;
    std::int32_t expected;
};

class SpinnerNumberTest : public testing::TestWithParam<NumberRow> {};

TEST_P(SpinnerNumberTest, ReadsTheIntegerAtTheStart) {
    EXPECT_EQ(spinnerNumber(QString::fromUtf8(GetParam().text)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SpinnerNumberTest,
    testing::Values(NumberRow{"Plain", "42", 42}, NumberRow{"BlanksSignAndTail", "  -7px", -7},
                    NumberRow{"PlusSign", "+5", 5}, NumberRow{"Decimals", "12.9", 12},
                    NumberRow{"NoDigits", "abc", 0}, NumberRow{"Empty", "", 0},
                    NumberRow{"SignOnly", "-", 0}, NumberRow{"Lowest", "-2147483648", kIntMin},
                    NumberRow{"JustAboveRange", "2147483648", kIntMax},
                    NumberRow{"ManyDigits", "99999999999", kIntMax},
                    NumberRow{"ManyDigitsNegative", "-99999999999999999999999", kIntMin}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SpinnerRepeatTest, ComesFromThePlatformWithFallbacks) {
    EXPECT_EQ(spinnerRepeatIntervals(0, 0).delayMs, 500);
    EXPECT_EQ(spinnerRepeatIntervals(0, 0).intervalMs, 200);
    EXPECT_EQ(spinnerRepeatIntervals(400, 25).delayMs, 400);
    EXPECT_EQ(spinnerRepeatIntervals(400, 25).intervalMs, 40);
    EXPECT_EQ(spinnerRepeatIntervals(-1, 5000).intervalMs, 1);
}

struct StepRow {
    const char* name;
    bool wrap;
    double lower;
    double upper;
    double start;
    int direction;
    std::int32_t expected;
    bool upActive;
    bool downActive;
};

class SpinnerStepTest : public testing::TestWithParam<StepRow> {};

TEST_P(SpinnerStepTest, StepsWithinTheLimits) {
    const StepRow& row = GetParam();
    COptionTreeSpinnerButton spinner(nullptr);
    spinner.resize(100, 20);
    spinner.setWrapAround(row.wrap);
    spinner.setLimits(row.lower, row.upper);
    spinner.setNumber(row.start);
    spinner.step(row.direction);
    EXPECT_EQ(spinner.number(), row.expected);
    EXPECT_EQ(spinner.isArrowActive(Arrow::Up), row.upActive);
    EXPECT_EQ(spinner.isArrowActive(Arrow::Down), row.downActive);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, SpinnerStepTest,
    testing::Values(StepRow{"UpInside", false, 0, 10, 4, 1, 5, true, true},
                    StepRow{"UpWrapsToLower", true, 0, 255, 255, 1, 0, true, true},
                    StepRow{"UpStopsAtUpper", false, 0, 255, 255, 1, 255, false, true},
                    StepRow{"DownWrapsToUpper", true, -100, 100, -100, -1, 100, true, true},
                    StepRow{"DownStopsAtLower", false, -100, 100, -99, -1, -100, true, false},
                    StepRow{"FullRangeWrapsWithoutOverflow", true, kIntMin, kIntMax, kIntMax, 1,
                            kIntMin, true, true},
                    StepRow{"FullRangeStopsAtTheTop", false, kIntMin, kIntMax, kIntMax, 1, kIntMax,
                            false, true}),
    [](const auto& info) { return std::string(info.param.name); });

// Counts the pixels of exactly this colour inside rect of image.
int countColour(const QImage& image, const QRect& rect, QColor colour) {
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            count += image.pixelColor(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

TEST(SpinnerArrowTest, AnArrowAtItsLimitIsDrawnInactiveAndDoesNotStep) {
    COptionTreeSpinnerButton spinner(nullptr);
    QPalette colours = spinner.palette();
    colours.setColor(QPalette::Active, QPalette::ButtonText, Qt::red);
    colours.setColor(QPalette::Inactive, QPalette::ButtonText, Qt::red);
    colours.setColor(QPalette::Disabled, QPalette::ButtonText, Qt::blue);
    spinner.setPalette(colours);
    spinner.resize(120, 20);
    spinner.setLimits(0, 10);
    spinner.setNumber(10);

    const QImage image = spinner.grab().toImage();
    EXPECT_EQ(countColour(image, spinner.arrowRect(Arrow::Up), Qt::red), 0);
    EXPECT_GT(countColour(image, spinner.arrowRect(Arrow::Up), Qt::blue), 3);
    EXPECT_GT(countColour(image, spinner.arrowRect(Arrow::Down), Qt::red), 3);

    QTest::mouseClick(&spinner, Qt::LeftButton, {}, spinner.arrowRect(Arrow::Up).center());
    EXPECT_EQ(spinner.number(), 10);
    QTest::mouseClick(&spinner, Qt::LeftButton, {}, spinner.arrowRect(Arrow::Down).center());
    EXPECT_EQ(spinner.number(), 9);
}

TEST(SpinnerArrowTest, ButtonsTakeTheRightSeventeenPixelsLessTwo) {
    COptionTreeSpinnerButton spinner(nullptr);
    spinner.resize(100, 21);
    spinner.show();
    EXPECT_EQ(spinner.arrowRect(Arrow::Up), QRect(83, 0, 15, 10));
    EXPECT_EQ(spinner.arrowRect(Arrow::Down), QRect(83, 10, 15, 11));
    EXPECT_EQ(spinner.edit().geometry(), QRect(0, 0, 83, 21));
}

TEST(SpinnerArrowTest, AHeldButtonRepeatsAfterTheDelayAtTheRate) {
    COptionTreeSpinnerButton spinner(nullptr);
    spinner.resize(100, 20);
    spinner.setRepeat({300, 10});
    spinner.setNumber(0);
    spinner.show();
    const QPoint up = spinner.arrowRect(Arrow::Up).center();

    QTest::mousePress(&spinner, Qt::LeftButton, {}, up);
    EXPECT_EQ(spinner.number(), 1);
    EXPECT_EQ(spinner.pressedArrow(), Arrow::Up);
    EXPECT_EQ(spinner.repeatTimer().interval(), 300);
    QTest::qWait(50);
    EXPECT_EQ(spinner.number(), 1);
    QTest::qWait(500);
    QTest::mouseRelease(&spinner, Qt::LeftButton, {}, up);
    const std::int32_t held = spinner.number();
    EXPECT_GE(held, 3);
    EXPECT_LT(spinner.repeatTimer().interval(), 300) << "repeating, no longer waiting";
    EXPECT_EQ(spinner.pressedArrow(), Arrow::None);
    QTest::qWait(50);
    EXPECT_EQ(spinner.number(), held);
}

TEST(SpinnerRepeatTest, AHeldButtonStartsSlowAndSpeedsUpToAFloor) {
    const SpinnerRepeat repeat{500, 40};
    EXPECT_EQ(spinnerRepeatInterval(repeat, 0), 80) << "twice the keyboard's interval at first";
    int previous = spinnerRepeatInterval(repeat, 0);
    for (int count = 1; count < 40; ++count) {
        const int interval = spinnerRepeatInterval(repeat, count);
        EXPECT_LE(interval, previous) << count;
        previous = interval;
    }
    EXPECT_EQ(previous, 20);
    EXPECT_EQ(spinnerRepeatInterval(repeat, 1'000'000), 20);
    EXPECT_EQ(spinnerRepeatInterval({500, 0}, -3), 20) << "odd inputs stay sane";
}

TEST(SpinnerEditTest, ArrowKeysStepAndTypingNeedsItsOption) {
    COptionTreeSpinnerButton spinner(nullptr);
    spinner.resize(100, 20);
    spinner.setLimits(0, 100);
    spinner.setNumber(7);
    COptionTreeSpinnerEdit& edit = spinner.edit();

    QTest::keyClick(&edit, Qt::Key_Up);
    QTest::keyClick(&edit, Qt::Key_Up);
    QTest::keyClick(&edit, Qt::Key_Down);
    EXPECT_EQ(edit.text(), "8");

    edit.selectAll();
    QTest::keyClicks(&edit, "42");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "8");
    EXPECT_EQ(edit.buildContextMenu(), nullptr);

    edit.setAcceptsTyping(true);
    edit.selectAll();
    QTest::keyClicks(&edit, "42");
    EXPECT_EQ(edit.text(), "42");
}

TEST(SpinnerEditTest, TheMenuUnderTypingFollowsTheEditsState) {
    COptionTreeSpinnerButton spinner(nullptr);
    COptionTreeSpinnerEdit& edit = spinner.edit();
    edit.setAcceptsTyping(true);
    edit.setText("123");
    edit.deselect();

    std::unique_ptr<QMenu> menu = edit.buildContextMenu();
    ASSERT_NE(menu, nullptr);
    QStringList texts;
    QStringList enabled;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            texts << action->text();
            if (action->isEnabled()) {
                enabled << action->text();
            }
        }
    }
    EXPECT_EQ(texts, QStringList({"&Undo", "Cu&t", "&Copy", "&Delete", "&Paste", "Select &All"}));
    EXPECT_FALSE(enabled.contains("Cu&t"));
    EXPECT_FALSE(enabled.contains("&Copy"));
    EXPECT_TRUE(enabled.contains("Select &All"));

    edit.selectAll();
    menu = edit.buildContextMenu();
    for (QAction* action : menu->actions()) {
        if (action->text() == "Cu&t" || action->text() == "&Delete") {
            EXPECT_TRUE(action->isEnabled());
        }
        if (action->text() == "Select &All") {
            EXPECT_FALSE(action->isEnabled());
        }
    }
}

class SpinnerRowTest : public RowTest {};

TEST_F(SpinnerRowTest, CreationNeedsATreeAndHappensOnce) {
    COptionTreeItemSpinner loose;
    EXPECT_FALSE(loose.createEditor(RowOption::kSpinner));
    EXPECT_EQ(loose.editorWidget(), nullptr);

    auto* row = insert<COptionTreeItemSpinner>(RowKind::Spinner, RowOption::kSpinner);
    ASSERT_NE(row, nullptr);
    EXPECT_FALSE(row->createEditor(RowOption::kSpinner));
    ASSERT_NE(row->spinner(), nullptr);
    EXPECT_EQ(row->spinner()->parentWidget(), viewport());
    EXPECT_FALSE(row->spinner()->isVisible());
}

TEST_F(SpinnerRowTest, ValuesSetBeforeTheEditorReachIt) {
    auto* row = static_cast<COptionTreeItemSpinner*>(
        static_cast<COptionTreeItem*>(tree->insertRow(RowKind::Spinner, group)));
    row->setNumber(254.6);
    row->setLimits(0, 255);
    EXPECT_EQ(row->number(), 255);
    ASSERT_TRUE(row->createEditor(RowOption::kSpinner));
    EXPECT_EQ(row->spinner()->edit().text(), "255");
    EXPECT_EQ(row->spinner()->upperLimit(), 255);
    EXPECT_TRUE(row->spinner()->wrapsAround());
    EXPECT_TRUE(row->spinner()->edit().acceptsTyping());
    row->setNumber(-3);
    EXPECT_EQ(row->spinner()->edit().text(), "-3");
}

TEST_F(SpinnerRowTest, ActivationLaysTheSpinnerOverTheValueAndLeavingCommitsOnce) {
    auto* row = insert<COptionTreeItemSpinner>(RowKind::Spinner, RowOption::kSpinner);
    ASSERT_NE(row, nullptr);
    clickValue(row);
    ASSERT_TRUE(row->isActivated());
    EXPECT_TRUE(row->spinner()->isVisible());
    EXPECT_EQ(row->spinner()->geometry(), row->valueRect());
    EXPECT_EQ(QApplication::focusWidget(), &row->spinner()->edit());

    // Clicking the arrows keeps the focus inside the spinner: no commit yet.
    QTest::mouseClick(row->spinner(), Qt::LeftButton, {},
                      row->spinner()->arrowRect(Arrow::Up).center());
    EXPECT_EQ(receiver.count(kChanged), 0);

    clickElsewhere();
    EXPECT_EQ(receiver.count(kChanged, row), 1);
    EXPECT_FALSE(row->spinner()->isVisible());
    row->commit();
    EXPECT_EQ(receiver.count(kChanged, row), 1);
}

TEST_F(SpinnerRowTest, AReceiverMayDeleteTheRowThatLosingFocusCommits) {
    auto* row = insert<COptionTreeItemSpinner>(RowKind::Spinner, RowOption::kSpinner);
    ASSERT_NE(row, nullptr);
    receiver.deleteOnChange = true;
    clickValue(row);
    clickElsewhere();
    EXPECT_EQ(receiver.count(kChanged), 1);
    EXPECT_EQ(group->firstChild(), nullptr);
}

TEST_F(SpinnerRowTest, TypedIntegerReachesTheIntProperty) {
    IntProperty property(u"Count", 0, 5);
    auto* row = dynamic_cast<COptionTreeItemSpinner*>(
        static_cast<COptionTreeItem*>(property.createItem(*tree, group)));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->valueText(), "5");
    clickValue(row);
    QTest::keyClick(&row->spinner()->edit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(&row->spinner()->edit(), "-1234");
    clickElsewhere();
    EXPECT_EQ(receiver.count(kChanged, row), 1);
    property.commitItem();
    EXPECT_EQ(property.value(), -1234);
}

TEST_F(SpinnerRowTest, PercentAtItsTopWrapsToMinusHundred) {
    PercentProperty property(u"Radius", 0, 100);
    auto* row = dynamic_cast<COptionTreeItemSpinner*>(
        static_cast<COptionTreeItem*>(property.createItem(*tree, group)));
    ASSERT_NE(row, nullptr);
    clickValue(row);
    QTest::mouseClick(row->spinner(), Qt::LeftButton, {},
                      row->spinner()->arrowRect(Arrow::Up).center());
    QTest::keyClick(&row->spinner()->edit(), Qt::Key_Down);
    QTest::keyClick(&row->spinner()->edit(), Qt::Key_Up);
    clickElsewhere();
    property.commitItem();
    EXPECT_EQ(property.value(), -100);
}

TEST_F(SpinnerRowTest, OpacityRowSetsTheAlphaByte) {
    ColorProperty property(u"Colour", 0, 0x80123456);
    auto* row = dynamic_cast<COptionTreeItemSpinner*>(
        static_cast<COptionTreeItem*>(property.createItem(*tree, group)));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->number(), 0x80);
    clickValue(row);
    QTest::keyClick(&row->spinner()->edit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(&row->spinner()->edit(), "255");
    QTest::keyClick(&row->spinner()->edit(), Qt::Key_Up);
    clickElsewhere();
    property.commitItem();
    EXPECT_EQ(property.argb() >> 24, 0u);
}

} // namespace
