// Zone records: layout, byte forms, names; the zone slots.
#include "tests/time/zone_test_rules.h"
#include "time/zone_record.h"
#include "time/zone_slots.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(ZoneRecord, BytesAreLittleEndianRegTziFormat) {
    const ZoneRules r = test::centralEurope();
    const auto bytes = zoneRulesToBytes(r);
    const std::array<std::uint8_t, 44> expected = {
        0xC4, 0xFF, 0xFF, 0xFF,                                     // Bias -60
        0x00, 0x00, 0x00, 0x00,                                     // StandardBias 0
        0xC4, 0xFF, 0xFF, 0xFF,                                     // DaylightBias -60
        0,    0,    10,   0,    0, 0, 5, 0, 3, 0, 0, 0, 0, 0, 0, 0, // StandardDate
        0,    0,    3,    0,    0, 0, 5, 0, 2, 0, 0, 0, 0, 0, 0, 0, // DaylightDate
    };
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(zoneRulesFromBytes(bytes), r);
    EXPECT_FALSE(zoneRulesFromBytes(std::span(bytes).first(43)).has_value());
}

TEST(ZoneRecord, RecordRoundTripsThroughBytes) {
    ZoneRecord record;
    record.setDisplayName(u"(UTC+01:00) Europe/Berlin");
    record.setStandardName(u"Europe/Berlin");
    record.rules = test::centralEurope();
    record.rules.DaylightDate.wHour = static_cast<std::uint16_t>(-1);
    const auto bytes = zoneRecordToBytes(record);
    EXPECT_EQ(bytes[0], '(');
    EXPECT_EQ(bytes[1], 0);
    EXPECT_EQ(bytes[512], 'E');
    EXPECT_EQ(bytes[768], 0xC4);
    EXPECT_EQ(zoneRecordFromBytes(bytes), record);
    EXPECT_EQ(signedHour(zoneRecordFromBytes(bytes)->rules.DaylightDate), -1);
}

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
        EXPECT_EQ(zoneSlotRules(i), ZoneRules{});
    }
}

TEST_F(ZoneSlots, SettingGrowsTheTableWithZeroRecords) {
    ZoneRecord berlin;
    berlin.setDisplayName(u"(UTC+01:00) Europe/Berlin");
    berlin.rules = test::centralEurope();
    setZoneSlot(3, berlin);
    EXPECT_EQ(zoneSlot(3), berlin);
    EXPECT_EQ(zoneSlotRules(3), berlin.rules);
    EXPECT_EQ(zoneSlot(0), ZoneRecord{});
    EXPECT_EQ(zoneSlot(2), ZoneRecord{});
    EXPECT_EQ(zoneSlot(4), ZoneRecord{});
    setZoneSlot(0, berlin);
    EXPECT_EQ(zoneSlotRules(0), berlin.rules);
}

TEST_F(ZoneSlots, IndexOutsideTheFiveSlotsConvertsAsUtc) {
    ZoneRecord berlin;
    berlin.rules = test::centralEurope();
    for (int i = 0; i < kZoneSlotCount; ++i) {
        setZoneSlot(i, berlin);
    }
    setZoneSlot(5, berlin);
    setZoneSlot(-1, berlin);
    EXPECT_EQ(zoneSlotRules(5), ZoneRules{});
    EXPECT_EQ(zoneSlotRules(-1), ZoneRules{});
    EXPECT_EQ(zoneSlotRules(1000), ZoneRules{});
    EXPECT_EQ(zoneSlotRules(4), berlin.rules);
}

} // namespace
} // namespace velmora
