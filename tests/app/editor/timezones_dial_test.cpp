// The time zone dialog headless, on the system's zone database: what it shows, what OK and
// Cancel store and put into the zone slots, and how the running clock follows.
#include "app/dialogs/about_dialog.h"
#include "app/editor/options_dial.h"
#include "app/editor/timezones_dial.h"
#include "app/editor/zone_picker.h"
#include "app/window/velmora_dlg.h"
#include "clock/class_registration.h"
#include "clock/clock_text.h"
#include "clock/scheme_file.h"
#include "model/file_property.h"
#include "model/percent_property.h"
#include "model/string_property.h"
#include "model/time_zone_property.h"
#include "optiontree/option_tree_item_combo_box.h"
#include "render/frame_renderer.h"
#include "tests/app/window/clock_window_probe.h"
#include "tests/clock/memory_settings.h"
#include "tests/tab_stops.h"
#include "time/machine_zone.h"
#include "time/system_zone_table.h"
#include "time/zone_slots.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

using velmora::ZoneRecord;

constexpr std::u16string_view kTokyo = u"Asia/Tokyo";
constexpr std::u16string_view kBerlin = u"Europe/Berlin";

class TimezonesDialTest : public testing::Test {
protected:
    void SetUp() override {
        unsetenv("TZDIR");
        setenv("TZ", "UTC", 1);
        velmora::readSystemZoneTable(table_);
        ASSERT_NE(velmora::findZoneByStandardName(table_, kTokyo), nullptr);
        ASSERT_NE(velmora::findZoneByStandardName(table_, kBerlin), nullptr);
        velmora::clearZoneSlots();
        for (int slot = 0; slot < velmora::kZoneSlotCount; ++slot) {
            velmora::setZoneSlot(slot, zone(u"UTC"));
        }
    }
    void TearDown() override {
        setenv("TZ", "UTC", 1);
        unsetenv("TZDIR");
        velmora::clearZoneSlots();
    }

    ZoneRecord zone(std::u16string_view id) const {
        const ZoneRecord* found = velmora::findZoneByStandardName(table_, id);
        return found != nullptr ? *found : ZoneRecord{};
    }
    static std::u16string name(const ZoneRecord& record) {
        return std::u16string(record.displayNameView());
    }
    // Picks a zone in box k as a click in its list does.
    static void choose(CTimezonesDial& dial, int slot, std::u16string_view id) {
        const auto* found = velmora::findZoneByStandardName(dial.zoneTable(), id);
        ASSERT_NE(found, nullptr);
        dial.zoneBox(slot)->setCurrentIndex(static_cast<int>(found - dial.zoneTable().data()));
    }
    std::u16string stored(int slot) const {
        return settings_.readText(settings::zoneKey(slot), u"(not stored)");
    }

    std::vector<ZoneRecord> table_;
    MemorySettings settings_;
};

TEST_F(TimezonesDialTest, LaidOutFromTheTemplateShowingTheSlots) {
    velmora::setZoneSlot(2, zone(kBerlin));
    CTimezonesDial dial(settings_);
    EXPECT_EQ(dial.windowTitle(), "VELMORA - Time zone settings");
    const DialogUnits units(dial.font());
    EXPECT_EQ(dial.size(), units.toPixels(CTimezonesDial::dialogTemplate().units));
    for (const TemplateItem& item : CTimezonesDial::dialogTemplate().items) {
        const auto* control = dial.findChild<QWidget*>(QString::fromUtf8(item.name));
        ASSERT_NE(control, nullptr) << item.name;
        const QRect expected = units.toPixels(item.units);
        EXPECT_EQ(control->pos(), expected.topLeft()) << item.name;
        // Labels may widen to fit their text; the rest keep the table's width.
        if (item.kind != TemplateItem::Kind::Label) {
            EXPECT_EQ(control->width(), expected.width()) << item.name;
        }
    }
    EXPECT_EQ(dial.findChild<QCheckBox*>()->text(), "&Use the following fixed one instead:");
    EXPECT_TRUE(dial.machineZoneField()->isReadOnly());
    // Every box lists the whole table, UTC first and the rest in ordinal order, and shows its
    // slot's zone.
    ASSERT_EQ(dial.zoneTable().size(), table_.size());
    EXPECT_EQ(dial.zoneTable()[0].standardNameView(), u"Etc/UTC");
    for (std::size_t i = 2; i < dial.zoneTable().size(); ++i) {
        EXPECT_LT(dial.zoneTable()[i - 1].displayNameView(), dial.zoneTable()[i].displayNameView());
    }
    for (int slot = 0; slot < velmora::kZoneSlotCount; ++slot) {
        QComboBox* box = dial.zoneBox(slot);
        ASSERT_EQ(box->count(), static_cast<int>(table_.size()));
        EXPECT_EQ(box->itemText(5).toStdU16String(), name(dial.zoneTable()[5]));
        ASSERT_NE(dial.selectedZone(slot), nullptr);
        EXPECT_EQ(name(*dial.selectedZone(slot)), name(zone(slot == 2 ? kBerlin : u"UTC")));
    }
}

