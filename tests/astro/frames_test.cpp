// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "astro/constants.h"
#include "astro/matrix3.h"
#include "astro/precession_nutation.h"
#include "astro/vector3.h"

namespace orbant {
namespace {

constexpr double tiny = 1e-14;
constexpr double one_milliarcsecond = 1e-3 / arcseconds_per_radian;
constexpr double ten_milliarcseconds = 1e-2 / arcseconds_per_radian;

TEST(PolarForm, DegenerateDirections) {
    const Vector3 zero;
    EXPECT_EQ(zero.polar(0), 0.0);
    EXPECT_EQ(zero.polar(1), 0.0);
    EXPECT_EQ(zero.polar(2), 0.0);
    const Vector3 up(0.0, 0.0, 2.0), down(0.0, 0.0, -3.0);
    EXPECT_EQ(up.polar(0), 0.0);
    EXPECT_DOUBLE_EQ(up.polar(1), pi / 2);
    EXPECT_DOUBLE_EQ(up.polar(2), 2.0);
    EXPECT_EQ(down.polar(0), 0.0);
    EXPECT_DOUBLE_EQ(down.polar(1), -pi / 2);
}

TEST(PolarForm, LongitudeStaysInOneTurn) {
    // Below the negative x axis: atan2 is near -pi; the stored angle is
    // just above pi, never negative.
    const Vector3 v(-1.0, -0.0001, 0.0);
    const double phi = v.polar(0);
    EXPECT_NEAR(phi, pi + 0.0001, 1e-12);
    // Just below the positive x axis: just below 2 pi.
    const Vector3 w(1.0, -0.0001, 0.0);
    EXPECT_LT(w.polar(0), two_pi);
    EXPECT_NEAR(w.polar(0), two_pi - 0.0001, 1e-12);
    // Any index but 1 and 2 reads phi.
    EXPECT_EQ(v.polar(7), phi);
    EXPECT_EQ(polar_component(v, 0), phi);
}

TEST(PolarCache, KeepsThePolarInputUntilArithmeticClearsIt) {
    Vector3 v(Polar(-0.5, 0.1, 1.0));
    EXPECT_TRUE(v.polar_valid);
    EXPECT_EQ(v.polar(0), -0.5);
    EXPECT_EQ(v.polar(1), 0.1);
    EXPECT_EQ(v.polar(2), 1.0);
    EXPECT_DOUBLE_EQ(v.x, std::cos(0.1) * std::cos(-0.5));
    EXPECT_DOUBLE_EQ(v.z, std::sin(0.1));
    const Vector3 copy = v;
    EXPECT_EQ(copy.polar(0), -0.5);
    v = identity_matrix() * v;
    EXPECT_FALSE(v.polar_valid);
    EXPECT_EQ(v.phi, 0.0);
    EXPECT_NEAR(v.polar(0), two_pi - 0.5, tiny);
    EXPECT_TRUE(v.polar_valid);
}

TEST(PolarCache, EveryArithmeticResultStartsInvalid) {
    const Vector3 a(Polar(1.0, 0.2, 2.0)), b(Polar(2.0, -0.3, 1.5));
    const Vector3 n = -a, d = a - b;
    EXPECT_FALSE(n.polar_valid);
    EXPECT_FALSE(d.polar_valid);
    EXPECT_EQ(n.r, 0.0);
    EXPECT_EQ(d.theta, 0.0);
    EXPECT_NEAR(n.polar(0), 1.0 + pi, tiny);
    EXPECT_NEAR(n.polar(1), -0.2, tiny);
    EXPECT_DOUBLE_EQ(dot(a, a), 4.0);
    EXPECT_DOUBLE_EQ(norm(b), 1.5);
}

TEST(ScalarHelpers, FracAndModuloOfNegativeValues) {
    EXPECT_EQ(frac(-0.25), 0.75);
    EXPECT_EQ(frac(2.5), 0.5);
    EXPECT_EQ(modulo(-1.0, 86400.0), 86399.0);
    EXPECT_NEAR(modulo(86401.0, 86400.0), 1.0, 1e-9);
    const ComplexPair p = complex_product(1.0, 2.0, 3.0, 4.0);  // (1+2i)(3+4i) = -5+10i
    EXPECT_EQ(p.re, -5.0);
    EXPECT_EQ(p.im, 10.0);
}

TEST(Rotations, AreFrameRotationsAndOrthogonal) {
    // Turning the frame by +90 deg about z moves the x axis to -y.
    const Vector3 e = rotation_z(pi / 2) * Vector3(1.0, 0.0, 0.0);
    EXPECT_NEAR(e.x, 0.0, tiny);
    EXPECT_NEAR(e.y, -1.0, tiny);
    const Vector3 f = rotation_x(pi / 2) * Vector3(0.0, 1.0, 0.0);
    EXPECT_NEAR(f.z, -1.0, tiny);
    const Vector3 g = rotation_y(pi / 2) * Vector3(0.0, 0.0, 1.0);
    EXPECT_NEAR(g.x, -1.0, tiny);
    for (double a : {0.3, -1.2, 2.9}) {
        for (const Matrix3& m : {rotation_x(a), rotation_y(a), rotation_z(a)}) {
            const Matrix3 p = m * transpose(m);
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 3; ++j) EXPECT_NEAR(p(i, j), i == j ? 1.0 : 0.0, tiny);
        }
    }
    const Matrix3 a = rotation_x(0.4) * rotation_z(1.1);
    const Vector3 v(0.3, -0.7, 0.2);
    const Vector3 step = rotation_x(0.4) * (rotation_z(1.1) * v), whole = a * v;
    EXPECT_NEAR(step.x, whole.x, tiny);
    EXPECT_NEAR(step.y, whole.y, tiny);
    EXPECT_NEAR(step.z, whole.z, tiny);
}

TEST(Obliquity, EclipticToEquatorialTurnsByTheJ2000Obliquity) {
    EXPECT_DOUBLE_EQ(obliquity(0.0), 23.43929111);
    EXPECT_NEAR(obliquity(1.0), 23.43929111 - (46.815 + 0.00059 - 0.001813) / 3600.0, 1e-12);
    const Matrix3 m = ecliptic_to_equatorial_matrix(0.0);
    // The ecliptic pole lands at declination 90 deg - epsilon.
    const Vector3 pole = m * Vector3(0.0, 0.0, 1.0);
    EXPECT_NEAR(pi / 2 - pole.polar(1), 0.409092804, 1e-9);
    const Vector3 back = equatorial_to_ecliptic_matrix(0.0) * pole;
    EXPECT_NEAR(back.z, 1.0, tiny);
    // Summer solstice point: ecliptic longitude 90 deg has RA 90 deg, dec +epsilon.
    const Vector3 solstice = m * Vector3(Polar(pi / 2, 0.0, 1.0));
    EXPECT_NEAR(solstice.polar(0), pi / 2, tiny);
    EXPECT_NEAR(solstice.polar(1), 0.409092804, 1e-9);
}

TEST(EquatorialToHorizontal, PoleMeridianAndWestwardAzimuth) {
    // At the north pole the altitude is the declination.
    for (double tau : {0.0, 1.0, 4.0}) {
        EXPECT_NEAR(equatorial_to_horizontal(0.3, tau, pi / 2).altitude, 0.3, 1e-12);
    }
    // On the meridian south of the zenith: azimuth 0, altitude 90 - lat + dec.
    const double lat = 53.5 * radians_per_degree;
    const Horizontal south = equatorial_to_horizontal(0.1, 0.0, lat);
    EXPECT_NEAR(south.azimuth, 0.0, 1e-12);
    EXPECT_NEAR(south.altitude, pi / 2 - lat + 0.1, 1e-12);
    // Positive hour angle: west of the meridian, azimuth in (0, pi).
    const Horizontal west = equatorial_to_horizontal(0.1, 1.0, lat);
    EXPECT_GT(west.azimuth, 0.0);
    EXPECT_LT(west.azimuth, pi);
    const Horizontal east = equatorial_to_horizontal(0.1, -1.0, lat);
    EXPECT_GT(east.azimuth, pi);
    EXPECT_LT(east.azimuth, two_pi);
    EXPECT_NEAR(east.azimuth, two_pi - west.azimuth, 1e-12);
    // A star on the celestial equator sets due west at hour angle 90 deg.
    const Horizontal setting = equatorial_to_horizontal(0.0, pi / 2, lat);
    EXPECT_NEAR(setting.altitude, 0.0, 1e-12);
    EXPECT_NEAR(setting.azimuth, pi / 2, 1e-12);
}

TEST(Precession, SameEpochIsIdentity) {
    for (double T : {-2.0, -0.5, 0.0, 0.37, 1.0}) {
        const Matrix3 m = ecliptic_precession_matrix(T, T);
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) EXPECT_NEAR(m(i, j), i == j ? 1.0 : 0.0, tiny) << T;
    }
}

