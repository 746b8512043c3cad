// The clock program as a process: a background that would take minutes to decode neither
// holds up its start nor its end on a signal, and a renamed copy is a program of its own.
#include "app/desktop/settings.h"
#include "clock/clock.h"
#include "clock/scheme_file.h"
#include "model/file_property.h"
#include "model/utf.h"
#include "tests/image_bombs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono;

// Waits up to `limit` for the child to end; its wait status, or nothing.
std::optional<int> waitFor(pid_t child, milliseconds limit) {
    const auto until = steady_clock::now() + limit;
    int status = 0;
    while (steady_clock::now() < until) {
        if (::waitpid(child, &status, WNOHANG) == child) {
            return status;
        }
        std::this_thread::sleep_for(milliseconds(5));
    }
    return std::nullopt;
}

// Starts the program on the offscreen platform with the configuration and runtime folders in
// `folder` (config/ and runtime/), its messages dropped.
pid_t startProgram(const std::string& program, const QTemporaryDir& folder) {
    const std::string config = folder.filePath("config").toStdString();
    const std::string runtime = folder.filePath("runtime").toStdString();
    const pid_t child = ::fork();
    if (child == 0) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        [[maybe_unused]] FILE* quiet = ::freopen("/dev/null", "w", stderr);
        ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return child;
}

TEST(ClockProcessTest, ABackgroundOverTheDecodeBudgetDoesNotHoldUpTheEndOnASignal) {
    QTemporaryDir folder;
    const QString image = folder.filePath("bomb.jpg");
    QFile file(image);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(image_bombs::jpegScanBomb(5600, 20000));
    file.close();
    Clock clock;
    clock.findChildAs<FileProperty>(u"BackgroundImage")->chooseSource(image.toStdU16String());
    std::string error;
    const std::string scheme = folder.filePath("bomb.Velmora").toStdString();
    ASSERT_TRUE(saveSchemeFile(clock, scheme, &error)) << error;
    ASSERT_TRUE(QDir(folder.path()).mkpath("config/vornel-works"));
    ASSERT_TRUE(QDir(folder.path()).mkpath("runtime"));
    Settings(folder.filePath("config/vornel-works/velmora.conf"))
        .writeText(settings::kSchemeLoaded, fromPath(scheme));

    const pid_t child = startProgram(VELMORA_BINARY, folder);
    ASSERT_GT(child, 0);
    // Up and drawing by then, the background refused or still being read.
    EXPECT_EQ(waitFor(child, milliseconds(1000)), std::nullopt) << "the clock ended by itself";
    // The decode would take minutes; waiting for it would miss these seconds by far.
    ::kill(child, SIGTERM);
    const std::optional<int> status = waitFor(child, milliseconds(5000));
    if (!status) {
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    ASSERT_TRUE(status) << "the end waited for the decode";
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << *status;
}

// The program is named after its executable: a renamed copy listens on a socket of its own
// name and keeps settings of its own, moving its own damaged file aside and leaving the
// original program's alone.
TEST(ClockProcessTest, ARenamedCopyIsAProgramOfItsOwn) {
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkpath("config/vornel-works"));
    ASSERT_TRUE(QDir(folder.path()).mkpath("runtime"));
    ASSERT_TRUE(QDir(folder.path()).mkpath("bin"));
    const QString copy = folder.filePath("bin/otherclock");
    ASSERT_TRUE(QFile::copy(QStringLiteral(VELMORA_BINARY), copy));
    const QByteArray damaged = "[View]\nStayOnTop=0\n[Broken\n";
    for (const char* name :
         {"config/vornel-works/otherclock.conf", "config/vornel-works/velmora.conf"}) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(damaged);
    }

    const pid_t child = startProgram(copy.toStdString(), folder);
    ASSERT_GT(child, 0);
    // It listens first, then reads its settings.
    const QDir settings(folder.filePath("config/vornel-works"));
    const auto movedAside = [&settings] {
        return settings.entryList({"otherclock.conf.broken-*"}, QDir::Files).size();
    };
    const QString socket = folder.filePath("runtime/otherclock.socket");
    const auto until = steady_clock::now() + seconds(20);
    std::optional<int> ended;
    while (movedAside() == 0 && !ended && steady_clock::now() < until) {
        ended = waitFor(child, milliseconds(20));
    }
    const bool listening = QFileInfo::exists(socket);
    if (!ended) {
        ::kill(child, SIGTERM);
        if (!waitFor(child, milliseconds(5000))) {
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
        }
    }
    ASSERT_TRUE(listening) << "no " << socket.toStdString();
    EXPECT_FALSE(QFileInfo::exists(folder.filePath("runtime/velmora.socket")));

    EXPECT_EQ(movedAside(), 1);
    EXPECT_TRUE(settings.entryList({"velmora.conf.broken-*"}, QDir::Files).isEmpty());
    QFile original(settings.filePath("velmora.conf"));
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_EQ(original.readAll(), damaged);
}

} // namespace
