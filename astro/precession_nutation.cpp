// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/precession_nutation.h"

#include <cmath>

#include "astro/constants.h"

namespace orbant {

namespace {
// Longitude of the ascending node of the ecliptic of date on the J2000.0
// ecliptic at J2000.0, degrees (IAU 1976).
constexpr double precession_node_j2000_deg = 174.876383889;
}  // namespace

Matrix3 ecliptic_precession_matrix(double T1, double T2) noexcept {
    const double dT = T2 - T1;
    const double Arcs = arcseconds_per_radian;
    const double node = precession_node_j2000_deg * pi / 180.0 +
                        ((3289.4789 + 0.60622 * T1) * T1 + (-869.8089 - 0.50491 * T1 + 0.03536 * dT) * dT) / Arcs;
    const double inclination =
        ((47.0029 - (0.06603 - 0.000598 * T1) * T1) + (-0.03302 + 0.000598 * T1 + 0.000060 * dT) * dT) * dT / Arcs;
    const double general =
        ((5029.0966 + (2.22226 - 0.000042 * T1) * T1) + (1.11113 - 0.000042 * T1 - 0.000006 * dT) * dT) * dT / Arcs;
    return rotation_z(-(node + general)) * rotation_x(inclination) * rotation_z(node);
}

NutationAngles nutation_angles(double T) noexcept {
    const double ls = two_pi * frac(0.993133 + 99.997306 * T);   // Sun's mean anomaly
    const double D = two_pi * frac(0.827362 + 1236.853087 * T);  // Moon's mean elongation
    const double F = two_pi * frac(0.259089 + 1342.227826 * T);  // Moon's argument of latitude
    const double N = two_pi * frac(0.347346 - 5.372447 * T);     // longitude of the Moon's node
    NutationAngles a;
    a.d_psi = (0.206 * std::sin(2.0 * N) -
               (17.2 * std::sin(N) + 0.227 * std::sin(2.0 * (F + N)) + 1.319 * std::sin(2.0 * (F - D + N))) +
               0.143 * std::sin(ls)) /
              arcseconds_per_radian;
    a.d_eps = (9.203 * std::cos(N) + 0.574 * std::cos(2.0 * (F - D + N)) + 0.098 * std::cos(2.0 * (F + N)) -
               0.090 * std::cos(2.0 * N)) /
              arcseconds_per_radian;
    a.epsilon = 0.4090928 - 0.00022696 * T;
    return a;
}

Matrix3 nutation_matrix(double T) noexcept {
    const NutationAngles a = nutation_angles(T);
    return rotation_x(-a.epsilon - a.d_eps) * rotation_z(-a.d_psi) * rotation_x(a.epsilon);
}

}  // namespace orbant
