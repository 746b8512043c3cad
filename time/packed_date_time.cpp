// Reading the system clock into a PackedDateTime.
#include "time/packed_date_time.h"

#include "time/calendar.h"

namespace velmora {

PackedDateTime packedDateTimeFrom(std::chrono::system_clock::time_point tp) {
    using namespace std::chrono;
    const auto day = floor<days>(tp);
    const year_month_day ymd{day};
    const auto cs = floor<duration<std::int64_t, std::centi>>(tp - day).count();
    const auto split = splitCentiseconds(cs);
    return {packDate(static_cast<int>(ymd.year()), static_cast<int>(unsigned(ymd.month())),
                     static_cast<int>(unsigned(ymd.day()))),
            split.time};
}

PackedDateTime currentUtcDateTime() {
    return packedDateTimeFrom(std::chrono::system_clock::now());
}

namespace {

std::optional<int> digits(std::string_view text, std::size_t at, std::size_t count) {
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (i >= text.size() || text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

} // namespace

std::optional<PackedDateTime> parseUtcInstant(std::string_view text) {
    if (text.size() != 19 && text.size() != 22) {
        return std::nullopt;
    }
    const auto y = digits(text, 0, 4);
    const auto mo = digits(text, 5, 2);
    const auto d = digits(text, 8, 2);
    const auto h = digits(text, 11, 2);
    const auto mi = digits(text, 14, 2);
    const auto s = digits(text, 17, 2);
    const auto cs = text.size() == 22 ? digits(text, 20, 2) : std::optional<int>(0);
    if (!y || !mo || !d || !h || !mi || !s || !cs || text[4] != '-' || text[7] != '-' ||
        text[10] != 'T' || text[13] != ':' || text[16] != ':' ||
        (text.size() == 22 && text[19] != '.')) {
        return std::nullopt;
    }
    if (*y < kFirstExactYear || *y > kLastExactYear || *mo < 1 || *mo > 12 || *d < 1 ||
        *d > daysInMonth(*mo, *y) || *h > 23 || *mi > 59 || *s > 59) {
        return std::nullopt;
    }
    return PackedDateTime{packDate(*y, *mo, *d), packTime(*h, *mi, *s, *cs)};
}

} // namespace velmora
