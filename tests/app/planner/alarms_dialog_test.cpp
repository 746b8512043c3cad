// The alarms dialog over a real alarm service and chimes: alarms added, edited, switched and
// removed, timers started and stopped, the sounds chosen, and changes from elsewhere shown.
#include "app/alarms/clock_chimes.h"
#include "app/chime/sound_files.h"
#include "app/planner/alarms_dialog.h"
#include "tests/clock/memory_settings.h"
#include "tests/tab_stops.h"
#include "time/alarm_text.h"
#include "time/zone_slots.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class SilentNotifier : public Notifier {
public:
    void show(const Notice&, std::function<void(quint32 id)> shown) override { shown(1); }
    void close(quint32) override {}
};

// The widget whose text reads so, its accelerator aside.
template <typename Widget> Widget* withText(QWidget& parent, const QString& text) {
    for (Widget* found : parent.findChildren<Widget*>()) {
        if (QString(found->text()).remove(QLatin1Char('&')) == text) {
            return found;
        }
    }
    return nullptr;
}

class AlarmsDialogTest : public testing::Test {
protected:
    void SetUp() override {
        velmora::clearZoneSlots();
        SoundFiles::useFolders({QStringLiteral(VELMORA_SOUNDS_DIR)});
        chimes_.setSoundPlayer([this](const QUrl& source) {
            played_.append(source.fileName());
            return nullptr;
        });
        dialog_ = new AlarmsDialog(alarms_, chimes_, nullptr);
        dialog_->show();
    }
    void TearDown() override { delete dialog_.data(); }

    const velmora::Alarm& onlyAlarm() {
        EXPECT_EQ(alarms_.schedule().alarms().size(), 1u);
        return alarms_.schedule().alarms().at(0).alarm;
    }

    MemorySettings settings_;
    SilentNotifier notifier_;
    AlarmService alarms_{settings_, notifier_};
    ClockChimes chimes_{settings_};
    QStringList played_;
    QPointer<AlarmsDialog> dialog_;
};

TEST_F(AlarmsDialogTest, AnAlarmIsAddedEditedSwitchedAndRemoved) {
    QWidget& tab = *dialog_->tabs()->widget(0);
    QTest::mouseClick(withText<QPushButton>(tab, QStringLiteral("Add")), Qt::LeftButton);
    ASSERT_EQ(dialog_->alarmList()->topLevelItemCount(), 1);
    EXPECT_EQ(onlyAlarm().weekdays, 0);

    tab.findChild<QTimeEdit*>()->setTime(QTime(6, 45));
    EXPECT_EQ(onlyAlarm().minuteOfDay, 6 * 60 + 45);
    withText<QToolButton>(tab, QStringLiteral("Mon"))->click();
    withText<QToolButton>(tab, QStringLiteral("Fri"))->click();
    EXPECT_EQ(onlyAlarm().weekdays, (1 << 1) | (1 << 5));
    EXPECT_EQ(dialog_->alarmList()->topLevelItem(0)->text(1), QStringLiteral("Mon, Fri"));

    // What is typed stays as typed, a space at its end too, while the alarm keeps it clean.
    QLineEdit* label = nullptr;
    for (QLineEdit* edit : tab.findChildren<QLineEdit*>()) {
        if (!edit->placeholderText().isEmpty()) {
            label = edit;
        }
    }
    ASSERT_NE(label, nullptr);
    QTest::keyClicks(label, QStringLiteral("Gym "));
    EXPECT_EQ(label->text(), QStringLiteral("Gym "));
    EXPECT_EQ(onlyAlarm().label, u"Gym");
    EXPECT_EQ(velmora::alarmsFromText(settings_.texts["Alarms/Alarms"]).at(0).label, u"Gym");

    dialog_->alarmList()->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    EXPECT_FALSE(onlyAlarm().enabled);
    EXPECT_EQ(alarms_.nextAlarmText(), QString());

    QTest::mouseClick(withText<QPushButton>(tab, QStringLiteral("Remove")), Qt::LeftButton);
    EXPECT_TRUE(alarms_.schedule().alarms().empty());
    EXPECT_EQ(dialog_->alarmList()->topLevelItemCount(), 0);
}

