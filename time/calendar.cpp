// Calendar arithmetic on packed dates, with truncating integer division throughout.
#include "time/calendar.h"

#include <algorithm>

namespace velmora {

namespace {

constexpr std::int32_t kDaysBefore[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
constexpr std::int32_t kDaysIn[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

std::int32_t yearOf(std::int32_t date) {
    return date / 10000;
}
std::int32_t monthOf(std::int32_t date) {
    return date % 10000 / 100;
}
std::int32_t dayOf(std::int32_t date) {
    return date % 100;
}

} // namespace

bool isLeapYear(std::int32_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

std::int32_t daysInMonth(std::int32_t month, std::int32_t year) {
    if (month < 1 || month > 12) {
        return 0;
    }
    if (month == 2 && !isLeapYear(year)) {
        return 28;
    }
    return kDaysIn[month - 1];
}

std::int32_t weekday(std::int32_t date) {
    const std::int32_t d = dayOf(date);
    std::int32_t m = monthOf(date);
    std::int32_t y = yearOf(date);
    if (m < 3) {
        m += 10;
        --y;
    } else {
        m -= 2;
    }
    const std::int32_t c = y / 100;
    const std::int32_t yy = y % 100;
    return (d + (13 * m - 1) / 5 + yy / 4 + c / 4 + yy - 2 * c + 77) % 7;
}

std::int32_t dayOfYear(std::int32_t date) {
    const std::int32_t month = monthOf(date);
    const std::int32_t before = month >= 1 && month <= 12 ? kDaysBefore[month - 1] : 0;
    return dayOf(date) + before + (month > 2 && isLeapYear(yearOf(date)) ? 1 : 0);
}

std::int32_t weekOfYear(std::int32_t date) {
    const std::int32_t a = yearOf(date) - 1501;
    const std::int32_t k = ((a - 300) / 400 + 365 * a + a / 4 - a / 100 - 29867) % 7;
    return (dayOfYear(date) + k) / 7;
}

std::int32_t transitionDate(std::int32_t dayOfWeek, std::int32_t occurrence, std::int32_t month,
                            std::int32_t year) {
    const std::int32_t e = weekday(year * 10000 + month * 100 + 1);
    const std::int32_t f = std::min(occurrence, 4);
    const std::int32_t w = dayOfWeek % 7;
    std::int32_t g = w + (w < e ? f : f - 1) * 7 - e + 1;
    if (g <= 0) {
        g += 7;
    } else if (occurrence > 4 && g + 7 <= daysInMonth(month, year)) {
        g += 7;
    }
    return year * 10000 + month * 100 + g;
}

std::int32_t julianDay(std::int32_t date) {
    const std::int32_t year = yearOf(date);
    const std::int32_t month = monthOf(date);
    std::int32_t yy = year % 100;
    std::int32_t c = year / 100;
    std::int32_t k = 0;
    if (month <= 2) {
        // January and February count as months 13 and 14 of the year before.
        k = 1836;
        if (yy == 0) {
            yy = 99;
            --c;
        } else {
            --yy;
        }
    }
    return yy * 1461 / 4 + dayOf(date) + c * 146097 / 4 + (k + 153 * month - 457) / 5 + 1721119;
}

std::int32_t dateFromJulianDay(std::int32_t n) {
    const std::int32_t c = (4 * n - 6884477) / 146097;
    const std::int32_t r = ((4 * n - 146097 * c - 6884477) / 4) * 4;
    const std::int32_t yy = (r + 3) / 1461;
    const std::int32_t s = ((r - 1461 * yy + 7) / 4) * 5;
    const std::int32_t mm = (s - 3) / 153;
    const std::int32_t d = ((s - 3) % 153 + 5) / 5;
    if (mm > 9) {
        return (100 * c + yy + 1) * 10000 + (mm - 9) * 100 + d;
    }
    return (100 * c + yy) * 10000 + (mm + 3) * 100 + d;
}

} // namespace velmora
