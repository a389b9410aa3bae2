// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace orbant {

// Combines a sexagesimal triple into one number (hours or degrees).
//
// Given:    d, m: whole units and minutes; s: seconds.
// Returned: sign * (|d| + |m|/60 + |s|/3600), summed as (|s|/3600 + |m|/60) + |d|.
// Notes:    the sign is negative when any of d, m, s is negative, so
//           (0, -30, 0) is -0.5. Used for hours as well as degrees.
// Reference: sexagesimal notation.
// Accuracy: exact up to double rounding.
double hours_from_hms(int d, int m, double s) noexcept;

// Modified Julian Date of a calendar date and clock time.
//
// Given:    year, month (1..12), day (1..31), hour, minute, second of the
//           civil calendar; dates up to 1582-10-04 are Julian, later ones
//           Gregorian. The clock time is in whatever time scale the caller
//           means (usually universal time).
// Returned: MJD = JD - 2400000.5, days; MJD 0 is 1858-11-17 0h.
// Notes:    fields are not checked: minute 60 is one more hour and a
//           negative minute or second makes the whole time of day negative.
// Reference: the classical Julian day number algorithm with truncating
//           integer divisions.
// Accuracy: exact up to double rounding of the time of day.
double mjd_from_date(int year, int month, int day, int hour, int minute, double second) noexcept;

// A calendar date with the time of day in hours.
//
// Given:    -
// Returned: year, month 1..12, day 1..31 in the numbering mjd_from_date
//           takes; hours: time of day in [0, 24), in the time scale of the
//           MJD it came from.
// Notes:    filled by date_from_mjd; Julian calendar up to 1582-10-04,
//           Gregorian after.
// Reference: -
// Accuracy: as date_from_mjd.
struct CalendarDate {
    int year = 0;
    int month = 0;   // 1..12
    int day = 0;     // 1..31
    double hours = 0.0;  // time of day, [0, 24)
};

// Calendar date and time of day of a Modified Julian Date.
//
// Given:    mjd: Modified Julian Date, days (any time scale).
// Returned: the date (Julian calendar up to 1582-10-04, Gregorian after) and
//           hours = 24 * (mjd - floor(mjd)) in [0, 24).
// Notes:    inverts mjd_from_date for every date on both calendars.
// Reference: the classical inverse Julian day number algorithm; the
//           divisions by 36524.25, 365.25 and 30.6001 are multiplications
//           by their reciprocals.
// Accuracy: the date is exact; hours to double rounding.
CalendarDate date_from_mjd(double mjd) noexcept;
void date_from_mjd(double mjd, int& year, int& month, int& day, double& hours) noexcept;

// Greenwich mean sidereal time.
//
// Given:    mjd: Modified Julian Date in universal time, days.
// Returned: GMST in radians, [0, 2*pi).
// Notes:    local sidereal time is this plus the east longitude; callers add it.
// Reference: IAU 1982 expression of GMST.
// Accuracy: better than 0.1 s of time over 1900-2100 against the IAU 1982
//           expression evaluated in full precision.
double gmst(double mjd) noexcept;

// The difference TT - UT with a flag telling whether it is covered.
//
// Given:    -
// Returned: seconds: TT - UT, s; valid: false outside 1825..2005, where
//           seconds is 0.
// Notes:    filled by delta_t; callers that ignore valid use 0 s outside
//           the covered span.
// Reference: as delta_t.
// Accuracy: as delta_t.
struct DeltaT {
    double seconds = 0.0;  // TT - UT, s
    bool valid = false;    // false outside 1825..2005; seconds is then 0
};

// Delta T = TT - UT from piecewise cubics per quarter century.
//
// Given:    T: Julian centuries from J2000.0.
// Returned: seconds and valid; for T < -1.75 or T > 0.05 (0, false).
// Notes:    the pieces do not join: the value jumps by up to 0.8 s at the
//           quarter-century boundaries. 2000-2005 extrapolates the
//           1975-2000 cubic.
// Reference: cubic fits to the historical Delta T record, 1825-2000.
// Accuracy: about 1 s over 1825-2005.
DeltaT delta_t(double T) noexcept;

}  // namespace orbant
