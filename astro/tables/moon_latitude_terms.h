// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Latitude terms of the lunar theory (the N sum), in the order they are added.
// Columns: p, q, r, s: multiples of l, ls, F, D; c: arcseconds, times the sine
// of p*l + q*ls + r*F + s*D.
#include <array>

#include "astro/moon.h"

namespace orbant::tables {

inline constexpr auto moon_latitude_terms = std::to_array<MoonLatitudeTerm>({
    // rows 1..10
    {0, 0, 1, -2, -526.069},
    {0, 0, 1, -4, -3.352},
    {1, 0, 1, -2, 44.297},
    {1, 0, 1, -4, -6.0},
    {-1, 0, 1, 0, 20.599},
    {-1, 0, 1, -2, -30.598},
    {-2, 0, 1, 0, -24.649},
    {-2, 0, 1, -2, -2.0},
    {0, 1, 1, -2, -22.571},
    {0, -1, 1, -2, 10.985},
});

}  // namespace orbant::tables
