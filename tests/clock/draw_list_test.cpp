// Draw lists: which pixels changed between two frames, and replaying only the commands there.
#include "clock/draw_list.h"
#include "recording_canvas.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

const Pen kThin{0xFFFFFFFF, 2.0f, LineCap::Flat, LineCap::Flat};
const FontSpec kFont{u"Sans", 20.0f, false, false};

// Two frames of a small clock: a dial image, a fixed hour hand and a second hand at the given
// end point, and a text.
void drawFrame(DrawList& list, const CanvasImage& dial, PointF secondHandEnd,
               std::u16string_view text = u"10:08") {
    list.setSmoothingMode(2);
    list.setTextAntialias(true);
    list.drawImage(dial, 0, 0);
    list.drawLine(kThin, {100, 100}, {60, 100});
    list.drawLine(kThin, {100, 100}, secondHandEnd);
    list.drawText(kFont, 0xFF000000, text, {70, 140});
}

const PixelBox kFrame{0, 0, 200, 200};

bool contains(const PixelBox& box, PointF point) {
    return box.left <= point.x && point.x < box.right && box.top <= point.y && point.y < box.bottom;
}

bool covers(const PixelRegion& region, PointF point) {
    const int x = static_cast<int>(std::floor(point.x));
    const int y = static_cast<int>(std::floor(point.y));
    return region.intersects({x, y, x + 1, y + 1});
}

long long area(const PixelRegion& region) {
    long long sum = 0;
    for (const PixelBox& box : region.boxes()) {
        sum += static_cast<long long>(box.right - box.left) * (box.bottom - box.top);
    }
    return sum;
}

bool isEverything(const PixelRegion& region) {
    return region.boxes() == std::vector<PixelBox>{kFrame};
}

TEST(PixelBoxTest, AroundRoundsOutwardsNormalisesAndSurvivesAbsurdValues) {
    EXPECT_EQ(PixelBox::around(10.5f, 20.2f, 5.0f, 4.0f, 1.0f), (PixelBox{9, 19, 17, 26}));
    // A negative size spans the other way, as with a mirrored arc.
    EXPECT_EQ(PixelBox::around(10.0f, 10.0f, -4.0f, -2.0f, 0.0f), (PixelBox{6, 8, 10, 10}));
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(PixelBox::around(nan, 0, 1, 1, 0), PixelBox::everything());
    EXPECT_EQ(PixelBox::around(0, 0, inf, 1, 0), PixelBox::everything());
    // Far beyond an int: clamped, still a box that covers the frame.
    const PixelBox huge = PixelBox::around(-3e30f, -3e30f, 6e30f, 6e30f, 0);
    EXPECT_EQ(huge.intersected({0, 0, 200, 200}), (PixelBox{0, 0, 200, 200}));
    EXPECT_TRUE(PixelBox{}.united({1, 2, 3, 4}) == (PixelBox{1, 2, 3, 4}));
    EXPECT_TRUE(PixelBox({0, 0, 5, 5}).intersected({5, 0, 9, 5}).empty());
}

// The boxes are what window systems take as a region: bands from the top, no two boxes of a
// band touching, each band's boxes of one height, nothing outside the frame.
TEST(PixelRegionTest, MergesOverlapsIntoBandsWithinTheFrame) {
    PixelRegion region(kFrame);
    EXPECT_TRUE(region.empty());
    region.addBox({10, 0, 20, 16});
    region.addBox({15, 8, 30, 16});
    region.addBox({30, 8, 40, 16});
    region.addBox({-50, 190, 5, 400});
    region.addBox({});
    EXPECT_EQ(region.boxes(),
              (std::vector<PixelBox>{{10, 0, 20, 8}, {10, 8, 40, 16}, {0, 188, 5, 200}}))
        << "rows are counted in bands of " << PixelRegion::kBandRows;
    EXPECT_TRUE(region.intersects({39, 15, 45, 30}));
    EXPECT_FALSE(region.intersects({40, 0, 45, 30}));
    EXPECT_FALSE(region.intersects({21, 0, 100, 8}));
    EXPECT_FALSE(region.intersects({0, 100, 200, 180}));
    EXPECT_FALSE(region.intersects({300, 0, 400, 200})) << "outside the frame";
    EXPECT_EQ(region.bounds(), (PixelBox{0, 0, 40, 200}));
    region.addEverything();
    EXPECT_EQ(region.boxes(), std::vector<PixelBox>{kFrame});
}

