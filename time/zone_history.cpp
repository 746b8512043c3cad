// Zone histories: binary search over the file's transitions and the footer rule's changes,
// which are worked out once for the years a clock plausibly shows.
#include "time/zone_history.h"

#include "time/calendar.h"
#include "time/zone_id.h"

#include <algorithm>
#include <climits>

namespace velmora {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int32_t kUnixEpochJulianDay = 2440588; // 1970-01-01

// The footer rule's changes are precomputed from here (for zones given by a rule alone) to the
// start of kPrecomputedEndYear; other instants work them out on each call.
constexpr std::int32_t kFirstPrecomputedYear = 1900;
constexpr std::int32_t kPrecomputedEndYear = 2200;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

std::int64_t startOfYear(std::int32_t year) {
    return (std::int64_t{julianDay(packDate(year, 1, 1))} - kUnixEpochJulianDay) * kSecondsPerDay;
}

std::int32_t yearOf(std::int64_t seconds) {
    const auto day = floorDiv(seconds, kSecondsPerDay) + kUnixEpochJulianDay;
    // The calendar helpers are exact over years 1 to 4000; a clock shows nothing beyond.
    const auto clamped = std::clamp<std::int64_t>(day, 1721426, 3182395);
    return dateFromJulianDay(static_cast<std::int32_t>(clamped)) / 10000;
}

// The local time (seconds since 1970 on the local time line) at which a rule's transition
// happens in a year.
std::int64_t transitionLocalSeconds(const PosixTransition& t, std::int32_t year) {
    std::int64_t day = 0;
    switch (t.form) {
    case PosixTransition::Form::MonthWeekDay:
        day = julianDay(transitionDate(t.dayOfWeek, t.week, t.month, year));
        break;
    case PosixTransition::Form::JulianNoLeap:
        // Jn never counts February 29: day 60 is March 1 in every year.
        day = julianDay(packDate(year, 1, 1)) + t.day - 1 + (isLeapYear(year) && t.day >= 60);
        break;
    case PosixTransition::Form::JulianZeroBased:
        day = julianDay(packDate(year, 1, 1)) + t.day;
        break;
    }
    return (day - kUnixEpochJulianDay) * kSecondsPerDay + t.time;
}

struct RuleEvent {
    std::int64_t at;
    bool daylight;
};

// The two changes of a year, in the order the year has them. Where one year's end of daylight
// time meets the next year's start (daylight time all year), the later-listed start wins.
void appendRuleEvents(const PosixTz& rule, std::int32_t year, std::vector<RuleEvent>& out) {
    const std::int64_t start =
        transitionLocalSeconds(rule.daylightStart, year) + rule.standardOffset;
    const std::int64_t end = transitionLocalSeconds(rule.standardStart, year) + rule.daylightOffset;
    if (start <= end) {
        out.push_back({start, true});
        out.push_back({end, false});
    } else {
        out.push_back({end, false});
        out.push_back({start, true});
    }
}

bool hasYearlyChanges(const std::optional<PosixTz>& rule) {
    return rule && rule->hasDaylight && rule->hasRules;
}

bool sameLocalType(const ZoneLocalType& a, const ZoneLocalType& b) {
    return a.utOffset == b.utOffset && a.isDst == b.isDst && a.abbreviation == b.abbreviation;
}

} // namespace

std::int64_t secondsSinceEpoch(const PackedDateTime& utc) {
    return (std::int64_t{julianDay(utc.date)} - kUnixEpochJulianDay) * kSecondsPerDay +
           centisecondsOfDay(utc.time) / 100;
}

PackedDateTime packedFromSeconds(std::int64_t seconds) {
    const auto split = splitCentiseconds(seconds * 100);
    return {dateFromJulianDay(split.days + kUnixEpochJulianDay), split.time};
}

void ZoneHistory::addRuleTypes(const PosixTz& rule) {
    standardType_ = types_.size();
    types_.push_back({-rule.standardOffset, false, rule.standardName});
    daylightType_ = standardType_;
    if (rule.hasDaylight) {
        daylightType_ = types_.size();
        types_.push_back({-rule.daylightOffset, true, rule.daylightName});
    }
}

std::size_t ZoneHistory::ruleTypeAt(std::int64_t seconds) const {
    if (!hasYearlyChanges(rule_)) {
        return standardType_;
    }
    const std::int32_t year = yearOf(seconds);
    std::vector<RuleEvent> events;
    for (std::int32_t y = year - 1; y <= year + 1; ++y) {
        appendRuleEvents(*rule_, y, events);
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const RuleEvent& a, const RuleEvent& b) { return a.at < b.at; });
    bool daylight = false;
    for (const auto& event : events) {
        if (event.at > seconds) {
            break;
        }
        daylight = event.daylight;
    }
    return daylight ? daylightType_ : standardType_;
}

