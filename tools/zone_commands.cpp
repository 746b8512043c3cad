// The "zones" and "convert" subcommands of velmora-tool.
#include "tools/zone_commands.h"

#include "time/calendar.h"
#include "time/packed_date_time.h"
#include "time/system_zone_table.h"
#include "time/zone_conversion.h"
#include "time/zone_finder.h"
#include "time/zone_slots.h"
#include "tools/tool_status.h"

#include <cstdio>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <string_view>

namespace velmora {

namespace {

std::string formatRule(const SystemTime& t) {
    char text[48];
    if (t.wMonth == 0) {
        return "none";
    }
    if (t.wYear != 0) {
        std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02d:%02u:%02u", unsigned{t.wYear},
                      unsigned{t.wMonth}, unsigned{t.wDay}, static_cast<int>(signedHour(t)),
                      unsigned{t.wMinute}, unsigned{t.wSecond});
    } else {
        std::snprintf(text, sizeof text, "M%u.%u.%u/%d:%02u:%02u", unsigned{t.wMonth},
                      unsigned{t.wDay}, unsigned{t.wDayOfWeek}, static_cast<int>(signedHour(t)),
                      unsigned{t.wMinute}, unsigned{t.wSecond});
    }
    return text;
}

std::string formatLocal(const PackedDateTime& t) {
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%02d",
                  static_cast<int>(t.year()), static_cast<int>(t.month()),
                  static_cast<int>(t.day()), static_cast<int>(t.hour()),
                  static_cast<int>(t.minute()), static_cast<int>(t.second()),
                  static_cast<int>(t.centisecond()));
    return text;
}

// Converts by the zone's history where it has one, else by its rules, as a zone slot does.
struct Conversion {
    ZoneRules rules;
    std::shared_ptr<const ZoneHistory> history;

    PackedDateTime operator()(const PackedDateTime& utc) const {
        return history != nullptr ? history->toZoneTime(utc) : toZoneTime(rules, utc);
    }
};

bool convertOne(const Conversion& convert, std::string_view text, std::ostream& out,
                std::ostream& err) {
    const auto utc = parseUtcInstant(text);
    if (!utc) {
        reportInvalid(err, text,
                      "invalid instant (expected YYYY-MM-DDTHH:MM:SS[.cc], years 0001 to 4000)");
        return false;
    }
    out << formatLocal(convert(*utc)) << '\n';
    return true;
}

} // namespace

int runZonesCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (!args.empty()) {
        err << "usage: velmora-tool zones\n";
        return kExitUsage;
    }
    std::vector<ZoneRecord> table;
    if (!readSystemZoneTable(table)) {
        return reportInvalid(err, zoneinfoDirectory().string(),
                             "cannot read the time zone database");
    }
    for (const auto& zone : table) {
        const auto& r = zone.rules;
        out << utf16ToUtf8(zone.displayNameView()) << '\t' << utf16ToUtf8(zone.standardNameView())
            << '\t' << r.Bias << ' ' << r.StandardBias << ' ' << r.DaylightBias << '\t'
            << formatRule(r.DaylightDate) << ' ' << formatRule(r.StandardDate) << '\n';
    }
    return kExitOk;
}

int runConvertCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                      std::ostream& err) {
    if (args.empty() || args.front().empty() || args.front().front() == '-') {
        err << "usage: velmora-tool convert ZONEID [YYYY-MM-DDTHH:MM:SS[.cc]]...\n";
        return kExitUsage;
    }
    const std::string& id = args.front();
    ZoneFinder zones;
    Conversion convert;
    // A link name (US/Eastern, Asia/Calcutta) converts as the zone it stands for.
    if (const auto* zone = zones.findByStandardName(utf8ToUtf16(id))) {
        convert.rules = zone->rules;
        convert.history = zoneRecordHistory(*zone);
    } else if (id != "UTC") {
        if (!zones.hasZones()) {
            return reportInvalid(err, zoneinfoDirectory().string(),
                                 "cannot read the time zone database");
        }
        return reportInvalid(err, id, "unknown zone");
    }
    if (args.size() > 1) {
        for (std::size_t i = 1; i < args.size(); ++i) {
            if (!convertOne(convert, args[i], out, err)) {
                return kExitInvalidInput;
            }
        }
        return kExitOk;
    }
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.find_first_not_of(" \t") == std::string::npos) {
            continue;
        }
        if (!convertOne(convert, line, out, err)) {
            return kExitInvalidInput;
        }
    }
    return kExitOk;
}

} // namespace velmora
