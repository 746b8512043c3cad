// Reading schemes all-or-nothing, refusing hostile data, and saving without losing files.
#include "clock/class_registration.h"
#include "clock/clock_hand.h"
#include "clock/scheme_file.h"
#include "memory_settings.h"
#include "model/percent_property.h"
#include "model/string_property.h"
#include "model/utf.h"
#include "resources/default_scheme.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class SchemeFileTest : public testing::Test {
protected:
    static void SetUpTestSuite() { registerSchemeClasses(); }
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("velmora-scheme-test-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    fs::path writeFile(const std::string& name, const Bytes& bytes) {
        fs::path path = folder_ / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    static Bytes fileBytes(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }

    fs::path folder_;
};

// A small scheme: a body with one hand whose end radius is 42.
Bytes smallScheme() {
    Clock clock;
    auto hand = std::make_unique<ClockHand>();
    hand->findChildAs<PercentProperty>(u"End")->setValue(42);
    clock.append(std::move(hand));
    return schemeBytes(clock);
}

struct Builder {
    Bytes bytes;
    Builder& u32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        }
        return *this;
    }
    Builder& astr(const std::string& s) {
        u32(static_cast<std::uint32_t>(s.size()));
        bytes.insert(bytes.end(), s.begin(), s.end());
        return *this;
    }
    Builder& wstr(const std::u16string& s) {
        u32(static_cast<std::uint32_t>(s.size()));
        for (char16_t c : s) {
            bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
            bytes.push_back(static_cast<std::uint8_t>(c >> 8));
        }
        return *this;
    }
    Builder& emptyBase() { return u32(0).u32(0); }
};

struct HostileRow {
    const char* name;
    Bytes bytes;
    const char* reason;
    std::uint64_t offset;
};

class HostileSchemeTest : public SchemeFileTest, public testing::WithParamInterface<HostileRow> {};

TEST_P(HostileSchemeTest, FailsWithReasonAndOffset) {
    ReadError error;
    EXPECT_EQ(readSchemeBytes(GetParam().bytes, &error), nullptr);
    EXPECT_NE(error.reason.find(GetParam().reason), std::string::npos) << error.reason;
    EXPECT_EQ(error.offset, GetParam().offset);
}

Bytes nested(int depth) {
    Builder b;
    b.emptyBase().u32(1);
    for (int i = 0; i < depth; ++i) {
        b.astr("ClockHand").emptyBase().u32(1);
    }
    return b.bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostileSchemeTest,
    testing::Values(
        HostileRow{"Empty", {}, "premature end", 0},
        HostileRow{"UnknownType", Builder().emptyBase().u32(1).astr("Spring").emptyBase().bytes,
                   "unknown type name \"Spring\"", 12},
        HostileRow{"LowerCaseType", Builder().emptyBase().u32(1).astr("clock").emptyBase().bytes,
                   "unknown type name", 12},
        HostileRow{"CountBeyondData", Builder().emptyBase().u32(1000).astr("IntProperty").bytes,
                   "child count larger than the bytes left", 8},
        HostileRow{"HugeCount", Builder().emptyBase().u32(0x7FFFFFFF).bytes,
                   "child count larger than the bytes left", 8},
        HostileRow{"HugeTypeName", Builder().emptyBase().u32(1).u32(0xFFFFFFF0).u32(0).u32(0).bytes,
                   "string length larger than the bytes left", 12},
        HostileRow{"TruncatedValue",
                   Builder().emptyBase().u32(1).astr("IntProperty").emptyBase().bytes,
                   "premature end", 35},
        HostileRow{"TooDeep", nested(70), "nesting deeper than 64", 12 + 64 * 25}),
    [](const auto& info) { return std::string(info.param.name); });

// A chain of hands inside hands below the body, the innermost one empty.
Bytes handChain(int hands) {
    Builder b;
    b.emptyBase().u32(1);
    for (int i = 1; i < hands; ++i) {
        b.astr("ClockHand").emptyBase().u32(1);
    }
    b.astr("ClockHand").emptyBase().u32(0);
    return b.bytes;
}

