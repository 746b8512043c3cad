// velmora-tool zones and convert over the zoneinfo fixture.
#include "tools/zone_commands.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>

namespace velmora {
namespace {

const std::string kFixture = std::string(VELMORA_TEST_DATA_DIR) + "/zoneinfo";

class ZoneCommands : public testing::Test {
protected:
    void SetUp() override { setenv("TZDIR", kFixture.c_str(), 1); }
    void TearDown() override { unsetenv("TZDIR"); }

    int zones(const std::vector<std::string>& args) { return runZonesCommand(args, out_, err_); }
    int convert(const std::vector<std::string>& args, const std::string& input = {}) {
        std::istringstream in(input);
        return runConvertCommand(args, in, out_, err_);
    }

    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(ZoneCommands, ZonesListsTheTable) {
    ASSERT_EQ(zones({}), 0);
    EXPECT_EQ(
        out_.str(),
        "(UTC+00:00) Etc/UTC\tEtc/UTC\t0 0 0\tnone none\n"
        "(UTC+01:00) Test/Central\tTest/Central\t-60 0 -60\tM3.5.0/2:00:00 M10.5.0/3:00:00\n"
        "(UTC+01:00) Test/Negative\tTest/Negative\t-60 0 60\tM10.5.0/2:00:00 M3.5.0/1:00:00\n"
        "(UTC+02:00) Test/Late\tTest/Late\t-120 0 -60\tM3.4.4/50:00:00 M10.4.4/50:00:00\n"
        "(UTC+03:30) Test/Julian\tTest/Julian\t-210 0 0\tnone none\n"
        "(UTC+10:00) Test/Southern\tTest/Southern\t-600 0 -60\tM10.1.0/2:00:00 M4.1.0/3:00:00\n"
        "(UTC+12:45) Test/Minutes\tTest/Minutes\t-765 0 -60\tM9.5.0/2:45:00 M4.1.0/3:45:00\n"
        "(UTC-02:00) Test/Early\tTest/Early\t120 0 -60\tM3.5.0/-1:00:00 M10.5.0/0:00:00\n"
        "(UTC-05:00) Test/Fixed\tTest/Fixed\t300 0 0\tnone none\n");
    EXPECT_EQ(err_.str(), "");
}

TEST_F(ZoneCommands, ZonesRejectsArguments) {
    EXPECT_EQ(zones({"extra"}), 2);
    EXPECT_EQ(out_.str(), "");
}

TEST_F(ZoneCommands, ZonesWithoutDatabaseFails) {
    setenv("TZDIR", "/nonexistent-zoneinfo", 1);
    EXPECT_EQ(zones({}), 1);
    EXPECT_EQ(err_.str(),
              "velmora-tool: /nonexistent-zoneinfo: cannot read the time zone database\n");
}

TEST_F(ZoneCommands, ConvertArguments) {
    ASSERT_EQ(convert({"Test/Central", "2007-07-01T12:00:00", "2007-01-15T12:00:00.50",
                       "2007-03-25T01:00:00.00", "2007-12-31T23:59:59.99"}),
              0);
    EXPECT_EQ(out_.str(), "2007-07-01 14:00:00.00\n"
                          "2007-01-15 13:00:00.50\n"
                          "2007-03-25 03:00:00.00\n"
                          "2008-01-01 00:59:59.99\n");
}

// The zone's own history: Test/Central had no daylight time before 1981, which its yearly rule
// cannot say; Test/Julian's footer has Julian-day rules its record cannot hold.
TEST_F(ZoneCommands, ConvertWithTheDatabaseHistory) {
    ASSERT_EQ(convert({"Test/Central", "1975-07-01T12:00:00", "2099-07-01T12:00:00"}), 0);
    ASSERT_EQ(convert({"Test/Julian", "2026-07-01T12:00:00"}), 0);
    EXPECT_EQ(out_.str(), "1975-07-01 13:00:00.00\n"
                          "2099-07-01 14:00:00.00\n"
                          "2026-07-01 16:30:00.00\n");
}

// A link converts as the zone it stands for; the table holds zones only.
TEST_F(ZoneCommands, ConvertLinkNames) {
    ASSERT_EQ(convert({"Test/Alias", "2007-07-01T12:00:00"}), 0);
    ASSERT_EQ(convert({"UTC", "2007-07-01T12:00:00"}), 0);
    EXPECT_EQ(out_.str(), "2007-07-01 14:00:00.00\n2007-07-01 12:00:00.00\n");
}

TEST_F(ZoneCommands, ConvertAtTheEdgesOfTheYearRange) {
    ASSERT_EQ(convert({"Test/Fixed", "0001-01-01T00:00:00", "4000-12-31T23:59:59.99"}), 0);
    ASSERT_EQ(convert({"Test/Minutes", "4000-12-31T23:59:59.99"}), 0);
    EXPECT_EQ(out_.str(), "0000-12-31 19:00:00.00\n"
                          "4000-12-31 18:59:59.99\n"
                          "4001-01-01 13:44:59.99\n");
    EXPECT_EQ(convert({"UTC", "4001-01-01T00:00:00"}), 1);
}

TEST_F(ZoneCommands, ConvertStandardInput) {
    ASSERT_EQ(convert({"Test/Late"}, "2026-03-28T00:00:00\r\n\n2026-03-27T23:59:59.99\n"), 0);
    EXPECT_EQ(out_.str(), "2026-03-28 03:00:00.00\n2026-03-28 01:59:59.99\n");
}

TEST_F(ZoneCommands, ConvertUtcEvenWithoutDatabase) {
    setenv("TZDIR", "/nonexistent-zoneinfo", 1);
    ASSERT_EQ(convert({"UTC", "2026-05-01T10:11:12.13"}), 0);
    EXPECT_EQ(out_.str(), "2026-05-01 10:11:12.13\n");
    EXPECT_EQ(convert({"Test/Central", "2026-05-01T10:11:12"}), 1);
}

TEST_F(ZoneCommands, ConvertUnknownZone) {
    EXPECT_EQ(convert({"Mars/Olympus", "2026-05-01T10:11:12"}), 1);
    EXPECT_EQ(err_.str(), "velmora-tool: Mars/Olympus: unknown zone\n");
    EXPECT_EQ(out_.str(), "");
}

TEST_F(ZoneCommands, ConvertInvalidInstants) {
    for (const char* bad : {"2026-02-29T00:00:00", "2026-13-01T00:00:00", "2026-01-01T24:00:00",
                            "2026-01-01T00:60:00", "2026-01-01T00:00:60", "2026-01-01 00:00:00",
                            "2026-01-01T00:00:00.5", "2026-01-01T00:00:00.123",
                            "0000-01-01T00:00:00", "2026-1-01T00:00:00", "garbage", ""}) {
        err_.str("");
        EXPECT_EQ(convert({"UTC", bad}), 1) << bad;
        EXPECT_EQ(err_.str().rfind(std::string("velmora-tool: ") + bad + ": invalid instant", 0),
                  0u)
            << err_.str();
    }
}

TEST_F(ZoneCommands, ConvertStopsAtTheFirstInvalidLine) {
    EXPECT_EQ(convert({"UTC"}, "2026-01-01T00:00:00\nnot a time\n2026-01-02T00:00:00\n"), 1);
    EXPECT_EQ(out_.str(), "2026-01-01 00:00:00.00\n");
    EXPECT_EQ(err_.str(), "velmora-tool: not a time: invalid instant (expected "
                          "YYYY-MM-DDTHH:MM:SS[.cc], years 0001 to 4000)\n");
}

TEST_F(ZoneCommands, ConvertUsage) {
    EXPECT_EQ(convert({}), 2);
    EXPECT_EQ(convert({"--help"}), 2);
    EXPECT_EQ(out_.str(), "");
}

} // namespace
} // namespace velmora
