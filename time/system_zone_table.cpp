// The system zone table from the tz database files: zone lists, TZif footers, links.
#include "time/system_zone_table.h"

#include "time/machine_zone.h"
#include "time/zone_id.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace velmora {

namespace {

constexpr std::size_t kZicFileLimit = 64u << 20;

// zic takes any abbreviation of a keyword, in any case; tzdata.zi writes "Z" and "L".
bool isKeyword(std::string_view word, std::string_view keyword) {
    if (word.empty() || word.size() > keyword.size()) {
        return false;
    }
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(word[i])) != keyword[i]) {
            return false;
        }
    }
    return true;
}

// Up to count whitespace-separated words of line, as `>>` would read them.
std::size_t splitWords(std::string_view line, std::string_view* words, std::size_t count) {
    std::size_t found = 0;
    std::size_t at = 0;
    while (found < count) {
        while (at < line.size() && std::isspace(static_cast<unsigned char>(line[at]))) {
            ++at;
        }
        if (at == line.size()) {
            break;
        }
        const std::size_t start = at;
        while (at < line.size() && !std::isspace(static_cast<unsigned char>(line[at]))) {
            ++at;
        }
        words[found++] = line.substr(start, at - start);
    }
    return found;
}

// Calls visit(second word, third word) for every line whose first word is a form of `keyword`.
// The file is read at once and split in place: the clock reads it at every start.
template <typename Visit>
bool readZicLines(const std::filesystem::path& file, std::string_view keyword, Visit visit) {
    // tzdata.zi is about a hundred kilobytes; the limit only stops a runaway file.
    const auto bytes = readSmallFile(file, kZicFileLimit);
    if (!bytes) {
        return false;
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string_view line(text.data() + at, end - at);
        at = end + 1;
        if (line.empty() || std::tolower(static_cast<unsigned char>(line[0])) != keyword[0]) {
            continue;
        }
        std::string_view words[3];
        if (splitWords(line, words, 3) >= 2 && isKeyword(words[0], keyword)) {
            visit(std::string(words[1]), std::string(words[2]));
        }
    }
    return true;
}

bool isTzifFile(const std::filesystem::path& path) {
    const auto start = readFileStart(path, 4);
    return start && start->size() == 4 && std::equal(start->begin(), start->end(), "TZif");
}

// Every TZif file below dir that is no symbolic link, for databases installed without tzdata.zi.
std::vector<std::string> zoneTreeIds(const std::filesystem::path& dir) {
    std::vector<std::string> ids;
    std::error_code ec;
    std::filesystem::recursive_directory_iterator it(dir, ec);
    if (ec) {
        return ids;
    }
    for (const std::filesystem::recursive_directory_iterator end; it != end; it.increment(ec)) {
        if (ec) {
            break;
        }
        const auto rel = it->path().lexically_relative(dir).generic_string();
        if (it.depth() == 0 &&
            (rel == "posix" || rel == "right" || rel == "localtime" || rel == "posixrules")) {
            it.disable_recursion_pending();
            continue;
        }
        if (it->is_symlink(ec) || !it->is_regular_file(ec) || !isTzifFile(it->path())) {
            continue;
        }
        ids.push_back(rel);
    }
    return ids;
}

bool byDisplayName(const ZoneRecord& a, const ZoneRecord& b) {
    return a.displayNameView() < b.displayNameView();
}

const ZoneRecord* findExactDisplayName(const std::vector<ZoneRecord>& table,
                                       std::u16string_view name) {
    const auto it = std::find_if(table.begin(), table.end(),
                                 [&](const ZoneRecord& r) { return r.displayNameView() == name; });
    return it != table.end() ? &*it : nullptr;
}

