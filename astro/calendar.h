// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Day counts of the proleptic Gregorian calendar (the calendar of the month
// calendar widget, of the local-time rules and of iCalendar stamps), days
// since 1970-01-01. The engine's own Julian/Gregorian day numbers are in
// time_scales.h; this is the civil calendar of the platform and the texts.
#include <cstdint>

namespace orbant {

// a / b rounded toward minus infinity (b > 0).
constexpr std::int64_t floor_div(std::int64_t a, std::int64_t b) noexcept {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

// Days since 1970-01-01 of a proleptic Gregorian date.
constexpr std::int64_t days_from_civil(std::int64_t y, std::int64_t m, std::int64_t d) noexcept {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = floor_div(y, 400);
    const std::int64_t yoe = y - era * 400;                                   // [0, 399]
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;  // [0, 365]
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;           // [0, 146096]
    return era * 146097 + doe - 719468;
}

// The proleptic Gregorian date of a day count since 1970-01-01.
constexpr void civil_from_days(std::int64_t z, std::int64_t& y, std::int64_t& m, std::int64_t& d) noexcept {
    z += 719468;
    const std::int64_t era = floor_div(z, 146097);
    const std::int64_t doe = z - era * 146097;                                    // [0, 146096]
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);             // [0, 365]
    const std::int64_t mp = (5 * doy + 2) / 153;                                  // [0, 11]
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = yoe + era * 400 + (m <= 2 ? 1 : 0);
}

// Number of days of a month of the proleptic Gregorian calendar (0 for a
// month outside 1..12).
constexpr int days_in_month(std::int64_t year, int month) noexcept {
    constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    if (month == 2) {
        const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        return leap ? 29 : 28;
    }
    return days[month - 1];
}

static_assert(days_from_civil(1970, 1, 1) == 0);
static_assert(days_from_civil(2000, 3, 1) == 11017);

}  // namespace orbant
