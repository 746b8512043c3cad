// CTimezonesDial: the time zone settings dialog, choosing the zones of the five zone slots.
#include "app/editor/timezones_dial.h"

#include "model/settings_store.h"
#include "render/qt_text.h"
#include "time/machine_zone.h"
#include "time/system_zone_table.h"
#include "time/zone_slots.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringListModel>
#include <QTimer>

namespace {

using Kind = TemplateItem::Kind;

constexpr TemplateItem kTemplate152Items[] = {
    {-1,
     Kind::GroupBox,
     QT_TRANSLATE_NOOP("DialogTemplate", "Local machine time zone"),
     {7, 7, 243, 71},
     0,
     "localGroup"},
    {-1,
     Kind::Label,
     QT_TRANSLATE_NOOP("DialogTemplate", "Current &system setting:"),
     {14, 18, 77, 8},
     0,
     "machineZoneLabel"},
    {CTimezonesDial::MachineZoneField, Kind::ReadOnlyEdit, "", {14, 28, 229, 12}, 0, "machineZone"},
    {CTimezonesDial::UseFixedZoneCheck,
     Kind::CheckBox,
     QT_TRANSLATE_NOOP("DialogTemplate", "&Use the following fixed one instead:"),
     {14, 46, 175, 10},
     0,
     "useFixedZone"},
    {CTimezonesDial::FixedZoneBox, Kind::DropDownList, "", {14, 57, 229, 142}, 0, "fixedZone"},
    {-1,
     Kind::GroupBox,
     QT_TRANSLATE_NOOP("DialogTemplate", "User set time zones:"),
     {7, 81, 243, 118},
     0,
     "userGroup"},
    {-1,
     Kind::Label,
     QT_TRANSLATE_NOOP("DialogTemplate", "User time zone #&1:"),
     {14, 93, 62, 8},
     0,
     "userZone1Label"},
    {CTimezonesDial::UserZone1Box, Kind::DropDownList, "", {14, 103, 229, 116}, 0, "userZone1"},
    {-1,
     Kind::Label,
     QT_TRANSLATE_NOOP("DialogTemplate", "User time zone #&2:"),
     {13, 117, 62, 8},
     0,
     "userZone2Label"},
    {CTimezonesDial::UserZone2Box, Kind::DropDownList, "", {14, 126, 229, 120}, 0, "userZone2"},
    {-1,
     Kind::Label,
     QT_TRANSLATE_NOOP("DialogTemplate", "User time zone #&3:"),
     {13, 141, 62, 8},
     0,
     "userZone3Label"},
    {CTimezonesDial::UserZone3Box, Kind::DropDownList, "", {14, 151, 229, 131}, 0, "userZone3"},
    {-1,
     Kind::Label,
     QT_TRANSLATE_NOOP("DialogTemplate", "User time zone #&4:"),
     {13, 166, 62, 8},
     0,
     "userZone4Label"},
    {CTimezonesDial::UserZone4Box, Kind::DropDownList, "", {14, 176, 229, 158}, 0, "userZone4"},
    {CTimezonesDial::OkButton,
     Kind::DefaultButton,
     QT_TRANSLATE_NOOP("DialogTemplate", "&OK"),
     {143, 205, 50, 14},
     0,
     "ok"},
    {CTimezonesDial::CancelButton,
     Kind::Button,
     QT_TRANSLATE_NOOP("DialogTemplate", "&Cancel"),
     {200, 205, 50, 14},
     0,
     "cancel"},
};

// The controls end at 250 across and 219 down; the dialog keeps the group boxes' margin of 7
// on the right and below.
constexpr DialogTemplate kTemplate152{
    152,
    QT_TRANSLATE_NOOP("DialogTemplate", "VELMORA - Time zone settings"),
    {257, 226},
    kTemplate152Items};

} // namespace

CTimezonesDial::CTimezonesDial(SettingsStore& settings, QWidget* parent)
    : QDialog(parent), layout_(settings), settings_(settings) {
    // A caption with a close button and a fixed frame.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);
    initDialog();
}

