// The dial geometry and what the body and its elements draw, checked through a recording canvas.
#include "clock/class_registration.h"
#include "clock/clock.h"
#include "clock/clock_hand.h"
#include "clock/clock_slice.h"
#include "clock/clock_text.h"
#include "model/bool_property.h"
#include "model/class_registry.h"
#include "model/file_property.h"
#include "model/line_cap_property.h"
#include "model/percent_property.h"
#include "model/string_property.h"
#include "model/time_value_property.h"
#include "model/time_zone_property.h"
#include "recording_canvas.h"
#include "time/machine_zone.h"
#include "time/zone_slots.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <set>

namespace {

using velmora::PackedDateTime;
using velmora::TimeValueKind;

constexpr float kTolerance = 1e-3f;

// 2007-03-14 12:41:<second> UTC.
PackedDateTime at(int second) {
    return {20070314, 12410000 + second * 100};
}

void setPercent(PropertyMap& map, std::u16string_view name, std::int32_t value) {
    map.findChildAs<IntProperty>(name)->setValue(value);
}

void expectPoint(PointF actual, float x, float y) {
    EXPECT_NEAR(actual.x, x, kTolerance);
    EXPECT_NEAR(actual.y, y, kTolerance);
}

void expectRect(const RectF& actual, RectF expected) {
    EXPECT_NEAR(actual.x, expected.x, kTolerance);
    EXPECT_NEAR(actual.y, expected.y, kTolerance);
    EXPECT_NEAR(actual.width, expected.width, kTolerance);
    EXPECT_NEAR(actual.height, expected.height, kTolerance);
}

class ClockDrawingTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        registerSchemeClasses();
        velmora::clearZoneSlots();
    }

    template <class Element> Element& add() {
        return static_cast<Element&>(*clock_.append(std::make_unique<Element>()));
    }
    void draw(int second, LayoutRect target = {0, 0, 200, 200}) {
        canvas_.clear();
        clock_.layoutAndDraw(canvas_, target, at(second));
    }
    // A body whose background decodes to width x height.
    void useBackground(int width, int height) {
        clock_.findChildAs<FileProperty>(u"BackgroundImage")
            ->carryBytes(u"dial.png", std::vector<std::uint8_t>{1, 2, 3});
        canvas_.imageWidth = width;
        canvas_.imageHeight = height;
    }

    Clock clock_;
    RecordingCanvas canvas_;
};

TEST_F(ClockDrawingTest, DefaultHandAtSecondFifteenPointsToThreeOClock) {
    add<ClockHand>();
    draw(15);
    auto lines = canvas_.lines;
    ASSERT_EQ(lines.size(), 1u);
    expectPoint(lines[0].from, 90, 100);
    expectPoint(lines[0].to, 180, 100);
    EXPECT_FLOAT_EQ(lines[0].pen.width, 4);
    EXPECT_EQ(lines[0].pen.argb, 0xFF000000u);
    EXPECT_EQ(lines[0].pen.startCap, LineCap::Flat);
    EXPECT_EQ(canvas_.smoothing, 2);
    EXPECT_TRUE(canvas_.textAntialias);
}

TEST_F(ClockDrawingTest, HandWithoutLengthStillShowsItsCaps) {
    ClockHand& hand = add<ClockHand>();
    setPercent(hand, u"Begin", 0);
    setPercent(hand, u"End", 0);
    setPercent(hand, u"Thickness", 15);
    hand.findChildAs<LineCapProperty>(u"BeginCap")->setValue(2);
    draw(15);
    auto lines = canvas_.lines;
    ASSERT_EQ(lines.size(), 1u);
    expectPoint(lines[0].from, 100, 99);
    expectPoint(lines[0].to, 100, 100);
    EXPECT_EQ(lines[0].pen.startCap, LineCap::Round);
    EXPECT_FLOAT_EQ(lines[0].pen.width, 15);
}

