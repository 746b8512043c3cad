// The settings store: defaults, kinds, and writes that reach the disk at once.
#include "app/settings.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SettingsTest : public testing::Test {
protected:
    QString file() const { return folder_.filePath("store.conf"); }

    QTemporaryDir folder_;
};

TEST_F(SettingsTest, EmptyStoreGivesTheTableDefaults) {
    Settings settings(file());
    EXPECT_EQ(settings.readInt(settings::kStayOnTop), 1);
    EXPECT_EQ(settings.readInt(settings::kClickThrough), 0);
    EXPECT_EQ(settings.readInt(settings::kOverallAlpha), 255);
    EXPECT_EQ(settings.readInt(settings::kThreadPriority), 0);
    EXPECT_EQ(settings.readInt(settings::kUseFixedZone), 0);
    EXPECT_EQ(settings.readText(settings::kSchemeLoaded), u"");
    EXPECT_EQ(settings.readText(settings::zoneKey(3), u"(UTC) UTC"), u"(UTC) UTC");
    SettingKey x = settings::windowLayoutKey(settings::kClockWindow, settings::PlacementPart::X);
    EXPECT_EQ(x.section, "WindowLayout");
    EXPECT_EQ(x.name, "ClockWindow_X");
    EXPECT_EQ(settings::zoneKey(0).name, "00");
    EXPECT_EQ(settings.readInt(x, 321), 321);
}

TEST_F(SettingsTest, WritesAreOnDiskBeforeTheStoreIsGone) {
    Settings settings(file());
    ASSERT_TRUE(settings.writeInt(settings::kOverallAlpha, 128));
    ASSERT_TRUE(settings.writeText(settings::kSchemeLoaded, u"/home/u/\u00e9t\u00e9.Velmora"));
    ASSERT_TRUE(settings.writeInt(settings::kThreadPriority, -2));
    // A second store on the same file, as the next run of the program would open it.
    Settings next(file());
    EXPECT_EQ(next.readInt(settings::kOverallAlpha), 128);
    EXPECT_EQ(next.readInt(settings::kThreadPriority), -2);
    EXPECT_EQ(next.readText(settings::kSchemeLoaded), u"/home/u/\u00e9t\u00e9.Velmora");
    QSettings raw(file(), QSettings::IniFormat);
    EXPECT_EQ(raw.value("View/OverallAlpha").toInt(), 128);
}

TEST_F(SettingsTest, OddStoredValuesFallBackOrKeepTheirBits) {
    {
        QSettings raw(file(), QSettings::IniFormat);
        raw.setValue("View/StayOnTop", "yes");
        raw.setValue("View/OverallAlpha", "300");
        raw.setValue("View/ClickThrough", "4294967295");
        raw.setValue("System/ThreadPriority", "99999999999");
    }
    Settings settings(file());
    EXPECT_EQ(settings.readInt(settings::kStayOnTop), 1);
    // Ranges are the users' business; the store only refuses what is not a 32-bit number.
    EXPECT_EQ(settings.readInt(settings::kOverallAlpha), 300);
    EXPECT_EQ(settings.readInt(settings::kClickThrough), -1);
    EXPECT_EQ(settings.readInt(settings::kThreadPriority), 0);
}

struct HandWrittenRow {
    const char* name;
    const char* line;
    const char16_t* text;
};

class HandWrittenTextTest : public SettingsTest,
                            public testing::WithParamInterface<HandWrittenRow> {};

// QSettings reads an unquoted comma as a list; a text setting must still read as written.
TEST_P(HandWrittenTextTest, ReadsAsTheTextWritten) {
    {
        QFile conf(file());
        ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
        conf.write("[View]\nStayOnTop=1\nSchemeLoaded=/old.Velmora\n; SchemeLoaded=a,b\n"
                   "[Other]\nSchemeLoaded=x,y\n[View]\n");
        conf.write(GetParam().line);
        conf.write("\nOverallAlpha=1,2\n");
    }
    Settings settings(file());
    EXPECT_EQ(settings.readText(settings::kSchemeLoaded), GetParam().text);
    EXPECT_EQ(settings.readInt(settings::kStayOnTop), 1);
    EXPECT_EQ(settings.readInt(settings::kOverallAlpha), 255);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HandWrittenTextTest,
    testing::Values(
        HandWrittenRow{"PathWithComma", "SchemeLoaded=/home/u/My Clocks, old/x.Velmora",
                       u"/home/u/My Clocks, old/x.Velmora"},
        HandWrittenRow{"SpacesAroundKeepInside", "SchemeLoaded =  a , b  ", u"a , b"},
        HandWrittenRow{"CommentCutsTheValue", "SchemeLoaded=a,b ; note", u"a,b"},
        HandWrittenRow{"QuotesAndEscapes", "SchemeLoaded=\"x; y\",\\tz\\x263a,\\\"q\\\"\\101,\\\\",
                       u"x; y,\tz\u263a,\"q\"A,\\"},
        HandWrittenRow{"Utf8", "SchemeLoaded=\xc3\xa9t\xc3\xa9,\xc3\xa9", u"\u00e9t\u00e9,\u00e9"},
        HandWrittenRow{"Continued", "SchemeLoaded=a,\\\n  b", u"a,  b"},
        HandWrittenRow{"OnlyCommas", "SchemeLoaded=,", u","},
        HandWrittenRow{"PlainTextUntouched", "SchemeLoaded=\"a,b\"", u"a,b"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsTest, FailedWritesAreReportedNotFatal) {
    Settings settings(folder_.filePath("missing/folder/that/is/a/file"));
    QFile blocker(folder_.filePath("missing"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(settings.writeInt(settings::kStayOnTop, 0));
    EXPECT_EQ(settings.readInt(settings::kStayOnTop), 0);
}

TEST_F(SettingsTest, ProgramStoreIsNamedAfterOrganisationAndExecutable) {
    qputenv("XDG_CONFIG_HOME", folder_.path().toUtf8());
    QStandardPaths::setTestModeEnabled(false);
    Settings settings;
    settings.writeInt(settings::kStayOnTop, 0);
    EXPECT_EQ(settings.fileName(),
              folder_.filePath("vornel-works/" + Settings::executableBaseName() + ".conf"));
    EXPECT_EQ(Settings::executableBaseName(), "velmora-app-test");
}

} // namespace