// Each map ends where its children end: hundreds of maps side by side never add up to the
// nesting limit, only maps inside maps do.
TEST_F(SchemeFileTest, WideSchemesReadAndWriteByteForByte) {
    Clock clock;
    for (int i = 0; i < 300; ++i) {
        auto hand = std::make_unique<ClockHand>();
        hand->findChildAs<PercentProperty>(u"End")->setValue(i % 100);
        clock.append(std::move(hand));
    }
    const Bytes bytes = schemeBytes(clock);
    ReadError error;
    std::unique_ptr<Clock> read = readSchemeBytes(bytes, &error, true);
    ASSERT_NE(read, nullptr) << error.reason << " at " << error.offset;
    EXPECT_EQ(countObjects(*read), countObjects(clock));
    EXPECT_EQ(schemeBytes(*read), bytes);

    const fs::path path = folder_ / "wide.Velmora";
    ASSERT_TRUE(saveSchemeFile(*read, path, nullptr));
    EXPECT_EQ(fileBytes(path), bytes);
    std::unique_ptr<Clock> reread = readSchemeFile(path, &error, true);
    ASSERT_NE(reread, nullptr) << error.reason;
    EXPECT_EQ(schemeBytes(*reread), bytes);
}

TEST_F(SchemeFileTest, NestingIsCountedPerLevelUpToTheLimit) {
    // The body and 63 hands, each holding the next, are 64 levels; the last, empty hand adds none.
    const int deepest = ObjectIStream::kMaxDepth;
    EXPECT_NE(readSchemeBytes(handChain(deepest), nullptr, true), nullptr);
    ReadError error;
    EXPECT_EQ(readSchemeBytes(handChain(deepest + 1), &error, true), nullptr);
    EXPECT_NE(error.reason.find("nesting deeper than 64"), std::string::npos) << error.reason;

    // After many closed levels side by side, a chain to the limit still reads.
    Builder wide;
    wide.emptyBase().u32(401);
    for (int i = 0; i < 400; ++i) {
        wide.astr("ClockHand").emptyBase().u32(1).astr("ClockHand").emptyBase().u32(0);
    }
    const Bytes chain = handChain(deepest);
    wide.bytes.insert(wide.bytes.end(), chain.begin() + 12, chain.end());
    EXPECT_NE(readSchemeBytes(wide.bytes, &error, true), nullptr)
        << error.reason << " at " << error.offset;
}

TEST_F(SchemeFileTest, EveryTruncationFailsAndEveryByteFlipIsHandled) {
    Bytes bytes = smallScheme();
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        ReadError error;
        EXPECT_EQ(readSchemeBytes(std::span(bytes.data(), size), &error), nullptr) << size;
        EXPECT_LE(error.offset, size);
    }
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        Bytes changed = bytes;
        changed[at] ^= 0xFF;
        ReadError error;
        std::unique_ptr<Clock> clock = readSchemeBytes(changed, &error);
        if (clock == nullptr) {
            EXPECT_FALSE(error.reason.empty());
        }
    }
}

TEST_F(SchemeFileTest, TrailingBytesAreRefusedOnlyWhenTheEndIsRequired) {
    Bytes bytes = smallScheme();
    bytes.push_back(0);
    EXPECT_NE(readSchemeBytes(bytes, nullptr), nullptr);
    ReadError error;
    EXPECT_EQ(readSchemeBytes(bytes, &error, true), nullptr);
    EXPECT_EQ(error.offset, bytes.size() - 1);
}

TEST_F(SchemeFileTest, FailedLoadLeavesTheBodyAndTheSettingUntouched) {
    MemorySettings settings;
    std::unique_ptr<Clock> clock = readDefaultScheme();
    Bytes before = schemeBytes(*clock);
    Bytes broken = smallScheme();
    broken.resize(broken.size() - 3);
    ReadError error;
    EXPECT_FALSE(clock->loadSchemeFile(writeFile("broken.Velmora", broken), settings, &error));
    EXPECT_NE(error.reason.find("premature end"), std::string::npos);
    EXPECT_FALSE(clock->loadSchemeFile(folder_ / "missing.Velmora", settings, &error));
    EXPECT_EQ(schemeBytes(*clock), before);
    EXPECT_TRUE(settings.texts.empty());
    EXPECT_TRUE(clock->schemePath().empty());

    fs::path good = writeFile("good.Velmora", smallScheme());
    EXPECT_TRUE(clock->loadSchemeFile(good, settings, &error));
    EXPECT_EQ(clock->schemePath(), good);
    EXPECT_EQ(settings.readText(settings::kSchemeLoaded), fromPath(good));
    ASSERT_EQ(clock->children().size(), 6u);

    Clock other;
    EXPECT_TRUE(other.loadLastScheme(settings));
    EXPECT_EQ(other.schemePath(), good);
}