TEST_F(ClockDrawingTest, OffsetsMoveHandsButBodyOffsetDoesNotMoveSlicesOrTexts) {
    setPercent(clock_, u"X", 10);
    ClockHand& hand = add<ClockHand>();
    setPercent(hand, u"dX", -10);
    setPercent(hand, u"Begin", 0);
    add<ClockSlice>();
    ClockText& text = add<ClockText>();
    setPercent(text, u"dY", 50);
    draw(0);
    auto lines = canvas_.lines;
    ASSERT_EQ(lines.size(), 1u);
    expectPoint(lines[0].from, 100, 100);
    expectPoint(lines[0].to, 100, 20);
    auto arcs = canvas_.arcs;
    ASSERT_EQ(arcs.size(), 1u);
    expectRect(arcs[0].bounds, {50, 50, 100, 100});
    auto texts = canvas_.texts;
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, u"14.03.2007");
    // Ten characters of 2.5 pixels each, 5 pixels high, centred 50 pixels below the centre.
    expectPoint(texts[0].topLeft, 100 - 12.5f, 150 - 2.5f);
    EXPECT_FLOAT_EQ(texts[0].font.emSize, 5);
    EXPECT_EQ(texts[0].font.family, u"Tahoma");
}

// %Z shows the machine zone's abbreviation for the frame's instant, whatever the element's own
// zone; a zone given by a POSIX rule shows the rule's names, not the rule.
// %Z names the zone the text shows its time in, at the instant: a text in another zone than
// the machine's is named by that zone.
TEST_F(ClockDrawingTest, ZoneCodeNamesTheTextsOwnZoneAtTheInstant) {
    velmora::MachineZoneSources sources;
    sources.tz = "CET-1CEST,M3.5.0,M10.5.0/3";
    const std::optional<velmora::ZoneRecord> central = velmora::machineZoneOwnRecord(sources);
    ASSERT_TRUE(central.has_value());
    velmora::setZoneSlot(1, *central);
    velmora::ZoneRecord plusNine;
    plusNine.rules.Bias = -540;
    velmora::setZoneSlot(2, plusNine, nullptr);
    ClockText& text = add<ClockText>();
    text.findChildAs<StringProperty>(u"Fmt")->setValue(u"%H %Z");
    struct Row {
        int slot;
        PackedDateTime utc;
        std::u16string expected;
    };
    for (const Row& row : std::vector<Row>{{1, {20070314, 12000000}, u"13 CET"},
                                           {1, {20070714, 12000000}, u"14 CEST"},
                                           {1, {20070325, 595999}, u"01 CET"},
                                           {1, {20070325, 1000000}, u"03 CEST"},
                                           {2, {20070714, 12000000}, u"21 +0900"},
                                           {3, {20070714, 12000000}, u"12 UTC"},
                                           {77, {20070714, 12000000}, u"12 UTC"}}) {
        text.findChildAs<TimeZoneProperty>(u"TimeZone")->setValue(row.slot);
        canvas_.clear();
        clock_.layoutAndDraw(canvas_, {0, 0, 200, 200}, row.utc);
        ASSERT_EQ(canvas_.texts.size(), 1u);
        EXPECT_EQ(canvas_.texts[0].text, row.expected) << row.slot << " " << row.utc.time;
    }
    velmora::clearZoneSlots();
}

struct SliceRow {
    const char* name;
    int second;
    bool countDown;
    LayoutRect target;
    RectF bounds;
    float start, sweep, width;
};

class SliceGeometryTest : public ClockDrawingTest, public testing::WithParamInterface<SliceRow> {};