CTimezonesDial::~CTimezonesDial() = default;

const DialogTemplate& CTimezonesDial::dialogTemplate() {
    return kTemplate152;
}

QWidget* CTimezonesDial::control(int id) const {
    const TemplateItem* item = kTemplate152.item(id);
    return item != nullptr ? findChild<QWidget*>(QString::fromUtf8(item->name)) : nullptr;
}

QComboBox* CTimezonesDial::zoneBox(int slot) const {
    if (slot < 0 || slot >= static_cast<int>(kZoneBoxIds.size())) {
        return nullptr;
    }
    return qobject_cast<QComboBox*>(control(kZoneBoxIds[static_cast<std::size_t>(slot)]));
}

QCheckBox* CTimezonesDial::useFixedZoneCheck() const {
    return qobject_cast<QCheckBox*>(control(UseFixedZoneCheck));
}

QLineEdit* CTimezonesDial::machineZoneField() const {
    return qobject_cast<QLineEdit*>(control(MachineZoneField));
}

const velmora::ZoneRecord* CTimezonesDial::selectedZone(int slot) const {
    const QComboBox* box = zoneBox(slot);
    if (box == nullptr) {
        return nullptr;
    }
    const int row = box->currentIndex();
    if (row < 0 || row >= static_cast<int>(zones_.zones().size())) {
        return nullptr;
    }
    return &zones_.zones()[static_cast<std::size_t>(row)];
}

void CTimezonesDial::initDialog() {
    createTemplateControls(*this, kTemplate152);
    // The frame is fixed; the stored placement may move the dialog, not size it.
    setFixedSize(size());
    layout_.initForTemplate(this, settings::kTimeZoneOptionsWindow, false);

    names_ = new QStringListModel(zones_.names(), this);
    for (int slot = 0; slot < velmora::kZoneSlotCount; ++slot) {
        setUpZoneBox(*zoneBox(slot), slot);
    }

    nameControls();
    machineZoneField()->setText(toQString(velmora::machineZoneDisplayName(zones_.zones())));
    QCheckBox* check = useFixedZoneCheck();
    check->setChecked(settings_.readInt(settings::kUseFixedZone) != 0);
    zoneBox(0)->setEnabled(check->isChecked());
    connect(check, &QCheckBox::toggled, zoneBox(0), &QWidget::setEnabled);

    connect(static_cast<QPushButton*>(control(OkButton)), &QPushButton::clicked, this,
            &CTimezonesDial::accept);
    connect(static_cast<QPushButton*>(control(CancelButton)), &QPushButton::clicked, this,
            &CTimezonesDial::reject);
}

void CTimezonesDial::nameControls() {
    // Each label belongs to the box below it, and names it: a screen reader otherwise hears
    // every box by the zone it shows, and four boxes alike. The fixed zone's box is named by
    // the check box that switches it on; its typing line, where a search is typed, the same.
    const std::pair<const char*, QWidget*> named[] = {
        {"machineZoneLabel", machineZoneField()}, {"useFixedZone", zoneBox(0)},
        {"userZone1Label", zoneBox(1)},           {"userZone2Label", zoneBox(2)},
        {"userZone3Label", zoneBox(3)},           {"userZone4Label", zoneBox(4)},
    };
    for (const auto& [labelName, control] : named) {
        auto* label = findChild<QWidget*>(QString::fromLatin1(labelName));
        if (label == nullptr || control == nullptr) {
            continue;
        }
        const QString text = label->property("text").toString();
        if (auto* asLabel = qobject_cast<QLabel*>(label); asLabel != nullptr) {
            asLabel->setBuddy(control);
        }
        QString name = text;
        name.remove(QLatin1Char('&'));
        if (name.endsWith(QLatin1Char(':'))) {
            name.chop(1);
        }
        control->setAccessibleName(name.trimmed());
        if (auto* box = qobject_cast<QComboBox*>(control); box != nullptr && box->lineEdit()) {
            box->lineEdit()->setAccessibleName(name.trimmed());
        }
    }
}

