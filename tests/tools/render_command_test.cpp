// velmora-tool render: frames written as PNG files, and its refusals.
#include "../image_bombs.h"
#include "tool_test.h"

#include <QImage>
#include <chrono>
#include <fstream>
#include <iterator>

namespace {

class RenderCommandTest : public ToolTest {};

// The thumbnailer renders whatever a file manager meets: a background that would take
// minutes to decode is refused at once and the frame drawn without it.
TEST_F(RenderCommandTest, ABackgroundOverTheDecodeBudgetIsLeftOutAtOnce) {
    const std::string scheme =
        schemeWithBackground("bomb", image_bombs::jpegScanBomb(5600, 20000).toStdString());
    const auto start = std::chrono::steady_clock::now();
    ToolRun run = tool("render --scheme " + scheme + " --size 64x64 --out " + path("bomb.png"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    ASSERT_EQ(run.status, 0) << run.err;
    const QImage frame(QString::fromStdString(path("bomb.png")));
    ASSERT_EQ(frame.size(), QSize(64, 64));
    EXPECT_EQ(qAlpha(frame.pixel(32, 32)), 0);
}

TEST_F(RenderCommandTest, WritesAFrameWithAlphaOfTheAskedSize) {
    ToolRun run = tool("render --utc 2026-12-07T10:08:30 --size 300x200 --zone 0=UTC --out " +
                       path("frame.png"));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    QImage frame(QString::fromStdString(path("frame.png")));
    ASSERT_EQ(frame.size(), QSize(300, 200));
    EXPECT_TRUE(frame.hasAlphaChannel());
    // The round dial is centred: its corners are clear, its middle is painted.
    EXPECT_EQ(qAlpha(frame.pixel(2, 2)), 0);
    EXPECT_EQ(qAlpha(frame.pixel(40, 100)), 0);
    EXPECT_EQ(qAlpha(frame.pixel(150, 60)), 255);
}

TEST_F(RenderCommandTest, ZonesMoveTheHandsAndSelectionDrawsGuides) {
    const std::string moment = " --utc 2026-07-01T12:00:00 --size 200x200 --out ";
    ASSERT_EQ(tool("render --zone 0=UTC" + moment + path("utc.png")).status, 0);
    ASSERT_EQ(tool("render --zone 0=Asia/Tokyo" + moment + path("tokyo.png")).status, 0);
    ASSERT_EQ(tool("render --zone 0=UTC --selected 3" + moment + path("guides.png")).status, 0);
    QImage utc(QString::fromStdString(path("utc.png")));
    QImage tokyo(QString::fromStdString(path("tokyo.png")));
    QImage guides(QString::fromStdString(path("guides.png")));
    EXPECT_NE(utc, tokyo);
    EXPECT_NE(utc, guides);
}

// A text of every code that names or orders things.
constexpr const char* kNamingTextScheme = R"({"type": "Clock", "name": "Clock", "textId": 43,
    "children": [{"type": "ClockText", "name": "ClockText", "textId": 62, "children": [
        {"type": "StringProperty", "name": "Fmt", "textId": 55,
         "value": "%a %A %b %B %c %x %X %p %#c %#x"},
        {"type": "ColorProperty", "name": "Color", "textId": 52, "value": "#FF000000"},
        {"type": "FontFamilyProperty", "name": "FontFamily", "textId": 63,
         "family": "DejaVu Sans"},
        {"type": "PercentProperty", "name": "FontSize", "textId": 64, "value": 12}]}]})";

// Schemes look as their authors made them unless the user asks for their own language: the
// desktop's language alone changes no pixel, --locale does.
TEST_F(RenderCommandTest, DatesFollowALanguageOnlyWhenAsked) {
    write("texts.json", kNamingTextScheme);
    ASSERT_EQ(tool("build " + path("texts.json") + " " + path("texts.Velmora")).status, 0);
    const std::string args = "render --scheme " + path("texts.Velmora") +
                             " --utc 2026-12-09T15:04:05 --zone 0=UTC --size 600x600 --out ";
    ToolRun classic = tool(args + path("c.png"), "env LC_ALL=C LANG=C ");
    ASSERT_EQ(classic.status, 0) << classic.err;
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "es_ES.UTF-8", "ja_JP.UTF-8"}) {
        const std::string environment = std::string("env LANG=") + name + " LC_ALL=" + name +
                                        " LC_TIME=" + name + " LANGUAGE=" + name + " ";
        ASSERT_EQ(tool(args + path("desktop.png"), environment).status, 0);
        EXPECT_EQ(read(path("desktop.png")), read(path("c.png"))) << name;
    }
    const ToolRun german = tool("render --locale de_DE.UTF-8" + args.substr(6) + path("de.png"));
    if (german.status != 0) {
        GTEST_SKIP() << "locale de_DE.UTF-8 is not generated here: " << german.err;
    }
    EXPECT_NE(read(path("de.png")), read(path("c.png")));
}

