// Reading the system clock into a PackedDateTime.
#include "time/packed_date_time.h"

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

} // namespace velmora
