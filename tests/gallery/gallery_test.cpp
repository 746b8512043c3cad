// The example schemes as users get them: each reads, writes back unchanged and draws as its
// reference picture; the thumbnailer entry and the MIME type that let file managers show them.
#include "../pixel_compare.h"
#include "../tools/tool_test.h"

#include <QFile>
#include <QImage>
#include <QMimeDatabase>
#include <QRect>
#include <QTextStream>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <sstream>

namespace {

const std::string kGallery = VELMORA_GALLERY_DIR;
const std::string kSource = VELMORA_SOURCE_DIR;

// The showcase moment and zones of the docs' pictures, so the references match them.
const std::string kMoment = " --utc 2026-12-07T10:08:30";
const std::string kZones = " --zone 0=UTC --zone 1=America/New_York --zone 2=Europe/Berlin"
                           " --zone 3=Asia/Tokyo --zone 4=Australia/Sydney";

struct SchemeRow {
    const char* name;
    const char* file;
    int width;
    int height;
};

std::string schemePath(const char* file) {
    return kGallery + "/" + file + ".Velmora";
}

QImage loadArgb(const std::string& path) {
    return QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_ARGB32);
}

class GallerySchemeTest : public ToolTest, public testing::WithParamInterface<SchemeRow> {};

TEST_P(GallerySchemeTest, PassesCheckAndRoundTripsByteForByte) {
    const std::string scheme = schemePath(GetParam().file);
    ToolRun check = tool("check " + scheme);
    ASSERT_EQ(check.status, 0) << check.err;
    EXPECT_EQ(check.out.rfind("ok: ", 0), 0u) << check.out;
    ASSERT_EQ(tool("roundtrip " + scheme + " " + path("again.Velmora")).status, 0);
    const std::string original = read(scheme);
    EXPECT_GT(original.size(), 1000u);
    EXPECT_TRUE(read(path("again.Velmora")) == original);
}

// Regenerate the references with scripts/regenerate-gallery after a deliberate change.
TEST_P(GallerySchemeTest, DrawsItsReferencePicture) {
    const SchemeRow& row = GetParam();
    const std::string size =
        " --size " + std::to_string(row.width) + "x" + std::to_string(row.height);
    ToolRun run = tool("render --scheme " + schemePath(row.file) + kMoment + kZones + size +
                       " --out " + path("frame.png"));
    ASSERT_EQ(run.status, 0) << run.err;
    QImage frame = loadArgb(path("frame.png"));
    QImage golden = loadArgb(kSource + "/tests/data/golden/gallery_" + row.name + ".png");
    ASSERT_FALSE(golden.isNull()) << row.name;
    ASSERT_EQ(frame.size(), golden.size());
    // Antialiasing and font hinting may differ a little between machines; a moved hand, a
    // missing element or another text would not.
    EXPECT_LT(differentPixels(frame, golden, 16), frame.width() * frame.height() / 500);
    // A reference that is all transparent would let a scheme that draws nothing pass.
    int painted = 0;
    for (int y = 0; y < golden.height(); ++y) {
        for (int x = 0; x < golden.width(); ++x) {
            painted += qAlpha(golden.pixel(x, y)) != 0 ? 1 : 0;
        }
    }
    EXPECT_GT(painted, golden.width() * golden.height() / 100);
}

INSTANTIATE_TEST_SUITE_P(Gallery, GallerySchemeTest,
                         testing::Values(SchemeRow{"station", "Station", 200, 200},
                                         SchemeRow{"rings", "Rings", 200, 200},
                                         SchemeRow{"world", "World", 200, 200},
                                         SchemeRow{"digital", "Digital", 200, 100},
                                         SchemeRow{"night", "Night", 200, 200},
                                         SchemeRow{"minimal", "Minimal", 200, 200}),
                         [](const auto& info) { return std::string(info.param.name); });

class WorldSchemeTest : public ToolTest {
protected:
    QImage renderWorld(const std::string& zones, const std::string& name) {
        ToolRun run = tool("render --scheme " + schemePath("World") + kMoment + zones +
                           " --size 200x200 --out " + path(name));
        EXPECT_EQ(run.status, 0) << run.err;
        return loadArgb(path(name));
    }
};

