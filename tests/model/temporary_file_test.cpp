// The sweep of temporary copies left behind by crashed runs.
#include "model/temporary_file.h"
#include "tests/scoped_tmpdir.h"

#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sys/file.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

class TemporaryFileTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("velmora-temp-test-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
        tmpDir_.emplace(folder_.string());
    }
    void TearDown() override {
        tmpDir_.reset();
        fs::remove_all(folder_);
    }
    // A file as a crashed run leaves it: named like a copy, written long enough ago.
    fs::path leftover(const std::string& name) {
        fs::path path = folder_ / name;
        std::ofstream(path) << "image";
        age(path);
        return path;
    }
    static void age(const fs::path& path) {
        fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(2));
    }

    fs::path folder_;
    std::optional<ScopedTmpDir> tmpDir_;
};

TEST_F(TemporaryFileTest, SweepRemovesOnlyTheUsersUnheldLeftovers) {
    fs::path stale = leftover("~Velmora_dead01");
    fs::path heldElsewhere = leftover("~Velmora_held01");
    // A lock through another open file, as another running instance holds its copies.
    int holder = ::open(heldElsewhere.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    std::unique_ptr<TemporaryFile> live = TemporaryFile::create(nullptr);
    ASSERT_NE(live, nullptr);
    age(live->path());
    fs::path fresh = folder_ / "~Velmora_new001";
    std::ofstream(fresh) << "being made";
    fs::path unrelated = leftover("Velmora_not_a_copy");
    // The user's own files that merely begin like a copy.
    const std::vector<fs::path> lookAlikes = {
        leftover("~Velmora_notes.txt"), leftover("~Velmora_abc12"), leftover("~Velmora_abc1234"),
        leftover("~Velmora_ab-123")};
    fs::path target = leftover("outside.png");
    fs::create_symlink(target, folder_ / "~Velmora_link01");
    fs::path foreign = leftover("~Velmora_other1");
    bool canChown = ::chown(foreign.c_str(), 65534, 65534) == 0 && ::geteuid() == 0;

    EXPECT_EQ(TemporaryFile::removeStale(), canChown ? 1u : 2u);
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(heldElsewhere));
    EXPECT_TRUE(fs::exists(live->path()));
    EXPECT_TRUE(fs::exists(fresh));
    EXPECT_TRUE(fs::exists(unrelated));
    for (const fs::path& path : lookAlikes) {
        EXPECT_TRUE(fs::exists(path)) << path;
    }
    EXPECT_TRUE(fs::exists(target));
    EXPECT_TRUE(fs::is_symlink(folder_ / "~Velmora_link01"));
    EXPECT_EQ(fs::exists(foreign), canChown);

    // Once its holder is gone, a copy is a leftover like any other.
    ::close(holder);
    fs::path livePath = live->path();
    EXPECT_EQ(TemporaryFile::removeStale(), 1u);
    EXPECT_FALSE(fs::exists(heldElsewhere));
    live.reset();
    EXPECT_FALSE(fs::exists(livePath));
}

} // namespace
