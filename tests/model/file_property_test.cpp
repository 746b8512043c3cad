// The file property: carried bytes through saving and cloning, and their temporary copies.
#include "clock/class_registration.h"
#include "clock/scheme_file.h"
#include "fake_option_tree.h"
#include "model/file_property.h"
#include "model/utf.h"
#include "tests/scoped_tmpdir.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class FilePropertyTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("velmora-file-test-" + std::to_string(::getpid()));
        fs::create_directories(folder_ / "tmp");
        tmpDir_.emplace((folder_ / "tmp").string());
    }
    void TearDown() override {
        tmpDir_.reset();
        fs::remove_all(folder_);
    }
    fs::path makeFile(const std::string& name, const std::string& bytes) {
        fs::path path = folder_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::size_t temporaryFiles() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_ / "tmp"), {}));
    }
    std::vector<std::uint8_t> written(const FileProperty& property) {
        MemoryByteStream stream;
        ObjectOStreamStd out(stream);
        property.write(out);
        EXPECT_TRUE(out.ok());
        auto bytes = stream.bytes();
        return {bytes.begin(), bytes.end()};
    }

    fs::path folder_;
    std::optional<ScopedTmpDir> tmpDir_;
};

TEST_F(FilePropertyTest, SavedBytesComeBackInANewPrivateTemporaryFile) {
    std::string image("\x89PNG\0\x01\x02", 7);
    fs::path source = makeFile("dial.png", image);
    FileProperty original(u"BackgroundImage", 21, fromPath(source));
    std::vector<std::uint8_t> bytes = written(original);
    // Nothing is copied until the bytes are asked for.
    EXPECT_EQ(temporaryFiles(), 0u);
    EXPECT_EQ(bytes.size(), 4 + 2 * 15 + 4 + 4 + 2 * source.native().size() + 4);

    fs::path temporary = original.temporaryFilePath();
    EXPECT_EQ(temporary.parent_path(), folder_ / "tmp");
    EXPECT_EQ(temporary.filename().string().rfind("~Velmora_", 0), 0u);
    struct stat info {};
    ASSERT_EQ(::stat(temporary.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    bytes = written(original);
    fs::remove(source);
    MemoryByteStream stream(bytes);
    ObjectIStreamStd in(stream);
    FileProperty loaded;
    loaded.read(in);
    ASSERT_FALSE(in.failed()) << in.error().reason;
    EXPECT_EQ(loaded.valueText(), fromPath(source));
    EXPECT_NE(loaded.temporaryFilePath(), temporary);
    EXPECT_EQ(contents(loaded.temporaryFilePath()), image);
}

TEST_F(FilePropertyTest, ClonesOwnTheirFilesAndDeleteThemAlone) {
    FileProperty original(u"BackgroundImage", 21, fromPath(makeFile("a.png", "abc")));
    fs::path mine = original.temporaryFilePath();
    auto first =
        std::unique_ptr<FileProperty>(static_cast<FileProperty*>(original.clone().release()));
    auto second =
        std::unique_ptr<FileProperty>(static_cast<FileProperty*>(original.clone().release()));
    fs::path firstPath = first->temporaryFilePath();
    fs::path secondPath = second->temporaryFilePath();
    EXPECT_NE(firstPath, secondPath);
    EXPECT_NE(firstPath, mine);
    first.reset();
    EXPECT_FALSE(fs::exists(firstPath));
    EXPECT_EQ(contents(secondPath), "abc");
    EXPECT_EQ(contents(mine), "abc");
}

TEST_F(FilePropertyTest, NoFileIsSizeZeroFollowedDirectlyByTheNextObject) {
    FileProperty empty(u"BackgroundImage", 21, u"");
    std::vector<std::uint8_t> bytes = written(empty);
    std::vector<std::uint8_t> tail(bytes.end() - 8, bytes.end());
    EXPECT_EQ(tail, (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 0, 0}));
    // Even once asked for, a missing source gives an empty file and no bytes.
    EXPECT_TRUE(contents(empty.temporaryFilePath()).empty());
    EXPECT_EQ(written(empty), bytes);
}

TEST_F(FilePropertyTest, EditorChoosesNewFilesButNotTheSameOneAgain) {
    fs::path first = makeFile("first.png", "one");
    FileProperty property(u"BackgroundImage", 21, fromPath(first));
    fs::path copy = property.temporaryFilePath();
    FakeTree tree;
    auto* row = static_cast<FakeRow*>(property.createItem(tree, nullptr));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->editorOptions, 0x20400u);
    EXPECT_EQ(row->fileFlags, 0x1800u);
    EXPECT_EQ(row->fileFilter, u"Images|*.png;*.jpg;*.jpeg;*.gif;*.bmp|All files (*.*)|*.*|");
    EXPECT_EQ(row->text(), fromPath(first));

    property.commitItem();
    EXPECT_EQ(property.temporaryFilePath(), copy);
    row->typeText(u"");
    property.commitItem();
    EXPECT_EQ(property.temporaryFilePath(), copy);

    fs::path second = makeFile("second.png", "two");
    row->typeText(fromPath(second));
    property.commitItem();
    EXPECT_FALSE(fs::exists(copy));
    EXPECT_EQ(contents(property.temporaryFilePath()), "two");
    EXPECT_EQ(property.sourcePath(), fromPath(second));

    // A file that cannot be read leaves the new path without bytes, and says so.
    row->typeText(u"/nonexistent/velmora.png");
    property.commitItem();
    EXPECT_EQ(property.sourcePath(), u"/nonexistent/velmora.png");
    EXPECT_FALSE(property.lastError().empty());
    EXPECT_TRUE(contents(property.temporaryFilePath()).empty());
}

