// The alarms, timers and sounds of a clock: lists to add, change, switch and remove alarms and
// timers, and the choice of chimes and sounds. Every change is kept at once, as the clock's
// other settings are.
#pragma once

#include "app/alarms/alarm_service.h"
#include "app/chime/sound_files.h"

#include <QDialog>
#include <QTimer>
#include <array>

class ClockChimes;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTimeEdit;
class QToolButton;
class QTreeWidget;

class AlarmsDialog : public QDialog {
    Q_OBJECT
public:
    AlarmsDialog(AlarmService& alarms, ClockChimes& chimes, QWidget* parent);

    QTabWidget* tabs() const { return tabs_; }
    QTreeWidget* alarmList() const { return alarmList_; }
    QTreeWidget* timerList() const { return timerList_; }

private:
    using Id = AlarmService::Id;

    QWidget* makeAlarmsTab();
    QWidget* makeTimersTab();
    QWidget* makeSoundsTab();
    QWidget* makeSoundRow(SoundFiles::Sound sound, QLabel*& shown);

    // The lists as the service has them now, the chosen item kept.
    void fillAlarms();
    void fillTimers();
    // The time left of running timers, each second while one runs.
    void showTimeLeft();
    void showSounds();

    // The chosen item's values in the fields below the list, and the fields' values back.
    void alarmChosen();
    void alarmEdited();
    void timerChosen();
    void timerEdited();
    std::optional<Id> chosenAlarm() const;
    std::optional<Id> chosenTimer() const;

    void addAlarm();
    void addTimer();

    AlarmService& alarms_;
    ClockChimes& chimes_;
    QTabWidget* tabs_ = nullptr;

    QTreeWidget* alarmList_ = nullptr;
    QPushButton* removeAlarm_ = nullptr;
    QWidget* alarmFields_ = nullptr;
    QTimeEdit* alarmTime_ = nullptr;
    std::array<QToolButton*, 7> days_{};
    QLineEdit* alarmLabel_ = nullptr;

    QTreeWidget* timerList_ = nullptr;
    QPushButton* removeTimer_ = nullptr;
    QPushButton* startTimer_ = nullptr;
    QWidget* timerFields_ = nullptr;
    QSpinBox* hours_ = nullptr;
    QSpinBox* minutes_ = nullptr;
    QSpinBox* seconds_ = nullptr;
    QLineEdit* timerLabel_ = nullptr;
    QTimer ticking_;

    QCheckBox* playSounds_ = nullptr;
    QRadioButton* hourly_ = nullptr;
    QRadioButton* quarterly_ = nullptr;
    QLabel* chimeFile_ = nullptr;
    QLabel* alarmFile_ = nullptr;
    // Set while the fields are filled from the service: their signals are no edits then.
    bool filling_ = false;
};