void CTimezonesDial::setUpZoneBox(QComboBox& box, int slot) {
    // An editable line lets the user type part of a name ("Berl") rather than scroll through
    // hundreds of zones; the list itself keeps the table's order and is never added to.
    box.setEditable(true);
    box.setInsertPolicy(QComboBox::NoInsert);
    box.setModel(names_);
    // The popup lists what the search finds, in its order (a city, an old name, a country),
    // so the completer shows its model as it stands instead of filtering it.
    auto* found = new QStringListModel(&box);
    auto* completer = new QCompleter(found, &box);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    box.setCompleter(completer);
    // Typing comes before the completer's update, so the popup opens on the new results.
    connect(box.lineEdit(), &QLineEdit::textEdited, found,
            [this, found](const QString& text) { found->setStringList(searchNames(text)); });
    connect(box.lineEdit(), &QLineEdit::editingFinished, this,
            [this, &box] { takeTypedZone(box); });
    // The box takes the focus for its line and passes it on; the line never sees the event.
    box.installEventFilter(this);

    // The record must outlive the view of its name.
    const velmora::ZoneRecord record = velmora::zoneSlot(slot);
    box.setCurrentIndex(zones_.indexOf(record.displayNameView()));
}

bool CTimezonesDial::eventFilter(QObject* watched, QEvent* event) {
    // A click into a box selects its zone's whole name, so what the user types next replaces
    // it and searches, as focus by the keyboard already does.
    if (event->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason) {
        if (auto* box = qobject_cast<QComboBox*>(watched); box != nullptr && box->lineEdit()) {
            // After the click itself has placed the cursor.
            QTimer::singleShot(0, box->lineEdit(), &QLineEdit::selectAll);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CTimezonesDial::takeTypedZone(QComboBox& box) {
    const QString typed = box.lineEdit()->text();
    const int current = box.currentIndex();
    if (current >= 0 && typed == box.itemText(current)) {
        return;
    }
    int row = typed.isEmpty() ? -1 : box.findText(typed, Qt::MatchFixedString);
    if (row < 0) {
        const std::vector<std::size_t> found = zones_.find(typed);
        row = found.empty() ? -1 : static_cast<int>(found.front());
    }
    if (row >= 0) {
        box.setCurrentIndex(row);
    } else {
        box.lineEdit()->setText(current >= 0 ? box.itemText(current) : QString());
    }
}

QStringList CTimezonesDial::searchNames(const QString& query) const {
    QStringList names;
    for (std::size_t entry : zones_.find(query)) {
        names.append(toQString(zones_.zones()[entry].displayNameView()));
    }
    return names;
}

void CTimezonesDial::accept() {
    for (int slot = 0; slot < velmora::kZoneSlotCount; ++slot) {
        takeTypedZone(*zoneBox(slot));
    }
    const bool useFixed = useFixedZoneCheck()->isChecked();
    settings_.writeInt(settings::kUseFixedZone, useFixed ? 1 : 0);
    for (int slot = 0; slot < velmora::kZoneSlotCount; ++slot) {
        if (slot == 0 && !useFixed) {
            // The machine's zone as it is now, whatever the box shows.
            const std::u16string machine = velmora::machineZoneDisplayName(zones_.zones());
            settings_.writeText(settings::zoneKey(0), machine);
            velmora::setZoneSlot(0, velmora::findZoneByDisplayName(zones_.zones(), machine));
            continue;
        }
        // A box showing no zone (its stored name is gone from the database, or there is no
        // database) leaves its slot and stored name as they were rather than losing them.
        if (const velmora::ZoneRecord* zone = selectedZone(slot)) {
            settings_.writeText(settings::zoneKey(slot), std::u16string(zone->displayNameView()));
            velmora::setZoneSlot(slot, *zone);
        }
    }
    QDialog::accept();
}