TEST_P(SliceGeometryTest, DrawsOneArcAlongTheMiddleOfTheBand) {
    const SliceRow& row = GetParam();
    ClockSlice& slice = add<ClockSlice>();
    slice.findChildAs<BoolProperty>(u"CountDown")->setValue(row.countDown);
    draw(row.second, row.target);
    auto arcs = canvas_.arcs;
    ASSERT_EQ(arcs.size(), 1u);
    expectRect(arcs[0].bounds, row.bounds);
    EXPECT_NEAR(arcs[0].start, row.start, kTolerance);
    EXPECT_NEAR(arcs[0].sweep, row.sweep, kTolerance);
    EXPECT_FLOAT_EQ(arcs[0].pen.width, row.width);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SliceGeometryTest,
    testing::Values(
        SliceRow{"QuarterAtFifteen", 15, false, {0, 0, 200, 200}, {50, 50, 100, 100}, -90, 90, 100},
        SliceRow{"NothingAtZero", 0, false, {0, 0, 200, 200}, {50, 50, 100, 100}, -90, 0, 100},
        SliceRow{"FullRingCountingDownAtZero",
                 0,
                 true,
                 {0, 0, 200, 200},
                 {50, 50, 100, 100},
                 -90,
                 360,
                 100},
        SliceRow{"RestCountingDownAtFifteen",
                 15,
                 true,
                 {0, 0, 200, 200},
                 {50, 50, 100, 100},
                 0,
                 270,
                 100},
        SliceRow{
            "EllipseOnWideLayout", 15, false, {0, 0, 200, 100}, {25, 25, 150, 50}, -90, 90, 50}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ClockDrawingTest, SelectedElementsDrawGuideMarksFirst) {
    setPercent(clock_, u"X", 10);
    ClockHand& hand = add<ClockHand>();
    hand.setSelected(true);
    draw(15);
    using Kind = RecordingCanvas::Kind;
    EXPECT_EQ(canvas_.order,
              (std::vector<Kind>{Kind::Ellipse, Kind::Line, Kind::Line, Kind::Line, Kind::Line}));
    ASSERT_EQ(canvas_.lines.size(), 4u);
    auto circle = canvas_.ellipses.at(0);
    expectRect(circle.bounds, {110 - 80, 100 - 80, 160, 160});
    EXPECT_EQ(circle.pen.argb, 0xB4000000u);
    EXPECT_FLOAT_EQ(circle.pen.width, 1);
    auto across = canvas_.lines[0];
    expectPoint(across.from, 10, 100);
    expectPoint(across.to, 210, 100);
    auto direction = canvas_.lines[2];
    expectPoint(direction.from, 10, 100);
    expectPoint(direction.to, 210, 100);
    EXPECT_FLOAT_EQ(canvas_.lines[3].pen.width, 4);

    hand.setSelected(false);
    ClockSlice& slice = add<ClockSlice>();
    slice.setSelected(true);
    draw(15);
    auto arcs = canvas_.arcs;
    ASSERT_EQ(arcs.size(), 3u);
    expectRect(arcs[0].bounds, {0, 0, 200, 200});
    expectRect(arcs[1].bounds, {100, 100, 0, 0});
    EXPECT_FLOAT_EQ(arcs[0].sweep, 360);
    // The guide cross follows the body's centre offset; the slice itself does not.
    auto lines = canvas_.lines;
    ASSERT_EQ(lines.size(), 4u);
    expectPoint(lines[1].from, 10, 100);
    expectRect(arcs[2].bounds, {50, 50, 100, 100});
}

struct FitRow {
    const char* name;
    int imageWidth, imageHeight;
    LayoutRect target, expected;
};

class FittingTest : public ClockDrawingTest, public testing::WithParamInterface<FitRow> {};

TEST_P(FittingTest, KeepsTheBackgroundsAspectCentred) {
    useBackground(GetParam().imageWidth, GetParam().imageHeight);
    draw(0, GetParam().target);
    EXPECT_EQ(clock_.layoutRect(), GetParam().expected);
    auto images = canvas_.images;
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].width, GetParam().expected.width);
    EXPECT_EQ(images[0].x, GetParam().expected.x);
    EXPECT_EQ(images[0].y, GetParam().expected.y);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FittingTest,
    testing::Values(FitRow{"SquareInWide", 100, 100, {0, 0, 300, 200}, {50, 0, 200, 200}},
                    FitRow{"WideInSquare", 400, 200, {0, 0, 200, 200}, {0, 50, 200, 100}},
                    FitRow{"OddSizeIsMadeEven", 50, 50, {0, 0, 301, 101}, {100, 0, 100, 101}},
                    FitRow{"OffsetTarget", 100, 100, {10, 20, 100, 300}, {10, 120, 100, 100}},
                    FitRow{"DefaultDialInSquare", 447, 451, {0, 0, 200, 200}, {1, 0, 198, 200}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ClockDrawingTest, AQuickDecodeIsNotKeptBesideItsScaledCopy) {
    const int aliveBefore = FakeImage::alive;
    useBackground(100, 100);
    draw(0);
    draw(1);
    EXPECT_EQ(canvas_.decodes, 1);
    EXPECT_EQ(canvas_.scales, 1);
    EXPECT_EQ(FakeImage::alive - aliveBefore, 1) << "an idle clock holds only the scaled copy";
    draw(2, {0, 0, 400, 400});
    EXPECT_EQ(canvas_.decodes, 2) << "a new size decodes the quick image again";
    EXPECT_EQ(clock_.backgroundWidth(), 100);
}

TEST_F(ClockDrawingTest, APreparedBackgroundServesTheFirstFrameOfItsSizeOnly) {
    const int aliveBefore = FakeImage::alive;
    useBackground(447, 451);
    add<ClockHand>();
    clock_.prepareBackground(canvas_, {0, 0, 200, 200});
    EXPECT_EQ(canvas_.decodes, 1);
    EXPECT_EQ(canvas_.scales, 1);
    EXPECT_TRUE(canvas_.order.empty()) << "preparing draws nothing";
    EXPECT_EQ(FakeImage::alive - aliveBefore, 1) << "only the scaled copy is held";
    draw(0);
    EXPECT_EQ(canvas_.decodes, 1);
    EXPECT_EQ(canvas_.scales, 1);
    ASSERT_EQ(canvas_.images.size(), 1u);
    EXPECT_EQ(clock_.layoutRect(), (LayoutRect{1, 0, 198, 200}));
    // Prepared for another size than the frame's, the frame makes its own.
    clock_.prepareBackground(canvas_, {0, 0, 100, 100});
    draw(1);
    EXPECT_EQ(canvas_.scales, 3);
    EXPECT_EQ(clock_.layoutRect(), (LayoutRect{1, 0, 198, 200}));
}

TEST_F(ClockDrawingTest, BackgroundIsDecodedOnceAndScaledOnlyWhenTheSizeChanges) {
    const int aliveBefore = FakeImage::alive;
    useBackground(100, 100);
    canvas_.costlyDecodes = true;
    draw(0);
    draw(1);
    EXPECT_EQ(canvas_.decodes, 1);
    EXPECT_EQ(canvas_.scales, 1);
    // The costly decode and its scaled copy are held between frames.
    EXPECT_EQ(FakeImage::alive - aliveBefore, 2);
    EXPECT_EQ(clock_.backgroundWidth(), 100);
    // A resize scales the kept decode: a hostile image costs its decode once, not per size.
    draw(2, {0, 0, 400, 400});
    EXPECT_EQ(canvas_.decodes, 1);
    EXPECT_EQ(canvas_.scales, 2);
    EXPECT_EQ(FakeImage::alive - aliveBefore, 2);
    draw(3, {0, 0, 400, 200});
    EXPECT_EQ(clock_.layoutRect(), (LayoutRect{100, 0, 200, 200}));
    EXPECT_EQ(canvas_.decodes, 1);
    // An edit may have changed the image: it is decoded again.
    clock_.commitItem();
    draw(4, {0, 0, 400, 200});
    EXPECT_EQ(canvas_.decodes, 2);

    // An image that does not decode counts as absent: the target is used as it is.
    canvas_.imageWidth = 0;
    clock_.setBackgroundDirty();
    draw(5, {0, 0, 300, 200});
    EXPECT_EQ(clock_.layoutRect(), (LayoutRect{0, 0, 300, 200}));
    EXPECT_TRUE(canvas_.images.empty());
}

TEST_F(ClockDrawingTest, DialGeometry) {
    draw(0);
    DialPoint p = clock_.pointAt(TimeValueKind::Second, at(15), 100, 0, 0);
    expectPoint(p.point, 200, 100);
    EXPECT_NEAR(p.degrees, 90, kTolerance);
    EXPECT_NEAR(clock_.angleOf(TimeValueKind::Second, at(45)), 270, kTolerance);
    expectPoint(clock_.pointAt(TimeValueKind::Second, at(15), -50, 0, 0).point, 50, 100);
    EXPECT_FLOAT_EQ(clock_.radius(), 100);
    draw(0, {0, 0, 200, 100});
    EXPECT_FLOAT_EQ(clock_.radius(), 50);
    expectPoint(clock_.centerPoint(20, -20), 110, 40);
}

// A continuous minute hand's value changes every hundredth of a second, far below what a dial
// of 100 pixels' radius can show, and its rim moves under four pixels a second: it moves in
// steps of half a pixel at the rim, each drawn where the exact value would put it within half a
// step. A continuous second hand, faster, steps an eighth of a pixel; values with fewer steps a
// turn (seconds) are drawn exactly.
TEST_F(ClockDrawingTest, ValuesFinerThanTheDialShowsMoveInStepsItCanShow) {
    draw(0);
    const double rim = 2 * 3.14159265358979 * 100;
    const double halfPixel = 360.0 / std::ceil(rim * 2);
    const double eighth = 360.0 / std::ceil(rim * 8);
    const auto minuteAt = [&](int centiseconds) {
        return clock_.angleOf(TimeValueKind::MinuteContinuous, {20070314, 12410000 + centiseconds});
    };
    const float first = minuteAt(0);
    EXPECT_NEAR(first, 246, halfPixel / 2 + kTolerance);
    // 0.001 degrees a hundredth: the hand stays put for many of them, then moves one step.
    int moved = 0;
    float last = first;
    for (int cs = 1; cs < 1000; ++cs) {
        const float angle = minuteAt(cs);
        EXPECT_NEAR(angle, 246 + cs * 0.001, halfPixel / 2 + kTolerance) << cs;
        if (angle != last) {
            EXPECT_NEAR(angle - last, halfPixel, 1e-3) << cs;
            ++moved;
        }
        last = angle;
    }
    EXPECT_GE(moved, 2);
    EXPECT_LE(moved, 1000 * 0.001 / halfPixel + 1);
    const auto secondAt = [&](int centiseconds) {
        return clock_.angleOf(TimeValueKind::SecondContinuous, {20070314, 12410000 + centiseconds});
    };
    EXPECT_NEAR(secondAt(1), 0.06, eighth / 2 + kTolerance);
    std::set<float> secondSteps;
    for (int cs = 0; cs < 100; ++cs) {
        secondSteps.insert(secondAt(cs + 1) - secondAt(cs));
    }
    for (const float step : secondSteps) {
        EXPECT_TRUE(step == 0 || std::fabs(step - eighth) < 1e-3) << step;
    }
    EXPECT_FLOAT_EQ(clock_.angleOf(TimeValueKind::Second, at(1)), 6.0f);
}

TEST_F(ClockDrawingTest, MissingOrMistypedValuesUseTheirFallbacks) {
    ClockHand& hand = add<ClockHand>();
    hand.clearChildren();
    hand.append(std::make_unique<IntProperty>(u"End", 24, 50));
    clock_.removeChild(clock_.findChild(u"SmoothingMode"));
    clock_.append(std::make_unique<IntProperty>(u"SmoothingMode", 40, 1));
    draw(15);
    auto lines = canvas_.lines;
    ASSERT_EQ(lines.size(), 1u);
    // Stopped, black, no length and no width: a dot of the thinnest line at the centre.
    expectPoint(lines[0].from, 100, 99);
    expectPoint(lines[0].to, 100, 100);
    EXPECT_FLOAT_EQ(lines[0].pen.width, 0);
    EXPECT_EQ(canvas_.smoothing, 2);
}

TEST_F(ClockDrawingTest, ExtremeValuesStayFinite) {
    for (std::int32_t extreme : {INT32_MIN, INT32_MAX}) {
        ClockHand& hand = add<ClockHand>();
        ClockSlice& slice = add<ClockSlice>();
        ClockText& text = add<ClockText>();
        for (PropertyMap* element :
             {static_cast<PropertyMap*>(&hand), static_cast<PropertyMap*>(&slice),
              static_cast<PropertyMap*>(&text)}) {
            for (const auto& child : element->children()) {
                if (auto* number = asKind<IntProperty>(child.get())) {
                    number->setValue(extreme);
                }
            }
        }
        setPercent(clock_, u"X", extreme);
        draw(30);
        for (const auto& line : canvas_.lines) {
            EXPECT_TRUE(std::isfinite(line.from.x) && std::isfinite(line.to.y) &&
                        std::isfinite(line.pen.width));
        }
        for (const auto& arc : canvas_.arcs) {
            EXPECT_TRUE(std::isfinite(arc.bounds.width) && std::isfinite(arc.sweep) &&
                        std::isfinite(arc.pen.width));
        }
        clock_.clearChildren();
        clock_.reconcileWithTemplate(ClassRegistry::instance());
    }
}

} // namespace
