// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cmath>

#include "astro/vector3.h"

namespace orbant {

// A 3x3 matrix of doubles.
//
// Given:    m: the nine elements row by row (row-major); a default matrix is
//           all zero.
// Returned: operator()(i, j): element (i, j), row i and column j, each in
//           0..2, to read or to write in place.
// Notes:    indices are not checked. Two matrices compare equal when all
//           nine elements compare equal (so -0 equals 0 and a NaN element
//           never equals).
// Reference: matrix algebra.
// Accuracy: exact (storage only).
struct Matrix3 {
    std::array<double, 9> m{};

    constexpr double operator()(int i, int j) const noexcept { return m[static_cast<unsigned>(3 * i + j)]; }
    constexpr double& operator()(int i, int j) noexcept { return m[static_cast<unsigned>(3 * i + j)]; }
    friend bool operator==(const Matrix3&, const Matrix3&) = default;
};

// The identity matrix.
//
// Given:    nothing.
// Returned: ones on the diagonal, zero elsewhere.
// Notes:    -
// Reference: matrix algebra.
// Accuracy: exact.
Matrix3 identity_matrix() noexcept;

// Frame rotations about the x, y and z axes.
//
// Given:    a: angle, radians.
// Returned: rotation_x: rows (1,0,0), (0,c,s), (0,-s,c); rotation_y: rows
//           (c,0,-s), (0,1,0), (s,0,c); rotation_z: rows (c,s,0), (-s,c,0),
//           (0,0,1), with c = cos a, s = sin a.
// Notes:    multiplying a vector by rotation_x(a) gives its components in a
//           frame turned by +a about the x axis.
// Reference: elementary rotation matrices.
// Accuracy: double rounding of cos and sin.
Matrix3 rotation_x(double a) noexcept;
Matrix3 rotation_y(double a) noexcept;
Matrix3 rotation_z(double a) noexcept;

// Transpose, matrix product and matrix times vector.
//
// Given:    matrices and a vector (any frame).
// Returned: transpose(m)(i,j) = m(j,i); (A*B)(i,j) = A(i,0)*B(0,j) +
//           A(i,1)*B(1,j) + A(i,2)*B(2,j); (M*v)_i = M(i,0)*x + M(i,1)*y +
//           M(i,2)*z, each summed in that order.
// Notes:    the transpose of a rotation is its inverse. Chains are
//           evaluated left to right as written (A*B*v is (A*B)*v); M*v
//           returns a vector whose polar cache is invalid and zeroed.
// Reference: matrix algebra.
// Accuracy: double rounding.
Matrix3 transpose(const Matrix3& m) noexcept;
Matrix3 operator*(const Matrix3& a, const Matrix3& b) noexcept;
Vector3 operator*(const Matrix3& m, const Vector3& v) noexcept;

// Fractional part and reduction to one period.
//
// Given:    x: any value; y: the period, y > 0, in the unit of x.
// Returned: frac(x) = x - floor(x), in [0, 1) also for negative x;
//           modulo(x, y) = y * frac(x / y), in [0, y) (modulo(-1, 86400) is
//           86399).
// Notes:    at the lower edge the half-open range is not kept: a negative x
//           of magnitude at most 2^-54 (about 5.6e-17) gives x + 1, which
//           rounds to exactly 1, and modulo then gives y. A NaN or infinite
//           x gives NaN. y is not checked.
// Reference: -
// Accuracy: frac is exact for x >= 0 and rounds once for negative x;
//           modulo adds the roundings of x / y and of the product.
inline double frac(double x) noexcept { return x - std::floor(x); }
inline double modulo(double x, double y) noexcept { return y * frac(x / y); }

// A complex number or a cosine/sine pair.
//
// Given:    re, im: real and imaginary part; for an angle, its cosine and
//           sine.
// Returned: as given; complex_product and unit_of produce it, and a
//           PerturbationSeries hands out its table entries in this form.
// Notes:    a plain value without normalisation.
// Reference: complex arithmetic.
// Accuracy: exact (storage only).
struct ComplexPair {
    double re = 0.0;  // real part (cosine)
    double im = 0.0;  // imaginary part (sine)
};

// Product of the complex numbers a + ib and c + id.
//
// Given:    a, b and c, d: real and imaginary parts.
// Returned: (a*c - b*d, b*c + a*d).
// Notes:    the series evaluators step the cos/sin pairs of multiple angles
//           with it, so that one pair of trigonometric calls serves every
//           multiple of an argument.
// Reference: complex arithmetic.
// Accuracy: double rounding.
constexpr ComplexPair complex_product(double a, double b, double c, double d) noexcept {
    return ComplexPair{a * c - b * d, b * c + a * d};
}

// Mean obliquity of the ecliptic.
//
// Given:    T: Julian centuries from J2000.0 (TT).
// Returned: epsilon in degrees, 23.43929111 - (46.815 + (0.00059 -
//           0.001813*T)*T)*T/3600.
// Notes:    callers convert with pi/180.
// Reference: IAU 1976 expression.
// Accuracy: 0.01" over 1900-2100 against the IAU 1976 polynomial.
double obliquity(double T) noexcept;

// Mean equator and equinox of date -> mean ecliptic and equinox of date.
//
// Given:    T: Julian centuries from J2000.0.
// Returned: rotation_x(epsilon), epsilon = obliquity(T) in radians.
// Notes:    ecliptic_to_equatorial_matrix is its transpose.
// Reference: IAU 1976 obliquity.
// Accuracy: as obliquity.
Matrix3 equatorial_to_ecliptic_matrix(double T) noexcept;

// Mean ecliptic and equinox of date -> mean equator and equinox of date.
//
// Given:    T: Julian centuries from J2000.0.
// Returned: the transpose of rotation_x(epsilon) (a rotation by -epsilon).
// Notes:    turns the Sun's, the Moon's and geocentric planet vectors of the
//           ecliptic of date into equatorial coordinates of date.
// Reference: IAU 1976 obliquity.
// Accuracy: as obliquity.
Matrix3 ecliptic_to_equatorial_matrix(double T) noexcept;

// Right ascension and declination.
//
// Given:    -
// Returned: ra, dec: radians, in the equator and equinox the producer
//           states (sun_low_precision, moon_low_precision: mean equator of
//           date).
// Notes:    ra in [0, 2*pi) as the producers give it; the record itself
//           does not normalise.
// Reference: equatorial coordinates.
// Accuracy: that of the producer.
struct RaDec {
    double ra = 0.0;   // right ascension, radians, [0, 2*pi)
    double dec = 0.0;  // declination, radians
};

// Altitude and azimuth.
//
// Given:    -
// Returned: altitude and azimuth, radians, as equatorial_to_horizontal
//           gives them.
// Notes:    the azimuth is counted from the south point through west, not
//           from north; no refraction.
// Reference: horizon coordinates.
// Accuracy: that of the producer.
struct Horizontal {
    double altitude = 0.0;  // radians, [-pi/2, pi/2]
    double azimuth = 0.0;   // radians from the south point through west, [0, 2*pi)
};

// Equatorial direction -> horizon coordinates.
//
// Given:    declination: radians; hour_angle: local sidereal time minus
//           right ascension, radians (the caller's); latitude: geographic
//           latitude, radians, north positive.
// Returned: altitude and azimuth, radians.
// Notes:    the azimuth is counted from the south point through west, in
//           [0, 2*pi); from north it is this plus pi modulo 2*pi. No
//           refraction. Inputs are not checked.
// Reference: rotation of the hour-angle frame about the y axis by
//           pi/2 - latitude.
// Accuracy: double rounding.
Horizontal equatorial_to_horizontal(double declination, double hour_angle, double latitude) noexcept;

}  // namespace orbant