// A screen reader hears each box by its label, not four boxes by the zones they show. (On
// Linux Qt names an editable box by its text and tells its label through the relation.)
TEST_F(TimezonesDialTest, EachBoxIsNamedByItsLabel) {
    CTimezonesDial dial(settings_);
    const QString expected[] = {"Use the following fixed one instead", "User time zone #1",
                                "User time zone #2", "User time zone #3", "User time zone #4"};
    for (int slot = 0; slot < velmora::kZoneSlotCount; ++slot) {
        QComboBox* box = dial.zoneBox(slot);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(box);
        ASSERT_NE(iface, nullptr);
        EXPECT_EQ(box->lineEdit()->accessibleName(), expected[slot]);
        if (slot > 0) {
            const auto labels = iface->relations(QAccessible::Label);
            ASSERT_EQ(labels.size(), 1) << slot;
            EXPECT_EQ(labels.first().first->text(QAccessible::Name), expected[slot] + ":");
        }
    }
    EXPECT_EQ(dial.findChild<QLabel*>("machineZoneLabel")->buddy(), dial.machineZoneField());
}

// Not fixed: the box is off, and OK stores the machine's zone whatever the box shows.
TEST_F(TimezonesDialTest, WithoutAFixedZoneOkStoresTheMachineZone) {
    setenv("TZ", "Asia/Tokyo", 1);
    velmora::setZoneSlot(0, zone(kBerlin));
    CTimezonesDial dial(settings_);
    EXPECT_FALSE(dial.useFixedZoneCheck()->isChecked());
    EXPECT_FALSE(dial.zoneBox(0)->isEnabled());
    EXPECT_EQ(dial.machineZoneField()->text().toStdU16String(), name(zone(kTokyo)));
    EXPECT_EQ(dial.selectedZone(0)->standardNameView(), kBerlin);
    choose(dial, 0, u"America/New_York");
    dial.accept();
    EXPECT_EQ(dial.result(), QDialog::Accepted);
    EXPECT_EQ(settings_.readInt(settings::kUseFixedZone, -1), 0);
    EXPECT_EQ(stored(0), name(zone(kTokyo)));
    EXPECT_EQ(velmora::zoneSlot(0), zone(kTokyo));
}

TEST_F(TimezonesDialTest, CheckingTheBoxFixesTheChosenZone) {
    CTimezonesDial dial(settings_);
    QTest::mouseClick(dial.useFixedZoneCheck(), Qt::LeftButton, {},
                      QPoint(4, dial.useFixedZoneCheck()->height() / 2));
    ASSERT_TRUE(dial.useFixedZoneCheck()->isChecked());
    EXPECT_TRUE(dial.zoneBox(0)->isEnabled());
    choose(dial, 0, kTokyo);
    QTest::mouseClick(dial.control(CTimezonesDial::OkButton), Qt::LeftButton);
    EXPECT_EQ(dial.result(), QDialog::Accepted);
    EXPECT_EQ(settings_.readInt(settings::kUseFixedZone, -1), 1);
    EXPECT_EQ(stored(0), name(zone(kTokyo)));
    EXPECT_EQ(velmora::zoneSlot(0), zone(kTokyo));
    // Unchecking turns the box off again; the stored choice waits for OK.
    CTimezonesDial again(settings_);
    EXPECT_TRUE(again.useFixedZoneCheck()->isChecked());
    EXPECT_EQ(again.selectedZone(0)->standardNameView(), kTokyo);
    again.useFixedZoneCheck()->click();
    EXPECT_FALSE(again.zoneBox(0)->isEnabled());
    EXPECT_EQ(settings_.readInt(settings::kUseFixedZone, -1), 1);
}

