// The alarms, timers and sounds of a clock: lists to add, change, switch and remove alarms and
// timers, and the choice of chimes and sounds.
#include "app/planner/alarms_dialog.h"

#include "app/alarms/alarm_texts.h"
#include "app/alarms/clock_chimes.h"
#include "render/qt_text.h"
#include "time/alarm_text.h"
#include "time/zone_slots.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimeEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

using velmora::Alarm;
using velmora::Timer;

constexpr int kIdRole = Qt::UserRole;
constexpr int kNewTimerSeconds = 5 * 60;

QTreeWidget* makeList(QWidget* parent, const QStringList& headers) {
    auto* list = new QTreeWidget(parent);
    list->setHeaderLabels(headers);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->header()->setStretchLastSection(true);
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return list;
}

// The item of the id in the list, or null.
QTreeWidgetItem* itemOf(QTreeWidget* list, AlarmService::Id id) {
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = list->topLevelItem(row);
        if (item->data(0, kIdRole).toUInt() == id) {
            return item;
        }
    }
    return nullptr;
}

// A form's label whose accelerator takes the keyboard to the field it names.
QLabel* buddyLabel(const QString& text, QWidget* field) {
    auto* label = new QLabel(text, field->parentWidget());
    label->setBuddy(field);
    return label;
}

std::optional<AlarmService::Id> chosenIn(const QTreeWidget* list) {
    const QTreeWidgetItem* item = list->currentItem();
    if (item == nullptr) {
        return std::nullopt;
    }
    return item->data(0, kIdRole).toUInt();
}

// The next whole hour of the clock's local zone: a new alarm's first time.
std::int32_t nextWholeHour() {
    const velmora::PackedDateTime now = velmora::zoneSlotTime(0, velmora::currentUtcDateTime());
    return (now.hour() + 1) % 24 * 60;
}

} // namespace

