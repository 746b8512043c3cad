// The clock program as a process: a background that would take minutes to decode neither
// holds up its start nor its end on a signal, nor does a scheme of a hundred thousand texts.
#include "app/settings.h"
#include "clock/clock.h"
#include "clock/clock_text.h"
#include "clock/scheme_file.h"
#include "model/file_property.h"
#include "model/percent_property.h"
#include "model/string_property.h"
#include "model/utf.h"
#include "tests/image_bombs.h"

#include <QDir>
#include <QFile>
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

// Starts the clock, offscreen, in a session of its own in the folder, showing the scheme.
pid_t startClockShowing(const QTemporaryDir& folder, const std::string& scheme) {
    if (!QDir(folder.path()).mkpath("config/vornel-works") ||
        !QDir(folder.path()).mkpath("runtime")) {
        return -1;
    }
    Settings(folder.filePath("config/vornel-works/velmora.conf"))
        .writeText(settings::kSchemeLoaded, fromPath(scheme));
    const std::string config = folder.filePath("config").toStdString();
    const std::string runtime = folder.filePath("runtime").toStdString();
    const pid_t child = ::fork();
    if (child == 0) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        [[maybe_unused]] FILE* quiet = ::freopen("/dev/null", "w", stderr);
        ::execl(VELMORA_BINARY, VELMORA_BINARY, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return child;
}

// Sends the signal and waits up to five seconds for the child to end, killing it after
// that; its wait status, or nothing, and how long it took.
std::optional<int> endOnSignal(pid_t child, int signal, steady_clock::duration& took) {
    ::kill(child, signal);
    const auto signalled = steady_clock::now();
    const std::optional<int> status = waitFor(child, milliseconds(5000));
    took = steady_clock::now() - signalled;
    if (!status) {
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    return status;
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

    const pid_t child = startClockShowing(folder, scheme);
    ASSERT_GT(child, 0);
    // Up and drawing by then, the background refused or still being read.
    EXPECT_EQ(waitFor(child, milliseconds(1000)), std::nullopt) << "the clock ended by itself";
    steady_clock::duration took{};
    const std::optional<int> status = endOnSignal(child, SIGTERM, took);
    ASSERT_TRUE(status);
    EXPECT_LT(took, milliseconds(500));
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << *status;
}

// A scheme of a hundred thousand texts keeps the window's thread busy for seconds while it
// loads, and for a good part of a second at each frame: a signal still ends the clock within
// a second, in order when it can, else as the signal does by default.
TEST(ClockProcessTest, ASignalEndsTheClockWithinASecondWhileItLoadsAHugeScheme) {
    QTemporaryDir folder;
    Clock clock;
    for (int i = 0; i < 100000; ++i) {
        auto& text = static_cast<ClockText&>(*clock.append(std::make_unique<ClockText>()));
        text.findChildAs<StringProperty>(u"Fmt")->setValue(u"%S");
        text.findChildAs<PercentProperty>(u"dX")->setValue(i % 181 - 90);
    }
    std::string error;
    const std::string scheme = folder.filePath("texts.Velmora").toStdString();
    ASSERT_TRUE(saveSchemeFile(clock, scheme, &error)) << error;

    for (int signal : {SIGTERM, SIGHUP}) {
        const pid_t child = startClockShowing(folder, scheme);
        ASSERT_GT(child, 0);
        // The socket comes just before the signals are taken.
        const QString socket = folder.filePath("runtime/velmora.socket");
        for (int i = 0; i < 1000 && !QFile::exists(socket); ++i) {
            std::this_thread::sleep_for(milliseconds(5));
        }
        ASSERT_TRUE(QFile::exists(socket));
        std::this_thread::sleep_for(milliseconds(100));
        steady_clock::duration took{};
        const std::optional<int> status = endOnSignal(child, signal, took);
        ASSERT_TRUE(status) << signal;
        EXPECT_LT(took, milliseconds(1000)) << signal;
        EXPECT_TRUE((WIFEXITED(*status) && WEXITSTATUS(*status) == 0) ||
                    (WIFSIGNALED(*status) && WTERMSIG(*status) == signal))
            << signal << ": " << *status;
        QFile::remove(socket);
    }
}

} // namespace