TEST_F(SchemeFileTest, LastSchemeNamingAFifoOrDeviceFailsAtOnceWithTheReason) {
    fs::path fifo = folder_ / "scheme.fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Without the fix the open waits for a writer for good; the alarm ends such a run.
    ::alarm(20);
    for (const auto& [path, kind] :
         {std::pair<fs::path, std::string>{fifo, "a FIFO"}, {"/dev/null", "a character device"}}) {
        MemorySettings settings;
        settings.writeText(settings::kSchemeLoaded, fromPath(path));
        std::unique_ptr<Clock> clock = readDefaultScheme();
        ReadError error;
        auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(clock->loadLastScheme(settings, &error));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
        EXPECT_EQ(error.reason,
                  "cannot open " + path.string() + ": not a regular file (" + kind + ")");
        EXPECT_EQ(error.offset, 0u);
    }
    ::alarm(0);
}

TEST_F(SchemeFileTest, ReconcilingAddsMissingDropsUnknownAndKeepsElements) {
    Builder b;
    b.emptyBase().u32(3);
    b.astr("PercentProperty").wstr(u"X").u32(38).u32(7);
    b.astr("IntProperty").wstr(u"Old").u32(0).u32(5);
    b.astr("ClockText").emptyBase().u32(1);
    b.astr("StringProperty").wstr(u"Fmt").u32(55).wstr(u"%H");
    fs::path path = writeFile("old.Velmora", b.bytes);
    MemorySettings settings;
    Clock clock;
    ReadError error;
    ASSERT_TRUE(clock.loadSchemeFile(path, settings, &error)) << error.reason;
    std::vector<std::u16string> names;
    for (const auto& child : clock.children()) {
        names.push_back(child->name());
    }
    EXPECT_EQ(names, (std::vector<std::u16string>{u"X", u"", u"AuthorInfo", u"Y", u"SmoothingMode",
                                                  u"BackgroundImage"}));
    EXPECT_EQ(clock.findChildAs<PercentProperty>(u"X")->value(), 7);
    const auto& text = static_cast<const PropertyMap&>(*clock.children()[1]);
    EXPECT_EQ(text.findChildAs<StringProperty>(u"Fmt")->value(), u"%H");
    EXPECT_EQ(text.children().size(), 9u);
}

TEST_F(SchemeFileTest, SavingReplacesAtomicallyAndKeepsTheOldFileOnFailure) {
    fs::path target = writeFile("mine.Velmora", smallScheme());
    std::unique_ptr<Clock> clock = readDefaultScheme();
    std::string error;
    ASSERT_TRUE(saveSchemeFile(*clock, target, &error)) << error;
    EXPECT_EQ(fileBytes(target), Bytes(defaultSchemeBytes().begin(), defaultSchemeBytes().end()));

    // A write that fails halfway (the file size limit stands in for a full disk) must leave
    // the previous file as it was and no temporary file behind.
    fs::path old = writeFile("old.Velmora", smallScheme());
    pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::string childError;
        if (saveSchemeFile(*clock, old, &childError)) {
            ::_exit(0);
        }
        // The message names the reason the system gave.
        ::_exit(childError.find("File too large") != std::string::npos ? 3 : 4);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3);
    EXPECT_EQ(fileBytes(old), smallScheme());
    std::size_t leftovers = 0;
    for (const auto& entry : fs::directory_iterator(folder_)) {
        leftovers += entry.path().filename().string().front() == '.';
    }
    EXPECT_EQ(leftovers, 0u);

    EXPECT_FALSE(saveSchemeFile(*clock, folder_ / "no" / "such" / "folder.Velmora", &error));
    EXPECT_FALSE(error.empty());
}