AlarmsDialog::AlarmsDialog(AlarmService& alarms, ClockChimes& chimes, QWidget* parent)
    : QDialog(parent), alarms_(alarms), chimes_(chimes) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("VELMORA - Alarms and timers"));
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    tabs_->addTab(makeAlarmsTab(), tr("&Alarms"));
    tabs_->addTab(makeTimersTab(), tr("&Timers"));
    tabs_->addTab(makeSoundsTab(), tr("S&ounds"));
    layout->addWidget(tabs_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    // The desktop's own text for it may have no accelerator.
    buttons->button(QDialogButtonBox::Close)->setText(tr("&Close"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(&alarms_, &AlarmService::changed, this, [this] {
        fillAlarms();
        fillTimers();
    });
    ticking_.setInterval(1000);
    connect(&ticking_, &QTimer::timeout, this, &AlarmsDialog::showTimeLeft);
    fillAlarms();
    fillTimers();
    alarmChosen();
    timerChosen();
    showSounds();
}

QWidget* AlarmsDialog::makeAlarmsTab() {
    auto* tab = new QWidget(this);
    auto* layout = new QVBoxLayout(tab);
    alarmList_ = makeList(tab, {tr("Time"), tr("Days"), tr("Label")});
    layout->addWidget(alarmList_);
    auto* buttons = new QHBoxLayout;
    auto* add = new QPushButton(tr("A&dd"), tab);
    removeAlarm_ = new QPushButton(tr("&Remove"), tab);
    buttons->addWidget(add);
    buttons->addWidget(removeAlarm_);
    buttons->addStretch();
    layout->addLayout(buttons);

    alarmFields_ = new QWidget(tab);
    auto* fields = new QFormLayout(alarmFields_);
    fields->setContentsMargins(0, 0, 0, 0);
    alarmTime_ = new QTimeEdit(alarmFields_);
    alarmTime_->setDisplayFormat(AlarmTexts::minutesFormat());
    auto* timeRow = new QHBoxLayout;
    timeRow->addWidget(alarmTime_);
    timeRow->addStretch();
    fields->addRow(buddyLabel(tr("Ti&me:"), alarmTime_), timeRow);
    auto* dayRow = new QHBoxLayout;
    dayRow->setSpacing(2);
    const std::array<int, 7> order = AlarmTexts::weekOrder();
    for (std::size_t i = 0; i < order.size(); ++i) {
        auto* day = new QToolButton(alarmFields_);
        day->setCheckable(true);
        day->setText(AlarmTexts::dayName(order[i]));
        day->setProperty("weekday", order[i]);
        days_[i] = day;
        dayRow->addWidget(day);
        connect(day, &QToolButton::toggled, this, &AlarmsDialog::alarmEdited);
    }
    auto* once = new QLabel(tr("(none: once)"), alarmFields_);
    once->setEnabled(false);
    dayRow->addWidget(once);
    dayRow->addStretch();
    // No letter: the label's accelerator would press the first day's button, not focus it.
    fields->addRow(tr("Days:"), dayRow);
    alarmLabel_ = new QLineEdit(alarmFields_);
    alarmLabel_->setMaxLength(static_cast<int>(velmora::kMaxLabelLength));
    alarmLabel_->setPlaceholderText(tr("What it is for"));
    fields->addRow(tr("&Label:"), alarmLabel_);
    layout->addWidget(alarmFields_);

    connect(add, &QPushButton::clicked, this, &AlarmsDialog::addAlarm);
    connect(removeAlarm_, &QPushButton::clicked, this, [this] {
        if (const auto id = chosenAlarm()) {
            alarms_.remove(*id);
        }
    });
    connect(alarmList_, &QTreeWidget::currentItemChanged, this, &AlarmsDialog::alarmChosen);
    connect(alarmList_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) {
        const Alarm* alarm = alarms_.schedule().alarm(item->data(0, kIdRole).toUInt());
        const bool on = item->checkState(0) == Qt::Checked;
        if (alarm != nullptr && alarm->enabled != on) {
            Alarm switched = *alarm;
            switched.enabled = on;
            alarms_.replaceAlarm(item->data(0, kIdRole).toUInt(), switched);
        }
    });
    connect(alarmTime_, &QTimeEdit::timeChanged, this, &AlarmsDialog::alarmEdited);
    connect(alarmLabel_, &QLineEdit::textEdited, this, &AlarmsDialog::alarmEdited);
    return tab;
}

QWidget* AlarmsDialog::makeTimersTab() {
    auto* tab = new QWidget(this);
    auto* layout = new QVBoxLayout(tab);
    timerList_ = makeList(tab, {tr("Length"), tr("Label"), tr("Left")});
    layout->addWidget(timerList_);
    auto* buttons = new QHBoxLayout;
    auto* add = new QPushButton(tr("A&dd"), tab);
    removeTimer_ = new QPushButton(tr("&Remove"), tab);
    startTimer_ = new QPushButton(tr("&Start"), tab);
    buttons->addWidget(add);
    buttons->addWidget(removeTimer_);
    buttons->addWidget(startTimer_);
    buttons->addStretch();
    layout->addLayout(buttons);

    timerFields_ = new QWidget(tab);
    auto* fields = new QFormLayout(timerFields_);
    fields->setContentsMargins(0, 0, 0, 0);
    auto* length = new QHBoxLayout;
    const auto spin = [this, length](int maximum, const QString& suffix) {
        auto* box = new QSpinBox(timerFields_);
        box->setRange(0, maximum);
        box->setSuffix(suffix);
        length->addWidget(box);
        connect(box, &QSpinBox::valueChanged, this, &AlarmsDialog::timerEdited);
        return box;
    };
    hours_ = spin(static_cast<int>(velmora::kMaxTimerSeconds / 3600), tr(" h"));
    minutes_ = spin(59, tr(" min"));
    seconds_ = spin(59, tr(" s"));
    length->addStretch();
    fields->addRow(buddyLabel(tr("Len&gth:"), hours_), length);
    timerLabel_ = new QLineEdit(timerFields_);
    timerLabel_->setMaxLength(static_cast<int>(velmora::kMaxLabelLength));
    timerLabel_->setPlaceholderText(tr("What it is for"));
    fields->addRow(tr("&Label:"), timerLabel_);
    layout->addWidget(timerFields_);

    connect(add, &QPushButton::clicked, this, &AlarmsDialog::addTimer);
    connect(removeTimer_, &QPushButton::clicked, this, [this] {
        if (const auto id = chosenTimer()) {
            alarms_.remove(*id);
        }
    });
    connect(startTimer_, &QPushButton::clicked, this, [this] {
        const auto id = chosenTimer();
        const Timer* timer = id ? alarms_.schedule().timer(*id) : nullptr;
        if (timer == nullptr) {
            return;
        }
        alarms_.setTimerRunning(*id, timer->endsAt == 0 && timer->snoozedUntil == 0);
    });
    connect(timerList_, &QTreeWidget::currentItemChanged, this, &AlarmsDialog::timerChosen);
    connect(timerLabel_, &QLineEdit::textEdited, this, &AlarmsDialog::timerEdited);
    return tab;
}

QWidget* AlarmsDialog::makeSoundRow(SoundFiles::Sound sound, QLabel*& shown) {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    shown = new QLabel(row);
    shown->setTextFormat(Qt::PlainText);
    shown->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 16);
    auto* choose = new QPushButton(tr("Choose..."), row);
    auto* own = new QPushButton(tr("Reset"), row);
    auto* play = new QPushButton(tr("Play"), row);
    layout->addWidget(shown, 1);
    layout->addWidget(choose);
    layout->addWidget(own);
    layout->addWidget(play);
    // The row's label takes the keyboard to its first button.
    row->setFocusProxy(choose);
    connect(choose, &QPushButton::clicked, this, [this, sound] {
        // Sounds play through Qt's sound effects, which read uncompressed WAV files.
        const QString path = QFileDialog::getOpenFileName(
            this, tr("Choose a sound"), QFileInfo(chimes_.soundFile(sound)).absolutePath(),
            tr("WAV sounds (*.wav)"));
        if (!path.isEmpty()) {
            chimes_.setSoundFile(sound, path);
            showSounds();
        }
    });
    connect(own, &QPushButton::clicked, this, [this, sound] {
        chimes_.setSoundFile(sound, QString());
        showSounds();
    });
    connect(play, &QPushButton::clicked, this, [this, sound] { chimes_.play(sound); });
    return row;
}

