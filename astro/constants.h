// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace orbant {

// Mathematical constants.
inline constexpr double pi = 3.14159265358979323846;       // half a turn, rad
inline constexpr double two_pi = 6.28318530717958647692;   // one turn, rad

// Angle conversions used at the page boundary.
inline constexpr double degrees_per_radian = 57.29577951308232;     // deg/rad
inline constexpr double radians_per_degree = 0.017453292519943295;  // rad/deg
inline constexpr double arcseconds_per_radian = 206264.8062470964;  // "/rad
inline constexpr double full_turn_deg = 360.0;                      // one turn, deg

// Time scales.
inline constexpr double mjd_j2000 = 51544.5;            // MJD of J2000.0 (TT), days
inline constexpr double jd_j2000 = 2451545.0;           // JD of J2000.0, days
inline constexpr double mjd_offset = 2400000.5;         // JD - MJD, days
inline constexpr double days_per_century = 36525.0;     // Julian century, days
inline constexpr double centuries_per_day = 2.7378507871321012e-05;  // 1/36525

// Frames and epochs of the engine.
inline constexpr double obliquity_j2000_deg = 23.43929111;   // mean obliquity at J2000.0, deg
inline constexpr double b1950_centuries = -0.500002108;      // B1950.0 in Julian centuries from J2000.0
inline constexpr double arcseconds_per_revolution = 1296000.0;  // "/turn
inline constexpr double earth_equatorial_radius_km = 6378.137;  // km

// Units of civil time.
inline constexpr double hours_per_day = 24.0;        // h/day
inline constexpr double minutes_per_hour = 60.0;     // min/h
inline constexpr double seconds_per_minute = 60.0;   // s/min
inline constexpr double seconds_per_hour = 3600.0;   // s/h
inline constexpr double seconds_per_day = 86400.0;   // s/day
// The same as whole numbers, for splitting integer counts of minutes and seconds.
inline constexpr long long whole_minutes_per_hour = static_cast<long long>(minutes_per_hour);            // min/h
inline constexpr long long whole_minutes_per_day = static_cast<long long>(hours_per_day * minutes_per_hour);  // min/day
inline constexpr long long whole_seconds_per_minute = static_cast<long long>(seconds_per_minute);        // s/min
inline constexpr long long whole_seconds_per_hour = static_cast<long long>(seconds_per_hour);            // s/h
inline constexpr long long whole_seconds_per_day = static_cast<long long>(seconds_per_day);              // s/day

}  // namespace orbant
