// The alarm service on an injected wall clock, with a notification service standing in for the
// desktop's: a ring's notice, sound and answers, the clock's own dialog where no service
// answers, alarms missed while the clock did not run, a set wall clock, and what launches ask.
#include "app/alarms/alarm_service.h"
#include "app/alarms/ringing_dialog.h"
#include "app/chime/chime_player.h"
#include "app/chime/sound_files.h"
#include "app/desktop/clock_request.h"
#include "tests/clock/memory_settings.h"
#include "time/alarm_text.h"
#include "time/zone_slots.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using velmora::Alarm;
using velmora::Instant;
using velmora::Timer;

class FakeNotifier : public Notifier {
public:
    struct Shown {
        Notice notice;
        quint32 id;
    };
    void show(const Notice& notice, std::function<void(quint32 id)> shown) override {
        const quint32 id = answers ? ++last : 0;
        notices.push_back({notice, id});
        shown(id);
    }
    void close(quint32 id) override { closed.push_back(id); }
    void act(quint32 id, const char* action) { emit actionInvoked(id, QLatin1String(action)); }

    bool answers = true;
    quint32 last = 0;
    std::vector<Shown> notices;
    std::vector<quint32> closed;
};

// 2026-06-08 06:00:00 UTC, a Monday.
constexpr Instant kStart = 1780898400000;

class AlarmServiceTest : public testing::Test {
protected:
    void SetUp() override {
        velmora::clearZoneSlots();
        SoundFiles::useFolders({QStringLiteral(VELMORA_SOUNDS_DIR)});
        settings_.ints["View/PlaySounds"] = 1;
    }

    std::unique_ptr<AlarmService> startService() {
        auto service = std::make_unique<AlarmService>(settings_, notifier_);
        service->setWallClock([this] { return wall_; });
        service->setElapsedClock([this] { return elapsed_; });
        service->setSoundPlayer([this](const QUrl& source, int loops) {
            auto* sound = new QObject;
            sounds_.push_back({source, loops, sound});
            return sound;
        });
        service->start();
        return service;
    }

    // Time passes: both clocks move on.
    void pass(Instant ms) {
        wall_ += ms;
        elapsed_ += ms;
    }

    static ClockRequest timerRequest(qint64 seconds, const QString& label, Instant askedAt) {
        ClockRequest request;
        request.kind = ClockRequest::Kind::Timer;
        request.value = seconds;
        request.label = label;
        request.askedAt = askedAt;
        return request;
    }

    struct Sound {
        QUrl source;
        int loops;
        QPointer<QObject> effect;
    };

    MemorySettings settings_;
    FakeNotifier notifier_;
    Instant wall_ = kStart;
    Instant elapsed_ = 1'000'000;
    std::vector<Sound> sounds_;
};