QWidget* AlarmsDialog::makeSoundsTab() {
    auto* tab = new QWidget(this);
    auto* layout = new QFormLayout(tab);
    playSounds_ = new QCheckBox(tr("&Play sounds"), tab);
    layout->addRow(playSounds_);
    auto* every = new QHBoxLayout;
    hourly_ = new QRadioButton(tr("On the &hour"), tab);
    quarterly_ = new QRadioButton(tr("Every &quarter"), tab);
    auto* group = new QButtonGroup(tab);
    group->addButton(hourly_);
    group->addButton(quarterly_);
    every->addWidget(hourly_);
    every->addWidget(quarterly_);
    every->addStretch();
    layout->addRow(tr("Chime:"), every);
    layout->addRow(tr("Chime so&und:"), makeSoundRow(SoundFiles::Sound::HourChime, chimeFile_));
    layout->addRow(tr("Alarm &sound:"), makeSoundRow(SoundFiles::Sound::Alarm, alarmFile_));
    connect(playSounds_, &QCheckBox::toggled, this, [this](bool on) {
        if (!filling_) {
            chimes_.setPlaySounds(on);
        }
    });
    connect(quarterly_, &QRadioButton::toggled, this, [this](bool quarters) {
        if (!filling_) {
            chimes_.setEveryMinutes(quarters ? ClockChimes::kQuarterly : ClockChimes::kHourly);
        }
    });
    return tab;
}

