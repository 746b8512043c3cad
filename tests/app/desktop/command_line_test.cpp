// The clock's command line, the settings each clock name maps to, and its autostart entry.
#include "app/desktop/autostart_entry.h"
#include "app/desktop/command_line.h"
#include "app/desktop/settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

CommandLine parse(QStringList arguments) {
    arguments.prepend(QStringLiteral("/usr/bin/velmora"));
    return CommandLine::parse(arguments);
}

TEST(CommandLineTest, HelpAndVersionAnswerWithoutStarting) {
    for (const char* option : {"--help", "-h"}) {
        const CommandLine line = parse({QString::fromLatin1(option)});
        EXPECT_EQ(line.action, CommandLine::Action::Print) << option;
        EXPECT_TRUE(line.text.startsWith(QStringLiteral("Usage: velmora [--clock NAME]")));
        EXPECT_TRUE(line.text.contains(QStringLiteral("--version")));
    }
    const CommandLine version = parse({QStringLiteral("--version")});
    EXPECT_EQ(version.action, CommandLine::Action::Print);
    EXPECT_EQ(version.text, QStringLiteral("velmora " VELMORA_VERSION "\n"));
    // Help wins over whatever else is on the line, even an error.
    EXPECT_EQ(
        parse({QStringLiteral("--clock"), QStringLiteral("a b"), QStringLiteral("--help")}).action,
        CommandLine::Action::Print);
}

TEST(CommandLineTest, CheckModulesStartsNoClock) {
    EXPECT_EQ(parse({QStringLiteral("--check-modules")}).action, CommandLine::Action::CheckModules);
    EXPECT_EQ(parse({QStringLiteral("--check-modules"), QStringLiteral("--clock"),
                     QStringLiteral("work"), QStringLiteral("a.Velmora")})
                  .action,
              CommandLine::Action::CheckModules);
    EXPECT_TRUE(parse({QStringLiteral("--help")}).text.contains(QStringLiteral("--check-modules")));
}

TEST(CommandLineTest, ClockNameAndSchemeFile) {
    const CommandLine plain = parse({});
    EXPECT_EQ(plain.action, CommandLine::Action::Run);
    EXPECT_TRUE(plain.clockName.isEmpty());
    EXPECT_TRUE(plain.schemeFile.isEmpty());

    const CommandLine both =
        parse({QStringLiteral("--clock"), QStringLiteral("work_2"), QStringLiteral("a b.Velmora")});
    EXPECT_EQ(both.action, CommandLine::Action::Run);
    EXPECT_EQ(both.clockName, QStringLiteral("work_2"));
    EXPECT_EQ(both.schemeFile, QStringLiteral("a b.Velmora"));

    EXPECT_EQ(parse({QStringLiteral("--clock=x-1")}).clockName, QStringLiteral("x-1"));
    // A file whose name starts with a dash, after the end of the options.
    EXPECT_EQ(parse({QStringLiteral("--"), QStringLiteral("-odd.Velmora")}).schemeFile,
              QStringLiteral("-odd.Velmora"));
}

// The toolkit's own options (a style, a style sheet, a platform) are left to it, values and
// all; what follows them is still ours.
TEST(CommandLineTest, TheToolkitsOptionsAreAcceptedAndLeftToIt) {
    const CommandLine line = parse({"-style", "fusion", "--stylesheet=dark.qss", "-reverse",
                                    "--clock", "desk", "-platform", "xcb", "work.Velmora"});
    EXPECT_EQ(line.action, CommandLine::Action::Run) << line.text.toStdString();
    EXPECT_EQ(line.clockName, "desk");
    EXPECT_EQ(line.schemeFile, "work.Velmora");
    // After "--" every word is a file name, and unknown options stay mistakes.
    EXPECT_EQ(CommandLine::withoutToolkitOptions({"velmora", "--", "-style"}),
              QStringList({"velmora", "--", "-style"}));
    EXPECT_EQ(parse({"-styles", "x"}).action, CommandLine::Action::UsageError);
}

TEST(CommandLineTest, MistakesAreUsageErrorsWithAReason) {
    struct Case {
        QStringList arguments;
        const char* reason;
    };
    const Case cases[] = {
        // The parser's own mistakes are told in our words and quotes.
        {{QStringLiteral("--colour")}, "unknown option '--colour'"},
        {{QStringLiteral("-x"), QStringLiteral("a.Velmora")}, "unknown option '-x'"},
        {{QStringLiteral("--clock")}, "'--clock' needs a value"},
        {{QStringLiteral("--label=x"), QStringLiteral("-timer")}, "'-timer' needs a value"},
        {{QStringLiteral("--check-modules=yes")}, "'--check-modules' takes no value"},
        {{QStringLiteral("--clock"), QStringLiteral("../evil")}, "invalid clock name"},
        {{QStringLiteral("--clock"), QStringLiteral("")}, "invalid clock name"},
        {{QStringLiteral("--clock"), QString(65, QLatin1Char('a'))}, "invalid clock name"},
        {{QStringLiteral("--clock=a"), QStringLiteral("--clock=b")}, "more than once"},
        {{QStringLiteral("a.Velmora"), QStringLiteral("b.Velmora")}, "one scheme file"},
        {{QStringLiteral("")}, "empty"},
    };
    for (const Case& c : cases) {
        const CommandLine line = parse(c.arguments);
        EXPECT_EQ(line.action, CommandLine::Action::UsageError)
            << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(line.text.contains(QString::fromUtf8(c.reason))) << line.text.toStdString();
        EXPECT_TRUE(line.text.contains(QStringLiteral("--help")));
    }
}