QRect changedBox(const QImage& a, const QImage& b) {
    QRect box;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

// With every slot on one zone, moving slot k alone to another zone changes its own cell of the
// board and nothing else: so four slots holding four zones show four zones, one per cell.
TEST_F(WorldSchemeTest, EachUserSlotDrivesItsOwnCell) {
    const std::string same = " --zone 0=UTC --zone 1=UTC --zone 2=UTC --zone 3=UTC --zone 4=UTC";
    QImage base = renderWorld(same, "base.png");
    // The board's cells in a 200 x 200 frame: two columns, two rows below the local time.
    const QRect cells[4] = {QRect(12, 114, 84, 34), QRect(104, 114, 84, 34), QRect(12, 153, 84, 34),
                            QRect(104, 153, 84, 34)};
    for (int slot = 1; slot <= 4; ++slot) {
        const std::string zones = same + " --zone " + std::to_string(slot) + "=Asia/Kolkata";
        QImage moved = renderWorld(zones, "slot" + std::to_string(slot) + ".png");
        QRect box = changedBox(base, moved);
        EXPECT_FALSE(box.isEmpty()) << "slot " << slot;
        EXPECT_TRUE(cells[slot - 1].contains(box)) << "slot " << slot;
    }
    // Four zones of four different offsets: every cell differs from the all-UTC board.
    QImage four = renderWorld(kZones, "four.png");
    for (const QRect& cell : cells) {
        EXPECT_NE(base.copy(cell), four.copy(cell));
    }
}

// The thumbnailer's command line as a file manager runs it: %i the scheme, %s the size,
// %o the picture.
std::vector<std::string> thumbnailerArgs(const std::string& input, int size,
                                         const std::string& output) {
    QFile entry(QString::fromStdString(kSource + "/packaging/velmora.thumbnailer"));
    EXPECT_TRUE(entry.open(QIODevice::ReadOnly));
    QString exec;
    QTextStream lines(&entry);
    while (!lines.atEnd()) {
        QString line = lines.readLine();
        if (line.startsWith(QStringLiteral("Exec="))) {
            exec = line.mid(5);
        }
    }
    std::vector<std::string> args;
    std::istringstream words(exec.toStdString());
    for (std::string word; words >> word;) {
        std::string expanded;
        for (std::size_t i = 0; i < word.size(); ++i) {
            if (word[i] == '%' && i + 1 < word.size()) {
                char code = word[++i];
                expanded += code == 'i'   ? input
                            : code == 's' ? std::to_string(size)
                            : code == 'o' ? output
                                          : std::string(1, code);
            } else {
                expanded += word[i];
            }
        }
        args.push_back(expanded);
    }
    return args;
}

class ThumbnailerTest : public ToolTest {
protected:
    // Runs the entry's command with the built tool; returns the run and how long it took.
    std::pair<ToolRun, double> thumbnail(const std::string& input, int size) {
        std::vector<std::string> args = thumbnailerArgs(input, size, path("thumb.png"));
        EXPECT_FALSE(args.empty());
        EXPECT_EQ(args.front(), "velmora-tool");
        std::string command;
        for (std::size_t i = 1; i < args.size(); ++i) {
            command += "'" + args[i] + "' ";
        }
        auto start = std::chrono::steady_clock::now();
        ToolRun run = tool(command);
        std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        return {run, took.count()};
    }
    int timeLimit() {
        std::vector<std::string> args = thumbnailerArgs("in", 1, "out");
        auto flag = std::find(args.begin(), args.end(), "--time-limit");
        return flag != args.end() && flag + 1 != args.end() ? std::stoi(*(flag + 1)) : 0;
    }
};

TEST_F(ThumbnailerTest, DrawsAValidSchemeAtTheRequestedSize) {
    for (int size : {128, 256}) {
        auto [run, took] = thumbnail(schemePath("Rings"), size);
        ASSERT_EQ(run.status, 0) << run.err;
        QImage picture(QString::fromStdString(path("thumb.png")));
        EXPECT_EQ(picture.size(), QSize(size, size));
        EXPECT_TRUE(picture.hasAlphaChannel());
        EXPECT_GT(qAlpha(picture.pixel(size / 2, size / 2)), 200);
        EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);
    }
}

// Writers of the scheme format, for schemes no tool would make.
void putU32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out += static_cast<char>(value >> (8 * i) & 0xFF);
    }
}
void putAscii(std::string& out, const std::string& text) {
    putU32(out, static_cast<std::uint32_t>(text.size()));
    out += text;
}
void putWide(std::string& out, const std::string& ascii) {
    putU32(out, static_cast<std::uint32_t>(ascii.size()));
    for (char c : ascii) {
        out += c;
        out += '\0';
    }
}

