// Zone rules the time tests share.
#pragma once

#include "time/zone_record.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace velmora::test {

inline SystemTime yearlyRule(int month, int occurrence, int dayOfWeek, int hour, int minute = 0,
                             int second = 0) {
    SystemTime t;
    t.wMonth = static_cast<std::uint16_t>(month);
    t.wDay = static_cast<std::uint16_t>(occurrence);
    t.wDayOfWeek = static_cast<std::uint16_t>(dayOfWeek);
    t.wHour = static_cast<std::uint16_t>(static_cast<std::int16_t>(hour));
    t.wMinute = static_cast<std::uint16_t>(minute);
    t.wSecond = static_cast<std::uint16_t>(second);
    return t;
}

inline ZoneRules makeRules(int bias, int daylightBias, SystemTime daylight, SystemTime standard) {
    ZoneRules r;
    r.Bias = bias;
    r.DaylightBias = daylightBias;
    r.DaylightDate = daylight;
    r.StandardDate = standard;
    return r;
}

// UTC+1, daylight from the last Sunday of March at 2:00 to the last Sunday of October at 3:00.
inline ZoneRules centralEurope() {
    return makeRules(-60, -60, yearlyRule(3, 5, 0, 2), yearlyRule(10, 5, 0, 3));
}

// UTC+10, daylight from the first Sunday of October at 2:00 to the first Sunday of April at 3:00.
inline ZoneRules eastAustralia() {
    return makeRules(-600, -60, yearlyRule(10, 1, 0, 2), yearlyRule(4, 1, 0, 3));
}

inline ZoneRules fixedBias(int bias) {
    ZoneRules r;
    r.Bias = bias;
    return r;
}

// A TZif version 2 file: transitions (UTC seconds) into local time types (offset east, daylight
// flag, abbreviation), type 0 before the first, then the footer.
struct TzifType {
    std::int32_t offset;
    bool dst;
    std::string abbreviation;
};

inline std::vector<std::uint8_t>
tzifBytes(const std::vector<std::pair<std::int64_t, std::uint8_t>>& transitions,
          const std::vector<TzifType>& types, const std::string& footer) {
    std::string chars;
    for (const auto& t : types) {
        chars += t.abbreviation + '\0';
    }
    std::vector<std::uint8_t> out;
    const auto be = [&](std::uint64_t v, int bytes) {
        for (int i = bytes - 1; i >= 0; --i) {
            out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        }
    };
    for (int timeSize : {4, 8}) {
        const std::size_t count = timeSize == 4 ? 0 : transitions.size();
        out.insert(out.end(), {'T', 'Z', 'i', 'f', '2'});
        out.resize(out.size() + 15, 0);
        for (std::size_t n :
             {std::size_t{0}, std::size_t{0}, std::size_t{0}, count, types.size(), chars.size()}) {
            be(n, 4);
        }
        for (std::size_t i = 0; i < count; ++i) {
            be(static_cast<std::uint64_t>(transitions[i].first), timeSize);
        }
        for (std::size_t i = 0; i < count; ++i) {
            out.push_back(transitions[i].second);
        }
        std::size_t index = 0;
        for (const auto& t : types) {
            be(static_cast<std::uint32_t>(t.offset), 4);
            out.push_back(t.dst ? 1 : 0);
            out.push_back(static_cast<std::uint8_t>(index));
            index += t.abbreviation.size() + 1;
        }
        out.insert(out.end(), chars.begin(), chars.end());
    }
    out.push_back('\n');
    out.insert(out.end(), footer.begin(), footer.end());
    out.push_back('\n');
    return out;
}

inline void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

} // namespace velmora::test
