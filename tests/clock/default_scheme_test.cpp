// The embedded default scheme: its exact content and its byte-for-byte round trip.
#include "clock/class_registration.h"
#include "clock/clock_hand.h"
#include "clock/scheme_file.h"
#include "model/color_property.h"
#include "model/file_property.h"
#include "model/int_property.h"
#include "model/string_property.h"
#include "resources/default_scheme.h"

#include <gtest/gtest.h>

namespace {

class DefaultSchemeTest : public testing::Test {
protected:
    static void SetUpTestSuite() { registerSchemeClasses(); }
};

std::int32_t intValue(const PropertyMap& map, std::u16string_view name) {
    const auto* property = map.findChildAs<IntProperty>(name);
    EXPECT_NE(property, nullptr) << std::string(name.begin(), name.end());
    return property != nullptr ? property->value() : INT32_MIN;
}

TEST_F(DefaultSchemeTest, HoldsTheBodyPropertiesNineHandsAndTheAuthor) {
    ReadError error;
    std::unique_ptr<Clock> clock = readDefaultScheme(&error);
    ASSERT_NE(clock, nullptr) << error.reason;
    EXPECT_EQ(clock->name(), u"");
    EXPECT_EQ(clock->textId(), 0);
    EXPECT_EQ(clock->label(), u"clock body");
    const auto& children = clock->children();
    ASSERT_EQ(children.size(), 14u);
    const char* types[] = {"PercentProperty", "PercentProperty", "IntProperty", "FileProperty"};
    const char16_t* names[] = {u"X", u"Y", u"SmoothingMode", u"BackgroundImage"};
    const std::int32_t textIds[] = {38, 39, 40, 21};
    for (int i = 0; i < 4; ++i) {
        EXPECT_STREQ(children[i]->className(), types[i]);
        EXPECT_EQ(children[i]->name(), names[i]);
        EXPECT_EQ(children[i]->textId(), textIds[i]);
    }
    EXPECT_EQ(intValue(*clock, u"X"), -1);
    EXPECT_EQ(intValue(*clock, u"Y"), -3);
    EXPECT_EQ(intValue(*clock, u"SmoothingMode"), 2);
    EXPECT_STREQ(children[13]->className(), "StringProperty");
    EXPECT_EQ(children[13]->name(), u"AuthorInfo");
    EXPECT_EQ(children[13]->textId(), 67);

    struct Hand {
        std::uint32_t color;
        std::int32_t begin, end, thickness, timeValue, zone, beginCap, endCap, dx, dy;
    };
    const Hand hands[] = {
        {0x64000000, -15, 50, 9, 6, 0, 2, 2, 1, 2}, {0xFFFFFFFF, -15, 50, 9, 6, 0, 2, 2, 0, 0},
        {0x64000000, -15, 78, 6, 4, 0, 2, 2, 1, 2}, {0xFFFFFFFF, -15, 78, 6, 4, 0, 2, 2, 0, 0},
        {0x64000000, -15, 85, 4, 1, 0, 0, 0, 1, 2}, {0x64000000, 0, 0, 15, 0, 0, 2, 2, 1, 2},
        {0xFFFF6820, -15, 85, 3, 1, 0, 0, 0, 0, 0}, {0xFFFF6820, 0, 0, 15, 0, 0, 2, 2, 0, 0},
        {0xFF000000, 0, 0, 2, 0, 0, 2, 2, 0, 0},
    };
    const char16_t* handNames[] = {u"Color",    u"Begin",    u"End",    u"Thickness", u"TimeValue",
                                   u"TimeZone", u"BeginCap", u"EndCap", u"dX",        u"dY"};
    const std::int32_t handTextIds[] = {22, 23, 24, 27, 28, 32, 25, 26, 46, 47};
    for (int h = 0; h < 9; ++h) {
        SCOPED_TRACE("hand " + std::to_string(h + 1));
        const auto& hand = static_cast<const ClockHand&>(*children[4 + h]);
        ASSERT_STREQ(hand.className(), "ClockHand");
        EXPECT_EQ(hand.name(), u"");
        EXPECT_EQ(hand.textId(), 0);
        EXPECT_EQ(hand.label(), u"hand");
        ASSERT_EQ(hand.children().size(), 10u);
        for (int p = 0; p < 10; ++p) {
            EXPECT_EQ(hand.children()[p]->name(), handNames[p]);
            EXPECT_EQ(hand.children()[p]->textId(), handTextIds[p]);
        }
        EXPECT_EQ(hand.findChildAs<ColorProperty>(u"Color")->argb(), hands[h].color);
        const Hand& want = hands[h];
        EXPECT_EQ(intValue(hand, u"Begin"), want.begin);
        EXPECT_EQ(intValue(hand, u"End"), want.end);
        EXPECT_EQ(intValue(hand, u"Thickness"), want.thickness);
        EXPECT_EQ(intValue(hand, u"TimeValue"), want.timeValue);
        EXPECT_EQ(intValue(hand, u"TimeZone"), want.zone);
        EXPECT_EQ(intValue(hand, u"BeginCap"), want.beginCap);
        EXPECT_EQ(intValue(hand, u"EndCap"), want.endCap);
        EXPECT_EQ(intValue(hand, u"dX"), want.dx);
        EXPECT_EQ(intValue(hand, u"dY"), want.dy);
    }
}

TEST_F(DefaultSchemeTest, BackgroundIsA447By451Png) {
    std::unique_ptr<Clock> clock = readDefaultScheme();
    ASSERT_NE(clock, nullptr);
    auto* background = clock->findChildAs<FileProperty>(u"BackgroundImage");
    ASSERT_NE(background, nullptr);
    const std::span<const std::uint8_t> png = background->bytes();
    ASSERT_GE(png.size(), 24u);
    std::string header(png.begin(), png.begin() + 24);
    ASSERT_EQ(header.substr(1, 3), "PNG");
    auto big = [&](int at) {
        return (std::uint8_t(header[at]) << 24) | (std::uint8_t(header[at + 1]) << 16) |
               (std::uint8_t(header[at + 2]) << 8) | std::uint8_t(header[at + 3]);
    };
    EXPECT_EQ(big(16), 447);
    EXPECT_EQ(big(20), 451);
}

TEST_F(DefaultSchemeTest, WritesBackByteForByteAndStartsWithItsFraming) {
    std::span<const std::uint8_t> original = defaultSchemeBytes();
    std::unique_ptr<Clock> clock = readDefaultScheme();
    ASSERT_NE(clock, nullptr);
    std::vector<std::uint8_t> written = schemeBytes(*clock);
    ASSERT_EQ(written.size(), original.size());
    EXPECT_TRUE(std::equal(written.begin(), written.end(), original.begin()));
    const std::vector<std::uint8_t> start = {0, 0, 0, 0, 0, 0, 0, 0, 14, 0, 0, 0, 15, 0, 0, 0};
    EXPECT_TRUE(std::equal(start.begin(), start.end(), original.begin()));
    std::unique_ptr<Clock> copy = clock->cloneClock();
    std::vector<std::uint8_t> cloned = schemeBytes(*copy);
    EXPECT_TRUE(std::equal(cloned.begin(), cloned.end(), original.begin(), original.end()));

    // The carried background is the program's own bytes, not a copy of them.
    auto background = copy->findChildAs<FileProperty>(u"BackgroundImage")->bytes();
    ASSERT_GT(background.size(), 1000u);
    EXPECT_GE(background.data(), original.data());
    EXPECT_LE(background.data() + background.size(), original.data() + original.size());
}

} // namespace