TEST_F(TimezonesDialTest, CancelStoresNothingAndLeavesTheSlots) {
    std::vector<ZoneRecord> before;
    for (int slot = 0; slot < velmora::kZoneSlotCount; ++slot) {
        before.push_back(velmora::zoneSlot(slot));
    }
    CTimezonesDial dial(settings_);
    dial.show();
    dial.useFixedZoneCheck()->click();
    for (int slot = 0; slot < velmora::kZoneSlotCount; ++slot) {
        choose(dial, slot, kTokyo);
    }
    QTest::keyClick(&dial, Qt::Key_Escape);
    EXPECT_EQ(dial.result(), QDialog::Rejected);
    EXPECT_FALSE(dial.isVisible());
    EXPECT_TRUE(settings_.texts.empty());
    EXPECT_EQ(settings_.readInt(settings::kUseFixedZone, -1), -1);
    for (int slot = 0; slot < velmora::kZoneSlotCount; ++slot) {
        EXPECT_EQ(velmora::zoneSlot(slot), before[static_cast<std::size_t>(slot)]) << slot;
    }
}

TEST_F(TimezonesDialTest, UserZonesMayRepeatOneAnother) {
    CTimezonesDial dial(settings_);
    choose(dial, 1, kBerlin);
    choose(dial, 2, kBerlin);
    choose(dial, 4, kTokyo);
    dial.accept();
    EXPECT_EQ(stored(1), name(zone(kBerlin)));
    EXPECT_EQ(stored(2), name(zone(kBerlin)));
    EXPECT_EQ(stored(3), name(zone(u"UTC")));
    EXPECT_EQ(stored(4), name(zone(kTokyo)));
    EXPECT_EQ(velmora::zoneSlot(1), zone(kBerlin));
    EXPECT_EQ(velmora::zoneSlot(2), zone(kBerlin));
    EXPECT_EQ(velmora::zoneSlot(4), zone(kTokyo));
}

TEST_F(TimezonesDialTest, ReopensWhereItWasMoved) {
    {
        CTimezonesDial dial(settings_);
        dial.show();
        dial.move(123, 145);
        QApplication::processEvents();
        dial.reject();
    }
    using settings::PlacementPart;
    EXPECT_EQ(
        settings_.readInt(
            settings::windowLayoutKey(settings::kTimeZoneOptionsWindow, PlacementPart::X), -1),
        123);
    CTimezonesDial dial(settings_);
    EXPECT_EQ(dial.pos(), QPoint(123, 145));
    dial.show();
    QApplication::processEvents();
    EXPECT_EQ(dial.pos(), QPoint(123, 145));
}

// A box without a selection keeps its slot and stored name through OK, instead of losing them
// or writing an empty name.
TEST_F(TimezonesDialTest, ZonesMissingFromTheTableAreKept) {
    ZoneRecord gone;
    gone.setDisplayName(u"(UTC+05:00) Nowhere/Gone");
    gone.setStandardName(u"Nowhere/Gone");
    gone.rules.Bias = -300;
    velmora::setZoneSlot(1, gone);
    settings_.writeText(settings::zoneKey(1), name(gone));
    {
        CTimezonesDial dial(settings_);
        EXPECT_EQ(dial.zoneBox(1)->currentIndex(), -1);
        EXPECT_TRUE(dial.zoneBox(1)->currentText().isEmpty());
        choose(dial, 2, kBerlin);
        dial.accept();
        EXPECT_EQ(stored(1), name(gone));
        EXPECT_EQ(velmora::zoneSlot(1), gone);
        EXPECT_EQ(velmora::zoneSlot(2), zone(kBerlin));
    }
    // Without a database every box is empty; the user zones stay as they were.
    setenv("TZDIR", "/nonexistent-zoneinfo", 1);
    CTimezonesDial dial(settings_);
    EXPECT_TRUE(dial.zoneTable().empty());
    EXPECT_EQ(dial.zoneBox(3)->count(), 0);
    dial.accept();
    EXPECT_EQ(stored(1), name(gone));
    EXPECT_EQ(stored(2), name(zone(kBerlin)));
    EXPECT_EQ(velmora::zoneSlot(1), gone);
    EXPECT_EQ(velmora::zoneSlot(2), zone(kBerlin));
}