const ZoneRecord* findExactStandardName(const std::vector<ZoneRecord>& table,
                                        std::u16string_view id) {
    const auto it = std::find_if(table.begin(), table.end(),
                                 [&](const ZoneRecord& r) { return r.standardNameView() == id; });
    return it != table.end() ? &*it : nullptr;
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
    const bool zi = readZicLines(dir / "tzdata.zi", "zone", [&](std::string id, std::string) {
        ids.push_back(std::move(id));
    });
    if (!zi) {
        ids = zoneTreeIds(dir);
    }
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
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

std::optional<ZoneRecord> readZoneRecord(const std::filesystem::path& dir, const std::string& id,
                                         ZoneLoadNote* note) {
    ZoneLoadNote ignored;
    if (note == nullptr) {
        note = &ignored;
    }
    note->id = id;
    const auto footer = isSafeZoneId(id) ? readTzifFile(dir / id) : std::nullopt;
    if (!footer) {
        note->outcome = ZoneLoadNote::Outcome::Unreadable;
        return std::nullopt;
    }
    note->footer = footer->tz;
    const auto converted = zoneRulesFromFooter(*footer);
    if (!converted) {
        note->outcome = ZoneLoadNote::Outcome::BadFooter;
        return std::nullopt;
    }
    note->conversion = converted->conversion;
    ZoneRecord record;
    record.rules = converted->rules;
    record.setDisplayName(zoneDisplayName(id, record.rules.Bias));
    record.setStandardName(utf8ToUtf16(id));
    return record;
}

bool readZoneTable(const std::filesystem::path& dir, std::vector<ZoneRecord>& table,
                   std::vector<ZoneLoadNote>* notes) {
    table.clear();
    const auto ids = listZoneIds(dir);
    if (ids.empty()) {
        return false;
    }
    table.reserve(ids.size() + 1);
    for (const auto& id : ids) {
        ZoneLoadNote note;
        if (auto record = readZoneRecord(dir, id, &note)) {
            table.push_back(std::move(*record));
        }
        if (notes != nullptr) {
            notes->push_back(std::move(note));
        }
    }
    std::sort(table.begin(), table.end(), byDisplayName);
    return true;
}

std::optional<ZoneRecord> posixZoneRecord(std::string_view text) {
    const auto tz = parsePosixTz(text);
    if (!tz) {
        return std::nullopt;
    }
    ZoneRecord record;
    record.rules = zoneRulesFromPosixTz(*tz).rules;
    record.setDisplayName(zoneDisplayName(text, record.rules.Bias));
    record.setStandardName(utf8ToUtf16(text));
    return record;
}

bool readSystemZoneTable(std::vector<ZoneRecord>& table) {
    if (!readZoneTable(zoneinfoDirectory(), table)) {
        return false;
    }
    if (const auto own = machineZoneOwnRecord(currentMachineZoneSources())) {
        if (findExactDisplayName(table, own->displayNameView()) == nullptr) {
            table.insert(std::upper_bound(table.begin(), table.end(), *own, byDisplayName), *own);
        }
    }
    return true;
}

std::string zoneIdOfDisplayName(std::u16string_view name) {
    std::u16string_view id = name;
    if (name.starts_with(u"(UTC")) {
        const auto close = name.find(u") ");
        if (close != std::u16string_view::npos) {
            id = name.substr(close + 2);
        }
    }
    std::string out = utf16ToUtf8(id);
    // A POSIX TZ string keeps its text; zone ids show '_' as a space.
    if (!parsePosixTz(out)) {
        std::replace(out.begin(), out.end(), ' ', '_');
    }
    return out;
}

ZoneRecord findZoneByDisplayName(const std::vector<ZoneRecord>& table, std::u16string_view name) {
    if (const auto* zone = findExactDisplayName(table, name)) {
        return *zone;
    }
    if (table.empty() || name.empty()) {
        return ZoneRecord{};
    }
    return findZoneByDisplayName(table, name, readZoneLinks(zoneinfoDirectory()));
}

ZoneRecord findZoneByDisplayName(const std::vector<ZoneRecord>& table, std::u16string_view name,
                                 const std::unordered_map<std::string, std::string>& links) {
    if (const auto* zone = findExactDisplayName(table, name)) {
        return *zone;
    }
    if (table.empty() || name.empty()) {
        return ZoneRecord{};
    }
    const std::string id = zoneIdOfDisplayName(name);
    if (const auto* zone = findZoneByStandardName(table, utf8ToUtf16(id), links)) {
        return *zone;
    }
    if (auto own = posixZoneRecord(id)) {
        return *own;
    }
    return ZoneRecord{};
}

const ZoneRecord* findZoneByStandardName(const std::vector<ZoneRecord>& table,
                                         std::u16string_view id) {
    if (const auto* zone = findExactStandardName(table, id)) {
        return zone;
    }
    if (table.empty() || id.empty()) {
        return nullptr;
    }
    return findZoneByStandardName(table, id, readZoneLinks(zoneinfoDirectory()));
}

const ZoneRecord*
findZoneByStandardName(const std::vector<ZoneRecord>& table, std::u16string_view id,
                       const std::unordered_map<std::string, std::string>& links) {
    if (const auto* zone = findExactStandardName(table, id)) {
        return zone;
    }
    return findExactStandardName(table, utf8ToUtf16(resolveZoneLink(links, utf16ToUtf8(id))));
}

std::unordered_map<std::string, std::string> readZoneLinks(const std::filesystem::path& dir) {
    std::unordered_map<std::string, std::string> links;
    readZicLines(dir / "tzdata.zi", "link", [&](std::string target, std::string link) {
        if (!link.empty()) {
            links.emplace(std::move(link), std::move(target));
        }
    });
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