// Appends the rule's changes from `from` (the last transition of the file, or the beginning
// of time) to the end of the precomputed years.
void ZoneHistory::extendWithRule(std::int64_t from) {
    const auto push = [&](std::int64_t at, std::size_t type) {
        if (!at_.empty() && at_.back() == at) {
            type_.back() = static_cast<std::uint16_t>(type);
        } else if (type_.empty() || type_.back() != type) {
            at_.push_back(at);
            type_.push_back(static_cast<std::uint16_t>(type));
        }
        if (type_.size() >= 2 && type_[type_.size() - 2] == type_.back()) {
            at_.pop_back();
            type_.pop_back();
        }
    };
    if (from != INT64_MIN) {
        push(from, ruleTypeAt(from));
    }
    if (!hasYearlyChanges(rule_)) {
        return;
    }
    const std::int32_t first = from == INT64_MIN ? kFirstPrecomputedYear : yearOf(from) - 1;
    std::vector<RuleEvent> events;
    for (std::int32_t year = first; year < kPrecomputedEndYear; ++year) {
        appendRuleEvents(*rule_, year, events);
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const RuleEvent& a, const RuleEvent& b) { return a.at < b.at; });
    for (const auto& event : events) {
        if (event.at > from && event.at < startOfYear(kPrecomputedEndYear)) {
            push(event.at, event.daylight ? daylightType_ : standardType_);
        }
    }
}

std::optional<ZoneHistory> ZoneHistory::fromTzif(const TzifData& data) {
    if (data.types.empty() || data.types.size() > 256) {
        return std::nullopt;
    }
    ZoneHistory history;
    for (const auto& type : data.types) {
        history.types_.push_back({type.utOffset, type.isDst, type.abbreviation});
    }
    history.at_ = data.transitions;
    history.type_.assign(data.transitionTypes.begin(), data.transitionTypes.end());
    history.fileTransitions_ = !data.transitions.empty();
    history.footer_ = data.footerInfo();
    if (!data.footer.empty()) {
        history.rule_ = parsePosixTz(data.footer);
        if (!history.rule_) {
            return std::nullopt;
        }
        history.addRuleTypes(*history.rule_);
        history.extendWithRule(history.fileTransitions_ ? data.transitions.back() : INT64_MIN);
    }
    return history;
}

std::optional<ZoneHistory> ZoneHistory::fromPosixTz(std::string_view text) {
    ZoneHistory history;
    history.rule_ = parsePosixTz(text);
    if (!history.rule_) {
        return std::nullopt;
    }
    history.addRuleTypes(*history.rule_);
    history.extendWithRule(INT64_MIN);
    history.footer_.tz = std::string(text);
    history.footer_.lastUtOffset = -history.rule_->standardOffset;
    return history;
}

std::size_t ZoneHistory::typeIndexAt(std::int64_t seconds) const {
    if (at_.empty() || seconds < at_.front()) {
        // Before the first transition the first type applies; a zone given by its rule alone
        // follows the rule.
        return fileTransitions_ || !rule_ ? 0 : ruleTypeAt(seconds);
    }
    if (hasYearlyChanges(rule_) && seconds >= startOfYear(kPrecomputedEndYear) &&
        seconds >= at_.back()) {
        return ruleTypeAt(seconds);
    }
    const auto it = std::upper_bound(at_.begin(), at_.end(), seconds);
    return type_[static_cast<std::size_t>(it - at_.begin()) - 1];
}

const ZoneLocalType& ZoneHistory::localTypeAt(std::int64_t seconds) const {
    return types_[typeIndexAt(seconds)];
}

const ZoneLocalType& ZoneHistory::localTypeAt(const PackedDateTime& utc) const {
    return localTypeAt(secondsSinceEpoch(utc));
}

PackedDateTime ZoneHistory::toZoneTime(const PackedDateTime& utc) const {
    const std::int64_t offset = localTypeAt(utc).utOffset;
    const auto split = splitCentiseconds(centisecondsOfDay(utc.time) + offset * 100);
    if (split.days == 0) {
        return {utc.date, split.time};
    }
    return {dateFromJulianDay(julianDay(utc.date) + split.days), split.time};
}

std::vector<std::int64_t> ZoneHistory::changesBetween(std::int64_t from, std::int64_t to) const {
    std::vector<std::int64_t> candidates;
    for (std::int64_t at : at_) {
        if (at > from && at <= to) {
            candidates.push_back(at);
        }
    }
    if (hasYearlyChanges(rule_) && to >= startOfYear(kPrecomputedEndYear)) {
        std::vector<RuleEvent> events;
        for (std::int32_t y = std::max(yearOf(from), kPrecomputedEndYear) - 1; y <= yearOf(to);
             ++y) {
            appendRuleEvents(*rule_, y, events);
        }
        for (const auto& event : events) {
            if (event.at > from && event.at <= to) {
                candidates.push_back(event.at);
            }
        }
        std::sort(candidates.begin(), candidates.end());
        candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
    }
    std::vector<std::int64_t> changes;
    for (std::int64_t at : candidates) {
        if (!sameLocalType(localTypeAt(at - 1), localTypeAt(at))) {
            changes.push_back(at);
        }
    }
    return changes;
}

std::shared_ptr<const ZoneHistory> loadZoneHistory(const std::filesystem::path& zoneinfo,
                                                   std::string_view id) {
    if (isSafeZoneId(id)) {
        if (const auto data = readTzifData(zoneinfo / id)) {
            if (auto history = ZoneHistory::fromTzif(*data)) {
                return std::make_shared<const ZoneHistory>(std::move(*history));
            }
            return nullptr;
        }
    }
    if (auto history = ZoneHistory::fromPosixTz(id)) {
        return std::make_shared<const ZoneHistory>(std::move(*history));
    }
    return nullptr;
}

} // namespace velmora
