// ZoneSearch: finds zones of the zone table by what a user types (city, id, former name, country).
#include "time/zone_search.h"

#include "time/system_zone_table.h"
#include "time/tzif_reader.h"
#include "time/zone_record.h"

#include <algorithm>
#include <array>
#include <optional>
#include <tuple>

namespace velmora {
namespace {

// The tab files are a few kilobytes; the limit only stops a runaway file.
constexpr std::size_t kTabFileLimit = 1u << 20;

// Names people type that iso3166.tab does not carry: countries' own names and common English
// ones. UTF-8.
constexpr std::pair<std::string_view, std::string_view> kOtherCountryNames[] = {
    {"AT", "Österreich"},  {"BE", "België"},
    {"BE", "Belgique"},    {"BG", "България"},
    {"BR", "Brasil"},      {"CH", "Schweiz"},
    {"CH", "Suisse"},      {"CH", "Svizzera"},
    {"CN", "中国"},        {"CN", "China"},
    {"CZ", "Česko"},       {"CZ", "Czechia"},
    {"DE", "Deutschland"}, {"DK", "Danmark"},
    {"EE", "Eesti"},       {"ES", "España"},
    {"FI", "Suomi"},       {"GB", "United Kingdom"},
    {"GB", "England"},     {"GB", "Scotland"},
    {"GB", "Wales"},       {"GB", "Great Britain"},
    {"GR", "Ελλάδα"},      {"GR", "Hellas"},
    {"HR", "Hrvatska"},    {"HU", "Magyarország"},
    {"IE", "Éire"},        {"IN", "Bharat"},
    {"IN", "भारत"},        {"IS", "Ísland"},
    {"IT", "Italia"},      {"JP", "日本"},
    {"JP", "Nippon"},      {"KR", "한국"},
    {"KR", "South Korea"}, {"KP", "North Korea"},
    {"LT", "Lietuva"},     {"LV", "Latvija"},
    {"MX", "México"},      {"NL", "Nederland"},
    {"NL", "Holland"},     {"NO", "Norge"},
    {"PL", "Polska"},      {"RO", "România"},
    {"RS", "Srbija"},      {"RS", "Србија"},
    {"RU", "Россия"},      {"SE", "Sverige"},
    {"SI", "Slovenija"},   {"SK", "Slovensko"},
    {"TR", "Türkiye"},     {"TW", "台灣"},
    {"UA", "Україна"},     {"US", "USA"},
    {"US", "America"},     {"US", "United States of America"},
};

// Base letters of U+0100 to U+017F (Latin Extended-A), upper and lower case alike.
constexpr std::string_view kLatinExtendedA =
    "aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiiiiijjkkkllllllllllnnnnnnnnnoooooooorrrrrr"
    "ssssssssttttttuuuuuuuuuuuuwwyyyzzzzzzs";
static_assert(kLatinExtendedA.size() == 0x80);

// Base letters of U+00C0 to U+00FF; '*' marks the two signs that are no letters.
constexpr std::string_view kLatin1 = "aaaaaaaceeeeiiiidnooooo*ouuuuyts"
                                     "aaaaaaaceeeeiiiidnooooo*ouuuuyty";
static_assert(kLatin1.size() == 0x40);

std::optional<char16_t> baseLetter(char16_t c) {
    if (c >= 0xC0 && c <= 0xFF && kLatin1[c - 0xC0] != '*') {
        return static_cast<char16_t>(kLatin1[c - 0xC0]);
    }
    if (c >= 0x100 && c <= 0x17F) {
        return static_cast<char16_t>(kLatinExtendedA[c - 0x100]);
    }
    switch (c) {
    case 0x218: // Ș ș
    case 0x219:
        return u's';
    case 0x21A: // Ț ț
    case 0x21B:
        return u't';
    default:
        return std::nullopt;
    }
}

// Lower case of the scripts country names are typed in besides Latin.
char16_t lowerNonLatin(char16_t c) {
    if ((c >= 0x391 && c <= 0x3A9) || (c >= 0x410 && c <= 0x42F)) {
        return static_cast<char16_t>(c + 0x20);
    }
    if (c >= 0x400 && c <= 0x40F) {
        return static_cast<char16_t>(c + 0x50);
    }
    return c;
}

bool isDropped(char16_t c) {
    if (c < 0x80) {
        const bool kept = (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'/';
        return !kept;
    }
    // Combining accents (a decomposed "São"), the no-break space and typographic apostrophes.
    return (c >= 0x300 && c <= 0x36F) || c == 0xA0 || c == 0x2018 || c == 0x2019;
}

std::string_view lastComponent(std::string_view id) {
    const std::size_t slash = id.rfind('/');
    return slash == std::string_view::npos ? id : id.substr(slash + 1);
}

std::string_view trimLine(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) {
        line.remove_suffix(1);
    }
    return line;
}

// Calls visit(fields) with the tab-separated fields of every line that is no comment.
template <typename Visit> void readTabFile(const std::filesystem::path& file, Visit visit) {
    const auto bytes = readSmallFile(file, kTabFileLimit);
    if (!bytes) {
        return;
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string_view line = trimLine(text.substr(at, end - at));
        at = end + 1;
        if (line.empty() || line.front() == '#') {
            continue;
        }
        std::vector<std::string_view> fields;
        for (std::size_t start = 0;;) {
            const std::size_t tab = line.find('\t', start);
            fields.push_back(line.substr(start, tab - start));
            if (tab == std::string_view::npos) {
                break;
            }
            start = tab + 1;
        }
        visit(fields);
    }
}

// For a database without tzdata.zi: the symbolic links of the tree, each naming its zone by
// the id its target has below dir.
std::unordered_map<std::string, std::string> treeLinks(const std::filesystem::path& dir) {
    namespace fs = std::filesystem;
    std::unordered_map<std::string, std::string> links;
    std::error_code ec;
    const fs::path root = fs::weakly_canonical(dir, ec);
    if (ec) {
        return links;
    }
    fs::recursive_directory_iterator it(root, ec);
    for (const fs::recursive_directory_iterator end; !ec && it != end; it.increment(ec)) {
        const fs::path relative = it->path().lexically_relative(root);
        const std::string first = relative.begin()->string();
        // The "posix" and "right" copies repeat the tree; "localtime" is the machine's choice.
        if (first == "posix" || first == "right" || first == "localtime") {
            if (it->is_directory(ec)) {
                it.disable_recursion_pending();
            }
            continue;
        }
        if (!it->is_symlink(ec)) {
            continue;
        }
        fs::path target = fs::read_symlink(it->path(), ec);
        if (ec) {
            ec.clear();
            continue;
        }
        if (target.is_relative()) {
            target = it->path().parent_path() / target;
        }
        const std::string id = target.lexically_normal().lexically_relative(root).generic_string();
        if (!id.empty() && id != "." && id.rfind("..", 0) != 0) {
            links.emplace(relative.generic_string(), id);
        }
    }
    return links;
}

// The offset query "+5", "utc-3:30" or "GMT+05" as "utc+05", "utc-03:30", "utc+05"; empty when
// the query gives no offset.
std::u16string offsetQuery(std::u16string_view query) {
    std::u16string q;
    for (char16_t c : query) {
        if (c != u' ') {
            q.push_back(c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c);
        }
    }
    if (q.starts_with(u"utc") || q.starts_with(u"gmt")) {
        q.erase(0, 3);
    }
    if (q.size() < 2 || (q[0] != u'+' && q[0] != u'-')) {
        return {};
    }
    auto digits = [&](std::size_t from) {
        std::size_t n = 0;
        while (from + n < q.size() && q[from + n] >= u'0' && q[from + n] <= u'9') {
            ++n;
        }
        return n;
    };
    const std::size_t hours = digits(1);
    if (hours == 0 || hours > 2) {
        return {};
    }
    std::u16string result = u"utc";
    result.push_back(q[0]);
    if (hours == 1) {
        result.push_back(u'0');
    }
    result.append(q, 1, hours);
    std::size_t at = 1 + hours;
    if (at == q.size()) {
        return result;
    }
    if (q[at] == u':') {
        ++at;
    }
    const std::size_t minutes = digits(at);
    if (at + minutes != q.size() || minutes > 2) {
        return {};
    }
    result.push_back(u':');
    result.append(q, at, minutes);
    return result;
}

} // namespace

std::u16string foldForSearch(std::u16string_view text) {
    std::u16string folded;
    folded.reserve(text.size());
    for (char16_t c : text) {
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c - u'A' + u'a');
        }
        if (const auto base = baseLetter(c)) {
            c = *base;
        }
        if (!isDropped(c)) {
            folded.push_back(lowerNonLatin(c));
        }
    }
    return folded;
}