// A slanting segment is a thin strip of bands, not the box around it: a hand at 45 degrees
// changes a small part of the quarter of the face its box covers.
TEST(PixelRegionTest, ASlantingSegmentIsAThinStrip) {
    PixelRegion strip(kFrame);
    strip.addSegment({100, 100}, {170, 30}, 3);
    for (PointF on :
         {PointF{100, 100}, PointF{135, 65}, PointF{170, 30}, PointF{172, 28}, PointF{137, 66}}) {
        EXPECT_TRUE(covers(strip, on)) << on.x << "," << on.y;
    }
    EXPECT_FALSE(covers(strip, {165, 95})) << "the corner of the box";
    EXPECT_FALSE(covers(strip, {105, 35})) << "the other corner";
    EXPECT_LT(area(strip), 76 * 76 / 4);
    EXPECT_LT(strip.boxes().size(), 40u);

    // Upright, it is one box from end to end, however long.
    PixelRegion upright(kFrame);
    upright.addSegment({100, 190}, {100, 10}, 3);
    EXPECT_EQ(upright.boxes(), (std::vector<PixelBox>{{97, 4, 103, 196}}));

    // A point grows into a square; what cannot be placed covers the frame.
    PixelRegion dot(kFrame);
    dot.addSegment({50, 50}, {50, 50}, 5);
    EXPECT_EQ(dot.bounds(), (PixelBox{45, 44, 55, 56}));
    PixelRegion lost(kFrame);
    lost.addSegment({50, 50}, {std::numeric_limits<float>::quiet_NaN(), 3}, 5);
    EXPECT_TRUE(isEverything(lost));
}

// Shapes are merged band by band once, when the region is read: the result does not depend on
// their order.
TEST(PixelRegionTest, ManyShapesMergeToTheSameRegionInAnyOrder) {
    PixelRegion forwards(kFrame);
    PixelRegion backwards(kFrame);
    for (int i = 0; i < 2000; ++i) {
        forwards.addSegment({100, 100}, {100.0f + i % 90, 10.0f + i % 7}, 1.5f);
    }
    for (int i = 1999; i >= 0; --i) {
        backwards.addSegment({100, 100}, {100.0f + i % 90, 10.0f + i % 7}, 1.5f);
    }
    EXPECT_EQ(forwards.boxes(), backwards.boxes());
    for (const PixelBox& box : forwards.boxes()) {
        EXPECT_EQ(box.intersected(kFrame), box);
    }
    EXPECT_FALSE(covers(forwards, {50, 50}));
}

class DrawListTest : public testing::Test {
protected:
    RecordingCanvas measurer_;
    FakeImage dial_{200, 200};
};

TEST_F(DrawListTest, TheSameFrameChangesNothing) {
    DrawList before(measurer_);
    DrawList after(measurer_);
    drawFrame(before, dial_, {100, 30});
    drawFrame(after, dial_, {100, 30});
    EXPECT_TRUE(after.changedSince(before, kFrame).empty());
}

TEST_F(DrawListTest, AMovedHandChangesItsOldAndNewPlaceOnly) {
    DrawList before(measurer_);
    DrawList after(measurer_);
    drawFrame(before, dial_, {100, 30});
    drawFrame(after, dial_, {107, 30});
    const PixelRegion changed = after.changedSince(before, kFrame);
    for (PointF point : {PointF{100, 30}, PointF{107, 30}, PointF{100, 100}, PointF{103, 65}}) {
        EXPECT_TRUE(covers(changed, point)) << point.x << "," << point.y;
    }
    // The hour hand's far end and the text stay as they were.
    EXPECT_FALSE(covers(changed, {60, 100}));
    EXPECT_FALSE(covers(changed, {80, 150}));
    // The hand's strips with a small margin, not the frame.
    const PixelBox box = changed.bounds();
    EXPECT_LT(box.right - box.left, 20);
    EXPECT_LE(box.bottom - box.top, 80);
}

// Moved far, the hand changes its old strip and its new one: the old place must be cleared,
// and the corner between the two is left alone.
TEST_F(DrawListTest, AHandMovedFarChangesItsOldAndNewStripOnly) {
    DrawList before(measurer_);
    DrawList after(measurer_);
    drawFrame(before, dial_, {100, 30});
    drawFrame(after, dial_, {150, 50});
    const PixelRegion changed = after.changedSince(before, kFrame);
    for (PointF old : {PointF{100, 30}, PointF{100, 65}, PointF{100, 95}}) {
        EXPECT_TRUE(covers(changed, old)) << "old place " << old.x << "," << old.y;
    }
    for (PointF now : {PointF{149, 51}, PointF{125, 75}}) {
        EXPECT_TRUE(covers(changed, now)) << "new place " << now.x << "," << now.y;
    }
    EXPECT_FALSE(covers(changed, {140, 90}));
    EXPECT_FALSE(covers(changed, {110, 40}));
    EXPECT_FALSE(covers(changed, {80, 150}));
}