TEST_F(SchemeFileTest, SavingThroughALinkWritesTheLinkedFile) {
    fs::path real = writeFile("real.Velmora", smallScheme());
    fs::path link = folder_ / "link.Velmora";
    fs::create_symlink(real, link);
    std::unique_ptr<Clock> clock = readDefaultScheme();
    std::string error;
    ASSERT_TRUE(saveSchemeFile(*clock, link, &error)) << error;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fileBytes(real).size(), defaultSchemeBytes().size());

    // A chain of links, relative, ending in a file still to be made in an existing folder.
    fs::create_directories(folder_ / "sub");
    fs::create_symlink("sub/later.Velmora", folder_ / "dangling.Velmora");
    fs::create_symlink("dangling.Velmora", folder_ / "chain.Velmora");
    ASSERT_TRUE(saveSchemeFile(*clock, folder_ / "chain.Velmora", &error)) << error;
    EXPECT_TRUE(fs::is_symlink(folder_ / "chain.Velmora"));
    EXPECT_TRUE(fs::is_symlink(folder_ / "dangling.Velmora"));
    EXPECT_EQ(fileBytes(folder_ / "sub" / "later.Velmora").size(), defaultSchemeBytes().size());

    // A link into a folder that does not exist, and a loop, fail and leave the links.
    fs::create_symlink("none/x.Velmora", folder_ / "nowhere.Velmora");
    EXPECT_FALSE(saveSchemeFile(*clock, folder_ / "nowhere.Velmora", &error));
    EXPECT_TRUE(fs::is_symlink(folder_ / "nowhere.Velmora"));
    fs::create_symlink("loop2.Velmora", folder_ / "loop1.Velmora");
    fs::create_symlink("loop1.Velmora", folder_ / "loop2.Velmora");
    EXPECT_FALSE(saveSchemeFile(*clock, folder_ / "loop1.Velmora", &error));
    EXPECT_NE(error.find("symbolic links"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_symlink(folder_ / "loop1.Velmora"));
}

// A name as long as the file system allows is saved under that name: the temporary beside it
// is the one whose name is shortened, also in the middle of a character, and its stale ones
// are swept by the same short name.
TEST_F(SchemeFileTest, NamesUpToTheFileSystemsLimitAreSaved) {
    const long limit = ::pathconf(folder_.c_str(), _PC_NAME_MAX);
    ASSERT_GT(limit, 20);
    const std::string suffix = ".Velmora";
    std::unique_ptr<Clock> clock = readDefaultScheme();
    // "é" is two bytes: the cut falls inside one for one of the two lengths.
    for (std::size_t pad : {std::size_t{0}, std::size_t{1}}) {
        std::string name(pad, 'k');
        while (name.size() + 2 + suffix.size() <= static_cast<std::size_t>(limit)) {
            name += "\xc3\xa9";
        }
        name += suffix;
        ASSERT_LE(name.size(), static_cast<std::size_t>(limit));
        const fs::path target = folder_ / name;
        std::string error;
        ASSERT_TRUE(saveSchemeFile(*clock, target, &error)) << error;
        EXPECT_EQ(fileBytes(target).size(), defaultSchemeBytes().size());
        ASSERT_TRUE(saveSchemeFile(*clock, target, &error)) << "again, over it: " << error;
        fs::remove(target);
    }
    EXPECT_TRUE(fs::is_empty(folder_)) << "no temporary left behind";
    std::string error;
    EXPECT_FALSE(saveSchemeFile(*clock, folder_ / std::string(limit + 1, 'k'), &error))
        << "a name past the limit is the system's refusal";
    EXPECT_NE(error.find("too long"), std::string::npos) << error;
}

TEST_F(SchemeFileTest, ASaveSweepsOnlyItsOwnStaleTemporaries) {
    const auto aged = [this](const std::string& name) {
        fs::path path = writeFile(name, smallScheme());
        fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(1));
        return path;
    };
    fs::path target = writeFile("mine.Velmora", smallScheme());
    fs::path killed = aged(".mine.Velmora.a1B2c3");
    fs::path held = aged(".mine.Velmora.d4E5f6");
    int holder = ::open(held.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    fs::path recent = writeFile(".mine.Velmora.g7H8i9", smallScheme());
    const std::vector<fs::path> spared = {
        aged(".mine.Velmora.notes"), aged(".mine.Velmora.a1B2c3d"), aged(".mine.Velmora.a1-2c3"),
        aged(".other.Velmora.a1B2c3"), aged("mine.Velmora.a1B2c3")};
    std::unique_ptr<Clock> clock = readDefaultScheme();
    std::string error;
    ASSERT_TRUE(saveSchemeFile(*clock, target, &error)) << error;
    EXPECT_FALSE(fs::exists(killed));
    EXPECT_TRUE(fs::exists(held));
    EXPECT_TRUE(fs::exists(recent));
    for (const fs::path& path : spared) {
        EXPECT_TRUE(fs::exists(path)) << path;
    }
    ::close(holder);
    // The save's own temporary is gone too: only the files above are left.
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder_)) {
        ++files;
    }
    EXPECT_EQ(files, 3 + spared.size());
}

} // namespace
