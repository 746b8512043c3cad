// Picking elements on the drawn clock, and the labels the editor names them by.
#include "clock/class_registration.h"
#include "clock/clock.h"
#include "clock/clock_hand.h"
#include "clock/clock_slice.h"
#include "clock/clock_text.h"
#include "clock/element_labels.h"
#include "clock/element_picker.h"
#include "model/color_property.h"
#include "model/int_property.h"
#include "model/string_property.h"
#include "recording_canvas.h"
#include "time/zone_slots.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

using velmora::PackedDateTime;

// 2007-03-14 12:41:15 UTC: a second hand points at 3 o'clock.
constexpr PackedDateTime kQuarter{20070314, 12411500};

class ElementPickerTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        registerSchemeClasses();
        velmora::clearZoneSlots();
    }
    void SetUp() override {
        slice_ = add<ClockSlice>();
        set(*slice_, u"Begin", 80);
        set(*slice_, u"End", 100);
        hand_ = add<ClockHand>();
        text_ = add<ClockText>();
        set(*text_, u"dY", 40);
        // 200 x 200 without a background: the dial's radius is 100 around (100, 100).
        clock_.layoutAndDraw(canvas_, {0, 0, 200, 200}, kQuarter);
    }
    template <class Element> Element* add() {
        return static_cast<Element*>(clock_.append(std::make_unique<Element>()));
    }
    static void set(PropertyMap& map, std::u16string_view name, std::int32_t value) {
        map.findChildAs<IntProperty>(name)->setValue(value);
    }
    ClockObject* at(float x, float y) { return elementAt(clock_, canvas_, kQuarter, {x, y}); }

    Clock clock_;
    RecordingCanvas canvas_;
    ClockSlice* slice_ = nullptr;
    ClockHand* hand_ = nullptr;
    ClockText* text_ = nullptr;
};

TEST_F(ElementPickerTest, FindsEachElementWhereItIsDrawnAndNothingElsewhere) {
    EXPECT_EQ(at(140, 100), hand_) << "on the hand pointing at 3 o'clock";
    EXPECT_EQ(at(140, 103), hand_) << "within the hand's half width and the tolerance";
    EXPECT_EQ(at(140, 110), nullptr);
    const float diagonal = 90 / std::sqrt(2.0f);
    EXPECT_EQ(at(100 + diagonal, 100 - diagonal), slice_) << "on the ring's quarter so far";
    EXPECT_EQ(at(100 - diagonal, 100 + diagonal), nullptr) << "on the ring's quarter to come";
    // "14.03.2007" in a 5-pixel em is 25 x 5 pixels, centred 40 below the centre.
    EXPECT_EQ(at(100, 140), text_);
    EXPECT_EQ(at(140, 140), nullptr);
}

TEST_F(ElementPickerTest, TheTopmostElementWinsAndGuideMarksAreNoPart) {
    // The slice's ring crosses the hand at 3 o'clock; the hand is drawn later.
    set(*hand_, u"End", 95);
    EXPECT_EQ(at(190, 100), hand_);
    set(*hand_, u"End", 80);
    EXPECT_EQ(at(190, 100), slice_);
    // A selected hand draws guide lines across the whole dial.
    hand_->setSelected(true);
    EXPECT_EQ(at(100, 30), nullptr);
    EXPECT_TRUE(hand_->isSelected()) << "the mark is put back";
}

TEST(ElementLabelsTest, KindAndWhatItShowsNumberedWhereTheyWouldReadTheSame) {
    registerSchemeClasses();
    Clock clock;
    clock.append(std::make_unique<ClockHand>());
    auto* red = static_cast<ClockHand*>(clock.append(std::make_unique<ClockHand>()));
    red->findChildAs<ColorProperty>(u"Color")->setArgb(0xFFFF0000);
    auto* text = static_cast<ClockText*>(clock.append(std::make_unique<ClockText>()));
    text->findChildAs<StringProperty>(u"Fmt")->setValue(u"%A");
    clock.append(std::make_unique<ClockSlice>());

    const std::vector<ElementLabel> labels = elementLabels(clock);
    ASSERT_EQ(labels.size(), 4u);
    EXPECT_EQ(labels[0].text, u"hand: second #1");
    EXPECT_EQ(labels[1].text, u"hand: second #2");
    EXPECT_EQ(labels[1].argb, 0xFFFF0000u);
    EXPECT_EQ(labels[1].element, red);
    EXPECT_EQ(labels[2].text, u"digital display: %A");
    EXPECT_EQ(labels[3].text, u"time slice: second");
}

} // namespace
