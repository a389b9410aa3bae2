// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/vector3.h"

#include <cmath>

#include "astro/constants.h"

namespace orbant {

Vector3::Vector3(const Polar& p) noexcept : phi(p.phi), theta(p.theta), r(p.r), polar_valid(true) {
    const double cos_theta = std::cos(p.theta);
    x = p.r * cos_theta * std::cos(p.phi);
    y = p.r * cos_theta * std::sin(p.phi);
    z = p.r * std::sin(p.theta);
}

double Vector3::polar(int index) const noexcept {
    if (!polar_valid) {
        const double rho_sq = x * x + y * y;
        r = std::sqrt(z * z + rho_sq);
        if (x == 0.0 && y == 0.0) {
            phi = 0.0;
        } else {
            phi = std::atan2(y, x);
            if (phi < 0.0) phi += two_pi;
        }
        const double rho = std::sqrt(rho_sq);
        if (z == 0.0 && rho == 0.0) {
            theta = 0.0;
        } else {
            theta = std::atan2(z, rho);
        }
        polar_valid = true;
    }
    if (index == 1) return theta;
    if (index == 2) return r;
    return phi;
}

double polar_component(const Vector3& v, int index) noexcept { return v.polar(index); }

Vector3 operator-(const Vector3& v) noexcept { return Vector3(-v.x, -v.y, -v.z); }

Vector3 operator-(const Vector3& a, const Vector3& b) noexcept { return Vector3(a.x - b.x, a.y - b.y, a.z - b.z); }

Vector3 operator+(const Vector3& a, const Vector3& b) noexcept { return Vector3(a.x + b.x, a.y + b.y, a.z + b.z); }

double dot(const Vector3& a, const Vector3& b) noexcept { return a.x * b.x + a.y * b.y + a.z * b.z; }

double norm(const Vector3& v) noexcept { return std::sqrt(dot(v, v)); }

}  // namespace orbant