TEST_F(TimezonesDialTest, TypingPartOfANamePicksTheZone) {
    CTimezonesDial dial(settings_);
    dial.show();
    QComboBox* box = dial.zoneBox(3);
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), "Berl");
    EXPECT_EQ(box->completer()->completionModel()->rowCount(), 1);
    EXPECT_TRUE(box->completer()->popup()->isVisible());
    EXPECT_TRUE(box->completer()->completionModel()->index(0, 0).data().toString().endsWith(
        "Europe/Berlin"));
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    box->completer()->popup()->hide();
    ASSERT_NE(dial.selectedZone(3), nullptr);
    EXPECT_EQ(dial.selectedZone(3)->standardNameView(), kBerlin);
    EXPECT_TRUE(box->lineEdit()->text().endsWith("Europe/Berlin"));
    // Text naming no zone gives way to the zone shown before; the list gained nothing.
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), "Atlantis");
    dial.accept();
    EXPECT_EQ(box->count(), static_cast<int>(table_.size()));
    EXPECT_TRUE(box->lineEdit()->text().endsWith("Europe/Berlin"));
    EXPECT_EQ(stored(3), name(zone(kBerlin)));
}

// Types text key by key, letters beyond ASCII included, as a keyboard layout would send them.
void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, c.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

// What people type for a place: its city with or without accents, its id, a former name, its
// country; the popup offers the best first, and Return takes it.
TEST_F(TimezonesDialTest, SearchFindsZonesByCityIdFormerNameAndCountry) {
    CTimezonesDial dial(settings_);
    dial.show();
    QComboBox* box = dial.zoneBox(1);
    const std::pair<const char*, std::u16string_view> rows[] = {
        {"São Paulo", u"America/Sao_Paulo"},
        {"sao paulo", u"America/Sao_Paulo"},
        {"new_york", u"America/New_York"},
        {"NEW YORK", u"America/New_York"},
        {"Kiev", u"Europe/Kyiv"},
        {"Calcutta", u"Asia/Kolkata"},
        {"India", u"Asia/Kolkata"},
        {"Deutschland", u"Europe/Berlin"},
        {"utc", u"Etc/UTC"},
    };
    for (const auto& [typed, id] : rows) {
        box->lineEdit()->selectAll();
        typeText(box->lineEdit(), QString::fromUtf8(typed));
        ASSERT_GT(box->completer()->completionModel()->rowCount(), 0) << typed;
        const QString first = box->completer()->completionModel()->index(0, 0).data().toString();
        EXPECT_EQ(first.toStdU16String(), name(zone(id))) << typed;
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        box->completer()->popup()->hide();
        ASSERT_NE(dial.selectedZone(1), nullptr) << typed;
        EXPECT_EQ(dial.selectedZone(1)->standardNameView(), id) << typed;
    }
    // A click in the popup takes the row clicked, not the first.
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), "India");
    QAbstractItemView* popup = box->completer()->popup();
    ASSERT_GT(popup->model()->rowCount(), 1);
    const QModelIndex second = popup->model()->index(1, 0);
    const QString secondName = second.data().toString();
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(second).center());
    ASSERT_NE(dial.selectedZone(1), nullptr);
    EXPECT_EQ(QString::fromStdU16String(std::u16string(dial.selectedZone(1)->displayNameView())),
              secondName);
    // A search that finds nothing opens no popup and selects nothing new.
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), "Xqzzy");
    EXPECT_EQ(box->completer()->completionModel()->rowCount(), 0);
    EXPECT_FALSE(popup->isVisible());
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(box->lineEdit()->text(), secondName);
    dial.accept();
    EXPECT_EQ(stored(1), secondName.toStdU16String());
}

