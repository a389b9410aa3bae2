// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace orbant {

// A polar triple: the input of the vector-from-polar construction.
//
// Given:    phi: the longitude-like angle (ecliptic longitude, right
//           ascension, hour angle or azimuth), radians; theta: the
//           latitude-like angle, radians; r: the radius in the unit of the
//           producer (AU, km, or 1 for a direction).
// Returned: -
// Notes:    no normalisation is done; Vector3(Polar) keeps the three values
//           as they are.
// Reference: spherical coordinates.
// Accuracy: exact (storage only).
struct Polar {
    double phi = 0.0;
    double theta = 0.0;
    double r = 0.0;
    constexpr Polar() noexcept = default;
    constexpr Polar(double phi_, double theta_, double r_) noexcept : phi(phi_), theta(theta_), r(r_) {}
};

// A Cartesian 3-vector with a lazily filled polar form.
//
// Given:    x, y, z: Cartesian components in the producer's frame and unit;
//           or a Polar, from which x = r cos(theta) cos(phi),
//           y = r cos(theta) sin(phi), z = r sin(theta).
// Returned: the components, and through polar() the polar form.
// Notes:    x, y, z are always valid. The cached polar fields phi, theta, r
//           are valid when polar_valid is true. A vector built from a Polar
//           keeps the polar values exactly as given (phi outside [0, 2*pi)
//           reads back unchanged); vectors made by arithmetic (negation,
//           difference, subtraction, matrix product) have the cache
//           invalid, and polar() then computes phi in [0, 2*pi), theta in
//           [-pi/2, pi/2], r >= 0 and stores them. The cache fields are
//           mutable so that reading a polar component of a const vector
//           still fills the cache once; a vector is therefore not to be
//           read from two threads before its cache is filled.
// Reference: Cartesian and spherical coordinates.
// Accuracy: the construction from a Polar rounds as its cos, sin and
//           products do.
struct Vector3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    mutable double phi = 0.0;
    mutable double theta = 0.0;
    mutable double r = 0.0;
    mutable bool polar_valid = false;

    // The zero vector: all components zero, cache invalid.
    constexpr Vector3() noexcept = default;
    // A vector from Cartesian components, cache invalid.
    constexpr Vector3(double x_, double y_, double z_) noexcept : x(x_), y(y_), z(z_) {}
    // A vector from a polar triple; the cache holds p exactly.
    explicit Vector3(const Polar& p) noexcept;

    // Polar component: 1 theta, 2 r, any other index phi (0 by convention).
    //
    // Given:    index 0, 1 or 2.
    // Returned: the cached component; the cache is filled first if invalid.
    // Notes:    phi in [0, 2*pi) when computed (0 for x = y = 0; a negative
    //           atan2 of magnitude below about 4.4e-16 rounds up to 2*pi
    //           itself), theta = atan2(z, rho) (0 for the zero vector),
    //           r = |v|.
    // Reference: spherical coordinates.
    // Accuracy: double rounding of atan2 and sqrt.
    double polar(int index) const noexcept;
};

// Polar component of a vector, as a free function.
//
// Given:    v: any vector; index: 0 phi, 1 theta, 2 r (any other index phi).
// Returned: v.polar(index).
// Notes:    fills v's cache when it is invalid, as Vector3::polar does.
// Reference: as Vector3::polar.
// Accuracy: as Vector3::polar.
double polar_component(const Vector3& v, int index) noexcept;

// Negation, difference and sum of vectors.
//
// Given:    vectors in one frame and unit.
// Returned: -v, a - b, a + b componentwise, same frame and unit.
// Notes:    the results are new vectors whose polar cache is invalid and
//           zeroed; so the heliocentric Earth -sun_position(T) computes its
//           own longitude in [0, 2*pi) when first asked.
// Reference: vector algebra.
// Accuracy: double rounding.
Vector3 operator-(const Vector3& v) noexcept;
Vector3 operator-(const Vector3& a, const Vector3& b) noexcept;
Vector3 operator+(const Vector3& a, const Vector3& b) noexcept;

// Dot product and Euclidean norm.
//
// Given:    vectors in one frame and unit.
// Returned: dot = ax*bx + ay*by + az*bz, summed in that order (unit squared);
//           norm = sqrt(dot(v, v)) (the vectors' unit).
// Notes:    the polar cache is neither read nor changed.
// Reference: vector algebra.
// Accuracy: double rounding.
double dot(const Vector3& a, const Vector3& b) noexcept;
double norm(const Vector3& v) noexcept;

}  // namespace orbant
