// The clock's chimes and the choice of its sounds: while "Play sounds" is on, a chime on each
// hour of the clock's local zone, or on each quarter, played through the chime module.
#pragma once

#include "app/chime/sound_files.h"
#include "app/desktop/boundary_timer.h"
#include "time/wall_clock_zone.h"
#include "velmora_export.h"

#include <QString>
#include <QUrl>
#include <functional>
#include <optional>

class SettingsStore;

class VELMORA_EXPORT ClockChimes : public QObject {
    Q_OBJECT
public:
    using Instant = std::int64_t;
    using Clock = std::function<Instant()>;
    // Plays a sound once and returns it, or null.
    using SoundPlayer = std::function<QObject*(const QUrl& source)>;
    // A chime this late (the computer woke after its moment) is left out.
    static constexpr Instant kLateMs = 5000;
    static constexpr int kHourly = 60;
    static constexpr int kQuarterly = 15;

    explicit ClockChimes(SettingsStore& settings, QObject* parent = nullptr);

    void setWallClock(Clock clock) { wallClock_ = std::move(clock); }
    void setSoundPlayer(SoundPlayer player) { soundPlayer_ = std::move(player); }

    // Aims at the next chime when sounds are on.
    void start();
    bool playSounds() const;
    // On, the chime sounds once at once, so the user hears what was turned on.
    void setPlaySounds(bool on);
    // kHourly or kQuarterly.
    int everyMinutes() const;
    void setEveryMinutes(int minutes);
    // The user's own files of the chime and of alarms; empty for the clock's own.
    QString soundFile(SoundFiles::Sound sound) const;
    void setSoundFile(SoundFiles::Sound sound, const QString& path);
    // Plays the sound as it would play now, whatever "Play sounds" says: the user's trial.
    QObject* play(SoundFiles::Sound sound);
    // The clock's zone changed: the chimes keep to its wall clock.
    void zoneChanged() { arm(); }
    std::optional<Instant> armedFor() const { return armedFor_; }

    // The timer's wake-up: chimes when it is time, and aims at the next.
    void chime();

private:
    void arm();

    SettingsStore& settings_;
    BoundaryTimer timer_;
    Clock wallClock_;
    SoundPlayer soundPlayer_;
    velmora::ZoneOffsetAt zone_;
    std::optional<Instant> armedFor_;
};