ZoneNameData readZoneNameData(const std::filesystem::path& dir) {
    ZoneNameData data;
    data.links = readZoneLinks(dir);
    if (data.links.empty()) {
        data.links = treeLinks(dir);
    }
    readTabFile(dir / "iso3166.tab", [&](const std::vector<std::string_view>& fields) {
        if (fields.size() >= 2 && fields[0].size() == 2) {
            data.countries.emplace(std::string(fields[0]), std::string(fields[1]));
        }
    });
    // zone1970.tab names every country a zone serves; zone.tab adds the zones that became
    // links, each for its own country.
    for (const char* name : {"zone1970.tab", "zone.tab"}) {
        readTabFile(dir / name, [&](const std::vector<std::string_view>& fields) {
            if (fields.size() < 3) {
                return;
            }
            for (std::size_t at = 0; at <= fields[0].size();) {
                std::size_t comma = fields[0].find(',', at);
                if (comma == std::string_view::npos) {
                    comma = fields[0].size();
                }
                const std::string_view code = fields[0].substr(at, comma - at);
                if (code.size() == 2) {
                    data.countryZones.emplace_back(std::string(code), std::string(fields[2]));
                }
                at = comma + 1;
            }
        });
    }
    return data;
}

ZoneSearch::ZoneSearch(const std::vector<std::string>& ids,
                       const std::vector<std::u16string>& displayNames, const ZoneNameData& data) {
    std::unordered_map<std::string, std::size_t> entryOfId;
    for (std::size_t i = 0; i < ids.size(); ++i) {
        entryOfId.emplace(ids[i], i);
        addKey(utf8ToUtf16(lastComponent(ids[i])), KeyKind::City, i);
        addKey(utf8ToUtf16(ids[i]), KeyKind::Id, i);
    }
    auto entryOf = [&](const std::string& id) -> std::optional<std::size_t> {
        const auto it = entryOfId.find(resolveZoneLink(data.links, id));
        return it != entryOfId.end() ? std::optional(it->second) : std::nullopt;
    };
    for (const auto& [link, target] : data.links) {
        if (const auto entry = entryOf(link)) {
            addKey(utf8ToUtf16(lastComponent(link)), KeyKind::FormerName, *entry);
            addKey(utf8ToUtf16(link), KeyKind::FormerName, *entry);
        }
    }
    std::unordered_map<std::string, std::vector<std::string_view>> namesOfCountry;
    for (const auto& [code, name] : data.countries) {
        namesOfCountry[code].push_back(name);
    }
    for (const auto& [code, name] : kOtherCountryNames) {
        namesOfCountry[std::string(code)].push_back(name);
    }
    for (const auto& [code, id] : data.countryZones) {
        const auto entry = entryOf(id);
        const auto names = namesOfCountry.find(code);
        if (!entry || names == namesOfCountry.end()) {
            continue;
        }
        for (std::string_view name : names->second) {
            addKey(utf8ToUtf16(name), KeyKind::Country, *entry);
        }
    }
    offsets_.resize(ids.size());
    for (std::size_t i = 0; i < displayNames.size() && i < ids.size(); ++i) {
        const std::u16string_view name = displayNames[i];
        const std::size_t close = name.find(u')');
        if (name.starts_with(u"(UTC") && close != std::u16string_view::npos) {
            offsets_[i] = u"utc" + std::u16string(name.substr(4, close - 4));
        }
    }
}

