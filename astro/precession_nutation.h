// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "astro/matrix3.h"

namespace orbant {

// Ecliptic precession from the mean ecliptic and equinox of one epoch to
// those of another.
//
// Given:    T1, T2: epochs, Julian centuries from J2000.0 (TT).
// Returned: the matrix that turns an ecliptic vector referred to T1 into one
//           referred to T2: rotation_z(-(Pi + p_A)) * rotation_x(pi_A) *
//           rotation_z(Pi).
// Notes:    (T, T) gives the identity up to rounding.
// Reference: IAU 1976 ecliptic precession angles (Lieske et al. 1977).
// Accuracy: below 0.1" for |T2 - T1| up to 2 centuries.
Matrix3 ecliptic_precession_matrix(double T1, double T2) noexcept;

// Nutation: mean equator and equinox of date -> true equator and equinox of date.
//
// Given:    T: Julian centuries from J2000.0 (TT).
// Returned: rotation_x(-eps - d_eps) * rotation_z(-d_psi) * rotation_x(eps),
//           eps = 0.4090928 - 0.00022696*T rad.
// Notes:    the five largest terms in longitude and four in obliquity; at
//           T = 0 d_psi = -14.03" and d_eps = -5.77".
// Reference: IAU 1980 theory of nutation, largest terms, 0.001" coefficients.
// Accuracy: about 1" in d_psi and 0.5" in d_eps.
Matrix3 nutation_matrix(double T) noexcept;

// The nutation angles used by nutation_matrix.
//
// Given:    -
// Returned: d_psi, d_eps: nutation in longitude and in obliquity, radians;
//           epsilon: the linear mean obliquity 0.4090928 - 0.00022696*T,
//           radians.
// Notes:    epsilon is the linear expression of nutation_matrix, not
//           obliquity(T).
// Reference: IAU 1980 theory of nutation, largest terms.
// Accuracy: as nutation_matrix.
struct NutationAngles {
    double d_psi = 0.0;    // nutation in longitude, radians
    double d_eps = 0.0;    // nutation in obliquity, radians
    double epsilon = 0.0;  // linear mean obliquity, radians
};

// Nutation angles of nutation_matrix.
//
// Given:    T: Julian centuries from J2000.0 (TT).
// Returned: d_psi = (0.206 sin 2N - (17.2 sin N + 0.227 sin 2(F + N) +
//           1.319 sin 2(F - D + N)) + 0.143 sin ls)", d_eps = (9.203 cos N
//           + 0.574 cos 2(F - D + N) + 0.098 cos 2(F + N) - 0.090 cos 2N)",
//           both in radians, and epsilon; ls, D, F, N: the Sun's mean
//           anomaly, the Moon's mean elongation, argument of latitude and
//           node, each 2*pi*frac of a linear expression in T.
// Notes:    nutation_matrix builds its rotation from these three angles.
//           At T = 0 d_psi = -14.03" and d_eps = -5.77".
// Reference: IAU 1980 theory of nutation, largest terms.
// Accuracy: as nutation_matrix: about 1" in d_psi and 0.5" in d_eps.
NutationAngles nutation_angles(double T) noexcept;

}  // namespace orbant
