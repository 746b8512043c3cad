// PackedDateTime fields, the negative-tolerant field setter, centiseconds of the day.
#include "time/packed_date_time.h"

#include <chrono>
#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(PackedDateTime, FieldExtraction) {
    const PackedDateTime t{20070314, 23595999};
    EXPECT_EQ(t.year(), 2007);
    EXPECT_EQ(t.month(), 3);
    EXPECT_EQ(t.day(), 14);
    EXPECT_EQ(t.hour(), 23);
    EXPECT_EQ(t.minute(), 59);
    EXPECT_EQ(t.second(), 59);
    EXPECT_EQ(t.centisecond(), 99);
}

TEST(PackedDateTime, SetTimeFromZeroEqualsPacking) {
    for (int h = 0; h < 24; h += 5) {
        for (int m = 0; m < 60; m += 7) {
            for (int s = 0; s < 60; s += 11) {
                for (int c = 0; c < 100; c += 33) {
                    PackedDateTime t;
                    t.setTime(h, m, s, c);
                    ASSERT_EQ(t.time, packTime(h, m, s, c));
                }
            }
        }
    }
}

TEST(PackedDateTime, SetTimeReplacesFieldsOfExistingValue) {
    PackedDateTime t{20070314, 12345678};
    t.setTime(1, 2, 3, 4);
    EXPECT_EQ(t.time, 1020304);
    EXPECT_EQ(t.date, 20070314);
}

TEST(PackedDateTime, SetTimeToleratesNegativeFields) {
    PackedDateTime t;
    t.setTime(-1, -30, 0, 0);
    EXPECT_EQ(t.time, -1300000);
    EXPECT_EQ(t.hour(), -1);
    EXPECT_EQ(t.minute(), -30);
    EXPECT_EQ(centisecondsOfDay(t.time), -(3600 + 1800) * 100);
}

TEST(PackedDateTime, CentisecondsOfDay) {
    EXPECT_EQ(centisecondsOfDay(0), 0);
    EXPECT_EQ(centisecondsOfDay(23595999), kCentisecondsPerDay - 1);
    EXPECT_EQ(centisecondsOfDay(12000000), 4320000);
}

TEST(PackedDateTime, SplitWithDayCarryRoundTripsEveryMinute) {
    for (std::int32_t cs = 0; cs < kCentisecondsPerDay; cs += 6001) {
        const auto split = splitCentiseconds(cs);
        ASSERT_EQ(split.days, 0);
        ASSERT_EQ(centisecondsOfDay(split.time), cs);
    }
}

TEST(PackedDateTime, SplitWithDayCarryFloors) {
    EXPECT_EQ(splitCentiseconds(-1).days, -1);
    EXPECT_EQ(splitCentiseconds(-1).time, 23595999);
    EXPECT_EQ(splitCentiseconds(kCentisecondsPerDay).days, 1);
    EXPECT_EQ(splitCentiseconds(kCentisecondsPerDay).time, 0);
    EXPECT_EQ(splitCentiseconds(-kCentisecondsPerDay).days, -1);
    EXPECT_EQ(splitCentiseconds(-kCentisecondsPerDay).time, 0);
    EXPECT_EQ(splitCentiseconds(3 * kCentisecondsPerDay + 100).days, 3);
    EXPECT_EQ(splitCentiseconds(3 * kCentisecondsPerDay + 100).time, 100);
}

TEST(PackedDateTime, SplitWithoutCarryTruncates) {
    EXPECT_EQ(timeFromCentiseconds(6000 * 90), 1300000);
    // -5:30 as an offset: both fields negative.
    EXPECT_EQ(timeFromCentiseconds(-6000 * 330), -5300000);
    EXPECT_EQ(centisecondsOfDay(timeFromCentiseconds(-6000 * 330)), -6000 * 330);
    EXPECT_EQ(timeFromCentiseconds(-1), -1);
}

TEST(PackedDateTime, FromSystemClockReadsOneInstant) {
    using namespace std::chrono;
    const auto tp = sys_days{year{2006} / December / 31} + hours{23} + minutes{59} + seconds{59} +
                    milliseconds{999};
    EXPECT_EQ(packedDateTimeFrom(tp), (PackedDateTime{20061231, 23595999}));
    EXPECT_EQ(packedDateTimeFrom(tp + milliseconds{1}), (PackedDateTime{20070101, 0}));
    EXPECT_EQ(packedDateTimeFrom(sys_days{year{1969} / December / 31} + milliseconds{15}),
              (PackedDateTime{19691231, 1}));
}

TEST(PackedDateTime, CurrentUtcIsNow) {
    using namespace std::chrono;
    const auto before = packedDateTimeFrom(system_clock::now());
    const auto now = currentUtcDateTime();
    const auto after = packedDateTimeFrom(system_clock::now());
    const auto key = [](const PackedDateTime& t) {
        return std::int64_t{t.date} * 100000000 + t.time;
    };
    EXPECT_LE(key(before), key(now));
    EXPECT_LE(key(now), key(after));
}

} // namespace
} // namespace velmora
