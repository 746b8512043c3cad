// velmora-tool's scheme commands, run as a user would run them.
#include "../image_bombs.h"
#include "tool_test.h"

#include <chrono>
#include <cstdlib>
#include <sys/stat.h>

namespace {

class SchemeCommandsTest : public ToolTest {};

TEST_F(SchemeCommandsTest, DefaultSchemeGoesThroughJsonAndBackUnchanged) {
    ToolRun dump = tool("dump --with-data --default");
    ASSERT_EQ(dump.status, 0) << dump.err;
    write("default.json", dump.out);
    ToolRun build = tool("build " + path("default.json") + " " + path("built.Velmora"));
    ASSERT_EQ(build.status, 0) << build.err;
    ToolRun roundtrip = tool("roundtrip " + path("built.Velmora") + " " + path("again.Velmora"));
    ASSERT_EQ(roundtrip.status, 0) << roundtrip.err;
    EXPECT_EQ(read(path("built.Velmora")), read(path("again.Velmora")));
    ToolRun redump = tool("dump --with-data " + path("again.Velmora"));
    EXPECT_EQ(redump.out, dump.out);

    ToolRun check = tool("check " + path("built.Velmora"));
    EXPECT_EQ(check.status, 0);
    std::string size = std::to_string(fs::file_size(path("built.Velmora")));
    EXPECT_EQ(check.out, "ok: 105 objects, " + size + " bytes\n");
}

// A well-formed file is still valid with an image the clock would refuse: a warning says so,
// unless asked to be strict.
TEST_F(SchemeCommandsTest, CheckWarnsOfEachImageThatCannotBeShown) {
    const QByteArray bomb = image_bombs::jpegScanBomb(5600, 20000);
    const std::string bombScheme = schemeWithBackground("bomb", bomb.toStdString());
    const auto start = std::chrono::steady_clock::now();
    ToolRun check = tool("check " + bombScheme);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(check.status, 0);
    EXPECT_EQ(check.out.rfind("ok: 2 objects, ", 0), 0u) << check.out;
    // The repeats and the scans Qt wrote itself.
    const std::string reason = ": BackgroundImage: the image cannot be shown: over the size limit: "
                               "5600 x 5600 pixels in 200";
    EXPECT_EQ(check.err.rfind("warning: " + bombScheme + reason, 0), 0u) << check.err;
    EXPECT_TRUE(check.err.ends_with(" scans\n")) << check.err;
    ToolRun strict = tool("check --strict " + bombScheme);
    EXPECT_EQ(strict.status, 1);
    EXPECT_EQ(strict.out, "");
    EXPECT_EQ(strict.err.rfind("velmora-tool: " + bombScheme + reason, 0), 0u) << strict.err;

    const std::string textScheme = schemeWithBackground("text", "no picture here");
    EXPECT_NE(tool("check " + textScheme)
                  .err.find("BackgroundImage: the image cannot be shown: "
                            "not an image"),
              std::string::npos);
    const QByteArray good = image_bombs::encoded(image_bombs::gradient(8, 8), "png");
    const std::string goodScheme = schemeWithBackground("good", good.toStdString());
    ToolRun fine = tool("check --strict " + goodScheme);
    EXPECT_EQ(fine.status, 0);
    EXPECT_EQ(fine.err, "");
    EXPECT_EQ(tool("check --strict").status, 2);
    EXPECT_EQ(tool("check --strict a b").status, 2);
}

// Up to ten thousand elements a scheme is drawn each second; more are drawn less often, and
// check says so, as an error when strict.
TEST_F(SchemeCommandsTest, CheckWarnsOfMoreElementsThanAreDrawnEachSecond) {
    const auto scheme = [&](int elements) {
        std::string json = R"({"type": "Clock", "name": "Clock", "textId": 43, "children": [)";
        for (int i = 0; i < elements; ++i) {
            json += std::string(i > 0 ? "," : "") +
                    R"({"type": "ClockText", "name": "ClockText", "textId": 62, "children": []})";
        }
        json += "]}";
        const std::string name = "texts" + std::to_string(elements);
        write(name + ".json", json);
        EXPECT_EQ(tool("build " + path(name + ".json") + " " + path(name + ".Velmora")).status, 0);
        return path(name + ".Velmora");
    };
    const std::string enough = scheme(10000);
    ToolRun fine = tool("check --strict " + enough);
    EXPECT_EQ(fine.status, 0);
    EXPECT_EQ(fine.err, "");
    const std::string many = scheme(10001);
    ToolRun check = tool("check " + many);
    EXPECT_EQ(check.status, 0);
    EXPECT_EQ(check.out.rfind("ok: 10002 objects, ", 0), 0u) << check.out;
    EXPECT_EQ(check.err, "warning: " + many +
                             ": 10001 elements, more than 10000: a frame of them takes long, "
                             "and the clock draws them less often than every second\n");
    ToolRun strict = tool("check --strict " + many);
    EXPECT_EQ(strict.status, 1);
    EXPECT_NE(strict.err.find("10001 elements, more than 10000"), std::string::npos);
}

// Without a usable temporary folder the carried bytes stay in memory; dump still has them.
TEST_F(SchemeCommandsTest, DumpKeepsCarriedBytesWithoutATemporaryFolder) {
    ToolRun normal = tool("dump --with-data --default");
    ToolRun withoutTemp = tool("dump --with-data --default", "TMPDIR=/proc ");
    ASSERT_EQ(withoutTemp.status, 0) << withoutTemp.err;
    EXPECT_EQ(withoutTemp.out, normal.out);
}

TEST_F(SchemeCommandsTest, JsonKeepsEveryCodeUnitAndCarriedFilesFromDisk) {
    write("image.bin", std::string("\x00\x01\xff", 3));
    write("odd.json", R"({"type": "Clock", "name": "\ud800x\udc00\u00e9\ud83d\ude00", "textId": -5,
        "children": [
          {"type": "FileProperty", "name": "BackgroundImage", "textId": 21,
           "sourcePath": "C:\\art\\image.bin", "size": 3, "dataFile": "image.bin"},
          {"type": "ColorProperty", "name": "Color", "textId": 0, "value": "#80ff6820"},
          {"type": "FontFamilyProperty", "name": "F", "textId": 63, "family": "No Such Font"},
          {"type": "ClockHand", "name": "", "textId": 0, "children": []}]})");
    ToolRun build = tool("build " + path("odd.json") + " " + path("odd.Velmora"));
    ASSERT_EQ(build.status, 0) << build.err;
    ToolRun dump = tool("dump " + path("odd.Velmora"));
    ASSERT_EQ(dump.status, 0) << dump.err;
    EXPECT_NE(dump.out.find(R"("name": "\ud800x\udc00é😀")"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find(R"("textId": -5)"), std::string::npos);
    EXPECT_NE(dump.out.find(R"("value": "#80FF6820")"), std::string::npos);
    EXPECT_NE(dump.out.find(R"("family": "No Such Font")"), std::string::npos);
    EXPECT_NE(
        dump.out.find(
            R"("sha256": "26a66b061e8f48f39927c312f25293959729eee95978e2892d49d3512a5cc092")"),
        std::string::npos);
    EXPECT_NE(dump.out.find(R"("size": 3)"), std::string::npos);
    EXPECT_EQ(dump.out.find("dataBase64"), std::string::npos);
}

struct FailureRow {
    const char* name;
    const char* json;
    const char* message;
};

class BuildFailureTest : public SchemeCommandsTest,
                         public testing::WithParamInterface<FailureRow> {};

TEST_P(BuildFailureTest, RefusesWithOneLineAndStatusOne) {
    write("bad.json", GetParam().json);
    write("out.Velmora", "previous");
    ToolRun build = tool("build " + path("bad.json") + " " + path("out.Velmora"));
    EXPECT_EQ(build.status, 1);
    EXPECT_EQ(build.err.rfind("velmora-tool: " + path("bad.json") + ": ", 0), 0u) << build.err;
    EXPECT_NE(build.err.find(GetParam().message), std::string::npos) << build.err;
    EXPECT_EQ(std::count(build.err.begin(), build.err.end(), '\n'), 1);
    EXPECT_EQ(read(path("out.Velmora")), "previous");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BuildFailureTest,
    testing::Values(
        FailureRow{"NotJson", "{", "line 1"},
        FailureRow{"RootNotClock",
                   R"({"type": "ClockHand", "name": "", "textId": 0, "children": []})", "root"},
        FailureRow{
            "UnknownType",
            R"({"type": "Clock", "name": "", "textId": 0, "children": [{"type": "Spring", "name": "", "textId": 0}]})",
            "unknown type name"},
        FailureRow{
            "ValueOutOfRange",
            R"({"type": "Clock", "name": "", "textId": 0, "children": [{"type": "IntProperty", "name": "", "textId": 0, "value": 2147483648}]})",
            "/Clock/IntProperty"},
        FailureRow{
            "BadColour",
            R"({"type": "Clock", "name": "", "textId": 0, "children": [{"type": "ColorProperty", "name": "", "textId": 0, "value": "#FFF"}]})",
            "#AARRGGBB"},
        FailureRow{"UnexpectedKey",
                   R"({"type": "Clock", "name": "", "textId": 0, "children": [], "colour": 1})",
                   "unexpected key"},
        FailureRow{
            "MissingBytes",
            R"({"type": "Clock", "name": "", "textId": 0, "children": [{"type": "FileProperty", "name": "", "textId": 0, "sourcePath": "", "size": 9}]})",
            "--with-data"},
        FailureRow{
            "WrongHash",
            R"({"type": "Clock", "name": "", "textId": 0, "children": [{"type": "FileProperty", "name": "", "textId": 0, "sourcePath": "", "size": 1, "sha256": "00", "dataBase64": "AA=="}]})",
            "sha256"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SchemeCommandsTest, CheckRefusesAFifoAtOnce) {
    std::string fifo = path("scheme.fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // The timeout only keeps a hanging tool from hanging the test run.
    std::string command =
        "timeout 10 " + std::string(VELMORA_TOOL) + " check " + fifo + " 2>" + path("stderr.txt");
    int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(read(path("stderr.txt")), "velmora-tool: " + fifo + ": cannot open " + fifo +
                                            ": not a regular file (a FIFO) (at byte 0)\n");
}

// A chain of hands nested down to the given level, the innermost holding inner.
std::string nestedHands(int level, int deepest, const std::string& inner) {
    std::string children = level == deepest ? inner : nestedHands(level + 1, deepest, inner);
    std::string type = level == 0 ? "Clock" : "ClockHand";
    return R"({"type": ")" + type + R"(", "name": "", "textId": 0, "children": [)" + children +
           "]}";
}

void patch32(std::string& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<char>(value >> (8 * i));
    }
}

TEST_F(SchemeCommandsTest, WhatReadsAtTheNestingLimitBuildsAndWhatDoesNotIsRefusedByBoth) {
    // An empty map may sit at level 64, below the deepest map that has children.
    write("deep.json", nestedHands(0, 64, ""));
    ToolRun build = tool("build " + path("deep.json") + " " + path("deep.Velmora"));
    ASSERT_EQ(build.status, 0) << build.err;
    ASSERT_EQ(tool("check " + path("deep.Velmora")).status, 0);
    ToolRun dump = tool("dump " + path("deep.Velmora"));
    ASSERT_EQ(dump.status, 0) << dump.err;
    write("again.json", dump.out);
    ASSERT_EQ(tool("build " + path("again.json") + " " + path("again.Velmora")).status, 0);
    EXPECT_EQ(read(path("again.Velmora")), read(path("deep.Velmora")));

    const std::string child = R"({"type": "IntProperty", "name": "", "textId": 0, "value": 1})";
    write("deeper.json", nestedHands(0, 64, child));
    build = tool("build " + path("deeper.json") + " " + path("deeper.Velmora"));
    EXPECT_EQ(build.status, 1);
    EXPECT_NE(build.err.find("nesting deeper than 64 levels"), std::string::npos) << build.err;
    // The same scheme as bytes: the innermost map's count (the file's last four bytes) made
    // one, then the child.
    std::string bytes = read(path("deep.Velmora"));
    patch32(bytes, bytes.size() - 4, 1);
    std::string record(4 + 11 + 4 + 4 + 4, '\0');
    patch32(record, 0, 11);
    record.replace(4, 11, "IntProperty");
    bytes += record;
    write("deeper.Velmora", bytes);
    ToolRun check = tool("check " + path("deeper.Velmora"));
    EXPECT_EQ(check.status, 1);
    EXPECT_NE(check.err.find("nesting deeper than 64 levels"), std::string::npos) << check.err;
}

TEST_F(SchemeCommandsTest, CarriedFilesReadAndBuildUpToTheSameSize) {
    constexpr std::uint64_t kLimit = 64ull << 20;
    for (std::uint64_t size : {kLimit, kLimit + 1}) {
        write("image.bin", "");
        fs::resize_file(path("image.bin"), size);
        write("big.json", R"({"type": "Clock", "name": "", "textId": 0, "children": [
            {"type": "FileProperty", "name": "BackgroundImage", "textId": 21,
             "sourcePath": "image.bin", "size": )" +
                              std::to_string(size) + R"(, "dataFile": "image.bin"}]})");
        ToolRun build = tool("build " + path("big.json") + " " + path("big.Velmora"));
        if (size > kLimit) {
            EXPECT_EQ(build.status, 1);
            EXPECT_NE(build.err.find("too large"), std::string::npos) << build.err;
            continue;
        }
        ASSERT_EQ(build.status, 0) << build.err;
        EXPECT_EQ(tool("check " + path("big.Velmora")).status, 0);
        // One byte more in the scheme itself: the carried file ends the file, its size just
        // before it.
        std::string bytes = read(path("big.Velmora"));
        patch32(bytes, bytes.size() - size - 4, static_cast<std::uint32_t>(size + 1));
        bytes += '\0';
        write("bigger.Velmora", bytes);
        ToolRun check = tool("check " + path("bigger.Velmora"));
        EXPECT_EQ(check.status, 1);
        EXPECT_NE(check.err.find("too large"), std::string::npos) << check.err;
    }
}

TEST_F(SchemeCommandsTest, ReportsBrokenSchemesAndUsage) {
    write("short.Velmora", std::string("\0\0\0\0\0\0\0\0\x01\0\0\0", 12));
    ToolRun check = tool("check " + path("short.Velmora"));
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(check.err,
              "velmora-tool: " + path("short.Velmora") +
                  ": child count larger than the bytes left (1, 0 bytes left) (at byte 8)\n");
    EXPECT_EQ(tool("check " + path("missing.Velmora")).status, 1);
    EXPECT_EQ(tool("").status, 2);
    EXPECT_EQ(tool("frobnicate").status, 2);
    EXPECT_EQ(tool("check").status, 2);
    EXPECT_EQ(tool("roundtrip one").status, 2);
    EXPECT_EQ(tool("dump --with-data").status, 2);
    EXPECT_EQ(tool("check --strict").status, 2);
    EXPECT_EQ(tool("dump " + path("a.Velmora") + " " + path("b.Velmora")).status, 2);
    EXPECT_EQ(tool("check --strict " + path("a.Velmora") + " --with-data").status, 2);
}

} // namespace
