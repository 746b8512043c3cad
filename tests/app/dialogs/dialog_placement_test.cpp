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

} // namespace
