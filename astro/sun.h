// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "astro/matrix3.h"
#include "astro/vector3.h"

namespace orbant {

// Geocentric position of the Sun from an analytical theory.
//
// Given:    T: Julian centuries from J2000.0 (TT, or UT where the caller
//           accepts the difference).
// Returned: vector from Polar(L, B, R): ecliptic longitude L in [0, 2*pi),
//           latitude B, radians; distance R in AU. Geometric, geocentric,
//           mean ecliptic and equinox of date.
// Notes:    no aberration, no light time, no nutation. The heliocentric
//           Earth is the negated vector.
// Reference: the Earth's elliptic motion with perturbations by Venus, Mars,
//           Jupiter, Saturn and the Moon and four long-period terms, in the
//           truncated form published for small computers.
// Accuracy: 2.3" in longitude (max) over 1900-2100 against a numerical
//           ephemeris (tests/data/reference_positions.txt: 2.30" worst,
//           latitude 0.16", distance 1.9e-6 relative).
Vector3 sun_position(double T) noexcept;

// The Sun in equatorial coordinates of date.
//
// Given:    T: Julian centuries from J2000.0.
// Returned: nutation_matrix(T) * ecliptic_to_equatorial_matrix(T) *
//           sun_position(T): right ascension (polar 0), declination (polar 1),
//           radians; distance (polar 2) in AU. True equator and equinox of date.
// Notes:    geocentric, no aberration.
// Reference: as sun_position, with the nutation of nutation_matrix.
// Accuracy: a few arcseconds.
Vector3 sun_equatorial_of_date(double T) noexcept;

// Short formula for the Sun's right ascension and declination.
//
// Given:    T: Julian centuries from J2000.0.
// Returned: ra in [0, 2*pi) and dec, radians, mean equator of date with the
//           fixed obliquity 23.43929111 deg.
// Notes:    for the rising and setting search.
// Reference: two-term equation of centre.
// Accuracy: about 1' in longitude.
RaDec sun_low_precision(double T) noexcept;

// The Sun's geocentric ecliptic longitude alone.
//
// Given:    T: Julian centuries from J2000.0.
// Returned: L in [0, 2*pi), radians: the same double as
//           sun_position(T).polar(0).
// Notes:    for searches that need only the longitude: the latitude and
//           distance terms and the vector are not formed.
// Reference, Accuracy: as sun_position.
double sun_longitude(double T) noexcept;

}  // namespace orbant
