// The clock body and elements as property maps: defaults, texts, editor order and redraws.
#include "../model/fake_option_tree.h"
#include "clock/clock.h"
#include "clock/clock_hand.h"
#include "clock/clock_slice.h"
#include "clock/clock_text.h"
#include "model/time_value_property.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::u16string> childNames(const PropertyMap& map) {
    std::vector<std::u16string> names;
    for (const auto& child : map.children()) {
        names.push_back(child->name() + u"=" + child->valueText());
    }
    return names;
}

void setKind(PropertyMap& element, std::int32_t kind) {
    element.findChildAs<TimeValueProperty>(u"TimeValue")->setValue(kind);
}

TEST(ClockTest, NewElementsCarryTheirDefaults) {
    EXPECT_EQ(childNames(Clock()),
              (std::vector<std::u16string>{u"AuthorInfo=(unknown artist)", u"X=0", u"Y=0",
                                           u"SmoothingMode=", u"BackgroundImage="}));
    EXPECT_EQ(childNames(ClockHand()),
              (std::vector<std::u16string>{u"Color=", u"Begin=-10", u"End=80", u"Thickness=4",
                                           u"TimeValue=", u"TimeZone=", u"BeginCap=", u"EndCap=",
                                           u"dX=0", u"dY=0"}));
    EXPECT_EQ(childNames(ClockSlice()),
              (std::vector<std::u16string>{u"Color=", u"Begin=0", u"End=100", u"TimeValue=",
                                           u"TimeZone=", u"CountDown=Off", u"dX=0", u"dY=0"}));
    EXPECT_EQ(childNames(ClockText()),
              (std::vector<std::u16string>{u"Fmt=%d.%m.%Y", u"TimeZone=", u"Color=", u"FontFamily=",
                                           u"FontSize=10", u"FontBold=Off", u"FontItalic=Off",
                                           u"dX=0", u"dY=0"}));
    EXPECT_EQ(ClockHand().findChildAs<IntProperty>(u"TimeValue")->value(), 1);
    EXPECT_EQ(ClockText().label(), u"digital display");
}

TEST(ClockTest, RowTextsNameTheElementAndItsValue) {
    ClockHand hand;
    EXPECT_EQ(hand.valueText(), u"hand ");
    hand.findChildAs<TimeValueProperty>(u"TimeValue")->fillChoices();
    EXPECT_EQ(hand.valueText(), u"hand second");
    EXPECT_EQ(ClockText().valueText(), u"digital display \"%d.%m.%Y\"");
    EXPECT_EQ(Clock().valueText(),
              u"clock body\tThe clock body is the basic element of a clock. It has a center and "
              u"you can set a background image that will give the clock its shape.");
    ClockSlice slice;
    slice.removeChild(slice.findChild(u"TimeValue"));
    EXPECT_EQ(slice.valueText(), u"time slice ");
}

TEST(ClockTest, ContinuousRedrawFollowsTheTimeValueKinds) {
    Clock clock;
    EXPECT_FALSE(clock.needsContinuousRedraw());
    auto* hand = static_cast<ClockHand*>(clock.append(std::make_unique<ClockHand>()));
    auto* slice = static_cast<ClockSlice*>(clock.append(std::make_unique<ClockSlice>()));
    clock.append(std::make_unique<ClockText>());
    EXPECT_FALSE(clock.needsContinuousRedraw());
    setKind(*slice, 13);
    EXPECT_FALSE(clock.needsContinuousRedraw());
    setKind(*slice, 2);
    EXPECT_TRUE(clock.needsContinuousRedraw());
    setKind(*slice, 1);
    setKind(*hand, 13);
    EXPECT_TRUE(clock.needsContinuousRedraw());
    setKind(*hand, 2);
    EXPECT_TRUE(hand->needsContinuousRedraw());
    setKind(*hand, 4);
    EXPECT_FALSE(clock.needsContinuousRedraw());
}

TEST(ClockTest, EditorShowsBodyPropertiesBeforeElements) {
    Clock clock;
    clock.append(std::make_unique<ClockHand>());
    clock.append(std::make_unique<ClockText>());
    // A property the scheme stores after its elements.
    clock.moveChildDown(clock.findChild(u"BackgroundImage"));
    clock.moveChildDown(clock.findChild(u"BackgroundImage"));
    FakeTree tree;
    auto* root = static_cast<FakeRow*>(clock.createItem(tree, nullptr));
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->label, u"clock body");
    std::vector<std::u16string> labels;
    for (FakeRow* row : tree.childrenOf(root)) {
        labels.push_back(row->label);
    }
    EXPECT_EQ(labels, (std::vector<std::u16string>{
                          u"author info", u"center dX", u"center dY", u"smoothing Mode",
                          u"background image", u"hand second", u"digital display \"%d.%m.%Y\""}));
    // Forgotten rows are cleared, so that nothing can reach them once the tree is emptied.
    clock.forgetItem();
    EXPECT_EQ(clock.children()[5]->item(), nullptr);
    EXPECT_EQ(clock.item(), nullptr);
}

TEST(ClockTest, EditsAndReadsMarkTheBackgroundForDecoding) {
    Clock clock;
    EXPECT_TRUE(clock.isBackgroundDirty());
    std::unique_ptr<Clock> copy = clock.cloneClock();
    EXPECT_TRUE(copy->isBackgroundDirty());
    EXPECT_TRUE(copy->schemePath().empty());
    EXPECT_EQ(copy->children().size(), 5u);
    EXPECT_EQ(copy->children()[0]->parent(), copy.get());
}

} // namespace