// A slice's outline is its ring segment: growing, a ring slice changes neither the middle of
// the dial nor the part of the ring it has not reached.
TEST_F(DrawListTest, ASliceChangesItsRingSegmentOnly) {
    const Pen band{0xFF0000FF, 20.0f};
    const RectF ring{30, 30, 140, 140};
    DrawList before(measurer_);
    DrawList after(measurer_);
    before.drawArc(band, ring, -90, 30);
    after.drawArc(band, ring, -90, 36);
    const PixelRegion changed = after.changedSince(before, kFrame);
    // On the ring (radius 70 around 100, 100) at 12 and 1 o'clock, and just beyond the pen.
    for (PointF on : {PointF{100, 30}, PointF{135, 39}, PointF{100, 19}, PointF{139, 42}}) {
        EXPECT_TRUE(covers(changed, on)) << on.x << "," << on.y;
    }
    EXPECT_FALSE(covers(changed, {100, 100})) << "the middle";
    EXPECT_FALSE(covers(changed, {170, 100})) << "3 o'clock";
    EXPECT_FALSE(covers(changed, {100, 170})) << "6 o'clock";
    // An eighth of the box the ring and its pen fill, which is what a box would redraw.
    EXPECT_LT(area(changed), 160 * 160 / 8);

    // A whole ring, mirrored bounds, a pen far wider than the frame: at least what it paints.
    DrawList full(measurer_);
    full.drawEllipse(band, {170, 170, -140, -140});
    const PixelRegion fullChanged = full.changedSince(before, kFrame);
    for (PointF on : {PointF{30, 100}, PointF{100, 170}, PointF{170, 100}}) {
        EXPECT_TRUE(covers(fullChanged, on)) << on.x << "," << on.y;
    }
    EXPECT_FALSE(covers(fullChanged, {100, 100}));
    DrawList wide(measurer_);
    wide.drawArc({0xFF0000FF, 1e7f}, ring, -90, 30);
    EXPECT_TRUE(isEverything(wide.changedSince(before, kFrame)));
}

TEST_F(DrawListTest, ANewTextChangesItsBox) {
    DrawList before(measurer_);
    DrawList after(measurer_);
    drawFrame(before, dial_, {100, 30}, u"10:08");
    drawFrame(after, dial_, {100, 30}, u"10:09:00");
    const PixelBox changed = after.changedSince(before, kFrame).bounds();
    // Eight characters of half an em from x 70: to 150, and the em's height from y 140.
    EXPECT_TRUE(contains(changed, {70, 140}));
    EXPECT_TRUE(contains(changed, {149, 159}));
    EXPECT_FALSE(contains(changed, {100, 30}));
}

// A new image object may be given the address of a freed one: it still counts as new.
TEST_F(DrawListTest, AnotherImageAtTheSamePlaceChangesItsArea) {
    DrawList before(measurer_);
    drawFrame(before, dial_, {100, 30});
    FakeImage redecoded(200, 200);
    DrawList after(measurer_);
    drawFrame(after, redecoded, {100, 30});
    EXPECT_TRUE(isEverything(after.changedSince(before, kFrame)));
}

TEST_F(DrawListTest, OtherSettingsOrAnotherShapeChangeEverything) {
    DrawList before(measurer_);
    drawFrame(before, dial_, {100, 30});

    DrawList longer(measurer_);
    drawFrame(longer, dial_, {100, 30});
    longer.drawEllipse(kThin, {10, 10, 5, 5});
    EXPECT_TRUE(isEverything(longer.changedSince(before, kFrame)));
    EXPECT_TRUE(isEverything(before.changedSince(longer, kFrame)));

    for (bool smooth : {false, true}) {
        DrawList other(measurer_);
        other.setSmoothingMode(smooth ? 2 : 1);
        other.setTextAntialias(smooth ? false : true);
        other.drawImage(dial_, 0, 0);
        other.drawLine(kThin, {100, 100}, {60, 100});
        other.drawLine(kThin, {100, 100}, {100, 30});
        other.drawText(kFont, 0xFF000000, u"10:08", {70, 140});
        EXPECT_TRUE(isEverything(other.changedSince(before, kFrame))) << smooth;
    }
}

