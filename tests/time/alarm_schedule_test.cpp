// The alarm schedule on the zone code and the test zones, with the time handed in as the clock
// would read it: weekly repeats, alarms set once, changes of daylight saving either way, snooze,
// alarms missed while the computer slept, timers, and the wall clock or the zone changing.
#include "time/alarm_schedule.h"
#include "time/zone_history.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

const std::filesystem::path kFixture = std::filesystem::path(VELMORA_TEST_DATA_DIR) / "zoneinfo";

std::shared_ptr<const ZoneHistory> history(const char* id) {
    auto loaded = loadZoneHistory(kFixture, id);
    EXPECT_NE(loaded, nullptr) << id;
    return loaded;
}

ZoneOffsetAt zoneOf(const char* id) {
    return [zone = history(id)](std::int64_t seconds) {
        return zone != nullptr ? zone->localTypeAt(seconds).utOffset : 0;
    };
}

// A UTC instant in milliseconds.
Instant utc(int y, int mo, int d, int h, int mi, int s = 0) {
    return secondsSinceEpoch({y * 10000 + mo * 100 + d, h * 1000000 + mi * 10000 + s * 100}) * 1000;
}

constexpr std::uint8_t kMonday = 1 << 1;
constexpr std::uint8_t kWednesday = 1 << 3;
constexpr std::uint8_t kFriday = 1 << 5;

Alarm alarmAt(int hour, int minute, std::uint8_t weekdays, Instant armedFrom) {
    Alarm alarm;
    alarm.minuteOfDay = hour * 60 + minute;
    alarm.weekdays = weekdays;
    alarm.armedFrom = armedFrom;
    alarm.label = u"Wake up";
    return alarm;
}

// The rings of the schedule's items one after the other, as the clock's timer would take them:
// each at the moment it is due.
std::vector<Instant> ringsUntil(AlarmSchedule& schedule, Instant end) {
    std::vector<Instant> rings;
    for (std::optional<Instant> due = schedule.nextDue(); due && *due <= end;
         due = schedule.nextDue()) {
        for (const AlarmSchedule::Ring& ring : schedule.takeDue(*due)) {
            EXPECT_FALSE(ring.missed);
            rings.push_back(ring.at);
        }
    }
    return rings;
}

struct RepeatCase {
    const char* name;
    const char* zone;
    int hour;
    int minute;
    std::uint8_t weekdays;
    Instant from;
    Instant until;
    std::vector<Instant> rings;
};

class AlarmRings : public testing::TestWithParam<RepeatCase> {};

TEST_P(AlarmRings, AtTheWallClocksTime) {
    const RepeatCase& row = GetParam();
    AlarmSchedule schedule(zoneOf(row.zone));
    schedule.add(alarmAt(row.hour, row.minute, row.weekdays, row.from));
    EXPECT_EQ(ringsUntil(schedule, row.until), row.rings);
}

