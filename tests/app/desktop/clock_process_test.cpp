// The clock program as a process: a background that would take minutes to decode neither
// holds up its start nor its end on a signal.
#include "app/desktop/settings.h"
#include "clock/clock.h"
#include "clock/scheme_file.h"
#include "model/file_property.h"
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

    const std::string config = folder.filePath("config").toStdString();
    const std::string runtime = folder.filePath("runtime").toStdString();
    const pid_t child = ::fork();
    if (child == 0) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        ::freopen("/dev/null", "w", stderr);
        ::execl(VELMORA_BINARY, VELMORA_BINARY, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ASSERT_GT(child, 0);
    // Up and drawing by then, the background refused or still being read.
    EXPECT_EQ(waitFor(child, milliseconds(1000)), std::nullopt) << "the clock ended by itself";
    ::kill(child, SIGTERM);
    const auto signalled = steady_clock::now();
    const std::optional<int> status = waitFor(child, milliseconds(5000));
    if (!status) {
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    ASSERT_TRUE(status);
    EXPECT_LT(steady_clock::now() - signalled, milliseconds(500));
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << *status;
}

} // namespace