TEST_F(AlarmServiceTest, ATimerRingsWithItsActionsAndDismissEndsItsSound) {
    auto service = startService();
    ASSERT_TRUE(service->take(timerRequest(3, QStringLiteral("Tea"), kStart - 200)));
    EXPECT_EQ(service->armedFor(), kStart + 2800);

    pass(2800);
    service->checkDue();
    ASSERT_EQ(notifier_.notices.size(), 1u);
    const Notifier::Notice& notice = notifier_.notices[0].notice;
    EXPECT_EQ(notice.summary, QStringLiteral("Tea"));
    EXPECT_EQ(notice.body, QStringLiteral("The timer of 0:03 has ended."));
    EXPECT_TRUE(notice.actions);
    EXPECT_TRUE(notice.urgent);
    ASSERT_EQ(sounds_.size(), 1u);
    EXPECT_TRUE(sounds_[0].source.toLocalFile().endsWith(QLatin1String("/alarm.wav")));
    EXPECT_EQ(sounds_[0].loops, ChimePlayer::kLoopForever);
    EXPECT_EQ(service->armedFor(), std::nullopt);

    notifier_.act(notifier_.notices[0].id, Notifier::kDismiss);
    EXPECT_EQ(notifier_.closed, std::vector<quint32>{notifier_.notices[0].id});
    EXPECT_TRUE(sounds_[0].effect.isNull());
    EXPECT_TRUE(service->ringingItems().empty());
    // Told once: the stopped timer is not due again.
    pass(60'000);
    service->checkDue();
    EXPECT_EQ(notifier_.notices.size(), 1u);
}

TEST_F(AlarmServiceTest, SnoozeRingsAgainFiveMinutesLaterAndIsKept) {
    auto service = startService();
    ClockRequest alarm;
    alarm.kind = ClockRequest::Kind::Alarm;
    alarm.value = 6 * 60 + 30;
    ASSERT_TRUE(service->take(alarm));
    EXPECT_EQ(service->armedFor(), kStart + 30 * 60'000);
    EXPECT_EQ(service->nextAlarmText(), QStringLiteral("Mon 06:30"));

    pass(30 * 60'000);
    service->checkDue();
    ASSERT_EQ(notifier_.notices.size(), 1u);
    EXPECT_EQ(notifier_.notices[0].notice.summary, QStringLiteral("Alarm"));
    EXPECT_EQ(notifier_.notices[0].notice.body, QStringLiteral("Alarm at 06:30"));
    pass(20'000);
    notifier_.act(notifier_.notices[0].id, Notifier::kSnooze);
    EXPECT_TRUE(sounds_[0].effect.isNull());
    const Instant snoozedTo = wall_ + velmora::AlarmSchedule::kSnoozeMs;
    EXPECT_EQ(service->armedFor(), snoozedTo);
    // Kept where a restart finds it.
    EXPECT_EQ(velmora::alarmsFromText(settings_.texts["Alarms/Alarms"]).at(0).snoozedUntil,
              snoozedTo);

    pass(snoozedTo - wall_);
    service->checkDue();
    ASSERT_EQ(notifier_.notices.size(), 2u);
    // Set once: it is over now.
    EXPECT_EQ(service->armedFor(), std::nullopt);
    EXPECT_EQ(service->nextAlarmText(), QString());
}

TEST_F(AlarmServiceTest, WithoutANotificationServiceTheClocksOwnDialogAnswers) {
    notifier_.answers = false;
    auto service = startService();
    service->take(timerRequest(60, QStringLiteral("Soup"), kStart));
    pass(60'000);
    service->checkDue();
    RingingDialog* dialog = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<RingingDialog*>(widget); found && found->isVisible()) {
            dialog = found;
        }
    }
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Velmora - Soup"));
    QPushButton* snooze = nullptr;
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->text() == QLatin1String("Snooze 5 minutes")) {
            snooze = button;
        }
    }
    ASSERT_NE(snooze, nullptr);
    QTest::mouseClick(snooze, Qt::LeftButton);
    EXPECT_EQ(service->armedFor(), wall_ + velmora::AlarmSchedule::kSnoozeMs);
    EXPECT_TRUE(service->ringingItems().empty());
    EXPECT_TRUE(sounds_[0].effect.isNull());
}

// The clock did not run at 04:00: it says so once as it starts, without a sound, and a second
// start says nothing more.
TEST_F(AlarmServiceTest, AnAlarmMissedWhileTheClockDidNotRunIsToldOnceAtItsStart) {
    settings_.texts["Alarms/Alarms"] =
        velmora::alarmsToText({Alarm{4 * 60, 0x7F, true, u"Night", kStart - 86'400'000, 0}});
    {
        auto service = startService();
        ASSERT_EQ(notifier_.notices.size(), 1u);
        const Notifier::Notice& notice = notifier_.notices[0].notice;
        EXPECT_EQ(notice.summary, QStringLiteral("Missed alarm"));
        EXPECT_TRUE(notice.body.startsWith(QStringLiteral("Night (Alarm at 04:00)\nDue Mon 04:00")))
            << notice.body.toStdString();
        EXPECT_FALSE(notice.actions);
        EXPECT_FALSE(notice.urgent);
        EXPECT_TRUE(sounds_.empty());
        EXPECT_EQ(service->armedFor(), kStart + 22 * 3'600'000);
    }
    auto again = startService();
    EXPECT_EQ(notifier_.notices.size(), 1u);
}

// Set an hour ahead while a timer runs, then two hours back: the timer still runs its minute.
TEST_F(AlarmServiceTest, ASetWallClockMovesRunningTimers) {
    auto service = startService();
    service->take(timerRequest(60, QString(), kStart));
    pass(10'000);
    wall_ += 3'600'000;
    service->checkDue();
    EXPECT_TRUE(notifier_.notices.empty());
    EXPECT_EQ(service->armedFor(), kStart + 3'660'000);
    EXPECT_EQ(velmora::timersFromText(settings_.texts["Alarms/Timers"]).at(0).endsAt,
              kStart + 3'660'000);
    // And set back two hours: the timer's end goes back with it.
    pass(10'000);
    wall_ -= 7'200'000;
    service->checkDue();
    EXPECT_EQ(service->armedFor(), kStart - 3'540'000);
}

// An alarm moved to a time already past today rings tomorrow, not now as missed.
TEST_F(AlarmServiceTest, AnEditedAlarmStartsAfresh) {
    auto service = startService();
    const AlarmService::Id id = service->addAlarm(Alarm{7 * 60, 0x7F, true, u"Run", 0, 0});
    EXPECT_EQ(service->armedFor(), kStart + 3'600'000);
    pass(2 * 3'600'000);
    service->replaceAlarm(id, Alarm{7 * 60 + 30, 0x7F, true, u"Run", 0, 0});
    service->checkDue();
    EXPECT_TRUE(notifier_.notices.empty());
    EXPECT_EQ(service->armedFor(), kStart + 25 * 3'600'000 + 30 * 60'000);
}

TEST_F(AlarmServiceTest, LaunchesAreCheckedAndASameTimerIsReused) {
    auto service = startService();
    ClockRequest alarm;
    alarm.kind = ClockRequest::Kind::Alarm;
    alarm.value = 24 * 60;
    EXPECT_FALSE(service->take(alarm));
    EXPECT_FALSE(service->take(timerRequest(0, QString(), kStart)));
    // A launch whose moment is far from the clock's (another machine's idea of the time) runs
    // from now.
    EXPECT_TRUE(service->take(timerRequest(90, QStringLiteral("Eggs\nnow"), kStart - 3'600'000)));
    EXPECT_EQ(service->armedFor(), kStart + 90'000);
    EXPECT_EQ(service->schedule().timers().at(0).timer.label, u"Eggs now");
    service->setTimerRunning(service->schedule().timers().at(0).id, false);
    EXPECT_TRUE(service->take(timerRequest(90, QStringLiteral("Eggs now"), kStart)));
    EXPECT_EQ(service->schedule().timers().size(), 1u);
    EXPECT_EQ(service->armedFor(), kStart + 90'000);
}

TEST(ClockRequestTest, RequestsReadBackAsSent) {
    ClockRequest timer;
    timer.kind = ClockRequest::Kind::Timer;
    timer.value = 5400;
    timer.label = QStringLiteral("Tea \u00e9t\u00e9");
    timer.askedAt = 1780898400123;
    const std::optional<ClockRequest> read = ClockRequest::decode(timer.encode());
    ASSERT_TRUE(read);
    EXPECT_EQ(read->kind, ClockRequest::Kind::Timer);
    EXPECT_EQ(read->value, 5400);
    EXPECT_EQ(read->label, timer.label);
    EXPECT_EQ(read->askedAt, timer.askedAt);

    ClockRequest show;
    show.schemePath = QStringLiteral("/tmp/a b.Velmora");
    EXPECT_EQ(show.encode(), QByteArray("/tmp/a b.Velmora"));
    EXPECT_EQ(ClockRequest::decode("/tmp/a b.Velmora")->schemePath, show.schemePath);
    EXPECT_EQ(ClockRequest::decode(QByteArray())->kind, ClockRequest::Kind::Show);
    for (const char* wrong :
         {"relative.Velmora", "alarm\t450\t0", "alarm\tx\t0\tl", "snooze\t1\t0\tl"}) {
        EXPECT_FALSE(ClockRequest::decode(wrong)) << wrong;
    }
}

} // namespace
