// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Perturbation series of the Sun's geocentric theory: the Earth's elliptic
// motion (the first six Venus terms, with j = 0, and their secular changes)
// and the perturbations by Venus, Mars, Jupiter and Saturn, in the classical
// truncated form published for small computers.
// Per set: the ranges of the multiples k (of the Earth's mean anomaly M3) and
// j (of the planet's mean anomaly), and the terms in the order they are added.
// Columns: k, j, p (0 periodic, 1 or 2 previous argument times T once more);
// dlc, dls: longitude, arcsec; drc, drs: distance, 1e-6 AU; dbc, dbs:
// latitude, arcsec. The c columns multiply the cosine, the s columns the sine.
#include <array>

#include "astro/perturbation_series.h"

namespace orbant::tables {

// Venus: k 0..7, j -6..0.
inline constexpr SeriesRange sun_venus_range{0, 7, -6, 0};
inline constexpr auto sun_venus_terms = std::to_array<SeriesTerm>({
    // rows 1..10
    {1, 0, 0, -0.22, 6892.76, -16707.37, -0.54, 0.0, 0.0},
    {1, 0, 1, -0.06, -17.35, 42.04, -0.15, 0.0, 0.0},
    {1, 0, 2, -0.01, -0.05, 0.13, -0.02, 0.0, 0.0},
    {2, 0, 0, 0.0, 71.98, -139.57, 0.0, 0.0, 0.0},
    {2, 0, 1, 0.0, -0.36, 0.7, 0.0, 0.0, 0.0},
    {3, 0, 0, 0.0, 1.04, -1.75, 0.0, 0.0, 0.0},
    {0, -1, 0, 0.03, -0.07, -0.16, -0.07, 0.02, -0.02},
    {1, -1, 0, 2.35, -4.23, -4.75, -2.64, 0.0, 0.0},
    {1, -2, 0, -0.1, 0.06, 0.12, 0.2, 0.02, 0.0},
    {2, -1, 0, -0.06, -0.03, 0.2, -0.01, 0.01, -0.09},
    // rows 11..20
    {2, -2, 0, -4.7, 2.9, 8.28, 13.42, 0.01, -0.01},
    {3, -2, 0, 1.8, -1.74, -1.44, -1.57, 0.04, -0.06},
    {3, -3, 0, -0.67, 0.03, 0.11, 2.43, 0.01, 0.0},
    {4, -2, 0, 0.03, -0.03, 0.1, 0.09, 0.01, -0.01},
    {4, -3, 0, 1.51, -0.4, -0.88, -3.36, 0.18, -0.1},
    {4, -4, 0, -0.19, -0.09, -0.38, 0.77, 0.0, 0.0},
    {5, -3, 0, 0.76, -0.68, 0.3, 0.37, 0.01, 0.0},
    {5, -4, 0, -0.14, -0.04, -0.11, 0.43, -0.03, 0.0},
    {5, -5, 0, -0.05, -0.07, -0.31, 0.21, 0.0, 0.0},
    {6, -4, 0, 0.15, -0.04, -0.06, -0.21, 0.01, 0.0},
    // rows 21..23
    {6, -5, 0, -0.03, -0.03, -0.09, 0.09, -0.01, 0.0},
    {6, -6, 0, 0.0, -0.04, -0.18, 0.02, 0.0, 0.0},
    {7, -5, 0, -0.12, -0.03, -0.08, 0.31, -0.02, -0.01},
});
static_assert(terms_within_range(sun_venus_terms, sun_venus_range));

// Mars: k 1..5, j -8..-1.
inline constexpr SeriesRange sun_mars_range{1, 5, -8, -1};
inline constexpr auto sun_mars_terms = std::to_array<SeriesTerm>({
    // rows 1..10
    {1, -1, 0, -0.22, 0.17, -0.21, -0.27, 0.0, 0.0},
    {1, -2, 0, -1.66, 0.62, 0.16, 0.28, 0.0, 0.0},
    {2, -2, 0, 1.96, 0.57, -1.32, 4.55, 0.0, 0.01},
    {2, -3, 0, 0.4, 0.15, -0.17, 0.46, 0.0, 0.0},
    {2, -4, 0, 0.53, 0.26, 0.09, -0.22, 0.0, 0.0},
    {3, -3, 0, 0.05, 0.12, -0.35, 0.15, 0.0, 0.0},
    {3, -4, 0, -0.13, -0.48, 1.06, -0.29, 0.01, 0.0},
    {3, -5, 0, -0.04, -0.2, 0.2, -0.04, 0.0, 0.0},
    {4, -4, 0, 0.0, -0.03, 0.1, 0.04, 0.0, 0.0},
    {4, -5, 0, 0.05, -0.07, 0.2, 0.14, 0.0, 0.0},
    // rows 11..13
    {4, -6, 0, -0.1, 0.11, -0.23, -0.22, 0.0, 0.0},
    {5, -7, 0, -0.05, 0.0, 0.01, -0.14, 0.0, 0.0},
    {5, -8, 0, 0.05, 0.01, -0.02, 0.1, 0.0, 0.0},
});
static_assert(terms_within_range(sun_mars_terms, sun_mars_range));

// Jupiter: k -1..3, j -4..-1.
inline constexpr SeriesRange sun_jupiter_range{-1, 3, -4, -1};
inline constexpr auto sun_jupiter_terms = std::to_array<SeriesTerm>({
    // rows 1..10
    {-1, -1, 0, 0.01, 0.07, 0.18, -0.02, 0.0, -0.02},
    {0, -1, 0, -0.31, 2.58, 0.52, 0.34, 0.02, 0.0},
    {1, -1, 0, -7.21, -0.06, 0.13, -16.27, 0.0, -0.02},
    {1, -2, 0, -0.54, -1.52, 3.09, -1.12, 0.01, -0.17},
    {1, -3, 0, -0.03, -0.21, 0.38, -0.06, 0.0, -0.02},
    {2, -1, 0, -0.16, 0.05, -0.18, -0.31, 0.01, 0.0},
    {2, -2, 0, 0.14, -2.73, 9.23, 0.48, 0.0, 0.0},
    {2, -3, 0, 0.07, -0.55, 1.83, 0.25, 0.01, 0.0},
    {2, -4, 0, 0.02, -0.08, 0.25, 0.06, 0.0, 0.0},
    {3, -2, 0, 0.01, -0.07, 0.16, 0.04, 0.0, 0.0},
    // rows 11..12
    {3, -3, 0, -0.16, -0.03, 0.08, -0.64, 0.0, 0.0},
    {3, -4, 0, -0.04, -0.01, 0.03, -0.17, 0.0, 0.0},
});
static_assert(terms_within_range(sun_jupiter_terms, sun_jupiter_range));

// Saturn: k 0..2, j -2..-1.
inline constexpr SeriesRange sun_saturn_range{0, 2, -2, -1};
inline constexpr auto sun_saturn_terms = std::to_array<SeriesTerm>({
    // rows 1..4
    {0, -1, 0, 0.0, 0.32, 0.01, 0.0, 0.0, 0.0},
    {1, -1, 0, -0.08, -0.41, 0.97, -0.18, 0.0, -0.01},
    {1, -2, 0, 0.04, 0.1, -0.23, 0.1, 0.0, 0.0},
    {2, -2, 0, 0.04, 0.1, -0.35, 0.13, 0.0, 0.0},
});
static_assert(terms_within_range(sun_saturn_terms, sun_saturn_range));

}  // namespace orbant::tables