TEST_F(FilePropertyTest, RefusesFilesOverTheLimitAndKeepsWhatItHad) {
    FileProperty property(u"BackgroundImage", 21, fromPath(makeFile("small.png", "small")));
    fs::path kept = property.temporaryFilePath();
    fs::path huge = folder_ / "huge.png";
    std::ofstream(huge).close();
    fs::resize_file(huge, FileProperty::kMaxCarriedBytes + 1);
    EXPECT_FALSE(property.chooseSource(fromPath(huge)));
    EXPECT_NE(property.lastError().find("too large"), std::string::npos);
    EXPECT_EQ(property.temporaryFilePath(), kept);
    EXPECT_EQ(contents(kept), "small");
    EXPECT_NE(property.sourcePath(), fromPath(huge));
}

TEST_F(FilePropertyTest, ReadingRefusesSizesBeyondTheData) {
    MemoryByteStream stream;
    ObjectOStreamStd out(stream);
    out.writeWString(u"BackgroundImage");
    out.write32(std::int32_t{21});
    out.writeWString(u"x.png");
    out.write32(std::uint32_t{1000});
    out.writeRaw("abc", 3);
    MemoryByteStream in(stream.bytes());
    ObjectIStreamStd reader(in);
    FileProperty property;
    property.read(reader);
    EXPECT_TRUE(reader.failed());
    EXPECT_EQ(reader.error().offset, 4u + 30 + 4 + 4 + 10);
    EXPECT_EQ(temporaryFiles(), 0u);
}

TEST_F(FilePropertyTest, SpecialFilesAreRefusedAtOnceWithTheirKind) {
    fs::path fifo = folder_ / "image.fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    struct Row {
        fs::path path;
        const char* reason;
    };
    // Opening the FIFO without a writer would wait for good; the alarm ends a hung run.
    ::alarm(20);
    for (const Row& row : {Row{fifo, "not a regular file (a FIFO)"},
                           Row{"/dev/zero", "not a regular file (a character device)"},
                           Row{folder_, "not a regular file (a directory)"}}) {
        SCOPED_TRACE(row.path.string());
        FileProperty property(u"BackgroundImage", 21, u"");
        auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(property.chooseSource(fromPath(row.path)));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
        EXPECT_NE(property.lastError().find(row.reason), std::string::npos) << property.lastError();
        EXPECT_TRUE(contents(property.temporaryFilePath()).empty());

        FileByteStream stream(row.path, FileByteStream::Mode::Read);
        EXPECT_FALSE(stream.isOpen());
        EXPECT_EQ(stream.openError(), row.reason);
    }
    ::alarm(0);
}