// The clock window: "Time zones..." runs the dialog, and after OK a text in the local zone
// shows the new zone's time at once.
TEST_F(TimezonesDialTest, ClockShowsTheFixedZoneRightAfterOk) {
    QTemporaryDir folder;
    QImage picture(200, 200, QImage::Format_ARGB32);
    picture.fill(Qt::white);
    const QString png = folder.filePath("white.png");
    ASSERT_TRUE(picture.save(png));
    auto makeClock = [&](std::u16string format) {
        auto clock = std::make_unique<Clock>();
        clock->findChildAs<FileProperty>(u"BackgroundImage")->chooseSource(png.toStdU16String());
        auto text = std::make_unique<ClockText>();
        text->findChildAs<StringProperty>(u"Fmt")->setValue(std::move(format));
        text->findChildAs<PercentProperty>(u"FontSize")->setValue(60);
        clock->append(std::move(text));
        return clock;
    };
    const std::string scheme = folder.filePath("time.Velmora").toStdString();
    std::string error;
    ASSERT_TRUE(saveSchemeFile(*makeClock(u"%H:%M"), scheme, &error)) << error;
    settings_.writeText(settings::kSchemeLoaded, QString::fromStdString(scheme).toStdU16String());

    using namespace std::chrono;
    const system_clock::time_point now(seconds(1'768'478'400)); // 2026-01-15 12:00:00 UTC
    ClockWindowOptions options;
    options.wallClock = [now] { return now; };
    CVelmoraDlg window(settings_, std::move(options));
    const ClockWindowProbe probe(window);
    window.initialize();
    window.show();
    QApplication::processEvents();
    // Corner marks may come and go with the focus; the text lies well inside them.
    auto inner = [](const QImage& frame) { return frame.copy(40, 40, 120, 120); };
    auto frameOf = [&](std::u16string format) {
        std::unique_ptr<Clock> clock = makeClock(std::move(format));
        FrameRenderer renderer;
        renderer.render(*clock, window.size(), 1.0, velmora::packedDateTimeFrom(now));
        return inner(renderer.frame());
    };
    probe.drawFrame();
    ASSERT_EQ(inner(probe.lastFrame()), frameOf(u"12:00"));

    bool sawDialog = false;
    QTimer::singleShot(0, [&] {
        auto* dial = qobject_cast<CTimezonesDial*>(QApplication::activeModalWidget());
        ASSERT_NE(dial, nullptr);
        sawDialog = true;
        // The tray's menu would offer it again while it runs.
        probe.updateMenu();
        EXPECT_FALSE(probe.menu().action(MenuCommand::TimeZones)->isEnabled());
        dial->useFixedZoneCheck()->click();
        choose(*dial, 0, kTokyo);
        QTest::mouseClick(dial->control(CTimezonesDial::OkButton), Qt::LeftButton);
    });
    const int frames = probe.framesDrawn();
    probe.updateMenu();
    ASSERT_TRUE(probe.menu().action(MenuCommand::TimeZones)->isEnabled());
    probe.menu().action(MenuCommand::TimeZones)->trigger();
    EXPECT_TRUE(sawDialog);
    EXPECT_EQ(probe.dialogs().timezonesDialog(), nullptr);
    EXPECT_EQ(settings_.readInt(settings::kUseFixedZone, -1), 1);
    EXPECT_GT(probe.framesDrawn(), frames);
    EXPECT_EQ(inner(probe.lastFrame()), frameOf(u"21:00"));
}

} // namespace

namespace {

TEST_F(TimezonesDialTest, ThePickerFindsAZoneByCityAndTheKeysStayInTheField) {
    ZonePicker picker;
    picker.show();
    QTest::keyClicks(picker.searchField(), "tokyo");
    ASSERT_GE(picker.results()->count(), 1);
    ASSERT_TRUE(picker.chosen().has_value());
    EXPECT_EQ(picker.chosen()->standardNameView(), kTokyo);
    // A country finds its zones; Down in the field moves through them.
    picker.searchField()->clear();
    QTest::keyClicks(picker.searchField(), "germany");
    ASSERT_GE(picker.results()->count(), 2);
    QTest::keyClick(picker.searchField(), Qt::Key_Down);
    EXPECT_EQ(picker.results()->currentRow(), 1);
    QTest::keyClicks(picker.searchField(), "xyzzy");
    EXPECT_FALSE(picker.chosen().has_value()) << "nothing found, nothing to take";
}

// "Choose a zone..." in an element's zone row puts the zone into a user slot the scheme's
// other elements do not use, and the row then selects that slot.
class ZoneRowTest : public TimezonesDialTest {
protected:
    void SetUp() override {
        TimezonesDialTest::SetUp();
        for (int slot : {0, 1, 3}) {
            auto text = std::make_unique<ClockText>();
            text->findChildAs<TimeZoneProperty>(u"TimeZone")->setValue(slot);
            clock_.append(std::move(text));
        }
    }
    void TearDown() override {
        delete dial_.data();
        TimezonesDialTest::TearDown();
    }
    COptionsDial& open() {
        dial_ = new COptionsDial(clock_, settings_);
        dial_->setZonePicker([this](QWidget*) -> std::optional<ZoneRecord> {
            if (picks_.empty()) {
                return std::nullopt;
            }
            ZoneRecord next = zone(picks_.front());
            picks_.erase(picks_.begin());
            return next;
        });
        return *dial_;
    }
    TimeZoneProperty* zoneOf(int element) {
        int at = 0;
        for (const auto& child : clock_.children()) {
            if (child->isKindOf(ClockObject::kTypeName) && at++ == element) {
                return static_cast<ClockObject*>(child.get())
                    ->findChildAs<TimeZoneProperty>(u"TimeZone");
            }
        }
        return nullptr;
    }
    // Picks "Choose a zone...", the last entry, as a click in the row's list does.
    COptionTreeItemComboBox* chooseByName(int element) {
        auto* row = dynamic_cast<COptionTreeItemComboBox*>(
            static_cast<COptionTreeItem*>(zoneOf(element)->row()));
        EXPECT_NE(row, nullptr);
        row->activate();
        row->comboBox()->setCurrentIndex(row->entryCount() - 1);
        row->commit();
        return row;
    }

    Clock clock_;
    QPointer<COptionsDial> dial_;
    std::vector<std::u16string_view> picks_;
};

TEST_F(ZoneRowTest, TheZoneGoesIntoAFreeUserSlotShownByName) {
    open();
    auto* row = chooseByName(0);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->comboBox()->itemText(row->entryCount() - 1), "Choose a zone...");
    // Cancelled: nothing changes.
    EXPECT_EQ(zoneOf(0)->value(), 0);
    EXPECT_EQ(row->selectedData(), 0);

    picks_ = {kTokyo, kTokyo, kBerlin};
    chooseByName(0);
    EXPECT_EQ(zoneOf(0)->value(), 2) << "slots 1 and 3 belong to the other elements";
    EXPECT_EQ(velmora::zoneSlot(2).standardNameView(), kTokyo);
    EXPECT_EQ(stored(2), name(zone(kTokyo)));
    row = static_cast<COptionTreeItemComboBox*>(static_cast<COptionTreeItem*>(zoneOf(0)->row()));
    EXPECT_TRUE(QString::fromStdU16String(row->selectedText()).endsWith(" - Asia/Tokyo"));
    // A slot that holds the zone already is shared.
    chooseByName(1);
    EXPECT_EQ(zoneOf(1)->value(), 2);
    // An element's own slot, used by no other, takes the new zone.
    chooseByName(2);
    EXPECT_EQ(zoneOf(2)->value(), 3);
    EXPECT_EQ(velmora::zoneSlot(3).standardNameView(), kBerlin);
    EXPECT_FALSE(dial_->isSaved());
}

TEST_F(ZoneRowTest, WithEveryUserSlotTakenNothingChanges) {
    for (int slot : {2, 4}) {
        auto text = std::make_unique<ClockText>();
        text->findChildAs<TimeZoneProperty>(u"TimeZone")->setValue(slot);
        clock_.append(std::move(text));
    }
    COptionsDial& dial = open();
    std::vector<QString> notices;
    dial.setZoneNotice([&notices](const QString& text) { notices.push_back(text); });
    picks_ = {kTokyo};
    chooseByName(0);
    EXPECT_EQ(notices.size(), 1u);
    EXPECT_EQ(zoneOf(0)->value(), 0);
    EXPECT_NE(velmora::zoneSlot(1).standardNameView(), kTokyo);
    EXPECT_TRUE(dial.isSaved());
}

} // namespace

// Tab goes down the dialog as it reads, box after label, to OK and Cancel and round again.
TEST_F(TimezonesDialTest, TabGoesDownTheDialog) {
    CTimezonesDial dial(settings_);
    dial.show();
    QApplication::setActiveWindow(&dial);
    dial.useFixedZoneCheck()->setChecked(true);
    std::vector<QWidget*> expected{dial.useFixedZoneCheck()};
    for (int slot = 0; slot < velmora::kZoneSlotCount; ++slot) {
        expected.push_back(dial.zoneBox(slot));
    }
    expected.push_back(dial.control(CTimezonesDial::OkButton));
    expected.push_back(dial.control(CTimezonesDial::CancelButton));
    expected.push_back(dial.machineZoneField());
    const std::vector<QWidget*> stops = tabStops(dial.machineZoneField());
    EXPECT_EQ(stops, expected) << describeStops(stops);
}