// The commands of one tile of a grid over the frame, the only one wanted.
std::vector<std::uint32_t> commandsOfTile(const DrawList& list, const TileGrid& grid, int column,
                                          int row) {
    std::vector<PixelBox> wanted(static_cast<std::size_t>(grid.count()));
    const auto tile = static_cast<std::size_t>(row * grid.columns() + column);
    wanted[tile] = grid.tile(static_cast<int>(tile));
    const std::vector<DrawList::Commands> tiles = list.commandsByTile(grid, wanted);
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        EXPECT_TRUE(i == tile || tiles[i].empty()) << "tile " << i << " was not wanted";
    }
    return tiles[tile];
}

// Each tile gets the commands that reach into it, in order, and the settings, which reach
// everywhere; a tile's replay draws those alone.
TEST_F(DrawListTest, CommandsGoToTheTilesTheyReachInOrder) {
    DrawList list(measurer_);
    drawFrame(list, dial_, {100, 30});
    const TileGrid grid{kFrame, 64};
    EXPECT_EQ(grid.count(), 16);
    EXPECT_EQ(grid.tile(15), (PixelBox{192, 192, 200, 200})) << "cut to the frame";
    // The tile of the second hand's tip: the settings, the dial, the second hand.
    const std::vector<std::uint32_t> tip = commandsOfTile(list, grid, 1, 0);
    EXPECT_EQ(tip, (std::vector<std::uint32_t>{0, 1, 2, 4}));
    RecordingCanvas target;
    list.replay(target, tip);
    EXPECT_EQ(target.smoothing, 2);
    EXPECT_TRUE(target.textAntialias);
    using K = RecordingCanvas::Kind;
    ASSERT_EQ(target.order, (std::vector<K>{K::Image, K::Line}));
    EXPECT_EQ(target.lines[0].to, (PointF{100, 30}));
    // The text's tile, below the hands.
    EXPECT_EQ(commandsOfTile(list, grid, 1, 2), (std::vector<std::uint32_t>{0, 1, 2, 5}));

    RecordingCanvas everything;
    list.replay(everything);
    EXPECT_EQ(everything.order, (std::vector<K>{K::Image, K::Line, K::Line, K::Text}));
}

// A hand goes to the tiles its outline reaches, with the pixels its edge partly covers, and
// not to those its box takes in beside a slanting line.
TEST_F(DrawListTest, HandsGoToTheTilesTheirOutlinesReach) {
    DrawList list(measurer_);
    list.drawLine({0xFFFFFFFF, 10.0f}, {100.5f, 20}, {100.5f, 180});
    list.drawLine({0xFFFFFFFF, 10.0f}, {10, 10}, {190, 190});
    const TileGrid pixels{kFrame, 1};
    // Half covered by the upright line's right edge at 105.5.
    EXPECT_EQ(commandsOfTile(list, pixels, 105, 40), std::vector<std::uint32_t>{0});
    EXPECT_EQ(commandsOfTile(list, pixels, 95, 60), std::vector<std::uint32_t>{0});
    const TileGrid tiles{kFrame, 20};
    EXPECT_EQ(commandsOfTile(list, tiles, 0, 0), std::vector<std::uint32_t>{1});
    EXPECT_EQ(commandsOfTile(list, tiles, 5, 5), (std::vector<std::uint32_t>{0, 1}));
    EXPECT_TRUE(commandsOfTile(list, tiles, 9, 0).empty()) << "far from both, in the box";
    EXPECT_TRUE(commandsOfTile(list, tiles, 2, 8).empty());
}

// The reaches cover what a canvas may paint beyond the geometry: caps and anchors up to about
// one and a half widths beyond a line's end, half the pen around an arc.
TEST_F(DrawListTest, ReachCoversCapsAndPens) {
    const Pen anchored{0xFFFFFFFF, 10.0f, LineCap::SquareAnchor, LineCap::ArrowAnchor};
    DrawList list(measurer_);
    list.drawLine(anchored, {100, 100}, {100, 50});
    list.drawArc({0xFFFFFFFF, -8.0f}, {20, 20, 40, 40}, 0, 90);
    const TileGrid pixels{kFrame, 1};
    // Just beyond the line's end, where only its anchor reaches.
    EXPECT_EQ(commandsOfTile(list, pixels, 113, 36), std::vector<std::uint32_t>{0});
    // Just outside the ellipse's box, within half the (negative) pen.
    EXPECT_EQ(commandsOfTile(list, pixels, 17, 17), std::vector<std::uint32_t>{1});
    // Well away from both.
    EXPECT_TRUE(commandsOfTile(list, pixels, 150, 150).empty());
}

} // namespace
