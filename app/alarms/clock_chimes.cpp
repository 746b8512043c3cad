// The clock's chimes and the choice of its sounds: while "Play sounds" is on, a chime on each
// hour of the clock's local zone, or on each quarter.
#include "app/alarms/clock_chimes.h"

#include "app/chime/chime_player.h"
#include "model/settings_store.h"
#include "render/qt_text.h"

#include <QCoreApplication>
#include <chrono>

namespace {

const SettingKey& fileKey(SoundFiles::Sound sound) {
    return sound == SoundFiles::Sound::Alarm ? settings::kAlarmSound : settings::kChimeSound;
}

} // namespace

ClockChimes::ClockChimes(SettingsStore& settings, QObject* parent)
    : QObject(parent), settings_(settings), wallClock_([] {
          return std::chrono::duration_cast<std::chrono::milliseconds>(
                     std::chrono::system_clock::now().time_since_epoch())
              .count();
      }),
      soundPlayer_([](const QUrl& source) {
          return ChimePlayer::installed().play(QCoreApplication::instance(), source);
      }),
      zone_(velmora::zoneSlotOffset(0)) {
    connect(&timer_, &BoundaryTimer::timeout, this, &ClockChimes::chime);
}

void ClockChimes::start() {
    arm();
}

bool ClockChimes::playSounds() const {
    return settings_.readInt(settings::kPlaySounds) != 0;
}

void ClockChimes::setPlaySounds(bool on) {
    settings_.writeInt(settings::kPlaySounds, on ? 1 : 0);
    arm();
    if (on) {
        play(SoundFiles::Sound::HourChime);
    }
}

int ClockChimes::everyMinutes() const {
    // Anything but a quarter, written by hand, is taken as the hour.
    return settings_.readInt(settings::kChimeMinutes) == kQuarterly ? kQuarterly : kHourly;
}

void ClockChimes::setEveryMinutes(int minutes) {
    settings_.writeInt(settings::kChimeMinutes, minutes == kQuarterly ? kQuarterly : kHourly);
    arm();
}

QString ClockChimes::soundFile(SoundFiles::Sound sound) const {
    return toQString(settings_.readText(fileKey(sound)));
}

void ClockChimes::setSoundFile(SoundFiles::Sound sound, const QString& path) {
    settings_.writeText(fileKey(sound), path.toStdU16String());
}

QObject* ClockChimes::play(SoundFiles::Sound sound) {
    // The user's file of the chime serves every chime, the hour's and the quarters'.
    const QUrl source = SoundFiles::chosen(
        sound, soundFile(sound == SoundFiles::Sound::Alarm ? sound : SoundFiles::Sound::HourChime));
    return source.isEmpty() ? nullptr : soundPlayer_(source);
}

void ClockChimes::arm() {
    if (!playSounds()) {
        armedFor_.reset();
        timer_.stop();
        return;
    }
    const Instant now = wallClock_();
    const std::int64_t seconds = now >= 0 ? now / 1000 : (now - 999) / 1000;
    const std::optional<std::int64_t> next =
        velmora::nextWallClockBoundary(zone_, seconds, everyMinutes() * 60);
    if (!next) {
        armedFor_.reset();
        timer_.stop();
        return;
    }
    armedFor_ = *next * 1000;
    timer_.start(std::chrono::milliseconds(*armedFor_ - now));
}

void ClockChimes::chime() {
    const Instant now = wallClock_();
    // The wall clock set back wakes the timer early: nothing to chime yet.
    if (armedFor_ && now >= *armedFor_ && now - *armedFor_ <= kLateMs && playSounds()) {
        const std::int64_t seconds = *armedFor_ / 1000;
        const bool onTheHour = (seconds + zone_(seconds)) % 3600 == 0;
        play(onTheHour ? SoundFiles::Sound::HourChime : SoundFiles::Sound::QuarterChime);
    }
    arm();
}
