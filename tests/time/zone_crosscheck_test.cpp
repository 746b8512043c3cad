// Every zone of the machine's tzdata against the C library's localtime_r, 1970 to 2100: at every
// change of either side, a second and an hour around it, and once a day in between. Split into
// shards that ctest runs in parallel.
#include "time/calendar.h"
#include "time/system_zone_table.h"
#include "time/zone_history.h"
#include "time/zone_slots.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <iostream>
#include <map>

namespace velmora {
namespace {

const std::filesystem::path kZoneinfo = "/usr/share/zoneinfo";
constexpr int kShards = 8;

constexpr std::time_t kStart = 0;        // 1970-01-01T00:00:00Z
constexpr std::time_t kEnd = 4133980800; // 2101-01-01T00:00:00Z
constexpr std::time_t kDay = 86400;

// Zones where the C library and the database's own data disagree, with the reason. None today;
// a zone added here must say why the C library is the one that is wrong.
const std::map<std::string, std::string> kExceptions = {};

struct Local {
    PackedDateTime time;
    long offset = 0;
    bool dst = false;
    std::string abbreviation;

    bool operator==(const Local&) const = default;
};

PackedDateTime fromTm(const std::tm& tm, int centisecond) {
    return {packDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday),
            packTime(tm.tm_hour, tm.tm_min, tm.tm_sec, centisecond)};
}

Local libcLocal(std::time_t t, int centisecond = 0) {
    std::tm tm{};
    localtime_r(&t, &tm);
    return {fromTm(tm, centisecond), tm.tm_gmtoff, tm.tm_isdst > 0,
            tm.tm_zone != nullptr ? tm.tm_zone : ""};
}

class ZoneChecker {
public:
    explicit ZoneChecker(const ZoneHistory& history) : history_(history) {}

    void check(std::time_t t, int centisecond = 0) {
        ++checked_;
        PackedDateTime utc = packedFromSeconds(t);
        utc.time += centisecond;
        const auto& type = history_.localTypeAt(utc);
        const Local ours{history_.toZoneTime(utc), type.utOffset, type.isDst, type.abbreviation};
        const Local theirs = libcLocal(t, centisecond);
        if (ours == theirs) {
            return;
        }
        if (mismatches_++ == 0) {
            first_ = "UTC " + std::to_string(utc.date) + " " + std::to_string(utc.time) +
                     ": ours " + describe(ours) + ", libc " + describe(theirs);
        }
    }

    void checkAround(std::time_t t) {
        for (std::time_t d : {-3600, -1, 0, 1, 3600}) {
            check(t + d);
        }
        check(t - 1, 99);
    }

    long checked() const { return checked_; }
    long mismatches() const { return mismatches_; }
    const std::string& first() const { return first_; }

private:
    static std::string describe(const Local& l) {
        return std::to_string(l.time.date) + " " + std::to_string(l.time.time) + " " +
               std::to_string(l.offset) + (l.dst ? " dst " : " std ") + l.abbreviation;
    }

    const ZoneHistory& history_;
    long checked_ = 0;
    long mismatches_ = 0;
    std::string first_;
};

// Where the C library's local time changes between two instants a day apart (at most one).
std::time_t libcChangeWithin(std::time_t lo, std::time_t hi) {
    const Local before = libcLocal(lo);
    while (hi - lo > 1) {
        const std::time_t mid = lo + (hi - lo) / 2;
        const Local at = libcLocal(mid);
        const bool same = at.offset == before.offset && at.dst == before.dst &&
                          at.abbreviation == before.abbreviation;
        (same ? lo : hi) = mid;
    }
    return hi;
}

class ZoneCrossCheck : public testing::TestWithParam<int> {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(kZoneinfo / "tzdata.zi")) {
            GTEST_SKIP() << "no system tzdata";
        }
    }
    void TearDown() override {
        unsetenv("TZ");
        tzset();
    }
};

TEST_P(ZoneCrossCheck, EveryZoneMatchesLocaltime) {
    unsetenv("TZDIR");
    std::vector<ZoneRecord> table;
    ASSERT_TRUE(readZoneTable(kZoneinfo, table));
    const auto ids = listZoneIds(kZoneinfo);
    ASSERT_EQ(table.size(), ids.size());

    int zones = 0;
    int matching = 0;
    long checked = 0;
    for (std::size_t i = static_cast<std::size_t>(GetParam()); i < table.size(); i += kShards) {
        const std::string id = utf16ToUtf8(table[i].standardNameView());
        ++zones;
        // The history a zone slot takes for this record is the one checked.
        const auto history = zoneRecordHistory(table[i]);
        ASSERT_NE(history, nullptr) << id;
        const std::string tz = ":" + (kZoneinfo / id).string();
        setenv("TZ", tz.c_str(), 1);
        tzset();

        ZoneChecker checker(*history);
        for (std::int64_t change : history->changesBetween(kStart, kEnd)) {
            checker.checkAround(static_cast<std::time_t>(change));
        }
        Local previous = libcLocal(kStart);
        for (std::time_t t = kStart; t < kEnd; t += kDay) {
            checker.check(t);
            const Local now = libcLocal(t);
            if (now.offset != previous.offset || now.dst != previous.dst ||
                now.abbreviation != previous.abbreviation) {
                checker.checkAround(libcChangeWithin(t - kDay, t));
            }
            previous = now;
        }
        checked += checker.checked();
        if (checker.mismatches() == 0) {
            ++matching;
            if (kExceptions.count(id) != 0) {
                std::cout << "note: the exception " << id << " matches now\n";
            }
        } else if (kExceptions.count(id) == 0) {
            ADD_FAILURE() << id << ": " << checker.mismatches() << " of " << checker.checked()
                          << " instants differ, first at " << checker.first();
        } else {
            std::cout << "differs: " << id << " (" << kExceptions.at(id) << ")\n";
        }
    }
    std::cout << "shard " << GetParam() << ": " << matching << " of " << zones
              << " zones match localtime_r at " << checked << " instants\n";
    RecordProperty("zones", zones);
    RecordProperty("matching_zones", matching);
}

INSTANTIATE_TEST_SUITE_P(Shards, ZoneCrossCheck, testing::Range(0, kShards));

} // namespace
} // namespace velmora
