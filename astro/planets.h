// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "astro/pluto.h"
#include "astro/vector3.h"

namespace orbant {

// The engine's body numbers: the planets by their order from the Sun, as
// planet_position and the planet services take them. The services' rise and
// set scan takes sun_body for the Sun (the zero heliocentric vector), and the
// text front end's ephemeris names the Moon moon_body. The body and star
// table numbers its entries in a scheme of its own (stars/).
inline constexpr int moon_body = -1;
inline constexpr int sun_body = 0;
inline constexpr int mercury_body = 1;
inline constexpr int venus_body = 2;
inline constexpr int earth_body = 3;  // heliocentric vector -sun_position(T)
inline constexpr int mars_body = 4;
inline constexpr int jupiter_body = 5;
inline constexpr int saturn_body = 6;
inline constexpr int uranus_body = 7;
inline constexpr int neptune_body = 8;
inline constexpr int pluto_body = 9;

// Heliocentric position of a body by its number.
//
// Given:    body: 1 Mercury, 2 Venus, 3 Earth, 4 Mars, 5 Jupiter, 6 Saturn,
//           7 Uranus, 8 Neptune, 9 Pluto; T: Julian centuries from J2000.0.
// Returned: heliocentric ecliptic vector of date, AU (body 3 is
//           -sun_position(T), with its polar cache invalid); the zero vector
//           for any other number.
// Notes:    geometric, mean ecliptic and equinox of date.
// Reference: the theories below.
// Accuracy: as the theories below.
Vector3 planet_position(int body, double T) noexcept;

// Heliocentric positions of the planets from analytical theories.
//
// Given:    T: Julian centuries from J2000.0 (TT).
// Returned: vector from Polar(l, b, r): heliocentric ecliptic longitude l in
//           [0, 2*pi), latitude b, radians; radius vector r in AU. Geometric,
//           mean ecliptic and equinox of date.
// Notes:    each theory is the planet's elliptic motion with perturbation
//           series in multiples of its own and the perturbers' mean
//           anomalies.
// Reference: the truncated planetary theories published for small computers.
// Accuracy: over 1900-2100, max in longitude: Mercury to Mars below 2",
//           Jupiter 4.4", Saturn 5.7", Uranus 7.2", Neptune 19" (against
//           tests/data/reference_positions.txt: Mercury 1.76", Venus 1.25",
//           Mars 1.61", Jupiter 4.02", Saturn 5.72", Uranus 7.19", Neptune
//           19.22"; latitude below 2.3"; radius within 2.2e-5 relative).
Vector3 mercury_position(double T) noexcept;
Vector3 venus_position(double T) noexcept;
Vector3 mars_position(double T) noexcept;
Vector3 jupiter_position(double T) noexcept;
Vector3 saturn_position(double T) noexcept;
Vector3 uranus_position(double T) noexcept;
Vector3 neptune_position(double T) noexcept;

// Elongation, phase angle and illuminated fraction of a body.
//
// Given:    -
// Returned: elongation: the Sun-Earth-body angle, radians, [0, pi];
//           phase_angle: the Sun-body-Earth angle, radians, [0, pi];
//           illuminated_fraction: (1 + cos phase_angle)/2, [0, 1].
// Notes:    filled by elongation_phase.
// Reference: the plane triangle Sun-Earth-body.
// Accuracy: as elongation_phase.
struct ElongationPhase {
    double elongation = 0.0;            // Sun-Earth-body angle, radians, [0, pi]
    double phase_angle = 0.0;           // Sun-body-Earth angle, radians, [0, pi]
    double illuminated_fraction = 0.0;  // (1 + cos phase_angle)/2, [0, 1]
};

// Elongation and phase of a body seen from the Earth.
//
// Given:    r: the body's heliocentric vector; R: the Earth's heliocentric
//           vector; same frame and unit.
// Returned: elongation = acos((E^2 + D^2 - rho^2)/(2 D E)), phase angle
//           i = acos((rho^2 + D^2 - E^2)/(2 D rho)), fraction (1 + cos i)/2,
//           with D = |r - R|, rho = |r|, E = |R|.
// Notes:    both cosines are clamped to [-1, 1] before the arccosine, so a
//           body exactly opposite the Sun gives (pi, 0, 1) and never NaN.
//           A body at the Earth or the Sun (D or rho zero) is not handled.
// Reference: the plane triangle Sun-Earth-body.
// Accuracy: double rounding.
ElongationPhase elongation_phase(const Vector3& r, const Vector3& R) noexcept;

}  // namespace orbant