TEST_F(FilePropertyTest, ReadingAndCloningASchemeMakeNoTemporaryFileUntilAPathIsAsked) {
    registerSchemeClasses();
    std::string image("\x89PNG\0\x03\x04", 7);
    Clock clock;
    auto* file = clock.findChildAs<FileProperty>(u"BackgroundImage");
    ASSERT_NE(file, nullptr);
    ASSERT_TRUE(file->carryFile(u"/pictures/dial.png", makeFile("dial.png", image)));
    std::vector<std::uint8_t> scheme = schemeBytes(clock);

    ReadError error;
    std::unique_ptr<Clock> loaded = readSchemeBytes(scheme, &error);
    ASSERT_NE(loaded, nullptr) << error.reason;
    std::unique_ptr<Clock> copy = loaded->cloneClock();
    auto* loadedFile = loaded->findChildAs<FileProperty>(u"BackgroundImage");
    EXPECT_EQ(std::string(loadedFile->bytes().begin(), loadedFile->bytes().end()), image);
    EXPECT_EQ(schemeBytes(*copy), scheme);
    EXPECT_EQ(temporaryFiles(), 0u);

    fs::path path = loadedFile->temporaryFilePath();
    EXPECT_EQ(loadedFile->temporaryFilePath(), path);
    EXPECT_EQ(temporaryFiles(), 1u);
    EXPECT_EQ(contents(path), image);
}

TEST_F(FilePropertyTest, OnlyBytesThatLastAsLongAsTheProgramAreKeptWithoutACopy) {
    FileProperty original(u"BackgroundImage", 21, u"");
    ASSERT_TRUE(original.carryBytes(u"/pictures/dial.png", std::vector<std::uint8_t>{1, 2, 3, 4}));
    const std::vector<std::uint8_t> record = written(original);
    const auto within = [](std::span<const std::uint8_t> part, std::span<const std::uint8_t> all) {
        return part.data() >= all.data() && part.data() + part.size() <= all.data() + all.size();
    };

    for (auto lifetime :
         {MemoryByteStream::Lifetime::Stream, MemoryByteStream::Lifetime::Program}) {
        std::vector<std::uint8_t> buffer = record;
        MemoryByteStream stream(buffer, lifetime);
        ObjectIStreamStd in(stream);
        FileProperty read;
        read.read(in);
        ASSERT_FALSE(in.failed()) << in.error().reason;
        EXPECT_EQ(stream.remaining(), 0u);
        EXPECT_EQ(within(read.bytes(), buffer), lifetime == MemoryByteStream::Lifetime::Program);

        std::unique_ptr<Property> clone = read.clone();
        auto& copy = static_cast<FileProperty&>(*clone);
        EXPECT_EQ(copy.bytes().data(), read.bytes().data());
        EXPECT_EQ(written(copy), record);
        EXPECT_EQ(written(read), record);
        EXPECT_EQ(contents(read.temporaryFilePath()), std::string("\x01\x02\x03\x04"));
    }

    // A size beyond what remains is not lent; the reader fails as for any short scheme.
    std::vector<std::uint8_t> cut(record.begin(), record.end() - 1);
    MemoryByteStream stream(cut, MemoryByteStream::Lifetime::Program);
    EXPECT_TRUE(stream.lendLasting(cut.size() + 1).empty());
    EXPECT_EQ(stream.position(), 0u);
    ObjectIStreamStd in(stream);
    FileProperty read;
    read.read(in);
    EXPECT_TRUE(in.failed());
}

TEST_F(FilePropertyTest, SavingWritesTheCarriedBytesWhateverBecameOfTheTemporaryCopy) {
    FileProperty property(u"BackgroundImage", 21, fromPath(makeFile("a.png", "abcdef")));
    fs::path copy = property.temporaryFilePath();
    std::vector<std::uint8_t> record = written(property);
    fs::resize_file(copy, 3);
    EXPECT_EQ(written(property), record);
    fs::remove(copy);
    EXPECT_EQ(written(property), record);
    EXPECT_EQ(std::string(property.bytes().begin(), property.bytes().end()), "abcdef");
}