void ZoneSearch::addKey(std::u16string_view text, KeyKind kind, std::size_t entry) {
    std::u16string folded = foldForSearch(text);
    if (!folded.empty()) {
        keys_.push_back(Key{std::move(folded), kind, entry});
    }
}

std::vector<std::size_t> ZoneSearch::find(std::u16string_view query) const {
    // (rank, kind) of each entry's best match; rank 0 a whole name, 1 its start, 2 a part.
    using Score = std::pair<int, int>;
    std::unordered_map<std::size_t, Score> best;
    auto offer = [&](std::size_t entry, Score score) {
        const auto [it, added] = best.emplace(entry, score);
        if (!added && score < it->second) {
            it->second = score;
        }
    };
    const std::u16string folded = foldForSearch(query);
    if (!folded.empty()) {
        for (const Key& key : keys_) {
            const std::size_t at = key.folded.find(folded);
            if (at == std::u16string::npos) {
                continue;
            }
            const int rank = key.folded.size() == folded.size() ? 0 : at == 0 ? 1 : 2;
            offer(key.entry, {rank, static_cast<int>(key.kind)});
        }
    }
    if (const std::u16string offset = offsetQuery(query); !offset.empty()) {
        for (std::size_t i = 0; i < offsets_.size(); ++i) {
            if (offsets_[i].starts_with(offset)) {
                offer(i,
                      {offsets_[i].size() == offset.size() ? 0 : 1, static_cast<int>(KeyKind::Id)});
            }
        }
    }
    std::vector<std::tuple<Score, std::size_t>> ranked;
    ranked.reserve(best.size());
    for (const auto& [entry, score] : best) {
        ranked.emplace_back(score, entry);
    }
    std::sort(ranked.begin(), ranked.end());
    std::vector<std::size_t> entries;
    entries.reserve(ranked.size());
    for (const auto& [score, entry] : ranked) {
        entries.push_back(entry);
    }
    return entries;
}

} // namespace velmora
