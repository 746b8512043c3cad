// toZoneTime against the C library's localtime_r for every zone of the machine's tzdata, every
// hour of 2026 and 2027 and every minute (and the seconds) around each transition.
#include "time/calendar.h"
#include "time/system_zone_table.h"
#include "time/zone_conversion.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <set>

namespace velmora {
namespace {

const std::filesystem::path kZoneinfo = "/usr/share/zoneinfo";

// Zones whose local time in 2026-2027 the yearly rule cannot give, with the reason.
const std::map<std::string, std::string> kExcluded = {
    {"Africa/Casablanca", "daylight saving is suspended for Ramadan by explicit transitions each "
                          "year (+01, then +00 for about a month); the footer holds +01 alone"},
    {"Africa/El_Aaiun", "the same Ramadan transitions as Africa/Casablanca"},
};

constexpr std::time_t kStart = 1767225600; // 2026-01-01T00:00:00Z
constexpr std::time_t kEnd = 1830297600;   // 2028-01-01T00:00:00Z
constexpr std::time_t kHour = 3600;

PackedDateTime utcOf(std::time_t t, int centisecond) {
    std::tm tm{};
    gmtime_r(&t, &tm);
    return {packDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday),
            packTime(tm.tm_hour, tm.tm_min, tm.tm_sec, centisecond)};
}

PackedDateTime libcLocal(std::time_t t, int centisecond, long* offset = nullptr) {
    std::tm tm{};
    localtime_r(&t, &tm);
    if (offset != nullptr) {
        *offset = tm.tm_gmtoff;
    }
    return {packDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday),
            packTime(tm.tm_hour, tm.tm_min, tm.tm_sec, centisecond)};
}

std::int64_t instant(const PackedDateTime& t) {
    return std::int64_t{julianDay(t.date)} * kCentisecondsPerDay + centisecondsOfDay(t.time);
}

class ZoneChecker {
public:
    ZoneChecker(const ZoneRules& rules) : rules_(rules) {}

    // Our offset from UTC at t, in centiseconds.
    std::int64_t ourOffset(std::time_t t) const {
        const auto utc = utcOf(t, 0);
        return instant(toZoneTime(rules_, utc)) - instant(utc);
    }

    void check(std::time_t t, int centisecond = 0) {
        ++checked_;
        const auto utc = utcOf(t, centisecond);
        const auto ours = toZoneTime(rules_, utc);
        const auto theirs = libcLocal(t, centisecond);
        if (ours != theirs) {
            if (mismatches_.size() < 3) {
                mismatches_.push_back(
                    "UTC " + std::to_string(utc.date) + " " + std::to_string(utc.time) + ": ours " +
                    std::to_string(ours.date) + " " + std::to_string(ours.time) + ", libc " +
                    std::to_string(theirs.date) + " " + std::to_string(theirs.time));
            }
            ++mismatchCount_;
        }
    }

    // Every minute from two hours before to two hours after a change somewhere inside
    // (from, from + 1 hour], and the seconds around the exact change of the C library's offset.
    void checkAround(std::time_t from) {
        for (std::time_t t = from - 2 * kHour; t <= from + 3 * kHour; t += 60) {
            check(t);
        }
        long before = 0;
        long after = 0;
        libcLocal(from, 0, &before);
        libcLocal(from + kHour, 0, &after);
        if (before == after) {
            return;
        }
        std::time_t lo = from;
        std::time_t hi = from + kHour;
        while (hi - lo > 1) {
            const std::time_t mid = lo + (hi - lo) / 2;
            long offset = 0;
            libcLocal(mid, 0, &offset);
            (offset == before ? lo : hi) = mid;
        }
        check(hi - 1, 99);
        check(hi);
        check(hi, 1);
        check(hi + 1);
    }

    bool matches() const { return mismatchCount_ == 0; }
    long checked() const { return checked_; }
    long mismatchCount() const { return mismatchCount_; }
    const std::vector<std::string>& mismatches() const { return mismatches_; }

private:
    ZoneRules rules_;
    long checked_ = 0;
    long mismatchCount_ = 0;
    std::vector<std::string> mismatches_;
};

TEST(ZoneCrossCheck, EveryZoneMatchesLocaltime) {
    if (!std::filesystem::exists(kZoneinfo / "zone1970.tab")) {
        GTEST_SKIP() << "no system tzdata";
    }
    std::vector<ZoneRecord> table;
    ASSERT_TRUE(readZoneTable(kZoneinfo, table));
    unsetenv("TZDIR");

    int matching = 0;
    long checked = 0;
    std::set<std::string> mismatching;
    for (const auto& zone : table) {
        const std::string id = utf16ToUtf8(zone.standardNameView());
        const std::string tz = ":" + (kZoneinfo / id).string();
        setenv("TZ", tz.c_str(), 1);
        tzset();

        ZoneChecker checker(zone.rules);
        long libcBefore = 0;
        libcLocal(kStart - kHour, 0, &libcBefore);
        std::int64_t oursBefore = checker.ourOffset(kStart - kHour);
        for (std::time_t t = kStart; t < kEnd; t += kHour) {
            checker.check(t);
            long libcNow = 0;
            libcLocal(t, 0, &libcNow);
            const std::int64_t oursNow = checker.ourOffset(t);
            if (libcNow != libcBefore || oursNow != oursBefore) {
                checker.checkAround(t - kHour);
            }
            libcBefore = libcNow;
            oursBefore = oursNow;
        }
        checked += checker.checked();
        if (checker.matches()) {
            ++matching;
            if (kExcluded.count(id) != 0) {
                std::cout << "note: excluded zone " << id << " matches now\n";
            }
            continue;
        }
        mismatching.insert(id);
        if (kExcluded.count(id) == 0) {
            ADD_FAILURE() << id << " (" << zone.rules.Bias << "): " << checker.mismatchCount()
                          << " of " << checker.checked()
                          << " instants differ, first: " << checker.mismatches().front();
        }
    }
    unsetenv("TZ");
    tzset();

    std::cout << matching << " of " << table.size() << " zones match localtime_r exactly ("
              << checked << " instants checked)\n";
    for (const auto& id : mismatching) {
        std::cout << "differs: " << id
                  << (kExcluded.count(id) != 0 ? " (excluded: " + kExcluded.at(id) + ")" : "")
                  << "\n";
    }
    RecordProperty("matching_zones", matching);
    RecordProperty("zones", static_cast<int>(table.size()));
    EXPECT_EQ(matching + static_cast<int>(mismatching.size()), static_cast<int>(table.size()));
}

} // namespace
} // namespace velmora
