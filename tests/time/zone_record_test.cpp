// Zone records: layout and names; the zone slots.
#include "tests/time/zone_test_rules.h"
#include "time/zone_record.h"
#include "time/zone_slots.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(ZoneRecord, NamesAreTruncatedAndTerminated) {
    ZoneRecord record;
    record.setDisplayName(std::u16string(300, u'x'));
    EXPECT_EQ(record.displayNameView().size(), 255u);
    EXPECT_EQ(record.displayName[255], u'\0');
    std::u16string withPair(126, u'a');
    withPair += u"\U0001F600"; // its high surrogate would be unit 127, the terminator's place
    record.setStandardName(withPair);
    EXPECT_EQ(record.standardNameView(), std::u16string(126, u'a'));
    record.setStandardName(u"UTC");
    EXPECT_EQ(record.standardNameView(), u"UTC");
    EXPECT_EQ(record.standardName[3], u'\0');
    EXPECT_EQ(record.standardName[10], u'\0');
}

TEST(ZoneRecord, Utf8Conversions) {
    EXPECT_EQ(utf8ToUtf16("Europe/Berlin"), u"Europe/Berlin");
    EXPECT_EQ(utf8ToUtf16("S\xC3\xA3o \xF0\x9F\x98\x80"), u"S\u00E3o \U0001F600");
    EXPECT_EQ(utf8ToUtf16("a\xFF"
                          "b"),
              u"a\uFFFDb");
    EXPECT_EQ(utf8ToUtf16("\xE2\x82"), u"\uFFFD\uFFFD");
    EXPECT_EQ(utf16ToUtf8(u"S\u00E3o \U0001F600"), "S\xC3\xA3o \xF0\x9F\x98\x80");
    EXPECT_EQ(utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

class ZoneSlots : public testing::Test {
protected:
    void SetUp() override { clearZoneSlots(); }
    void TearDown() override { clearZoneSlots(); }
};

TEST_F(ZoneSlots, UnsetSlotsAreUtc) {
    for (int i = 0; i < kZoneSlotCount; ++i) {
        EXPECT_EQ(zoneSlot(i).rules, ZoneRules{});
    }
}

TEST_F(ZoneSlots, SettingGrowsTheTableWithZeroRecords) {
    ZoneRecord berlin;
    berlin.setDisplayName(u"(UTC+01:00) Europe/Berlin");
    berlin.rules = test::centralEurope();
    setZoneSlot(3, berlin);
    EXPECT_EQ(zoneSlot(3), berlin);
    EXPECT_EQ(zoneSlot(0), ZoneRecord{});
    EXPECT_EQ(zoneSlot(2), ZoneRecord{});
    EXPECT_EQ(zoneSlot(4), ZoneRecord{});
    setZoneSlot(0, berlin);
    EXPECT_EQ(zoneSlot(0).rules, berlin.rules);
}

TEST_F(ZoneSlots, IndexOutsideTheFiveSlotsConvertsAsUtc) {
    ZoneRecord berlin;
    berlin.rules = test::centralEurope();
    for (int i = 0; i < kZoneSlotCount; ++i) {
        setZoneSlot(i, berlin);
    }
    setZoneSlot(5, berlin);
    setZoneSlot(-1, berlin);
    EXPECT_EQ(zoneSlot(5).rules, ZoneRules{});
    EXPECT_EQ(zoneSlot(-1).rules, ZoneRules{});
    EXPECT_EQ(zoneSlot(1000).rules, ZoneRules{});
    EXPECT_EQ(zoneSlot(4).rules, berlin.rules);
}

} // namespace
} // namespace velmora