// A thumbnailer run outside a session (no runtime folder) leaves nothing in the temporary
// folder, whether it finishes or runs out of time.
TEST_F(RenderCommandTest, LeavesNothingInTheTemporaryFolder) {
    const fs::path tmp = folder_ / "tmp";
    fs::create_directories(tmp);
    const std::string environment = "env -u XDG_RUNTIME_DIR TMPDIR=" + tmp.string() + " ";
    ToolRun run = tool("render --size 64x64 --out " + path("thumb.png"), environment);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(fs::is_empty(tmp));
    // The thumbnailer's own line draws one fixed moment, so thumbnails never change.
    std::ifstream entry(std::string(VELMORA_SOURCE_DIR) + "/packaging/velmora.thumbnailer");
    std::string text((std::istreambuf_iterator<char>(entry)), {});
    EXPECT_NE(text.find("--utc 2026-12-07T10:08:30 --zone 0=UTC"), std::string::npos) << text;
}

TEST_F(RenderCommandTest, HelpAndVersionAnswer) {
    ToolRun help = tool("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: velmora-tool COMMAND"), std::string::npos);
    ToolRun version = tool("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "velmora-tool " VELMORA_VERSION "\n");
}

struct RefusalRow {
    const char* name;
    const char* args;
    int status;
    const char* message;
};

class RenderRefusalTest : public RenderCommandTest,
                          public testing::WithParamInterface<RefusalRow> {};

TEST_P(RenderRefusalTest, SaysWhatIsWrong) {
    ToolRun run = tool(std::string("render ") + GetParam().args + " --out " + path("x.png"));
    EXPECT_EQ(run.status, GetParam().status);
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(path("x.png")));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RenderRefusalTest,
    testing::Values(RefusalRow{"BadSize", "--size 0x10", 1, "--size 0x10"},
                    RefusalRow{"HugeSize", "--size 100000x100000", 1, "--size"},
                    RefusalRow{"BadMoment", "--utc 2026-02-30T00:00:00", 1, "--utc"},
                    RefusalRow{"UnknownZone", "--zone 1=Mars/Olympus", 1, "no such zone"},
                    RefusalRow{"SlotOutOfRange", "--zone 5=UTC", 1, "slot from 0 to 4"},
                    RefusalRow{"NoSuchElement", "--selected 99", 1, "fewer elements"},
                    RefusalRow{"NoTimeLimit", "--time-limit 0", 1, "--time-limit 0"},
                    RefusalRow{"HourLongTimeLimit", "--time-limit 3601", 1, "--time-limit"},
                    RefusalRow{"MissingScheme", "--scheme /nonexistent.Velmora", 1, "cannot open"},
                    RefusalRow{"MissingLocale", "--locale xx_NOWHERE", 1, "not installed"},
                    RefusalRow{"UnknownFlag", "--frobnicate 1", 2, "usage"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
