// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>

namespace orbant {

// Number of satellites in view whose signal the position record carries.
inline constexpr int gps_max_satellites = 12;

// Fix types of the position record (the values gpsd reports as its mode).
inline constexpr int gps_fix_unknown = 0;  // no fix type reported yet
inline constexpr int gps_fix_none = 1;     // receiver has no fix
inline constexpr int gps_fix_2d = 2;       // latitude and longitude
inline constexpr int gps_fix_3d = 3;       // latitude, longitude and altitude

// UTC date and time of a fix, to the second.
struct GpsUtcTime {
    std::int32_t year = 0;
    std::int32_t month = 0;   // 1..12
    std::int32_t day = 0;     // 1..31
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    std::int32_t second = 0;

    friend bool operator==(const GpsUtcTime&, const GpsUtcTime&) = default;
};

// The GPS driver's position record: what the receiver last reported. A
// fresh record holds zeros everywhere. Plain data, no dependencies, so that
// both the driver and the dialog's text functions can use it.
struct GpsPosition {
    GpsUtcTime utc_time;
    double latitude_deg = 0.0;        // degrees, north positive
    double longitude_deg = 0.0;       // degrees, east positive
    float speed_knots = 0.0f;         // speed over ground, knots
    float altitude_msl_m = 0.0f;      // altitude above mean sea level, metres
    std::int32_t fix_type = gps_fix_unknown;  // one of gps_fix_*, or any other value a driver passes on
    std::int32_t satellites_used = 0;         // satellites used in the solution
    // Signal-to-noise ratio (dB-Hz) of satellite-in-view entry i, in the
    // receiver's order; 0 for entries beyond the satellites in view.
    std::array<std::int32_t, gps_max_satellites> satellite_snr{};

    friend bool operator==(const GpsPosition&, const GpsPosition&) = default;
};

}  // namespace orbant