void AlarmsDialog::showSounds() {
    filling_ = true;
    playSounds_->setChecked(chimes_.playSounds());
    (chimes_.everyMinutes() == ClockChimes::kQuarterly ? quarterly_ : hourly_)->setChecked(true);
    for (const auto& [sound, label] : {std::pair{SoundFiles::Sound::HourChime, chimeFile_},
                                       std::pair{SoundFiles::Sound::Alarm, alarmFile_}}) {
        const QString file = chimes_.soundFile(sound);
        label->setText(file.isEmpty() ? tr("The clock's own") : QFileInfo(file).fileName());
        label->setToolTip(file);
    }
    filling_ = false;
}

std::optional<AlarmService::Id> AlarmsDialog::chosenAlarm() const {
    return chosenIn(alarmList_);
}

std::optional<AlarmService::Id> AlarmsDialog::chosenTimer() const {
    return chosenIn(timerList_);
}

void AlarmsDialog::fillAlarms() {
    const std::optional<Id> chosen = chosenAlarm();
    // The fields keep what is being typed in them: the list changes under them unheard.
    const QSignalBlocker quiet(alarmList_);
    alarmList_->clear();
    for (const velmora::AlarmSchedule::AlarmEntry& entry : alarms_.schedule().alarms()) {
        auto* item = new QTreeWidgetItem(alarmList_);
        item->setData(0, kIdRole, entry.id);
        item->setText(0, AlarmTexts::timeOfDay(entry.alarm.minuteOfDay));
        item->setCheckState(0, entry.alarm.enabled ? Qt::Checked : Qt::Unchecked);
        item->setText(1, AlarmTexts::weekdays(entry.alarm.weekdays));
        item->setText(2, toQString(entry.alarm.label));
    }
    QTreeWidgetItem* current = chosen ? itemOf(alarmList_, *chosen) : nullptr;
    alarmList_->setCurrentItem(current != nullptr ? current : alarmList_->topLevelItem(0));
    if (chosenAlarm() != chosen) {
        alarmChosen();
    }
}

void AlarmsDialog::fillTimers() {
    const std::optional<Id> chosen = chosenTimer();
    const QSignalBlocker quiet(timerList_);
    timerList_->clear();
    for (const velmora::AlarmSchedule::TimerEntry& entry : alarms_.schedule().timers()) {
        auto* item = new QTreeWidgetItem(timerList_);
        item->setData(0, kIdRole, entry.id);
        item->setText(0, AlarmTexts::duration(entry.timer.lengthSeconds));
        item->setText(1, toQString(entry.timer.label));
    }
    QTreeWidgetItem* current = chosen ? itemOf(timerList_, *chosen) : nullptr;
    timerList_->setCurrentItem(current != nullptr ? current : timerList_->topLevelItem(0));
    showTimeLeft();
    if (chosenTimer() != chosen) {
        timerChosen();
    } else {
        // Started or stopped meanwhile: the button says what it does now.
        const Timer* timer = chosen ? alarms_.schedule().timer(*chosen) : nullptr;
        startTimer_->setText(timer != nullptr && (timer->endsAt != 0 || timer->snoozedUntil != 0)
                                 ? tr("&Stop")
                                 : tr("&Start"));
    }
}

void AlarmsDialog::showTimeLeft() {
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    bool running = false;
    for (int row = 0; row < timerList_->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = timerList_->topLevelItem(row);
        const Timer* timer = alarms_.schedule().timer(item->data(0, kIdRole).toUInt());
        const std::optional<velmora::Instant> due =
            timer != nullptr ? velmora::AlarmSchedule::dueAt(*timer) : std::nullopt;
        if (!due) {
            item->setText(2, QString());
            continue;
        }
        running = true;
        // Rounded up: a timer shows 0:00 only as it ends.
        item->setText(2, AlarmTexts::duration(std::max<qint64>(0, (*due - now + 999) / 1000)));
    }
    if (running && !ticking_.isActive()) {
        ticking_.start();
    } else if (!running) {
        ticking_.stop();
    }
}