// Tens of thousands of large texts, each hundreds of characters long: valid, but drawing it
// takes far longer than any preview may.
std::string slowScheme() {
    std::string text;
    putAscii(text, "ClockText");
    putWide(text, "");
    putU32(text, 0);
    putU32(text, 2);
    putAscii(text, "StringProperty");
    putWide(text, "Fmt");
    putU32(text, 55);
    std::string format;
    for (int i = 0; i < 40; ++i) {
        format += "%c";
    }
    putWide(text, format);
    putAscii(text, "PercentProperty");
    putWide(text, "FontSize");
    putU32(text, 64);
    putU32(text, 100);
    constexpr int kTexts = 60000;
    std::string scheme;
    putWide(scheme, "");
    putU32(scheme, 0);
    putU32(scheme, kTexts);
    for (int i = 0; i < kTexts; ++i) {
        scheme += text;
    }
    return scheme;
}

// A preview of a bad file must fail (so the file manager shows its generic icon), leave no
// picture behind and never outlast the entry's time limit.
TEST_F(ThumbnailerTest, FailsCleanlyOnTruncatedAndHostileSchemes) {
    const int limit = timeLimit();
    ASSERT_GT(limit, 0) << "the thumbnailer entry sets no --time-limit";
    ASSERT_LE(limit, 10) << "a preview should not take longer than that";

    std::string station = read(schemePath("Station"));
    write("truncated.Velmora", station.substr(0, station.size() / 2));
    write("header.Velmora", station.substr(0, 30));
    std::string hugeCount;
    putWide(hugeCount, "Clock");
    putU32(hugeCount, 43);
    putU32(hugeCount, 0x7FFFFFFF);
    write("count.Velmora", hugeCount);
    for (const char* name : {"truncated.Velmora", "header.Velmora", "count.Velmora"}) {
        fs::remove(path("thumb.png"));
        auto [run, took] = thumbnail(path(name), 128);
        EXPECT_EQ(run.status, 1) << name;
        EXPECT_NE(run.err.find("velmora-tool: "), std::string::npos) << name;
        EXPECT_FALSE(fs::exists(path("thumb.png"))) << name;
        EXPECT_LT(took, limit) << name;
    }

    write("slow.Velmora", slowScheme());
    ASSERT_EQ(tool("check " + path("slow.Velmora")).status, 0) << "the scheme itself is valid";
    auto [run, took] = thumbnail(path("slow.Velmora"), 256);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("time limit"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(path("thumb.png")));
    EXPECT_LT(took, limit + 3.0);
}

// The MIME data, compiled as a desktop would, recognises schemes by name and by their bytes.
TEST(SchemeMimeTypeTest, RecognisesSchemesByNameAndByTheirFirstBytes) {
    fs::path root = fs::temp_directory_path() / ("velmora-mime-test-" + std::to_string(::getpid()));
    fs::create_directories(root / "mime" / "packages");
    fs::copy_file(kSource + "/packaging/velmora-mime.xml", root / "mime/packages/velmora.xml");
    ASSERT_EQ(std::system(("update-mime-database " + (root / "mime").string()).c_str()), 0);
    ::setenv("XDG_DATA_DIRS", (root.string() + ":/usr/share").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (root / "home").c_str(), 1);

    // The built-in scheme has an empty root name, the gallery's the name a saved scheme has.
    std::string builtIn = (root / "builtin.bin").string();
    ASSERT_EQ(std::system(("'" VELMORA_TOOL "' dump --with-data --default > " +
                           (root / "builtin.json").string() + " && '" VELMORA_TOOL "' build " +
                           (root / "builtin.json").string() + " " + builtIn)
                              .c_str()),
              0);
    fs::copy_file(schemePath("World"), root / "renamed.bin");
    std::ofstream(root / "zeros.bin", std::ios::binary) << std::string(64, '\0');
    std::ofstream(root / "empty.Velmora", std::ios::binary);

    QMimeDatabase mime;
    const QString scheme = QStringLiteral("application/x-velmora-scheme");
    auto typeOf = [&](const char* name) {
        return mime.mimeTypeForFile(QString::fromStdString((root / name).string())).name();
    };
    EXPECT_EQ(typeOf("renamed.bin"), scheme);
    EXPECT_EQ(typeOf("builtin.bin"), scheme);
    EXPECT_EQ(typeOf("empty.Velmora"), scheme);
    EXPECT_NE(typeOf("zeros.bin"), scheme);
    fs::remove_all(root);
}

} // namespace
