// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/matrix3.h"

#include <cmath>

#include "astro/constants.h"

namespace orbant {

Matrix3 identity_matrix() noexcept {
    Matrix3 m;
    m(0, 0) = 1.0;
    m(1, 1) = 1.0;
    m(2, 2) = 1.0;
    return m;
}

Matrix3 rotation_x(double a) noexcept {
    const double c = std::cos(a), s = std::sin(a);
    return Matrix3{{1.0, 0.0, 0.0, 0.0, c, s, 0.0, -s, c}};
}

Matrix3 rotation_y(double a) noexcept {
    const double c = std::cos(a), s = std::sin(a);
    return Matrix3{{c, 0.0, -s, 0.0, 1.0, 0.0, s, 0.0, c}};
}

Matrix3 rotation_z(double a) noexcept {
    const double c = std::cos(a), s = std::sin(a);
    return Matrix3{{c, s, 0.0, -s, c, 0.0, 0.0, 0.0, 1.0}};
}

Matrix3 transpose(const Matrix3& m) noexcept {
    Matrix3 t;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) t(i, j) = m(j, i);
    return t;
}

Matrix3 operator*(const Matrix3& a, const Matrix3& b) noexcept {
    Matrix3 p;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) p(i, j) = a(i, 0) * b(0, j) + a(i, 1) * b(1, j) + a(i, 2) * b(2, j);
    return p;
}

Vector3 operator*(const Matrix3& m, const Vector3& v) noexcept {
    return Vector3(m(0, 0) * v.x + m(0, 1) * v.y + m(0, 2) * v.z, m(1, 0) * v.x + m(1, 1) * v.y + m(1, 2) * v.z,
                   m(2, 0) * v.x + m(2, 1) * v.y + m(2, 2) * v.z);
}

double obliquity(double T) noexcept {
    return obliquity_j2000_deg - (46.815 + (0.00059 - 0.001813 * T) * T) * T / 3600.0;
}

Matrix3 equatorial_to_ecliptic_matrix(double T) noexcept { return rotation_x(obliquity(T) * pi / 180.0); }

Matrix3 ecliptic_to_equatorial_matrix(double T) noexcept { return transpose(equatorial_to_ecliptic_matrix(T)); }

Horizontal equatorial_to_horizontal(double declination, double hour_angle, double latitude) noexcept {
    const Vector3 e(Polar(hour_angle, declination, 1.0));
    const Vector3 h = rotation_y(pi / 2.0 - latitude) * e;
    Horizontal out;
    out.altitude = h.polar(1);
    out.azimuth = h.polar(0);
    return out;
}

}  // namespace orbant
