// Times of day and durations as typed, labels made safe, and the settings' lines of alarms and
// timers read back as written, with hostile lines left out.
#include "time/alarm_text.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

struct TextCase {
    const char* text;
    std::optional<std::int64_t> value;
};

TEST(AlarmText, TimesOfDay) {
    for (const TextCase& row :
         {TextCase{"07:30", 450}, TextCase{"7:30", 450}, TextCase{"00:00", 0},
          TextCase{"23:59", 1439}, TextCase{"24:00", {}}, TextCase{"12:60", {}},
          TextCase{"7:5", {}}, TextCase{"730", {}}, TextCase{"-1:30", {}}, TextCase{"", {}},
          TextCase{"07:30 ", {}}, TextCase{"123:00", {}}}) {
        const auto parsed = parseTimeOfDay(row.text);
        EXPECT_EQ(parsed ? std::optional<std::int64_t>(*parsed) : std::nullopt, row.value)
            << row.text;
    }
}

TEST(AlarmText, Durations) {
    for (const TextCase& row : {TextCase{"90s", 90},     TextCase{"5m", 300},
                                TextCase{"1h30m", 5400}, TextCase{"1h30m15s", 5415},
                                TextCase{"2h", 7200},    TextCase{"1m90s", 150},
                                TextCase{"45", 45},      TextCase{"99h59m59s", 359999},
                                TextCase{"100h", {}},    TextCase{"0s", {}},
                                TextCase{"0", {}},       TextCase{"30m1h", {}},
                                TextCase{"5m5m", {}},    TextCase{"1h30", {}},
                                TextCase{"h", {}},       TextCase{"5 m", {}},
                                TextCase{"-5m", {}},     TextCase{"5x", {}},
                                TextCase{"", {}},        TextCase{"99999999999999999999s", {}}}) {
        EXPECT_EQ(parseDuration(row.text), row.value) << row.text;
    }
}

TEST(AlarmText, LabelsAreOneSafeLine) {
    EXPECT_EQ(cleanLabel(u"  Tea\nfor\ttwo \x7F "), u"Tea for two");
    EXPECT_EQ(cleanLabel(u"\n\n"), u"");
    std::u16string longLabel(kMaxLabelLength - 1, u'a');
    longLabel += u"\U0001F514";
    EXPECT_EQ(cleanLabel(longLabel), std::u16string(kMaxLabelLength - 1, u'a'));
}

TEST(AlarmText, ItemsReadBackAsWritten) {
    const std::vector<Alarm> alarms = {
        {450, 0b0111110, true, u"Work; or not", 1780000000000, 0},
        {0, 0, false, u"", 0, 1780000300000},
        {1439, 0b1000001, true, u"Weekend \u00e9t\u00e9 \U0001F514", 12, 34}};
    EXPECT_EQ(alarmsFromText(alarmsToText(alarms)), alarms);
    EXPECT_EQ(alarmsToText(alarms).substr(0, 25), u"07:30;12345;1;17800000000");
    const std::vector<Timer> timers = {{300, u"Tea", 1780000300000, 0}, {5400, u";", 0, 7}};
    EXPECT_EQ(timersFromText(timersToText(timers)), timers);
}

TEST(AlarmText, LinesThatAreNotItemsAreLeftOut) {
    const std::u16string text = u"07:30;1;1;0;0;Good\n"
                                u"25:00;1;1;0;0;Bad hour\n"
                                u"07:30;8;1;0;0;Bad day\n"
                                u"07:30;12345678;1;0;0;Too many days\n"
                                u"07:30;1;2;0;0;Bad switch\n"
                                u"07:30;1;1;-5;0;Negative\n"
                                u"07:30;1;1;0\n"
                                u"\n"
                                u"08:00;;0;0;0;Also good";
    const std::vector<Alarm> read = alarmsFromText(text);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].label, u"Good");
    EXPECT_EQ(read[0].weekdays, 1 << 1);
    EXPECT_EQ(read[1].label, u"Also good");
    EXPECT_EQ(timersFromText(u"0;0;0;No length\n60;x;0;Bad end\n60;0;0;Fine\n").size(), 1u);

    std::u16string many;
    for (std::size_t i = 0; i < kMaxAlarms + 10; ++i) {
        many += u"60;0;0;t\n";
    }
    EXPECT_EQ(timersFromText(many).size(), kMaxAlarms);
}

} // namespace
} // namespace velmora
