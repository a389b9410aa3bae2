// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/time_scales.h"

#include <array>
#include <cmath>
#include <cstdlib>

#include "astro/constants.h"
#include "astro/matrix3.h"

namespace orbant {

namespace {

// Last date of the Julian calendar as (year*100 + month)*100 + day, with
// January and February counted as months 13 and 14 of the previous year.
constexpr long gregorian_switch_key = 15821004;
// MJD offset of the day count 365*year + floor(30.6001*(month+1)) + b + day.
constexpr long mjd_day_offset = 679004;
// Mean month length used by the day-of-year formula, days.
constexpr double month_factor = 30.6001;
// First Gregorian Julian day number minus one (JD of 1582-10-15 is 2299161).
constexpr long last_julian_day_number = 2299160;
// Gregorian leap-rule constants of the inverse algorithm.
constexpr double gregorian_epoch = 1867216.25;
constexpr double days_per_gregorian_century = 36524.25;
constexpr double days_per_julian_year = 365.25;

// Quarter-century cubics of Delta T, seconds, for i = -7 .. -1:
// Delta T = ((c3*t + c2)*t + c1)*t + c0 with t in centuries from the start of
// the quarter century.
struct DeltaTCubic {
    double c0, c1, c2, c3;
};
constexpr std::array<DeltaTCubic, 7> delta_t_cubics = {{
    {10.4, -80.8, 413.9, -572.3},    // 1825-1850
    {6.6, 46.3, -358.4, 18.8},       // 1850-1875
    {-3.9, -10.8, -166.2, 867.4},    // 1875-1900
    {-2.6, 114.1, 327.5, -1467.4},   // 1900-1925
    {24.2, -6.3, -8.2, 483.4},       // 1925-1950
    {29.3, 32.5, -3.8, 550.7},       // 1950-1975
    {45.3, 130.5, -570.5, 1516.7},   // 1975-2000, extrapolated to 2005
}};
static_assert(delta_t_cubics.size() == 7);
// Covered span of delta_t, Julian centuries from J2000.0.
constexpr double delta_t_first = -1.75;
constexpr double delta_t_last = 0.05;

}  // namespace

double hours_from_hms(int d, int m, double s) noexcept {
    const double sign = (d < 0 || m < 0 || s < 0.0) ? -1.0 : 1.0;
    return sign * ((std::fabs(s) / 3600.0 + std::abs(m) / 60.0) + std::abs(d));
}

double mjd_from_date(int year, int month, int day, int hour, int minute, double second) noexcept {
    const double h = hours_from_hms(hour, minute, second);
    if (month <= 2) {
        month += 12;
        year -= 1;
    }
    long b = 0;
    if ((static_cast<long>(year) * 100 + month) * 100 + day > gregorian_switch_key) {
        b = year / 400 - year / 100 + year / 4;
    } else {
        b = (year + 4716) / 4 - 1181;
    }
    const long days = 365L * year + static_cast<long>(month_factor * (month + 1)) + b + day - mjd_day_offset;
    return static_cast<double>(days) + h / 24.0;
}

void date_from_mjd(double mjd, int& year, int& month, int& day, double& hours) noexcept {
    // The Julian day number of the civil day. It is taken from floor(mjd),
    // an exact integer sum, so that an instant a few microseconds before
    // midnight cannot round into the next day while `hours` says 23:59.
    // Before JD 0 the truncation of the plain sum is kept.
    const double day_number = std::floor(mjd) + 2400001.0;
    const long a = static_cast<long>(day_number >= 0.0 ? day_number : mjd + 2400001.0);
    long n = 0;
    if (a > last_julian_day_number) {
        const long g = static_cast<long>((a - gregorian_epoch) * (1.0 / days_per_gregorian_century));
        n = a + g - g / 4 + 1525;
    } else {
        n = a + 1524;
    }
    const long d = static_cast<long>((n - 122.1) * (1.0 / days_per_julian_year));
    const long e = 365 * d + d / 4;
    const long f = static_cast<long>((n - e) * (1.0 / month_factor));
    day = static_cast<int>(n - e - static_cast<long>(month_factor * f));
    const long fm = f - 12 * (f / 14);
    month = static_cast<int>(fm - 1);
    year = static_cast<int>(d - (fm + 6) / 10 - 4715);
    hours = 24.0 * (mjd - std::floor(mjd));
}

CalendarDate date_from_mjd(double mjd) noexcept {
    CalendarDate c;
    date_from_mjd(mjd, c.year, c.month, c.day, c.hours);
    return c;
}

double gmst(double mjd) noexcept {
    const double mjd0 = std::floor(mjd);
    const double ut = (mjd - mjd0) * seconds_per_day;
    const double t0 = (mjd0 - mjd_j2000) / days_per_century;
    const double t = (mjd - mjd_j2000) / days_per_century;
    const double s = (((0.093104 - 0.0000062 * t) * t * t + 1.0027379093 * ut) + 8640184.812866 * t0) + 24110.54841;
    return (two_pi / seconds_per_day) * modulo(s, seconds_per_day);
}

DeltaT delta_t(double T) noexcept {
    if (T < delta_t_first || T > delta_t_last) return DeltaT{0.0, false};
    int i = static_cast<int>(std::floor(4.0 * T));
    double t = T - i / 4.0;
    if (i == 0) {
        i = -1;
        t = T + 0.25;
    }
    const DeltaTCubic& c = delta_t_cubics[static_cast<unsigned>(i + 7)];
    return DeltaT{((c.c3 * t + c.c2) * t + c.c1) * t + c.c0, true};
}

}  // namespace orbant
