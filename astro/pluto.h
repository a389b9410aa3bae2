// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "astro/vector3.h"

namespace orbant {

// Heliocentric position of Pluto from an analytical theory.
//
// Given:    T: Julian centuries from J2000.0 (TT).
// Returned: heliocentric ecliptic vector, AU, mean ecliptic and equinox of
//           date (the series' B1950.0 result precessed to date).
// Notes:    geometric; valid for roughly 1890-2100, the span the series
//           was fitted to.
// Reference: a truncated series in Jupiter's, Saturn's and Pluto's mean
//           anomalies referred to B1950.0, with IAU 1976 ecliptic precession.
// Accuracy: 13" (max) over 1900-2100 (12.59" in longitude, 1.76" in
//           latitude against tests/data/reference_positions.txt).
Vector3 pluto_position(double T) noexcept;

}  // namespace orbant