INSTANTIATE_TEST_SUITE_P(
    Repeats, AlarmRings,
    testing::Values(
        // Set on Sunday 2026-06-07 at noon, for Monday, Wednesday and Friday at 07:30 CEST.
        RepeatCase{"Weekly",
                   "Test/Central",
                   7,
                   30,
                   kMonday | kWednesday | kFriday,
                   utc(2026, 6, 7, 10, 0),
                   utc(2026, 6, 16, 0, 0),
                   {utc(2026, 6, 8, 5, 30), utc(2026, 6, 10, 5, 30), utc(2026, 6, 12, 5, 30),
                    utc(2026, 6, 15, 5, 30)}},
        // Once: at the next 07:30, then never again.
        RepeatCase{"Once",
                   "Test/Central",
                   7,
                   30,
                   0,
                   utc(2026, 6, 8, 6, 0),
                   utc(2026, 6, 20, 0, 0),
                   {utc(2026, 6, 9, 5, 30)}},
        RepeatCase{"DailyIntoSummerTime",
                   "Test/Central",
                   7,
                   30,
                   0x7F,
                   utc(2026, 3, 28, 0, 0),
                   utc(2026, 3, 30, 0, 0),
                   {utc(2026, 3, 28, 6, 30), utc(2026, 3, 29, 5, 30)}},
        RepeatCase{"DailyIntoWinterTime",
                   "Test/Central",
                   7,
                   30,
                   0x7F,
                   utc(2026, 10, 24, 0, 0),
                   utc(2026, 10, 26, 0, 0),
                   {utc(2026, 10, 24, 5, 30), utc(2026, 10, 25, 6, 30)}},
        // At a time the change skips, the alarm rings as the clock skips it.
        RepeatCase{"InTheSkippedHour",
                   "Test/Central",
                   2,
                   30,
                   0x7F,
                   utc(2026, 3, 28, 12, 0),
                   utc(2026, 3, 30, 12, 0),
                   {utc(2026, 3, 29, 1, 0), utc(2026, 3, 30, 0, 30)}},
        // At a time shown twice, only at the first showing.
        RepeatCase{"InTheHourShownTwice",
                   "Test/Central",
                   2,
                   30,
                   0x7F,
                   utc(2026, 10, 24, 12, 0),
                   utc(2026, 10, 26, 12, 0),
                   {utc(2026, 10, 25, 0, 30), utc(2026, 10, 26, 1, 30)}},
        RepeatCase{"SouthernSpring",
                   "Test/Southern",
                   6,
                   0,
                   0x7F,
                   utc(2026, 10, 2, 12, 0),
                   utc(2026, 10, 5, 12, 0),
                   {utc(2026, 10, 2, 20, 0), utc(2026, 10, 3, 19, 0), utc(2026, 10, 4, 19, 0)}},
        RepeatCase{"QuarterHourZone",
                   "Test/Minutes",
                   6,
                   0,
                   kMonday,
                   utc(2026, 9, 20, 0, 0),
                   utc(2026, 10, 6, 0, 0),
                   {utc(2026, 9, 20, 17, 15), utc(2026, 9, 27, 16, 15), utc(2026, 10, 4, 16, 15)}}),
    [](const testing::TestParamInfo<RepeatCase>& info) { return info.param.name; });

TEST(AlarmSchedule, SetOnceTurnsItselfOff) {
    AlarmSchedule schedule(zoneOf("Test/Central"));
    const AlarmSchedule::Id id = schedule.add(alarmAt(7, 30, 0, utc(2026, 6, 8, 6, 0)));
    ASSERT_EQ(schedule.takeDue(utc(2026, 6, 9, 5, 30)).size(), 1u);
    EXPECT_FALSE(schedule.alarm(id)->enabled);
    EXPECT_EQ(schedule.nextDue(), std::nullopt);
}

