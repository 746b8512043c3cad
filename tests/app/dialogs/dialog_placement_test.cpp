// Where dialogs open beside the clock.
#include "app/dialogs/dialog_placement.h"

#include <gtest/gtest.h>

namespace {

struct PlacementCase {
    const char* name;
    QRect clock;
    QSize dialog;
    QPoint expected;
};

class DialogPlacementTest : public testing::TestWithParam<PlacementCase> {};

const QRect kScreen(0, 0, 1920, 1080);

const PlacementCase kCases[] = {
    // Room on the right: beside it, tops aligned.
    {"Right", {100, 100, 200, 200}, {600, 600}, {308, 100}},
    // Exactly the dialog's width and the gap left on the right: still beside it there.
    {"RightJustFits", {1112, 100, 200, 200}, {600, 600}, {1320, 100}},
    // The clock near the right edge: on its left.
    {"Left", {1600, 100, 200, 200}, {600, 600}, {992, 100}},
    // Tall dialog beside a clock low on the screen: moved up to stay on the screen.
    {"KeptOnScreenVertically", {100, 900, 200, 150}, {600, 600}, {308, 480}},
    // A clock as wide as the screen: below it.
    {"Below", {0, 0, 1920, 300}, {600, 600}, {0, 308}},
    // A clock at the bottom filling the width: above it.
    {"Above", {0, 700, 1920, 300}, {600, 600}, {0, 92}},
    // No side has room: the side with the most room, kept on the screen.
    {"NowhereFits", {200, 0, 1500, 1080}, {600, 600}, {1320, 0}},
};

TEST_P(DialogPlacementTest, OpensBesideTheClockOnTheScreen) {
    const PlacementCase& c = GetParam();
    const QPoint corner = placeBeside(c.clock, c.dialog, kScreen);
    EXPECT_EQ(corner, c.expected);
    const QRect placed(corner, c.dialog);
    EXPECT_TRUE(kScreen.contains(placed)) << "off the screen";
    if (std::string(c.name) != "NowhereFits") {
        EXPECT_FALSE(placed.intersects(c.clock)) << "over the clock";
    }
}

INSTANTIATE_TEST_SUITE_P(Sides, DialogPlacementTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DialogPlacementOnSecondScreenTest, UsesTheClocksScreenCoordinates) {
    const QRect second(1920, 0, 1280, 1024);
    EXPECT_EQ(placeBeside({2000, 50, 200, 200}, {500, 500}, second), QPoint(2208, 50));
}

// A dialog that may shrink takes the room beside the clock before it would cover it.
const QRect kSmallScreen(0, 0, 1024, 600);
const QSize kPreferred(540, 530);
const QSize kMinimum(500, 250);

TEST(ShrinkingPlacementTest, TakesTheRoomBesideTheClock) {
    // Whole.
    EXPECT_EQ(placeBeside({20, 20, 200, 200}, kPreferred, kMinimum, kSmallScreen),
              QRect(228, 20, 540, 530));
    // A clock left of the middle: the right side holds the dialog 516 wide.
    EXPECT_EQ(placeBeside({300, 20, 200, 200}, kPreferred, kMinimum, kSmallScreen),
              QRect(508, 20, 516, 530));
    // A clock at the top in the middle: below it, 392 high.
    EXPECT_EQ(placeBeside({412, 0, 200, 200}, kPreferred, kMinimum, kSmallScreen),
              QRect(412, 208, 540, 392));
    // The middle of the screen: nowhere beside; over the clock as placeBeside puts it.
    EXPECT_EQ(placeBeside({412, 200, 200, 200}, kPreferred, kMinimum, kSmallScreen),
              QRect(484, 70, 540, 530));
    // Larger than the screen: the screen's height, and the width right of the clock.
    EXPECT_EQ(placeBeside({0, 0, 100, 100}, QSize(2000, 2000), QSize(300, 300), kSmallScreen),
              QRect(108, 0, 916, 600));
}

} // namespace