void AlarmsDialog::alarmChosen() {
    const std::optional<Id> id = chosenAlarm();
    const Alarm* alarm = id ? alarms_.schedule().alarm(*id) : nullptr;
    removeAlarm_->setEnabled(alarm != nullptr);
    alarmFields_->setEnabled(alarm != nullptr);
    if (alarm == nullptr) {
        return;
    }
    filling_ = true;
    alarmTime_->setTime(QTime(alarm->minuteOfDay / 60, alarm->minuteOfDay % 60));
    for (QToolButton* day : days_) {
        day->setChecked((alarm->weekdays & (1u << day->property("weekday").toInt())) != 0);
    }
    alarmLabel_->setText(toQString(alarm->label));
    filling_ = false;
}

void AlarmsDialog::alarmEdited() {
    const std::optional<Id> id = chosenAlarm();
    const Alarm* alarm = id ? alarms_.schedule().alarm(*id) : nullptr;
    if (filling_ || alarm == nullptr) {
        return;
    }
    Alarm edited = *alarm;
    const QTime time = alarmTime_->time();
    edited.minuteOfDay = time.hour() * 60 + time.minute();
    edited.weekdays = 0;
    for (const QToolButton* day : days_) {
        if (day->isChecked()) {
            edited.weekdays |= static_cast<std::uint8_t>(1u << day->property("weekday").toInt());
        }
    }
    edited.label = alarmLabel_->text().toStdU16String();
    // Set anew, an alarm rings: changing it is the user's wish for it to.
    edited.enabled = edited.enabled || edited.minuteOfDay != alarm->minuteOfDay ||
                     edited.weekdays != alarm->weekdays;
    alarms_.replaceAlarm(*id, edited);
}

void AlarmsDialog::timerChosen() {
    const std::optional<Id> id = chosenTimer();
    const Timer* timer = id ? alarms_.schedule().timer(*id) : nullptr;
    removeTimer_->setEnabled(timer != nullptr);
    startTimer_->setEnabled(timer != nullptr);
    timerFields_->setEnabled(timer != nullptr);
    if (timer == nullptr) {
        return;
    }
    filling_ = true;
    hours_->setValue(static_cast<int>(timer->lengthSeconds / 3600));
    minutes_->setValue(static_cast<int>(timer->lengthSeconds / 60 % 60));
    seconds_->setValue(static_cast<int>(timer->lengthSeconds % 60));
    timerLabel_->setText(toQString(timer->label));
    startTimer_->setText(timer->endsAt != 0 || timer->snoozedUntil != 0 ? tr("&Stop")
                                                                        : tr("&Start"));
    filling_ = false;
}

void AlarmsDialog::timerEdited() {
    const std::optional<Id> id = chosenTimer();
    const Timer* timer = id ? alarms_.schedule().timer(*id) : nullptr;
    if (filling_ || timer == nullptr) {
        return;
    }
    Timer edited = *timer;
    const std::int64_t length =
        std::int64_t{hours_->value()} * 3600 + minutes_->value() * 60 + seconds_->value();
    // A timer of no length could never run; the fields may pass through zero on the way.
    if (length >= 1 && length <= velmora::kMaxTimerSeconds) {
        edited.lengthSeconds = length;
    }
    edited.label = timerLabel_->text().toStdU16String();
    alarms_.replaceTimer(*id, edited);
}

void AlarmsDialog::addAlarm() {
    if (alarms_.schedule().alarms().size() >= velmora::kMaxAlarms) {
        return;
    }
    const Id id = alarms_.addAlarm(Alarm{nextWholeHour(), 0, true, {}, 0, 0});
    alarmList_->setCurrentItem(itemOf(alarmList_, id));
    alarmTime_->setFocus();
}

void AlarmsDialog::addTimer() {
    if (alarms_.schedule().timers().size() >= velmora::kMaxAlarms) {
        return;
    }
    const Id id = alarms_.addTimer(Timer{kNewTimerSeconds, {}, 0, 0});
    timerList_->setCurrentItem(itemOf(timerList_, id));
    minutes_->setFocus();
}
