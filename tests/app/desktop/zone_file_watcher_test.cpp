// Changes of the files that name the machine's zone are told, however they are made, and
// changes of other files in the same folders are not.
#include "app/desktop/zone_file_watcher.h"

#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class ZoneFileWatcherTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("velmora-zone-watch-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        std::ofstream(dir_ / "timezone") << "Europe/Paris\n";
        fs::create_symlink("/usr/share/zoneinfo/Europe/Paris", dir_ / "localtime");
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Whether the watcher spoke within a while after the change, and then fell silent.
    static bool told(QSignalSpy& spy) {
        const bool spoke = spy.count() > 0 || spy.wait(2000);
        QTest::qWait(20);
        spy.clear();
        return spoke;
    }

    fs::path dir_;
};

TEST_F(ZoneFileWatcherTest, TellsOfRewritesRenamesAndRemovalsOfItsFilesOnly) {
    ZoneFileWatcher watcher({dir_ / "localtime", dir_ / "timezone"});
    ASSERT_TRUE(watcher.start());
    QSignalSpy spy(&watcher, &ZoneFileWatcher::changed);

    std::ofstream(dir_ / "hostname") << "elsewhere\n";
    QTest::qWait(100);
    EXPECT_EQ(spy.count(), 0) << "another file of the folder";

    std::ofstream(dir_ / "timezone") << "Asia/Tokyo\n";
    EXPECT_TRUE(told(spy)) << "rewritten";

    // As timedatectl and dpkg do it: a new link put in place by a rename.
    fs::create_symlink("/usr/share/zoneinfo/Asia/Tokyo", dir_ / "localtime.new");
    QTest::qWait(50);
    spy.clear();
    fs::rename(dir_ / "localtime.new", dir_ / "localtime");
    EXPECT_TRUE(told(spy)) << "renamed over";

    fs::remove(dir_ / "timezone");
    EXPECT_TRUE(told(spy)) << "removed";
    std::ofstream(dir_ / "timezone") << "UTC\n";
    EXPECT_TRUE(told(spy)) << "made again";
}

TEST_F(ZoneFileWatcherTest, AFolderThatCannotBeWatchedIsRefused) {
    ZoneFileWatcher watcher({dir_ / "missing" / "localtime"});
    EXPECT_FALSE(watcher.start());
}

} // namespace
