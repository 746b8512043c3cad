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

bool contains(const PixelBox& box, PointF point) {
    return box.left <= point.x && point.x < box.right && box.top <= point.y && point.y < box.bottom;
}

PixelBox bounds(const PixelArea& area) {
    PixelBox all;
    for (const PixelBox& box : area.boxes()) {
        all = all.united(box);
    }
    return all;
}

bool isEverything(const PixelArea& area) {
    return area.boxes() == std::vector<PixelBox>{PixelBox::everything()};
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

TEST(PixelAreaTest, KeepsOverlappingBoxesApartAndDropsContainedOnes) {
    PixelArea area;
    area.add({0, 0, 10, 100});
    area.add({0, 0, 100, 10});
    EXPECT_EQ(area.boxes().size(), 2u) << "two hands through one centre keep their boxes";
    area.add({2, 2, 8, 8});
    area.add({});
    EXPECT_EQ(area.boxes().size(), 2u);
    area.add({-5, -5, 20, 120});
    EXPECT_EQ(area.boxes(), (std::vector<PixelBox>{{0, 0, 100, 10}, {-5, -5, 20, 120}}));
    EXPECT_TRUE(area.intersects({90, 5, 95, 6}));
    EXPECT_FALSE(area.intersects({50, 50, 60, 60}));
    EXPECT_EQ(area.intersected({0, 0, 10, 10}).boxes(), (std::vector<PixelBox>{{0, 0, 10, 10}}));
    // Many small boxes become the one around them all.
    PixelArea scattered;
    for (int i = 0; i < 17; ++i) {
        scattered.add({10 * i, 0, 10 * i + 2, 2});
    }
    EXPECT_EQ(scattered.boxes(), (std::vector<PixelBox>{{0, 0, 162, 2}}));
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
    EXPECT_TRUE(after.changedSince(before).empty());
}

TEST_F(DrawListTest, AMovedHandChangesItsOldAndNewPlaceOnly) {
    DrawList before(measurer_);
    DrawList after(measurer_);
    drawFrame(before, dial_, {100, 30});
    drawFrame(after, dial_, {107, 30});
    const PixelBox changed = bounds(after.changedSince(before));
    for (PointF point : {PointF{100, 30}, PointF{107, 30}, PointF{100, 100}, PointF{103, 65}}) {
        EXPECT_TRUE(contains(changed, point)) << point.x << "," << point.y;
    }
    // The hour hand's far end and the text stay as they were.
    EXPECT_FALSE(contains(changed, {60, 100}));
    EXPECT_FALSE(contains(changed, {80, 150}));
    // The box is the hand's with a small margin, not the frame.
    EXPECT_LT(changed.right - changed.left, 20);
    EXPECT_LE(changed.bottom - changed.top, 80);
}

// Moved further than the reach's margin, the new box no longer covers the old place: only
// the old command's box does, and it must be in the area to be cleared.
TEST_F(DrawListTest, AHandMovedFarClearsItsOldPlaceThroughItsOldBox) {
    DrawList before(measurer_);
    DrawList after(measurer_);
    drawFrame(before, dial_, {100, 30});
    drawFrame(after, dial_, {170, 100});
    const PixelArea changed = after.changedSince(before);
    const auto covers = [&](PointF p) {
        const int x = static_cast<int>(p.x);
        const int y = static_cast<int>(p.y);
        return changed.intersects({x, y, x + 1, y + 1});
    };
    for (PointF old : {PointF{100, 30}, PointF{100, 65}, PointF{100, 95}}) {
        EXPECT_TRUE(covers(old)) << "old place " << old.x << "," << old.y;
    }
    for (PointF now : {PointF{169, 100}, PointF{135, 100}}) {
        EXPECT_TRUE(covers(now)) << "new place " << now.x << "," << now.y;
    }
    // Two boxes, not the rectangle around both: the corner between them is left alone.
    EXPECT_FALSE(covers({150, 50}));
    EXPECT_FALSE(covers({80, 150}));
}

TEST_F(DrawListTest, ANewTextChangesItsBox) {
    DrawList before(measurer_);
    DrawList after(measurer_);
    drawFrame(before, dial_, {100, 30}, u"10:08");
    drawFrame(after, dial_, {100, 30}, u"10:09:00");
    const PixelBox changed = bounds(after.changedSince(before));
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
    EXPECT_EQ(after.changedSince(before).intersected({0, 0, 200, 200}).boxes(),
              std::vector<PixelBox>{(PixelBox{0, 0, 200, 200})});
}

TEST_F(DrawListTest, OtherSettingsOrAnotherShapeChangeEverything) {
    DrawList before(measurer_);
    drawFrame(before, dial_, {100, 30});

    DrawList longer(measurer_);
    drawFrame(longer, dial_, {100, 30});
    longer.drawEllipse(kThin, {10, 10, 5, 5});
    EXPECT_TRUE(isEverything(longer.changedSince(before)));
    EXPECT_TRUE(isEverything(before.changedSince(longer)));

    for (bool smooth : {false, true}) {
        DrawList other(measurer_);
        other.setSmoothingMode(smooth ? 2 : 1);
        other.setTextAntialias(smooth ? false : true);
        other.drawImage(dial_, 0, 0);
        other.drawLine(kThin, {100, 100}, {60, 100});
        other.drawLine(kThin, {100, 100}, {100, 30});
        other.drawText(kFont, 0xFF000000, u"10:08", {70, 140});
        EXPECT_TRUE(isEverything(other.changedSince(before))) << smooth;
    }
}

TEST_F(DrawListTest, ReplayDrawsWhatReachesTheAreaInOrderAndEverySetting) {
    DrawList list(measurer_);
    drawFrame(list, dial_, {100, 30});
    RecordingCanvas target;
    list.replay(target, PixelArea({95, 20, 105, 40}));
    EXPECT_EQ(target.smoothing, 2);
    EXPECT_TRUE(target.textAntialias);
    using K = RecordingCanvas::Kind;
    ASSERT_EQ(target.order, (std::vector<K>{K::Image, K::Line}));
    EXPECT_EQ(target.lines[0].to, (PointF{100, 30}));

    RecordingCanvas everything;
    list.replay(everything, PixelArea({0, 0, 200, 200}));
    EXPECT_EQ(everything.order, (std::vector<K>{K::Image, K::Line, K::Line, K::Text}));
}

// The margins cover what a canvas may paint beyond the geometry: caps and anchors up to about
// one and a half widths beyond a line's end, half the pen around an arc.
TEST_F(DrawListTest, ReachCoversCapsAndPens) {
    const Pen anchored{0xFFFFFFFF, 10.0f, LineCap::SquareAnchor, LineCap::ArrowAnchor};
    DrawList list(measurer_);
    list.drawLine(anchored, {100, 100}, {100, 50});
    list.drawArc({0xFFFFFFFF, -8.0f}, {20, 20, 40, 40}, 0, 90);
    RecordingCanvas target;
    // Just beyond the line's end, where only its anchor reaches.
    list.replay(target, PixelArea({113, 36, 114, 37}));
    EXPECT_EQ(target.lines.size(), 1u);
    // Just outside the ellipse's box, within half the (negative) pen.
    list.replay(target, PixelArea({17, 17, 18, 18}));
    EXPECT_EQ(target.arcs.size(), 1u);
    // Well away from both.
    list.replay(target, PixelArea({150, 150, 160, 160}));
    EXPECT_EQ(target.lines.size(), 1u);
    EXPECT_EQ(target.arcs.size(), 1u);
}

} // namespace
