// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstddef>
#include <string_view>

// The body and star table and the constellation-figure list as compiled-in
// constant data: the values the sheet copies into its own table at start-up.

namespace orbant {

// Entries of the body and star table: the Moon, the Sun, eight planets and
// 1078 stars, indexed 0..1087.
inline constexpr std::size_t sky_object_count = 1088;
// Values of the constellation-figure list, the zeros that end its
// polylines included.
inline constexpr std::size_t figure_list_length = 324;

// Entry numbers of the table. 0 the Moon, 1 the Sun, 2..9 the planets
// Mercury, Venus, Mars, Jupiter, Saturn, Uranus, Neptune, Pluto; 10..273
// stars with proper or descriptive names, grouped by constellation figure;
// 274..1087 further stars in ascending order of their catalogue number.
// The planets' body numbers in the engine's theories (astro/planets.h:
// 1 Mercury, 2 Venus, 3 Earth, 4 Mars ... 9 Pluto) are another scheme: the
// Earth has no entry here, so entry 2 + k holds planet entry_planet_numbers[k].
inline constexpr std::size_t moon_entry = 0;
inline constexpr std::size_t sun_entry = 1;
inline constexpr std::size_t first_planet_entry = 2;
inline constexpr std::size_t first_star_entry = 10;
inline constexpr std::size_t first_numbered_star_entry = 274;
inline constexpr std::array<int, 8> entry_planet_numbers = {1, 2, 4, 5, 6, 7, 8, 9};

// The engine's planet number of table entry 2..9.
constexpr int planet_number_of_entry(std::size_t entry) noexcept {
    return entry_planet_numbers[entry - first_planet_entry];
}

// One row of the constant table.
struct CatalogueRow {
    std::string_view name;  // display name, UTF-8, byte for byte as shown
    double magnitude;       // stored visual magnitude; smaller is brighter
    double ra_deg;          // right ascension, degrees (not hours), J2000
    double dec_deg;         // declination, degrees, J2000
};

// The rows in table order. Rows 0..9 hold the bodies' start values
// (names, magnitudes, coordinates 0); rows 10..1087 the stars' catalogue
// positions, which no precession or proper motion moves.
const std::array<CatalogueRow, sky_object_count>& catalogue_rows() noexcept;

// The constellation-figure list: table indices 10..273, each polyline ended
// by a 0 (two polylines are empty).
const std::array<int, figure_list_length>& catalogue_figures() noexcept;

}  // namespace orbant