TEST_F(AlarmsDialogTest, ATimerStartsAndStops) {
    dialog_->tabs()->setCurrentIndex(1);
    QWidget* timers = dialog_->tabs()->currentWidget();
    QTest::mouseClick(withText<QPushButton>(*timers, QStringLiteral("Add")), Qt::LeftButton);
    ASSERT_EQ(alarms_.schedule().timers().size(), 1u);
    EXPECT_EQ(alarms_.schedule().timers()[0].timer.lengthSeconds, 300);
    QList<QSpinBox*> spins = timers->findChildren<QSpinBox*>();
    ASSERT_EQ(spins.size(), 3);
    spins[0]->setValue(1);
    EXPECT_EQ(alarms_.schedule().timers()[0].timer.lengthSeconds, 3900);

    QPushButton* start = withText<QPushButton>(*timers, QStringLiteral("Start"));
    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_NE(alarms_.schedule().timers()[0].timer.endsAt, 0);
    EXPECT_EQ(start->text(), QStringLiteral("&Stop"));
    EXPECT_EQ(dialog_->timerList()->topLevelItem(0)->text(2), QStringLiteral("1:05:00"));
    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_EQ(alarms_.schedule().timers()[0].timer.endsAt, 0);
    EXPECT_EQ(start->text(), QStringLiteral("&Start"));
    EXPECT_EQ(dialog_->timerList()->topLevelItem(0)->text(2), QString());
}

TEST_F(AlarmsDialogTest, SoundsAreChosenAndKept) {
    withText<QCheckBox>(*dialog_, QStringLiteral("Play sounds"))->click();
    EXPECT_EQ(settings_.ints["View/PlaySounds"], 1);
    EXPECT_EQ(played_, QStringList{QStringLiteral("hour_chime.wav")});
    withText<QRadioButton>(*dialog_, QStringLiteral("Every quarter"))->click();
    EXPECT_EQ(settings_.ints["Sounds/ChimeMinutes"], ClockChimes::kQuarterly);
    EXPECT_EQ(chimes_.armedFor().has_value(), true);
}

// A launch's alarm shows in the open dialog at once.
TEST_F(AlarmsDialogTest, ChangesFromElsewhereShow) {
    alarms_.addAlarm(velmora::Alarm{8 * 60, 0x7F, true, u"Coffee", 0, 0});
    ASSERT_EQ(dialog_->alarmList()->topLevelItemCount(), 1);
    EXPECT_EQ(dialog_->alarmList()->topLevelItem(0)->text(1), QStringLiteral("Every day"));
    EXPECT_EQ(dialog_->alarmList()->topLevelItem(0)->text(2), QStringLiteral("Coffee"));
    EXPECT_EQ(dialog_->findChild<QTimeEdit*>()->time(), QTime(8, 0));
}

} // namespace

// On each page Tab goes from the tabs down the page as it reads, row by row from the left, and
// on to Close. A field that takes Tab for its own parts (the time's hours and minutes) keeps
// it for a press more.
TEST_F(AlarmsDialogTest, TabGoesDownEachPageAsItReads) {
    alarms_.addAlarm(velmora::Alarm{60, 0, true, {}, 0, 0});
    alarms_.addTimer(velmora::Timer{60, {}, 0, 0});
    QApplication::setActiveWindow(dialog_);
    QTabBar* tabs = dialog_->tabs()->tabBar();
    const std::size_t pageStops[] = {12, 8, 8};
    for (int page = 0; page < dialog_->tabs()->count(); ++page) {
        dialog_->tabs()->setCurrentIndex(page);
        std::vector<QWidget*> stops = tabStops(tabs);
        stops.erase(std::unique(stops.begin(), stops.end()), stops.end());
        ASSERT_GE(stops.size(), 3u) << describeStops(stops);
        EXPECT_EQ(stops.back(), tabs);
        EXPECT_EQ(withText<QPushButton>(*dialog_, QStringLiteral("Close")),
                  stops[stops.size() - 2]);
        const std::vector<QWidget*> onPage(stops.begin(), stops.end() - 2);
        EXPECT_EQ(onPage.size(), pageStops[page]) << describeStops(stops);
        QPoint previous(-1, -1);
        for (QWidget* stop : onPage) {
            EXPECT_TRUE(dialog_->tabs()->widget(page)->isAncestorOf(stop)) << describeStops({stop});
            const QPoint at = stop->mapTo(dialog_, QPoint(0, stop->height() / 2));
            const bool sameRow = std::abs(at.y() - previous.y()) < stop->height() / 2;
            EXPECT_TRUE(sameRow ? at.x() > previous.x() : at.y() > previous.y())
                << describeStops(stops);
            previous = at;
        }
    }
}
