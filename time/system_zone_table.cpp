// The system zone table from the tz database files: zone lists, TZif footers, links.
#include "time/system_zone_table.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

namespace velmora {

namespace {

constexpr char kUtc[] = "UTC";

// The third tab-separated field of each non-comment line: the zone id of zone.tab and
// zone1970.tab alike.
bool readZoneList(const std::filesystem::path& file, std::vector<std::string>& ids,
                  std::set<std::string>& seen) {
    std::ifstream in(file);
    if (!in) {
        return false;
    }
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        std::string field;
        int count = 0;
        while (count < 3 && std::getline(fields, field, '\t')) {
            ++count;
        }
        if (count < 3) {
            continue;
        }
        while (!field.empty() && (field.back() == '\r' || field.back() == ' ')) {
            field.pop_back();
        }
        if (!field.empty() && seen.insert(field).second) {
            ids.push_back(field);
        }
    }
    return true;
}

// Ids come from the database's own lists; still, never let one leave the folder.
bool isSafeId(std::string_view id) {
    return !id.empty() && id.front() != '/' && id.find("..") == std::string_view::npos;
}

} // namespace

std::filesystem::path zoneinfoDirectory() {
    const char* dir = std::getenv("TZDIR");
    if (dir != nullptr && *dir != '\0') {
        return dir;
    }
    return "/usr/share/zoneinfo";
}

std::vector<std::string> listZoneIds(const std::filesystem::path& dir) {
    std::vector<std::string> ids;
    std::set<std::string> seen;
    const bool zoneTab = readZoneList(dir / "zone.tab", ids, seen);
    const bool zone1970 = readZoneList(dir / "zone1970.tab", ids, seen);
    if (!zoneTab && !zone1970) {
        return {};
    }
    if (seen.insert(kUtc).second) {
        ids.emplace_back(kUtc);
    }
    return ids;
}

std::u16string zoneDisplayName(std::string_view id, std::int32_t bias) {
    const std::int32_t east = -bias;
    const std::int32_t minutes = east < 0 ? -east : east;
    char offset[24];
    std::snprintf(offset, sizeof offset, "(UTC%c%02d:%02d) ", east < 0 ? '-' : '+',
                  static_cast<int>(minutes / 60), static_cast<int>(minutes % 60));
    std::string name = offset;
    for (char c : id) {
        name.push_back(c == '_' ? ' ' : c);
    }
    return utf8ToUtf16(name);
}

bool readZoneTable(const std::filesystem::path& dir, std::vector<ZoneRecord>& table,
                   std::vector<ZoneLoadNote>* notes) {
    table.clear();
    const auto ids = listZoneIds(dir);
    if (ids.empty()) {
        return false;
    }
    table.reserve(ids.size());
    for (const auto& id : ids) {
        ZoneLoadNote note;
        note.id = id;
        const auto footer = isSafeId(id) ? readTzifFile(dir / id) : std::nullopt;
        std::optional<ConvertedRules> converted;
        if (!footer) {
            note.outcome = ZoneLoadNote::Outcome::Unreadable;
            if (id == kUtc) {
                converted = ConvertedRules{};
            }
        } else {
            note.footer = footer->tz;
            if (const auto tz = parsePosixTz(footer->tz)) {
                converted = zoneRulesFromPosixTz(*tz);
            } else if (footer->tz.empty()) {
                // No rule beyond the last transition: the last local time type stays in force.
                converted = ConvertedRules{};
                converted->rules.Bias = -footer->lastUtOffset / 60;
                converted->conversion = RuleConversion::NoDaylightRule;
            } else {
                note.outcome = ZoneLoadNote::Outcome::BadFooter;
            }
        }
        if (converted) {
            note.conversion = converted->conversion;
            ZoneRecord record;
            record.rules = converted->rules;
            record.setDisplayName(zoneDisplayName(id, record.rules.Bias));
            record.setStandardName(utf8ToUtf16(id));
            table.push_back(record);
        }
        if (notes != nullptr) {
            notes->push_back(std::move(note));
        }
    }
    return true;
}

bool readSystemZoneTable(std::vector<ZoneRecord>& table) {
    return readZoneTable(zoneinfoDirectory(), table);
}

ZoneRecord findZoneByDisplayName(const std::vector<ZoneRecord>& table, std::u16string_view name) {
    const auto it = std::find_if(table.begin(), table.end(),
                                 [&](const ZoneRecord& r) { return r.displayNameView() == name; });
    return it != table.end() ? *it : ZoneRecord{};
}

const ZoneRecord* findZoneByStandardName(const std::vector<ZoneRecord>& table,
                                         std::u16string_view id) {
    const auto it = std::find_if(table.begin(), table.end(),
                                 [&](const ZoneRecord& r) { return r.standardNameView() == id; });
    return it != table.end() ? &*it : nullptr;
}

std::unordered_map<std::string, std::string> readZoneLinks(const std::filesystem::path& dir) {
    std::unordered_map<std::string, std::string> links;
    std::ifstream in(dir / "tzdata.zi");
    std::string line;
    while (std::getline(in, line)) {
        // zic takes any abbreviation of the keyword "Link"; tzdata.zi writes "L".
        if (line.empty() || (line[0] != 'L' && line[0] != 'l')) {
            continue;
        }
        std::istringstream words(line);
        std::string keyword;
        std::string target;
        std::string link;
        if (!(words >> keyword >> target >> link) || keyword.size() > 4) {
            continue;
        }
        std::transform(keyword.begin(), keyword.end(), keyword.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (std::string_view("link").starts_with(keyword)) {
            links.emplace(std::move(link), std::move(target));
        }
    }
    return links;
}

std::string resolveZoneLink(const std::unordered_map<std::string, std::string>& links,
                            const std::string& id) {
    std::string name = id;
    // Links normally name a zone; a few hops allow a link to a link, and stop any cycle.
    for (int hop = 0; hop < 8; ++hop) {
        const auto it = links.find(name);
        if (it == links.end()) {
            break;
        }
        name = it->second;
    }
    return name;
}

} // namespace velmora
