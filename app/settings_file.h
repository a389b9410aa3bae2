#pragma once
#include <array>
#include <cstdint>

namespace orbant {

// The stored settings: the in-memory form of the 64-byte file "Setup.dat"
// (little-endian, IEEE 754 doubles). Offsets: 0 reserved (8 bytes, ignored),
// 8 longitude (deg, east +), 16 latitude (deg, north +), 24 time zone (h east
// of Greenwich, without summer time), 32 timer period (s), 36 auto summer
// time (0/1), 40 night mode (0/1), 44 place name (Windows-1252, NUL-terminated,
// at most 19 characters).
struct SettingsRecord {
    std::array<std::uint8_t, 8> reserved{};
    double longitude = 0.0;
    double latitude = 0.0;
    double time_zone = 0.0;
    std::int32_t timer_period = 0;
    std::int32_t auto_summer_time = 0;
    std::int32_t night_mode = 0;
    std::array<std::uint8_t, 20> place_name{};
};

inline constexpr std::size_t settings_file_size = 64;  // bytes of "Setup.dat"

}  // namespace orbant