TEST_F(FilePropertyTest, WithoutATemporaryFolderSchemesStillReadCloneAndSaveUnchanged) {
    std::string image("\x89PNG\0\x05\x06", 7);
    fs::path source = makeFile("dial.png", image);
    FileProperty original(u"BackgroundImage", 21, fromPath(source));
    ASSERT_FALSE(original.temporaryFilePath().empty());
    std::vector<std::uint8_t> record = written(original);

    ::chmod((folder_ / "tmp").c_str(), 0500);
    // Root writes into read-only folders; /proc takes no new files from anyone.
    if (TemporaryFile::create(nullptr) != nullptr) {
        ::setenv("TMPDIR", "/proc", 1);
    }
    ASSERT_EQ(TemporaryFile::create(nullptr), nullptr);

    MemoryByteStream stream(record);
    ObjectIStreamStd in(stream);
    FileProperty loaded;
    loaded.read(in);
    ASSERT_FALSE(in.failed()) << in.error().reason;
    EXPECT_EQ(stream.remaining(), 0u);
    EXPECT_EQ(std::string(loaded.bytes().begin(), loaded.bytes().end()), image);
    EXPECT_TRUE(loaded.temporaryFilePath().empty());
    EXPECT_NE(loaded.lastError().find("cannot create a temporary file"), std::string::npos)
        << loaded.lastError();
    EXPECT_EQ(written(loaded), record);
    std::unique_ptr<Property> copy = loaded.clone();
    EXPECT_EQ(written(static_cast<FileProperty&>(*copy)), record);

    // Choosing, carrying and reading from a source path need no temporary folder either.
    FileProperty chosen(u"BackgroundImage", 21, u"");
    EXPECT_TRUE(chosen.chooseSource(fromPath(source))) << chosen.lastError();
    EXPECT_EQ(written(chosen), record);
    FileProperty carried(u"BackgroundImage", 21, u"");
    EXPECT_TRUE(carried.carryBytes(fromPath(source), loaded.bytes()));
    EXPECT_EQ(written(carried), record);
    FileProperty lazy(u"BackgroundImage", 21, fromPath(source));
    EXPECT_TRUE(lazy.temporaryFilePath().empty());
    EXPECT_EQ(lazy.bytes().size(), image.size());
    EXPECT_FALSE(chosen.chooseSource(u"/nonexistent/velmora.png"));
    EXPECT_TRUE(chosen.bytes().empty());

    // Once the folder is usable again, the next ask makes the copy.
    ::chmod((folder_ / "tmp").c_str(), 0700);
    ::setenv("TMPDIR", (folder_ / "tmp").c_str(), 1);
    EXPECT_EQ(contents(loaded.temporaryFilePath()), image);
}

TEST_F(FilePropertyTest, ReadingTakesCarriedFilesUpToTheLimitThatChoosingHas) {
    for (std::uint64_t size :
         {FileProperty::kMaxCarriedBytes, FileProperty::kMaxCarriedBytes + 1}) {
        SCOPED_TRACE(size);
        MemoryByteStream stream;
        ObjectOStreamStd out(stream);
        out.writeWString(u"BackgroundImage");
        out.write32(std::int32_t{21});
        out.writeWString(u"x.png");
        out.write32(static_cast<std::uint32_t>(size));
        const std::vector<std::uint8_t> zeros(static_cast<std::size_t>(size));
        out.writeRaw(zeros.data(), zeros.size());
        MemoryByteStream bytes(stream.bytes());
        ObjectIStreamStd reader(bytes);
        FileProperty property;
        property.read(reader);
        if (size <= FileProperty::kMaxCarriedBytes) {
            ASSERT_FALSE(reader.failed()) << reader.error().reason;
            EXPECT_EQ(property.bytes().size(), size);
        } else {
            EXPECT_TRUE(reader.failed());
            EXPECT_NE(reader.error().reason.find("too large"), std::string::npos);
            EXPECT_EQ(reader.error().offset, 4u + 30 + 4 + 4 + 10);
            EXPECT_EQ(temporaryFiles(), 0u);
        }
    }
}

} // namespace