TEST(AlarmSchedule, SnoozeRingsAgainOnceAndTheRepeatGoesOn) {
    AlarmSchedule schedule(zoneOf("Test/Central"));
    const AlarmSchedule::Id id = schedule.add(alarmAt(7, 30, 0x7F, utc(2026, 6, 8, 0, 0)));
    const Instant rang = utc(2026, 6, 8, 5, 30);
    ASSERT_EQ(schedule.takeDue(rang).size(), 1u);
    schedule.snooze(id, rang + 10'000);
    EXPECT_EQ(schedule.nextDue(), rang + 10'000 + AlarmSchedule::kSnoozeMs);
    EXPECT_TRUE(schedule.takeDue(rang + AlarmSchedule::kSnoozeMs).empty());
    const std::vector<AlarmSchedule::Ring> again =
        schedule.takeDue(rang + 10'000 + AlarmSchedule::kSnoozeMs);
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0].id, id);
    EXPECT_FALSE(again[0].missed);
    EXPECT_EQ(schedule.nextDue(), utc(2026, 6, 9, 5, 30));
}

// The computer slept from Monday night to Thursday noon: one notice, for Thursday's 07:30, and
// the alarm goes on from there. A resume half a minute late still rings.
TEST(AlarmSchedule, MissedOccurrencesAreToldOnceAsTheLast) {
    AlarmSchedule schedule(zoneOf("Test/Central"));
    const AlarmSchedule::Id id = schedule.add(alarmAt(7, 30, 0x7F, utc(2026, 6, 8, 20, 0)));
    const std::vector<AlarmSchedule::Ring> late = schedule.takeDue(utc(2026, 6, 11, 10, 0));
    ASSERT_EQ(late.size(), 1u);
    EXPECT_TRUE(late[0].missed);
    EXPECT_EQ(late[0].at, utc(2026, 6, 11, 5, 30));
    EXPECT_EQ(schedule.alarm(id)->armedFrom, utc(2026, 6, 11, 5, 30));
    EXPECT_EQ(schedule.nextDue(), utc(2026, 6, 12, 5, 30));

    const std::vector<AlarmSchedule::Ring> resumed = schedule.takeDue(utc(2026, 6, 12, 5, 30, 30));
    ASSERT_EQ(resumed.size(), 1u);
    EXPECT_FALSE(resumed[0].missed);
}

// A clock not run for weeks finds its weekly alarm missed once, by a look a week back.
TEST(AlarmSchedule, MissedLongAgoIsTheLatestOccurrence) {
    AlarmSchedule schedule(zoneOf("Test/Central"));
    schedule.add(alarmAt(7, 30, kWednesday, utc(2026, 1, 1, 0, 0)));
    const std::vector<AlarmSchedule::Ring> late = schedule.takeDue(utc(2026, 6, 11, 10, 0));
    ASSERT_EQ(late.size(), 1u);
    EXPECT_TRUE(late[0].missed);
    EXPECT_EQ(late[0].at, utc(2026, 6, 10, 5, 30));
}

TEST(AlarmSchedule, TimersEndAndMoveWithASetClockWhileAlarmsStay) {
    AlarmSchedule schedule(zoneOf("Test/Central"));
    const Instant start = utc(2026, 6, 8, 5, 0);
    const AlarmSchedule::Id timer = schedule.add(Timer{180, u"Tea", start + 180'000, 0});
    const AlarmSchedule::Id alarm = schedule.add(alarmAt(9, 30, 0x7F, start));
    Instant alarmDue = 0;
    ASSERT_TRUE(schedule.nextAlarm(&alarmDue));
    EXPECT_EQ(schedule.nextAlarm(&alarmDue)->id, alarm);
    EXPECT_EQ(schedule.nextDue(), start + 180'000);

    // Set an hour ahead a minute in: the timer still has two minutes to run.
    schedule.wallClockSet(3'600'000);
    EXPECT_EQ(schedule.timer(timer)->endsAt, start + 3'780'000);
    EXPECT_EQ(schedule.dueAt(*schedule.alarm(alarm)), alarmDue);

    const std::vector<AlarmSchedule::Ring> ended = schedule.takeDue(start + 3'780'000);
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_TRUE(ended[0].timer);
    EXPECT_EQ(schedule.timer(timer)->endsAt, 0);
    EXPECT_EQ(schedule.nextDue(), alarmDue);
}

// The alarms keep to the wall clock of the zone in force now.
TEST(AlarmSchedule, AChangedZoneMovesTheAlarms) {
    std::shared_ptr<const ZoneHistory> zone = history("Test/Central");
    AlarmSchedule schedule([&zone](std::int64_t seconds) {
        return zone != nullptr ? zone->localTypeAt(seconds).utOffset : 0;
    });
    schedule.add(alarmAt(7, 30, 0x7F, utc(2026, 6, 8, 0, 0)));
    EXPECT_EQ(schedule.nextDue(), utc(2026, 6, 8, 5, 30));
    zone = history("Test/Fixed");
    EXPECT_EQ(schedule.nextDue(), utc(2026, 6, 8, 12, 30));
}

TEST(AlarmSchedule, OffItemsAreNeverDue) {
    AlarmSchedule schedule(zoneOf("Test/Central"));
    Alarm off = alarmAt(7, 30, 0x7F, 0);
    off.enabled = false;
    schedule.add(off);
    schedule.add(Timer{60, u"", 0, 0});
    Alarm impossible = alarmAt(24, 0, 0x7F, 0);
    schedule.add(impossible);
    EXPECT_EQ(schedule.nextDue(), std::nullopt);
    EXPECT_EQ(schedule.nextAlarm(nullptr), std::nullopt);
    EXPECT_TRUE(schedule.takeDue(utc(2030, 1, 1, 0, 0)).empty());
}

} // namespace
} // namespace velmora
