// The option tree's arithmetic at each of its edges, without a widget.
#include "optiontree/option_tree_geometry.h"

#include <gtest/gtest.h>

namespace {

using namespace OptionTreeGeometry;

struct EdgeCase {
    const char* name;
    int got;
    int expected;
};

class GeometryEdge : public testing::TestWithParam<EdgeCase> {};

TEST_P(GeometryEdge, LandsWhereItShould) {
    EXPECT_EQ(GetParam().got, GetParam().expected);
}

constexpr int kWidth = 300;

// Each rule on both sides of each of its limits: the margin, the last 16 pixels of the list,
// the release zone up to 40, the 25 pixels kept for the value, and the scroll range.
INSTANTIATE_TEST_SUITE_P(
    Edges, GeometryEdge,
    testing::Values(
        EdgeCase{"ColumnLeftOfTheMargin", clampColumn(kMargin - 1, kWidth), kMargin},
        EdgeCase{"ColumnAtTheMargin", clampColumn(kMargin, kWidth), kMargin},
        EdgeCase{"ColumnRightOfTheMargin", clampColumn(kMargin + 1, kWidth), kMargin + 1},
        EdgeCase{"ColumnBeforeTheLast16", clampColumn(kWidth - 17, kWidth), kWidth - 17},
        EdgeCase{"ColumnAtTheLast16", clampColumn(kWidth - 16, kWidth), kWidth - 16},
        EdgeCase{"ColumnInTheLast16", clampColumn(kWidth - 15, kWidth), kWidth - 16},
        EdgeCase{"ColumnAtTheRightEdge", clampColumn(kWidth, kWidth), kWidth - 16},
        EdgeCase{"ColumnBeforeLayout", clampColumn(5000, 0), 5000},
        EdgeCase{"ReleasedAt40", releasedColumn(40, kWidth), 41},
        EdgeCase{"ReleasedAt41", releasedColumn(41, kWidth), 41},
        EdgeCase{"ReleasedAt42", releasedColumn(42, kWidth), 42},
        EdgeCase{"ReleasedBeforeTheValueRoom", releasedColumn(kWidth - 26, kWidth), kWidth - 26},
        EdgeCase{"ReleasedAtTheValueRoom", releasedColumn(kWidth - 25, kWidth), kWidth - 25},
        EdgeCase{"ReleasedInTheValueRoom", releasedColumn(kWidth - 24, kWidth), kWidth - 25},
        EdgeCase{"FittedToTheLabel", fittedColumn(100, kWidth), 100 + kLabelPadding},
        EdgeCase{"FittedJustShortOfTheValueRoom", fittedColumn(kWidth - 31, kWidth), kWidth - 26},
        EdgeCase{"FittedAtTheValueRoom", fittedColumn(kWidth - 30, kWidth), kWidth - 25},
        EdgeCase{"FittedPastTheValueRoom", fittedColumn(kWidth - 29, kWidth), kWidth - 25},
        EdgeCase{"ScrollWhenAllFits", clampScroll(50, 199, 200), 0},
        EdgeCase{"ScrollWhenExactlyFits", clampScroll(50, 200, 200), 0},
        EdgeCase{"ScrollOnePixelOver", clampScroll(50, 201, 200), 1},
        EdgeCase{"ScrollAboveTheTop", clampScroll(-1, 500, 200), 0},
        EdgeCase{"ScrollAtTheTop", clampScroll(0, 500, 200), 0},
        EdgeCase{"ScrollAtTheEnd", clampScroll(300, 500, 200), 300},
        EdgeCase{"ScrollPastTheEnd", clampScroll(301, 500, 200), 300}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OptionTreeGeometry, ValueRectStartsPastTheDividerAndKeepsTheGridLine) {
    EXPECT_EQ(valueRect(150, 21, kWidth, 21), QRect(155, 21, kWidth - 155, 20));
    // A divider in the last pixels leaves an empty, not a negative, value.
    EXPECT_EQ(valueRect(kWidth - 5, 0, kWidth, 21), QRect(kWidth, 0, 0, 20));
    EXPECT_EQ(valueRect(kWidth, 0, kWidth, 21), QRect(kWidth + 5, 0, 0, 20));
    EXPECT_EQ(valueRect(150, 0, kWidth, 0), QRect(155, 0, kWidth - 155, 0));
}

// A leaf's label stops at the divider; a group's label runs across the whole list, so a group
// label longer than the label column is not cut at the divider.
TEST(OptionTreeGeometry, LabelAreasOfLeavesAndGroups) {
    EXPECT_EQ(labelArea(0, 42, 100, kWidth, 21, false), QRect(kMargin, 42, 100 - kMargin, 21));
    EXPECT_EQ(labelArea(0, 42, 100, kWidth, 21, true), QRect(kMargin, 42, kWidth - kMargin, 21));
    EXPECT_EQ(labelArea(kMargin, 0, 100, kWidth, 21, true),
              QRect(2 * kMargin, 0, kWidth - 2 * kMargin, 21));
    // Indented past the divider or the list: nothing, never a negative width.
    EXPECT_EQ(labelArea(120, 0, 100, kWidth, 21, false).width(), 0);
    EXPECT_EQ(labelArea(kWidth, 0, 100, kWidth, 21, true).width(), 0);
    EXPECT_EQ(plusMinusBox(42), QRect(4, 47, 9, 9));
}

} // namespace
