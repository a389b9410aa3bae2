// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "astro/constants.h"
#include "astro/services/rise_set.h"
#include "astro/time_scales.h"

namespace orbant {

// The result of one rise/set scan of a civil day. rise and set hold 0 unless
// their flag is set (the scan writes them only when it finds the crossing).
struct RiseSetDay {
    double rise = 0.0;  // hours after local midnight
    double set = 0.0;   // hours after local midnight
    int has_rise = 0;
    int has_set = 0;
    int above = 0;      // above the threshold at midnight
};

// Local midnight of a civil date as an MJD in universal time: the start of
// the day the rise/set scans cover (offset_hours = time_zone + summer time).
inline double local_midnight_mjd(int year, int month, int day, double offset_hours) noexcept {
    return mjd_from_date(year, month, day, 0, 0, 0) - offset_hours / hours_per_day;
}

// rise_set_scan for event index 0..4 and the local midnight mjd0 (MJD, universal
// time), longitude and latitude in radians, into a fresh record.
inline RiseSetDay scan_day(int index, double mjd0, double longitude, double latitude) noexcept {
    RiseSetDay day;
    rise_set_scan(index, mjd0, longitude, latitude, day.rise, day.set, day.has_rise, day.has_set, day.above);
    return day;
}

}  // namespace orbant
