// Finding zones by what a user types: folding, ranking, the database's names, and the real tzdata.
#include "time/system_zone_table.h"
#include "time/zone_search.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace velmora {
namespace {

namespace fs = std::filesystem;

struct FoldRow {
    const char* name;
    std::u16string_view text;
    std::u16string_view folded;
};

class FoldForSearch : public testing::TestWithParam<FoldRow> {};

TEST_P(FoldForSearch, Folds) {
    EXPECT_EQ(foldForSearch(GetParam().text), GetParam().folded);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FoldForSearch,
    testing::Values(FoldRow{"Accented", u"São Paulo", u"saopaulo"},
                    FoldRow{"Decomposed", u"Sa\u0303o Paulo", u"saopaulo"},
                    FoldRow{"UnderscoresAndCase", u"AMERICA/New_York", u"america/newyork"},
                    FoldRow{"Hyphens", u"Port-au-Prince", u"portauprince"},
                    FoldRow{"ExtendedLatin", u"Łódź Kraków Ørsted Ștefan",
                            u"lodzkrakoworstedstefan"},
                    FoldRow{"Apostrophes", u"Côte d’Ivoire (CI)", u"cotedivoireci"},
                    FoldRow{"Cyrillic", u"РОССИЯ", u"россия"},
                    FoldRow{"SignsThatAreNoLetters", u"×÷", u"×÷"}),
    [](const auto& info) { return std::string(info.param.name); });

// A small database of our own: links in tzdata.zi, countries in the tab files.
class ZoneSearchTest : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("velmora-zone-search-" + std::to_string(getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        std::ofstream(dir_ / "tzdata.zi") << "# version test\n"
                                             "L Asia/Kolkata Asia/Calcutta\n"
                                             "L Europe/Kyiv Europe/Kiev\n"
                                             "L Etc/UTC UTC\n"
                                             "L Europe/Berlin Europe/Oslo\n";
        std::ofstream(dir_ / "iso3166.tab") << "#code\tname\n"
                                               "BR\tBrazil\n"
                                               "DE\tGermany\n"
                                               "IN\tIndia\n"
                                               "MV\tMaldives\n"
                                               "NO\tNorway\n"
                                               "UA\tUkraine\n"
                                               "US\tUnited States\n"
                                               "XX\n"
                                               "TOOLONG\tNowhere\n";
        std::ofstream(dir_ / "zone1970.tab")
            << "BR\t-2332-04637\tAmerica/Sao_Paulo\tS & SE\n"
               "DE,NO\t+5230+01322\tEurope/Berlin\n"
               "IN\t+2232+08822\tAsia/Kolkata\n"
               "MV,TF\t+0410+07330\tIndian/Maldives\n"
               "UA\t+5026+03031\tEurope/Kyiv\n"
               "US\t+404251-0740023\tAmerica/New_York\n"
               "US\t+394606-0860929\tAmerica/Indiana/Indianapolis\n"
               "bad line without tabs\n";
        std::ofstream(dir_ / "zone.tab") << "NO\t+5955+01045\tEurope/Oslo\n";
    }
    void TearDown() override { fs::remove_all(dir_); }

    ZoneSearch search() const {
        std::vector<std::u16string> names;
        for (const std::string& id : kIds) {
            const std::int32_t bias = id == "Asia/Kolkata"         ? -330
                                      : id == "America/Sao_Paulo"  ? 180
                                      : id == "America/New_York"   ? 300
                                      : id.starts_with("America/") ? 300
                                      : id == "Etc/UTC"            ? 0
                                                                   : -60;
            names.push_back(zoneDisplayName(id, bias));
        }
        return ZoneSearch(kIds, names, readZoneNameData(dir_));
    }
    std::vector<std::string> found(std::u16string_view query) const {
        std::vector<std::string> ids;
        for (std::size_t entry : search().find(query)) {
            ids.push_back(kIds.at(entry));
        }
        return ids;
    }

    const std::vector<std::string> kIds = {"America/Indiana/Indianapolis",
                                           "America/New_York",
                                           "America/Sao_Paulo",
                                           "Asia/Kolkata",
                                           "Etc/UTC",
                                           "Europe/Berlin",
                                           "Europe/Kyiv",
                                           "Indian/Maldives"};
    fs::path dir_;
};

struct QueryRow {
    const char* name;
    std::u16string_view query;
    std::vector<std::string> first; // the leading results, in order
};

class ZoneSearchQueries : public ZoneSearchTest, public testing::WithParamInterface<QueryRow> {};

TEST_P(ZoneSearchQueries, FindsBestFirst) {
    const std::vector<std::string> ids = found(GetParam().query);
    ASSERT_GE(ids.size(), GetParam().first.size());
    EXPECT_EQ(std::vector(ids.begin(), ids.begin() + GetParam().first.size()), GetParam().first);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ZoneSearchQueries,
    testing::Values(
        QueryRow{"CityPlain", u"Sao Paulo", {"America/Sao_Paulo"}},
        QueryRow{"CityAccented", u"São Paulo", {"America/Sao_Paulo"}},
        QueryRow{"IdUnderscore", u"new_york", {"America/New_York"}},
        QueryRow{"IdSpace", u"NEW YORK", {"America/New_York"}},
        QueryRow{"WholeId", u"america/new_york", {"America/New_York"}},
        QueryRow{"FormerName", u"Kiev", {"Europe/Kyiv"}},
        QueryRow{"FormerNameWhole", u"Asia/Calcutta", {"Asia/Kolkata"}},
        // The country named whole before zones whose names start with it.
        QueryRow{"Country",
                 u"India",
                 {"Asia/Kolkata", "America/Indiana/Indianapolis", "Indian/Maldives"}},
        QueryRow{"CountryOwnName", u"Deutschland", {"Europe/Berlin"}},
        QueryRow{"CountryThroughZoneTab", u"Norway", {"Europe/Berlin"}},
        QueryRow{"CountryStart", u"ukr", {"Europe/Kyiv"}}, QueryRow{"Utc", u"utc", {"Etc/UTC"}},
        QueryRow{"Offset", u"+05:30", {"Asia/Kolkata"}},
        QueryRow{"OffsetShort", u"UTC-5", {"America/Indiana/Indianapolis", "America/New_York"}},
        QueryRow{"CityStartBeforePart", u"ber", {"Europe/Berlin"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ZoneSearchTest, NoMatchFindsNothing) {
    for (std::u16string_view query : {u"Atlantis", u"", u"   ", u"_-'", u"+", u"utc+123", u"+5x"}) {
        EXPECT_TRUE(found(query).empty()) << std::string(query.begin(), query.end());
    }
    // Each zone once, however many of its names match.
    EXPECT_EQ(found(u"kolkata"), std::vector<std::string>{"Asia/Kolkata"});
}

// Without tzdata.zi the links are the tree's symbolic links, relative or absolute; the "posix"
// copy and links leading out of the tree add none.
TEST_F(ZoneSearchTest, LinksFromTheTreeWithoutTzdataZi) {
    fs::remove(dir_ / "tzdata.zi");
    fs::create_directories(dir_ / "Europe");
    fs::create_directories(dir_ / "Asia");
    fs::create_directories(dir_ / "posix/Europe");
    std::ofstream(dir_ / "Europe/Kyiv") << "TZif";
    fs::create_symlink("Kyiv", dir_ / "Europe/Kiev");
    fs::create_symlink(fs::absolute(dir_ / "Europe/Kyiv"), dir_ / "Europe/Zaporozhye");
    fs::create_symlink("../Europe/Kyiv", dir_ / "posix/Europe/Kiev");
    fs::create_symlink("/etc/hostname", dir_ / "Asia/Outside");
    const ZoneNameData data = readZoneNameData(dir_);
    EXPECT_EQ(data.links,
              (std::unordered_map<std::string, std::string>{{"Europe/Kiev", "Europe/Kyiv"},
                                                            {"Europe/Zaporozhye", "Europe/Kyiv"}}));
    EXPECT_EQ(found(u"Kiev"), std::vector<std::string>{"Europe/Kyiv"});
    EXPECT_EQ(found(u"zaporozhye"), std::vector<std::string>{"Europe/Kyiv"});
}

TEST_F(ZoneSearchTest, TabFilesKeepOnlyWellFormedLines) {
    const ZoneNameData data = readZoneNameData(dir_);
    EXPECT_EQ(data.countries.size(), 7u);
    EXPECT_EQ(data.countries.count("XX"), 0u);
    EXPECT_EQ(data.countryZones.size(), 10u);
    const ZoneNameData none = readZoneNameData(dir_ / "missing");
    EXPECT_TRUE(none.links.empty() && none.countries.empty() && none.countryZones.empty());
}

// The machine's own database, where it has the tab files.
TEST(ZoneSearchSystem, FindsWhatUsersType) {
    const fs::path dir = "/usr/share/zoneinfo";
    if (!fs::exists(dir / "iso3166.tab") || !fs::exists(dir / "zone1970.tab")) {
        GTEST_SKIP() << "no tzdata tab files";
    }
    const std::vector<std::string> ids = listZoneIds(dir);
    const ZoneSearch search(ids, {}, readZoneNameData(dir));
    const std::pair<std::u16string_view, std::string_view> rows[] = {
        {u"São Paulo", "America/Sao_Paulo"},
        {u"sao paulo", "America/Sao_Paulo"},
        {u"new_york", "America/New_York"},
        {u"new york", "America/New_York"},
        {u"Kiev", "Europe/Kyiv"},
        {u"Calcutta", "Asia/Kolkata"},
        {u"India", "Asia/Kolkata"},
        {u"Deutschland", "Europe/Berlin"},
        {u"UTC", "Etc/UTC"},
    };
    for (const auto& [query, id] : rows) {
        const std::vector<std::size_t> entries = search.find(query);
        ASSERT_FALSE(entries.empty()) << id;
        EXPECT_EQ(ids[entries.front()], id);
    }
    EXPECT_TRUE(search.find(u"Atlantis").empty());
}

} // namespace
} // namespace velmora