TEST(ClockSettingsTest, EachClockNameHasItsOwnFileAndTheDefaultKeepsToday) {
    const QString program = Settings::executableBaseName();
    ASSERT_FALSE(program.isEmpty());
    EXPECT_EQ(Settings::applicationName(QString()), program);
    EXPECT_EQ(Settings::applicationName(QStringLiteral("work")), program + QStringLiteral("-work"));

    const QString defaultFile = Settings().fileName();
    EXPECT_TRUE(
        defaultFile.endsWith(QStringLiteral("/vornel-works/") + program + QStringLiteral(".conf")))
        << defaultFile.toStdString();
    EXPECT_EQ(Settings(Settings::ClockName{}).fileName(), defaultFile);
    const QString named = Settings(Settings::ClockName{QStringLiteral("work")}).fileName();
    EXPECT_TRUE(
        named.endsWith(QStringLiteral("/vornel-works/") + program + QStringLiteral("-work.conf")))
        << named.toStdString();
}

class AutostartTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home_.isValid());
        if (const char* previous = std::getenv("XDG_CONFIG_HOME")) {
            previous_ = previous;
        }
        ::setenv("XDG_CONFIG_HOME", home_.path().toLocal8Bit().constData(), 1);
    }
    void TearDown() override {
        if (previous_.empty()) {
            ::unsetenv("XDG_CONFIG_HOME");
        } else {
            ::setenv("XDG_CONFIG_HOME", previous_.c_str(), 1);
        }
    }
    static QByteArray read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // desktop-file-validate's verdict on the file, or nothing where it is not installed.
    static int validate(const QString& path) {
        if (std::system("command -v desktop-file-validate >/dev/null") != 0) {
            return 0;
        }
        const std::string command = "desktop-file-validate '" + path.toStdString() + "' >&2";
        return std::system(command.c_str());
    }

    QTemporaryDir home_;
    std::string previous_;
};

TEST_F(AutostartTest, WrittenEntriesStartTheirClockAndValidate) {
    const AutostartEntry defaultClock(QStringLiteral("velmora"), QStringLiteral("/usr/bin/velmora"),
                                      QString());
    EXPECT_EQ(defaultClock.filePath(), home_.path() + QStringLiteral("/autostart/velmora.desktop"));
    EXPECT_FALSE(defaultClock.isEnabled());
    ASSERT_TRUE(defaultClock.setEnabled(true));
    EXPECT_TRUE(defaultClock.isEnabled());
    EXPECT_TRUE(read(defaultClock.filePath()).contains("\nExec=/usr/bin/velmora\n"));
    // Once the program is removed, the session skips the entry.
    EXPECT_TRUE(read(defaultClock.filePath()).contains("\nTryExec=/usr/bin/velmora\n"));
    EXPECT_EQ(validate(defaultClock.filePath()), 0);

    // A program in a folder with a space and a percent sign, as a build folder may be.
    const AutostartEntry named(QStringLiteral("velmora-2"),
                               QStringLiteral("/home/a b/100%/velmora"), QStringLiteral("2"));
    ASSERT_TRUE(named.setEnabled(true));
    EXPECT_TRUE(read(named.filePath()).contains("\nExec=\"/home/a b/100%%/velmora\" --clock 2\n"));
    // A plain string, unlike Exec: neither quoted nor with the percent sign doubled.
    EXPECT_TRUE(read(named.filePath()).contains("\nTryExec=/home/a b/100%/velmora\n"));
    EXPECT_EQ(validate(named.filePath()), 0);
    // Each clock has an entry of its own.
    EXPECT_TRUE(defaultClock.isEnabled());

    ASSERT_TRUE(named.setEnabled(false));
    EXPECT_FALSE(named.isEnabled());
    EXPECT_FALSE(QFile::exists(named.filePath()));
    EXPECT_TRUE(named.setEnabled(false));
}

TEST_F(AutostartTest, AnEntryTheDesktopSwitchedOffReadsAsOff) {
    const AutostartEntry entry(QStringLiteral("velmora"), QStringLiteral("velmora"), QString());
    ASSERT_TRUE(entry.setEnabled(true));
    for (const char* line : {"Hidden=true\n", "X-GNOME-Autostart-enabled=false\n"}) {
        QFile file(entry.filePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("[Desktop Entry]\nType=Application\nName=Velmora\nExec=velmora\n") +
                   line);
        file.close();
        EXPECT_FALSE(entry.isEnabled()) << line;
        // Switching it on again writes the entry anew.
        ASSERT_TRUE(entry.setEnabled(true));
        EXPECT_TRUE(entry.isEnabled());
    }
}

} // namespace
