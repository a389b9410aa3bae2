// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "astro/matrix3.h"
#include "astro/vector3.h"

namespace orbant {

// One term of the lunar main series.
//
// Given:    p, q, r, s: multiples of the Moon's mean anomaly l, the Sun's
//           mean anomaly ls, the Moon's argument of latitude F and the mean
//           elongation D; c_lambda: longitude, arcseconds; c_s: correction
//           of the argument of latitude, arcseconds; c_gamma: latitude
//           factor, dimensionless; c_p: sine of the parallax, arcseconds.
// Returned: -
// Notes:    argument p*l + q*ls + r*F + s*D; c_lambda and c_s multiply the
//           sine, c_gamma and c_p the cosine.
// Reference: the truncated lunar theory for small computers.
// Accuracy: the coefficients as published.
struct MoonTerm {
    int p = 0, q = 0, r = 0, s = 0;
    double c_lambda = 0.0;
    double c_s = 0.0;
    double c_gamma = 0.0;
    double c_p = 0.0;
};

// One lunar latitude term.
//
// Given:    p, q, r, s: multiples of l, ls, F and D as in MoonTerm; c: the
//           coefficient of the sine, arcseconds.
// Returned: -
// Notes:    argument p*l + q*ls + r*F + s*D.
// Reference: the truncated lunar theory for small computers.
// Accuracy: the coefficients as published.
struct MoonLatitudeTerm {
    int p = 0, q = 0, r = 0, s = 0;
    double c = 0.0;
};

// Geocentric position of the Moon from an analytical lunar theory.
//
// Given:    T: Julian centuries from J2000.0 (TT, or UT where the caller
//           accepts the difference).
// Returned: vector from Polar(lambda, beta, Delta): ecliptic longitude in
//           [0, 2*pi), latitude, radians; distance in km. Geometric,
//           geocentric, mean ecliptic and equinox of date.
// Notes:    no aberration, no light time, no nutation.
// Reference: the truncated lunar theory for small computers: long-period
//           terms, a 104-term main series, ten latitude and eleven planetary
//           terms.
// Accuracy: 3.8" in longitude and 1.2" in latitude (max) over 1900-2100;
//           the distance comes out about 10 km short (against
//           tests/data/reference_positions.txt: 2.63", 1.15", 14 km).
Vector3 moon_position(double T) noexcept;

// The Moon in equatorial coordinates of date.
//
// Given:    T: Julian centuries from J2000.0.
// Returned: nutation_matrix(T) * ecliptic_to_equatorial_matrix(T) *
//           moon_position(T): right ascension (polar 0), declination
//           (polar 1), radians; distance (polar 2), km. True equator and
//           equinox of date, geocentric.
// Notes:    no aberration, no parallax (geocentric).
// Reference: as moon_position, with the nutation of nutation_matrix.
// Accuracy: a few arcseconds.
Vector3 moon_equatorial_of_date(double T) noexcept;

// Short formula for the Moon's right ascension and declination.
//
// Given:    T: Julian centuries from J2000.0.
// Returned: ra in [0, 2*pi) and dec, radians, mean equator of date with the
//           fixed obliquity 23.43929111 deg.
// Notes:    for the rising and setting search; geocentric.
// Reference: the largest terms of the lunar theory.
// Accuracy: a few arcminutes.
RaDec moon_low_precision(double T) noexcept;

// The Moon's geocentric ecliptic longitude alone.
//
// Given:    T: Julian centuries from J2000.0.
// Returned: lambda in [0, 2*pi), radians: the same double as
//           moon_position(T).polar(0).
// Notes:    for searches that need only the longitude: the latitude and
//           parallax sums and the vector are not formed.
// Reference, Accuracy: as moon_position.
double moon_longitude(double T) noexcept;

}  // namespace orbant
