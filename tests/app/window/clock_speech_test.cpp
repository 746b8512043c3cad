// The clock tells its time: the words a screen reader and the tooltips give, from the zone
// slots, and the clock window's accessible name read from the clock's own time.
#include "app/desktop/settings.h"
#include "app/window/clock_speech.h"
#include "app/window/velmora_dlg.h"
#include "time/system_zone_table.h"
#include "time/zone_slots.h"

#include <QAccessible>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ClockSpeechTest : public testing::Test {
protected:
    void SetUp() override {
        velmora::readSystemZoneTable(table_);
        velmora::clearZoneSlots();
        for (int slot = 0; slot < velmora::kZoneSlotCount; ++slot) {
            velmora::setZoneSlot(slot, zone(u"UTC"));
        }
    }
    void TearDown() override { velmora::clearZoneSlots(); }

    velmora::ZoneRecord zone(std::u16string_view id) const {
        const velmora::ZoneRecord* found = velmora::findZoneByStandardName(table_, id);
        return found != nullptr ? *found : velmora::ZoneRecord{};
    }

    std::vector<velmora::ZoneRecord> table_;
};

// 9 December 2026, 23:08:30 UTC.
constexpr velmora::PackedDateTime kLateEvening{20261209, 23083000};

TEST_F(ClockSpeechTest, TheLocalTimeInTheLocalesWords) {
    velmora::setZoneSlot(0, zone(u"Europe/Berlin"));
    EXPECT_EQ(ClockSpeech::spokenTime(kLateEvening, QLocale::c()),
              "00:08, Thursday, 10 December 2026");
    EXPECT_EQ(ClockSpeech::spokenTime(kLateEvening, QLocale(QLocale::German, QLocale::Germany)),
              "00:08, Donnerstag, 10. Dezember 2026");
    // The seconds do not count: the words stay through the minute.
    EXPECT_EQ(ClockSpeech::spokenTime({20261209, 23085999}, QLocale::c()),
              ClockSpeech::spokenTime(kLateEvening, QLocale::c()));
}

TEST_F(ClockSpeechTest, OtherZonesAreListedOnceWithTheirDayWhereItDiffers) {
    velmora::setZoneSlot(1, zone(u"Asia/Tokyo"));
    velmora::setZoneSlot(3, zone(u"America/New_York"));
    const QStringList lines = ClockSpeech::otherZones(kLateEvening, QLocale::c());
    ASSERT_EQ(lines.size(), 2) << lines.join('|').toStdString();
    EXPECT_TRUE(lines[0].endsWith(": 08:08, Thursday")) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].contains("Tokyo")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].endsWith(": 18:08")) << lines[1].toStdString();
    EXPECT_EQ(ClockSpeech::toolTip(kLateEvening, QLocale::c()),
              "23:08, Wednesday, 9 December 2026\n" + lines.join('\n'));
}

TEST_F(ClockSpeechTest, TheClockWindowIsAClockNamedByItsTime) {
    QTemporaryDir folder;
    Settings settings(folder.filePath("clock.conf"));
    ClockWindowOptions options;
    options.wallClock = [] {
        // 9 December 2026, 10:08:00 UTC.
        return std::chrono::system_clock::time_point(std::chrono::seconds(1796810880));
    };
    CVelmoraDlg window(settings, std::move(options));
    window.initialize();
    velmora::setZoneSlot(0, zone(u"UTC"));
    velmora::setZoneSlot(2, zone(u"Asia/Tokyo"));
    QAccessibleInterface* clock = QAccessible::queryAccessibleInterface(&window);
    ASSERT_NE(clock, nullptr);
    EXPECT_EQ(clock->role(), QAccessible::Clock);
    EXPECT_EQ(clock->text(QAccessible::Name), "10:08, Wednesday, 9 December 2026");
    EXPECT_TRUE(clock->text(QAccessible::Description).startsWith("Velmora; "));
    EXPECT_TRUE(clock->text(QAccessible::Description).endsWith(": 19:08"));
}

} // namespace
