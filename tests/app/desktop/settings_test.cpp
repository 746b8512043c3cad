// The settings store: defaults, kinds, and writes that reach the disk at once.
#include "app/desktop/settings.h"
#include "app/desktop/settings_file.h"
#include "model/utf.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

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
        // Octal digits end at 7: an 8 after them is text (the comma makes the reading ours).
        HandWrittenRow{"OctalStopsBeforeEight", "SchemeLoaded=\\1018,\\79", u"A8,\a9"},
        HandWrittenRow{"Utf8", "SchemeLoaded=\xc3\xa9t\xc3\xa9,\xc3\xa9", u"\u00e9t\u00e9,\u00e9"},
        HandWrittenRow{"Continued", "SchemeLoaded=a,\\\n  b", u"a,  b"},
        HandWrittenRow{"OnlyCommas", "SchemeLoaded=,", u","},
        HandWrittenRow{"PlainTextUntouched", "SchemeLoaded=\"a,b\"", u"a,b"}),
    [](const auto& info) { return std::string(info.param.name); });

// A file far larger than settings ever are, or one that cannot be parsed, is moved aside
// whole and the store begins from the defaults; a good file is used and left in place.
TEST_F(SettingsTest, AnUnusableFileIsMovedAsideWhole) {
    struct Row {
        const char* name;
        QByteArray content;
        bool usable;
    };
    QByteArray huge = "[View]\nStayOnTop=0\n";
    huge += QByteArray(Settings::kMaxFileBytes, ';');
    const Row rows[] = {{"Huge", huge, false},
                        {"JustSmallEnough", huge.left(Settings::kMaxFileBytes), true},
                        {"Unparsable", "[View]\nStayOnTop=0\n[Broken\n", false},
                        {"Good", "[View]\nStayOnTop=0\n", true}};
    for (const Row& row : rows) {
        QTemporaryDir folder;
        const QString path = folder.filePath("store.conf");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(row.content);
        file.close();
        Settings settings(path);
        if (row.usable) {
            EXPECT_TRUE(settings.movedAside().isEmpty()) << row.name;
            EXPECT_EQ(settings.readInt(settings::kStayOnTop), 0) << row.name;
            continue;
        }
        EXPECT_EQ(settings.readInt(settings::kStayOnTop), settings::kStayOnTop.intDefault)
            << row.name;
        const QString aside = settings.movedAside();
        EXPECT_TRUE(QRegularExpression(
                        QRegularExpression::anchoredPattern(path + R"(\.broken-\d{8}-\d{6})"))
                        .match(aside)
                        .hasMatch())
            << row.name << ": " << aside.toStdString();
        QFile moved(aside);
        ASSERT_TRUE(moved.open(QIODevice::ReadOnly)) << row.name;
        EXPECT_EQ(moved.readAll(), row.content) << row.name;
        // From here on the store is small again.
        EXPECT_TRUE(settings.writeInt(settings::kStayOnTop, 0));
        EXPECT_LT(QFileInfo(path).size(), 1000) << row.name;
        EXPECT_TRUE(Settings(path).movedAside().isEmpty()) << row.name;
    }
}

// A file name that is not UTF-8 reaches the store as lone surrogates (see fromPath); it is
// written so that the same text, and so the same bytes, come back.
TEST_F(SettingsTest, TextThatUtf8CannotHoldKeepsItsBytes) {
    const std::u16string name = u"/tmp/\xdce9t\xdce9.Velmora";
    {
        Settings settings(file());
        ASSERT_TRUE(settings.writeText(settings::kSchemeLoaded, name));
    }
    QFile written(file());
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_FALSE(written.readAll().contains("\xef\xbf\xbd"));
    Settings again(file());
    EXPECT_EQ(again.readText(settings::kSchemeLoaded), name);
    EXPECT_EQ(toPath(again.readText(settings::kSchemeLoaded)).native(), "/tmp/\xe9t\xe9.Velmora");
    // Text UTF-8 can hold is written as text still.
    ASSERT_TRUE(again.writeText(settings::kSchemeLoaded, u"/tmp/\u00e9t\u00e9.Velmora"));
    EXPECT_EQ(Settings(file()).readText(settings::kSchemeLoaded), u"/tmp/\u00e9t\u00e9.Velmora");
}

