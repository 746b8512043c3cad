// TZif footers and POSIX TZ strings into REG_TZI_FORMAT rules.
#include "tests/time/zone_test_rules.h"
#include "time/tzif_reader.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {
namespace {

using test::makeRules;
using test::yearlyRule;

const std::filesystem::path kFixture = std::filesystem::path(VELMORA_TEST_DATA_DIR) / "zoneinfo";

TEST(TzifReader, ReadsFooterOfFixtureFiles) {
    const auto central = readTzifFile(kFixture / "Test/Central");
    ASSERT_TRUE(central.has_value());
    EXPECT_GE(central->version, 2);
    EXPECT_EQ(central->tz, "CET-1CEST,M3.5.0,M10.5.0/3");
    const auto fixed = readTzifFile(kFixture / "Test/Fixed");
    ASSERT_TRUE(fixed.has_value());
    EXPECT_EQ(fixed->tz, "<-05>5");
    EXPECT_EQ(fixed->lastUtOffset, -5 * 3600);
}

TEST(TzifReader, RejectsMissingTruncatedAndVersion1Files) {
    EXPECT_FALSE(readTzifFile(kFixture / "Test/Missing").has_value());
    EXPECT_FALSE(readTzifFile(kFixture / "zone.tab").has_value());

    // A version 1 file without transitions: header, one local time type, "UTC".
    std::vector<std::uint8_t> v1 = {'T', 'Z', 'i', 'f', 0};
    v1.resize(44, 0);
    v1[39] = 1; // typecnt
    v1[43] = 4; // charcnt
    v1.insert(v1.end(), {0, 0, 0, 0, 0, 0, 'U', 'T', 'C', 0});
    EXPECT_FALSE(parseTzif(v1).has_value());

    std::ifstream in(kFixture / "Test/Central", std::ios::binary);
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    ASSERT_TRUE(parseTzif(bytes).has_value());
    for (std::size_t cut : {std::size_t{10}, std::size_t{60}, bytes.size() / 2, bytes.size() - 1}) {
        EXPECT_FALSE(parseTzif(std::span(bytes).first(cut)).has_value()) << cut;
    }
}

// Whole small files, refused beyond the limit; a file's start, cut at the count; nothing for
// what cannot be read. A pipe without a writer ends at once rather than waiting for one.
TEST(TzifReader, ReadsSmallFilesAndFileStarts) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("velmora-read-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string text(10000, 'z');
    std::ofstream(dir / "big", std::ios::binary) << text;

    const auto whole = readSmallFile(dir / "big", text.size());
    ASSERT_TRUE(whole.has_value());
    EXPECT_EQ(std::string(whole->begin(), whole->end()), text);
    EXPECT_FALSE(readSmallFile(dir / "big", text.size() - 1).has_value());
    const auto start = readFileStart(dir / "big", 4100);
    ASSERT_TRUE(start.has_value());
    EXPECT_EQ(start->size(), 4100u);
    EXPECT_EQ(readFileStart(dir / "big", 1u << 20)->size(), text.size());

    EXPECT_FALSE(readSmallFile(dir / "missing").has_value());
    EXPECT_FALSE(readFileStart(dir, 4).has_value()) << "a folder is no file";
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    const auto fromPipe = readFileStart(dir / "pipe", 4);
    ASSERT_TRUE(fromPipe.has_value());
    EXPECT_TRUE(fromPipe->empty());
    std::filesystem::remove_all(dir);
}

// The whole data of a file: transitions, types with their abbreviations, the footer; a version 1
// file gives its 32-bit data without a footer.
TEST(TzifReader, ReadsTransitionsAndTypes) {
    const auto central = readTzifData(kFixture / "Test/Central");
    ASSERT_TRUE(central.has_value());
    ASSERT_FALSE(central->transitions.empty());
    EXPECT_EQ(central->transitions.front(), 354675600); // 1981-03-29T01:00:00Z
    EXPECT_TRUE(std::is_sorted(central->transitions.begin(), central->transitions.end()));
    const auto& first = central->types[central->transitionTypes.front()];
    EXPECT_EQ(first.utOffset, 7200);
    EXPECT_TRUE(first.isDst);
    EXPECT_EQ(first.abbreviation, "CEST");
    EXPECT_EQ(central->footer, "CET-1CEST,M3.5.0,M10.5.0/3");

    const auto built = test::tzifBytes({{-100, 1}, {5000000000, 0}},
                                       {{3600, false, "AB"}, {-12600, true, "LONGER"}}, "AB-1");
    const auto data = parseTzifData(built);
    ASSERT_TRUE(data.has_value());
    EXPECT_EQ(data->transitions, (std::vector<std::int64_t>{-100, 5000000000}));
    EXPECT_EQ(data->transitionTypes, (std::vector<std::uint8_t>{1, 0}));
    EXPECT_EQ(data->types[1].utOffset, -12600);
    EXPECT_EQ(data->types[1].abbreviation, "LONGER");
    EXPECT_EQ(data->footerInfo().lastUtOffset, 3600);

    std::vector<std::uint8_t> v1 = {'T', 'Z', 'i', 'f', 0};
    v1.resize(44, 0);
    v1[39] = 1; // typecnt
    v1[43] = 4; // charcnt
    v1.insert(v1.end(), {0, 0, 0x0e, 0x10, 0, 0, 'A', 'B', 'C', 0});
    const auto old = parseTzifData(v1);
    ASSERT_TRUE(old.has_value());
    EXPECT_EQ(old->version, 1);
    EXPECT_EQ(old->types[0].utOffset, 3600);
    EXPECT_EQ(old->footer, "");
}

TEST(TzifReader, RejectsInconsistentData) {
    // Transitions out of order, a type index past the types, an abbreviation index past the
    // characters.
    EXPECT_FALSE(parseTzifData(test::tzifBytes({{10, 0}, {5, 0}}, {{0, false, "A"}}, "")));
    EXPECT_FALSE(parseTzifData(test::tzifBytes({{10, 1}}, {{0, false, "A"}}, "")));
    auto bytes = test::tzifBytes({}, {{0, false, "A"}}, "");
    bytes[bytes.size() - 5] = 9; // the abbreviation index of the 64-bit block's type
    EXPECT_FALSE(parseTzifData(bytes));
}

struct PosixCase {
    const char* name;
    const char* tz;
    ZoneRules rules;
    RuleConversion conversion;
};

class PosixTzRules : public testing::TestWithParam<PosixCase> {};

TEST_P(PosixTzRules, Converts) {
    const auto& c = GetParam();
    const auto tz = parsePosixTz(c.tz);
    ASSERT_TRUE(tz.has_value()) << c.tz;
    const auto converted = zoneRulesFromPosixTz(*tz);
    EXPECT_EQ(converted.rules, c.rules);
    EXPECT_EQ(converted.conversion, c.conversion);
}

ZoneRules fixed(int bias) {
    ZoneRules r;
    r.Bias = bias;
    return r;
}

INSTANTIATE_TEST_SUITE_P(
    Footers, PosixTzRules,
    testing::Values(
        PosixCase{"Utc", "UTC0", fixed(0), RuleConversion::Exact},
        PosixCase{"QuotedNegative", "<-03>3", fixed(180), RuleConversion::Exact},
        PosixCase{"HalfHour", "<+0545>-5:45", fixed(-345), RuleConversion::Exact},
        PosixCase{"CentralEurope", "CET-1CEST,M3.5.0,M10.5.0/3",
                  makeRules(-60, -60, yearlyRule(3, 5, 0, 2), yearlyRule(10, 5, 0, 3)),
                  RuleConversion::Exact},
        PosixCase{"UnitedStates", "EST5EDT,M3.2.0,M11.1.0",
                  makeRules(300, -60, yearlyRule(3, 2, 0, 2), yearlyRule(11, 1, 0, 2)),
                  RuleConversion::Exact},
        PosixCase{"NegativeHour", "<-02>2<-01>,M3.5.0/-1,M10.5.0/0",
                  makeRules(120, -60, yearlyRule(3, 5, 0, -1), yearlyRule(10, 5, 0, 0)),
                  RuleConversion::Exact},
        PosixCase{"NegativeHourAndMinutes", "<-02>2<-01>,M3.5.0/-1:30,M10.5.0/-0:15",
                  makeRules(120, -60, yearlyRule(3, 5, 0, -2, 30), yearlyRule(10, 5, 0, -1, 45)),
                  RuleConversion::Exact},
        PosixCase{"FiftyHours", "EET-2EEST,M3.4.4/50,M10.4.4/50",
                  makeRules(-120, -60, yearlyRule(3, 4, 4, 50), yearlyRule(10, 4, 4, 50)),
                  RuleConversion::Exact},
        PosixCase{"MaximumHours", "EET-2EEST,M3.4.4/167,M10.4.4/-167",
                  makeRules(-120, -60, yearlyRule(3, 4, 4, 167), yearlyRule(10, 4, 4, -167)),
                  RuleConversion::Exact},
        PosixCase{"TwentyFour", "<-04>4<-03>,M9.1.6/24,M4.1.6/24",
                  makeRules(240, -60, yearlyRule(9, 1, 6, 24), yearlyRule(4, 1, 6, 24)),
                  RuleConversion::Exact},
        PosixCase{"QuarterHours", "<+1245>-12:45<+1345>,M9.5.0/2:45,M4.1.0/3:45",
                  makeRules(-765, -60, yearlyRule(9, 5, 0, 2, 45), yearlyRule(4, 1, 0, 3, 45)),
                  RuleConversion::Exact},
        PosixCase{"HalfHourSaving", "<+1030>-10:30<+11>-11,M10.1.0,M4.1.0",
                  makeRules(-630, -30, yearlyRule(10, 1, 0, 2), yearlyRule(4, 1, 0, 2)),
                  RuleConversion::Exact},
        PosixCase{"TwoHourSaving", "<+00>0<+02>-2,M3.5.0/1,M10.5.0/3",
                  makeRules(0, -120, yearlyRule(3, 5, 0, 1), yearlyRule(10, 5, 0, 3)),
                  RuleConversion::Exact},
        PosixCase{"NegativeSaving", "IST-1GMT0,M10.5.0,M3.5.0/1",
                  makeRules(-60, 60, yearlyRule(10, 5, 0, 2), yearlyRule(3, 5, 0, 1)),
                  RuleConversion::Exact},
        PosixCase{"JulianFallsBackToStandard", "<+0330>-3:30<+0430>,J80/0,J264/0", fixed(-210),
                  RuleConversion::JulianFallback},
        PosixCase{"ZeroBasedJulian", "AAA3BBB,79/2,263/2", fixed(180),
                  RuleConversion::JulianFallback},
        PosixCase{"PermanentDaylightJulian", "EST5EDT,0/0,J365/25", fixed(300),
                  RuleConversion::JulianFallback},
        PosixCase{"DaylightWithoutRule", "EST5EDT", fixed(300), RuleConversion::NoDaylightRule},
        PosixCase{"OffsetSeconds", "<+0020>-0:20:30", fixed(-20),
                  RuleConversion::OffsetNotMinutes}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PosixTz, ParsesNamesAndOffsets) {
    const auto tz = parsePosixTz("NST3:30NDT,M3.2.0,M11.1.0");
    ASSERT_TRUE(tz.has_value());
    EXPECT_EQ(tz->standardName, "NST");
    EXPECT_EQ(tz->standardOffset, 3 * 3600 + 1800);
    EXPECT_EQ(tz->daylightName, "NDT");
    EXPECT_EQ(tz->daylightOffset, 2 * 3600 + 1800);
    EXPECT_EQ(tz->daylightStart.time, 7200);
}

TEST(PosixTz, RejectsMalformedStrings) {
    for (const char* bad :
         {"", "UT0", "CET", "CET-1CEST,M3.5.0", "CET-1CEST,M13.5.0,M10.5.0",
          "CET-1CEST,M3.6.0,M10.5.0", "CET-1CEST,M3.5.7,M10.5.0", "CET-1CEST,M3.5.0/168,M10.5.0",
          "<+01-1", "CET-1CEST,J0,J10", "CET-1CEST,M3.5.0,M10.5.0/3x", "CET-25", "CET-1:60"}) {
        EXPECT_FALSE(parsePosixTz(bad).has_value()) << bad;
    }
}

} // namespace
} // namespace velmora