TEST(Precession, B1950EquinoxToJ2000) {
    const Vector3 v = ecliptic_precession_matrix(-0.500002108, 0.0) * Vector3(1.0, 0.0, 0.0);
    EXPECT_NEAR(v.polar(0) * degrees_per_radian, 0.6984, 0.00005);
    EXPECT_NEAR(v.polar(1) * degrees_per_radian, 0.00065, 0.000005);
    // Back again with the reversed epochs.
    const Vector3 w = ecliptic_precession_matrix(0.0, -0.500002108) * v;
    EXPECT_NEAR(w.x, 1.0, 1e-11);
    EXPECT_NEAR(w.y, 0.0, 1e-11);
    EXPECT_NEAR(w.z, 0.0, 1e-11);
}

TEST(Nutation, AnglesAtJ2000) {
    const NutationAngles a = nutation_angles(0.0);
    EXPECT_NEAR(a.d_psi * arcseconds_per_radian, -14.03, 0.005);
    EXPECT_NEAR(a.d_eps * arcseconds_per_radian, -5.77, 0.005);
    EXPECT_EQ(a.epsilon, 0.4090928);
}

TEST(Nutation, MatrixMovesTheEquinoxByTheNutationAngles) {
    for (double T : {-0.8, 0.0, 0.45}) {
        const NutationAngles a = nutation_angles(T);
        const Matrix3 n = nutation_matrix(T);
        // The mean equinox direction moves in right ascension by
        // d_psi*cos(eps) and the ecliptic pole keeps its right ascension.
        const Vector3 equinox = n * Vector3(1.0, 0.0, 0.0);
        EXPECT_NEAR(std::remainder(equinox.polar(0), two_pi), a.d_psi * std::cos(a.epsilon), ten_milliarcseconds);
        // The true obliquity is the mean one plus d_eps: the ecliptic pole of
        // date lies at distance eps + d_eps from the true pole.
        const Vector3 ecl_pole(0.0, -std::sin(a.epsilon), std::cos(a.epsilon));
        const Vector3 moved = n * ecl_pole;
        EXPECT_NEAR(pi / 2 - moved.polar(1), a.epsilon + a.d_eps, one_milliarcsecond);
    }
}

}  // namespace
}  // namespace orbant
