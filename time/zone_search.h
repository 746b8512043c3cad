// ZoneSearch: finds zones of the zone table by what a user types (city, id, former name, country).
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace velmora {

// What the database says about names beyond the zone ids themselves.
struct ZoneNameData {
    // Former and other names (tzdata's links): link name to the zone it stands for.
    std::unordered_map<std::string, std::string> links;
    // Two-letter country code to the country's name (iso3166.tab, UTF-8).
    std::unordered_map<std::string, std::string> countries;
    // (country code, zone id) for every zone a country uses (zone1970.tab and zone.tab).
    std::vector<std::pair<std::string, std::string>> countryZones;
};

// Reads the links (tzdata.zi, else the symbolic links of the tree), the country names and the
// zones of each country from a zoneinfo folder; what cannot be read stays empty.
ZoneNameData readZoneNameData(const std::filesystem::path& dir);

// Lower case, accents taken off Latin letters, and blanks and punctuation ('_', '-', '.', '\'')
// dropped, so that "São Paulo", "sao_paulo" and "SaoPaulo" compare equal.
std::u16string foldForSearch(std::u16string_view text);

class ZoneSearch {
public:
    ZoneSearch() = default;
    // ids: the IANA id of each entry of the table the results index; displayNames (same size or
    // empty): their display names, of which only the offset part "(UTC+05:30)" is searched.
    ZoneSearch(const std::vector<std::string>& ids, const std::vector<std::u16string>& displayNames,
               const ZoneNameData& data);

    // Indices of the entries matching query, best first: a whole name before the start of one
    // before a part of one, and at equal rank a city or id before a former name before a
    // country, then table order. Empty when the query is blank or nothing matches.
    std::vector<std::size_t> find(std::u16string_view query) const;

private:
    enum class KeyKind { City, Id, FormerName, Country };
    struct Key {
        std::u16string folded;
        KeyKind kind;
        std::size_t entry;
    };
    void addKey(std::u16string_view text, KeyKind kind, std::size_t entry);

    std::vector<Key> keys_;
    // Lower-case "utc+05:30" per entry, for queries that give an offset.
    std::vector<std::u16string> offsets_;
};

} // namespace velmora