TEST_F(SettingsTest, FailedWritesAreReportedNotFatal) {
    Settings settings(folder_.filePath("missing/folder/that/is/a/file"));
    QFile blocker(folder_.filePath("missing"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(settings.writeInt(settings::kStayOnTop, 0));
    EXPECT_EQ(settings.readInt(settings::kStayOnTop), 0);
}

// What stands at the settings file's path and is not a settings file goes aside whole, never
// waiting on it and never written: for a link, the link goes and its target stays as it was.
TEST_F(SettingsTest, WhatIsNoSettingsFileGoesAsideAndIsNeverWritten) {
    struct Row {
        const char* name;
        std::function<void(const QString& path, const QString& other)> make;
        const char* why;
    };
    const auto write = [](const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    const QByteArray script = "# shell settings\nexport PATH=/opt/bin:$PATH\nalias ls='ls -F'\n";
    const Row rows[] = {
        {"Fifo",
         [](const QString& path, const QString&) {
             ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
         },
         "pipe"},
        {"Folder", [](const QString& path, const QString&) { ASSERT_TRUE(QDir().mkdir(path)); },
         "folder"},
        {"Script", [&](const QString& path, const QString&) { write(path, script); },
         "not a settings file"},
        {"Binary",
         [&](const QString& path, const QString&) { write(path, QByteArray("[View]\n\0\x01", 9)); },
         "not a settings file"},
        {"LinkToAnotherFile",
         [&](const QString& path, const QString& other) {
             write(other, script);
             ASSERT_TRUE(QFile::link(other, path));
         },
         "not a settings file"},
        {"LinkToAFifo",
         [](const QString& path, const QString& other) {
             ASSERT_EQ(::mkfifo(QFile::encodeName(other).constData(), 0600), 0);
             ASSERT_TRUE(QFile::link(other, path));
         },
         "pipe"},
        {"LinkToNothing",
         [](const QString& path, const QString& other) { ASSERT_TRUE(QFile::link(other, path)); },
         "does not exist"},
    };
    for (const Row& row : rows) {
        QTemporaryDir folder;
        const QString path = folder.filePath("store.conf");
        const QString other = folder.filePath("other");
        row.make(path, other);
        const QFileInfo before(other);
        const QByteArray otherBytes =
            before.isFile() ? SettingsFile::read(other).value() : QByteArray();
        Settings settings(path);
        EXPECT_TRUE(settings.movedAsideWhy().contains(QLatin1String(row.why)))
            << row.name << ": " << settings.movedAsideWhy().toStdString();
        ASSERT_FALSE(settings.movedAside().isEmpty()) << row.name;
        EXPECT_TRUE(QFileInfo(settings.movedAside()).exists() ||
                    QFileInfo(settings.movedAside()).isSymLink())
            << row.name;
        EXPECT_TRUE(settings.writeInt(settings::kStayOnTop, 0)) << row.name;
        EXPECT_EQ(Settings(path).readInt(settings::kStayOnTop), 0) << row.name;
        // The link's target, whatever it was, is as it was.
        if (before.isFile()) {
            EXPECT_EQ(SettingsFile::read(other).value(), otherBytes) << row.name;
        }
        EXPECT_EQ(QFileInfo(other).exists(), before.exists()) << row.name;
    }
}

// A link to a real settings file (a dotfile manager's) is used and written through.
TEST_F(SettingsTest, ALinkToASettingsFileIsUsed) {
    const QString real = folder_.filePath("real.conf");
    {
        Settings settings(real);
        ASSERT_TRUE(settings.writeInt(settings::kOverallAlpha, 99));
    }
    ASSERT_TRUE(QFile::link(real, file()));
    Settings settings(file());
    EXPECT_TRUE(settings.movedAside().isEmpty());
    EXPECT_EQ(settings.readInt(settings::kOverallAlpha), 99);
    ASSERT_TRUE(settings.writeInt(settings::kOverallAlpha, 98));
    EXPECT_TRUE(QFileInfo(file()).isSymLink());
    EXPECT_EQ(Settings(real).readInt(settings::kOverallAlpha), 98);
}

struct SettingsTextRow {
    const char* name;
    QByteArray text;
    bool settings;
};

class SettingsTextTest : public testing::TestWithParam<SettingsTextRow> {};

TEST_P(SettingsTextTest, TellsSettingsFromOtherFiles) {
    EXPECT_EQ(SettingsFile::isSettingsText(GetParam().text), GetParam().settings);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsTextTest,
    testing::Values(
        SettingsTextRow{"Empty", "", true},
        SettingsTextRow{"Written", "[View]\r\nStayOnTop=1\r\n\r\n[WindowLayout]\nClockWindow_X=5\n",
                        true},
        SettingsTextRow{"HandEdited",
                        "; mine\n# also mine\n[View]\n  SchemeLoaded = a, b\n"
                        "OverallAlpha=\"x\"\\\n  continued without equals\n",
                        true},
        SettingsTextRow{"BytesOfAName", "[View]\nSchemeLoaded=@ByteArray(/tmp/\xe9t\xe9)\n", true},
        SettingsTextRow{"EscapedKey", "[General]\nsome%20key=1\n", true},
        SettingsTextRow{"KeyOutsideASection", "StayOnTop=1\n", false},
        SettingsTextRow{"LineWithoutEquals", "[View]\nStayOnTop\n", false},
        SettingsTextRow{"SectionOfAnotherProgram", "[remote \"origin\"]\nurl=x\n", false},
        SettingsTextRow{"UnclosedSection", "[View\nStayOnTop=1\n", false},
        SettingsTextRow{"ShellLine", "[View]\nexport PATH=/bin\n", false},
        SettingsTextRow{"Nul", QByteArray("[View]\nA=\0\n", 11), false}),
    [](const auto& info) { return std::string(info.param.name); });

// A write that fails keeps the value in memory and is told once, with the file and why; so is
// a file that something else took the place of since.
TEST_F(SettingsTest, AFailedWriteIsToldOnceWithTheFileAndWhy) {
    QFile blocker(folder_.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = folder_.filePath("blocker/store.conf");
    Settings settings(path);
    QStringList told;
    settings.onFirstWriteFailure([&](const QString& file, const QString& why) {
        told << file + QStringLiteral(": ") + why;
    });
    EXPECT_FALSE(settings.writeInt(settings::kStayOnTop, 0));
    EXPECT_FALSE(settings.writeInt(settings::kOverallAlpha, 7));
    EXPECT_EQ(settings.readInt(settings::kStayOnTop), 0);
    EXPECT_EQ(settings.readInt(settings::kOverallAlpha), 7);
    ASSERT_EQ(told.size(), 1);
    EXPECT_EQ(told[0],
              path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(ENOTDIR)));

    Settings replaced(file());
    ASSERT_TRUE(replaced.writeInt(settings::kStayOnTop, 0));
    told.clear();
    replaced.onFirstWriteFailure([&](const QString&, const QString& why) { told << why; });
    ASSERT_TRUE(QFile::remove(file()));
    ASSERT_EQ(::mkfifo(QFile::encodeName(file()).constData(), 0600), 0);
    EXPECT_FALSE(replaced.writeInt(settings::kStayOnTop, 1));
    EXPECT_EQ(replaced.readInt(settings::kStayOnTop), 1);
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].contains(QLatin1String("pipe"))) << told[0].toStdString();
}

TEST_F(SettingsTest, ProgramStoreIsNamedAfterOrganisationAndExecutable) {
    qputenv("XDG_CONFIG_HOME", folder_.path().toUtf8());
    QStandardPaths::setTestModeEnabled(false);
    Settings settings;
    settings.writeInt(settings::kStayOnTop, 0);
    EXPECT_EQ(settings.fileName(),
              folder_.filePath("vornel-works/" + Settings::executableBaseName() + ".conf"));
}

} // namespace
