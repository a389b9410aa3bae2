// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cmath>
#include <cstdint>

namespace orbant {

// The ranges the program accepts for a place and the clock, held wherever a
// value enters: the settings file, a location file, the setup dialog, the
// time page and the options of the text front end. A value outside is
// refused like one that is not a number, so that no later computation sees
// it.
inline constexpr double latitude_limit = 90.0;    // degrees, north +
inline constexpr double longitude_limit = 360.0;  // degrees, east +
inline constexpr double time_zone_limit = 14.0;   // hours east of Greenwich
inline constexpr std::int32_t timer_period_min = 1;      // seconds
inline constexpr std::int32_t timer_period_max = 86400;  // seconds, one day

// True when `value` is finite and within -limit..+limit.
constexpr bool within_limit(double value, double limit) noexcept {
    return value >= -limit && value <= limit;  // false for NaN
}

constexpr bool latitude_in_range(double degrees) noexcept { return within_limit(degrees, latitude_limit); }
constexpr bool longitude_in_range(double degrees) noexcept { return within_limit(degrees, longitude_limit); }
constexpr bool time_zone_in_range(double hours) noexcept { return within_limit(hours, time_zone_limit); }
constexpr bool timer_period_in_range(std::int32_t seconds) noexcept {
    return seconds >= timer_period_min && seconds <= timer_period_max;
}

// True when longitude, latitude and zone are all within their ranges.
constexpr bool place_in_range(double longitude, double latitude, double time_zone) noexcept {
    return longitude_in_range(longitude) && latitude_in_range(latitude) && time_zone_in_range(time_zone);
}

}  // namespace orbant
