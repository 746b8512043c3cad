// The chimes on an injected wall clock: on the hour or each quarter of the local zone, left out
// when late, a first one at once when sounds are turned on, and the user's own sound.
#include "app/alarms/clock_chimes.h"
#include "tests/clock/memory_settings.h"
#include "time/zone_history.h"
#include "time/zone_slots.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// 2026-06-08 10:59:58 UTC.
constexpr std::int64_t kBefore = 1780916398000;

class ClockChimesTest : public testing::Test {
protected:
    void SetUp() override {
        velmora::clearZoneSlots();
        SoundFiles::useFolders({QStringLiteral(VELMORA_SOUNDS_DIR)});
        chimes_.setWallClock([this] { return wall_; });
        chimes_.setSoundPlayer([this](const QUrl& source) {
            played_.append(source.fileName());
            return nullptr;
        });
    }

    // The chime timer's wake-up at its moment, `late` ms after it.
    void wakeAtArmed(std::int64_t late = 0) {
        ASSERT_TRUE(chimes_.armedFor());
        wall_ = *chimes_.armedFor() + late;
        chimes_.chime();
    }

    MemorySettings settings_;
    ClockChimes chimes_{settings_};
    std::int64_t wall_ = kBefore;
    QStringList played_;
};

TEST_F(ClockChimesTest, SilentUntilTurnedOnThenEveryHour) {
    chimes_.start();
    EXPECT_EQ(chimes_.armedFor(), std::nullopt);
    chimes_.setPlaySounds(true);
    // Turned on, it chimes once at once: the user hears what was turned on.
    EXPECT_EQ(played_, QStringList{QStringLiteral("hour_chime.wav")});
    EXPECT_EQ(chimes_.armedFor(), kBefore + 2000);
    wakeAtArmed(3);
    wakeAtArmed();
    EXPECT_EQ(played_.size(), 3);
    EXPECT_EQ(chimes_.armedFor(), kBefore + 2000 + 2 * 3'600'000);
    chimes_.setPlaySounds(false);
    EXPECT_EQ(chimes_.armedFor(), std::nullopt);
    EXPECT_EQ(settings_.ints["View/PlaySounds"], 0);
}

TEST_F(ClockChimesTest, QuartersHaveTheirOwnChimeAndTheHourKeepsItsOwn) {
    settings_.ints["View/PlaySounds"] = 1;
    chimes_.setEveryMinutes(ClockChimes::kQuarterly);
    for (int i = 0; i < 5; ++i) {
        wakeAtArmed();
    }
    EXPECT_EQ(played_,
              (QStringList{QStringLiteral("hour_chime.wav"), QStringLiteral("quarter_chime.wav"),
                           QStringLiteral("quarter_chime.wav"), QStringLiteral("quarter_chime.wav"),
                           QStringLiteral("hour_chime.wav")}));
}

// A zone half an hour off UTC chimes at its own hours.
TEST_F(ClockChimesTest, TheHoursAreTheLocalZones) {
    velmora::ZoneRecord kolkata{};
    velmora::setZoneSlot(0, kolkata,
                         std::shared_ptr<const velmora::ZoneHistory>(new velmora::ZoneHistory(
                             *velmora::ZoneHistory::fromPosixTz("IST-5:30"))));
    settings_.ints["View/PlaySounds"] = 1;
    chimes_.start();
    EXPECT_EQ(chimes_.armedFor(), kBefore + 2000 + 30 * 60'000);
}

// The computer woke long after the hour: that chime is left out, the next one comes.
TEST_F(ClockChimesTest, ALateChimeIsLeftOut) {
    settings_.ints["View/PlaySounds"] = 1;
    chimes_.start();
    wakeAtArmed(ClockChimes::kLateMs + 1);
    EXPECT_TRUE(played_.isEmpty());
    EXPECT_EQ(chimes_.armedFor(), kBefore + 2000 + 3'600'000);
}

TEST_F(ClockChimesTest, TheUsersOwnSoundServesEveryChimeWhileItIsThere) {
    QTemporaryDir folder;
    const QString own = folder.filePath(QStringLiteral("bell.wav"));
    QFile(QStringLiteral(VELMORA_SOUNDS_DIR "/hour_chime.wav")).copy(own);
    chimes_.setSoundFile(SoundFiles::Sound::HourChime, own);
    chimes_.play(SoundFiles::Sound::QuarterChime);
    chimes_.play(SoundFiles::Sound::Alarm);
    QFile::remove(own);
    chimes_.play(SoundFiles::Sound::QuarterChime);
    EXPECT_EQ(played_, (QStringList{QStringLiteral("bell.wav"), QStringLiteral("alarm.wav"),
                                    QStringLiteral("quarter_chime.wav")}));
}

} // namespace
