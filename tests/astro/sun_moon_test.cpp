// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

#include "astro/constants.h"
#include "astro/moon.h"
#include "astro/precession_nutation.h"
#include "astro/sun.h"

namespace orbant {
namespace {

constexpr double deg = degrees_per_radian;
constexpr double one_arcminute = 1.0 / 60.0;  // degrees

double wrapped_difference_deg(double a_rad, double b_rad) {
    return std::remainder(a_rad - b_rad, two_pi) * deg;
}

// Undoing nutation and the obliquity of T turns the equatorial position of
// date eq back into the ecliptic position ecl, to 1e-6".
void expect_undoes_to_ecliptic(const Vector3& eq, const Vector3& ecl, double T) {
    const Vector3 back = equatorial_to_ecliptic_matrix(T) * (transpose(nutation_matrix(T)) * eq);
    EXPECT_NEAR(wrapped_difference_deg(back.polar(0), ecl.polar(0)) * 3600.0, 0.0, 1e-6) << T;
    EXPECT_NEAR((back.polar(1) - ecl.polar(1)) * arcseconds_per_radian, 0.0, 1e-6) << T;
}

// A theory of the ecliptic position at T Julian centuries from J2000.0.
using PolarTheory = Vector3 (*)(double) noexcept;

// The polar components at T, exactly as an independent evaluation gives them.
struct PolarGolden {
    double T, longitude, latitude, distance;
};

void expect_golden(PolarTheory theory, std::initializer_list<PolarGolden> golden) {
    for (const PolarGolden& g : golden) {
        const Vector3 p = theory(g.T);
        EXPECT_EQ(p.polar(0), g.longitude) << g.T;
        EXPECT_EQ(p.polar(1), g.latitude) << g.T;
        EXPECT_EQ(p.polar(2), g.distance) << g.T;
    }
}

// Over T from -1 to 1 by step the theory gives a polar vector with the
// longitude in [0, 2 pi), |latitude| below latitude_limit_deg and the
// distance between distance_min and distance_max.
void expect_polar_in_range(PolarTheory theory, double step, double latitude_limit_deg, double distance_min,
                           double distance_max) {
    for (double T = -1.0; T <= 1.0; T += step) {
        const Vector3 p = theory(T);
        ASSERT_TRUE(p.polar_valid);
        ASSERT_GE(p.polar(0), 0.0);
        ASSERT_LT(p.polar(0), two_pi);
        ASSERT_LT(std::fabs(p.polar(1) * deg), latitude_limit_deg);
        ASSERT_GT(p.polar(2), distance_min);
        ASSERT_LT(p.polar(2), distance_max);
    }
}

// The longitude (degrees) and the distance of p near a worked example.
void expect_longitude_and_distance(const Vector3& p, double longitude_deg, double longitude_tolerance_deg,
                                   double distance, double distance_tolerance) {
    EXPECT_NEAR(p.polar(0) * deg, longitude_deg, longitude_tolerance_deg);
    EXPECT_NEAR(p.polar(2), distance, distance_tolerance);
}

TEST(SunPosition, WorkedExamples) {
    const Vector3 s0 = sun_position(0.0);
    expect_longitude_and_distance(s0, 280.3775, 0.00005, 0.983327, 0.0000005);
    EXPECT_NEAR(s0.polar(1) * arcseconds_per_radian, 0.77, 0.005);
    expect_longitude_and_distance(sun_position(-0.5), 280.0110, 0.00005, 0.983243, 0.0000005);
}

// The theory is defined down to its arithmetic: the same formulas evaluated
// independently in IEEE double precision (each sine and cosine taken of the
// angle as written, sums in the order written) give these values exactly.
// At T = -0.93164 the lunar terms' rounding reaches the last digit of R.
TEST(SunPosition, ReproducesTheFormulasToTheLastDigit) {
    expect_golden(sun_position, {
                                    {0.0, 4.8935099057583802, 3.7110773371000996e-06, 0.98332684740674925},
                                    {-0.5, 4.8871146562561547, -1.2588769864928875e-07, 0.9832432768894096},
                                    {-0.93164, 3.8225929472822568, -3.4068090147222303e-06, 0.99198310713765403},
                                });
}

TEST(SunPosition, ReturnsAPolarVectorInRange) {
    // Latitude below 2".
    expect_polar_in_range(sun_position, 0.0137, 2.0 / 3600.0, 0.9832, 1.0168);
}

TEST(SunLowPrecision, AgreesWithTheFullTheory) {
    const RaDec r0 = sun_low_precision(0.0);
    EXPECT_NEAR(r0.ra * deg, 281.3, 0.05);
    EXPECT_NEAR(r0.dec * deg, -23.0, 0.05);
    for (double T = -1.0; T <= 1.0; T += 0.00731) {
        const RaDec low = sun_low_precision(T);
        const Vector3 full = ecliptic_to_equatorial_matrix(T) * sun_position(T);
        ASSERT_NEAR(wrapped_difference_deg(low.ra, full.polar(0)), 0.0, 2 * one_arcminute) << T;
        ASSERT_NEAR((low.dec - full.polar(1)) * deg, 0.0, one_arcminute) << T;
    }
}

TEST(SunEquatorialOfDate, IsTheEclipticPositionTurnedAndNutated) {
    for (double T : {-0.9, -0.25, 0.0, 0.31}) {
        const Vector3 eq = sun_equatorial_of_date(T);
        const Vector3 ecl = sun_position(T);
        EXPECT_NEAR(eq.polar(2), ecl.polar(2), 1e-15);
        expect_undoes_to_ecliptic(eq, ecl, T);
        // Near the equinoxes and solstices alike the equatorial longitude differs
        // from the ecliptic one by less than 2.5 deg.
        EXPECT_LT(std::fabs(wrapped_difference_deg(eq.polar(0), ecl.polar(0))), 2.5);
    }
}

TEST(MoonPosition, WorkedExamples) {
    const Vector3 m0 = moon_position(0.0);
    expect_longitude_and_distance(m0, 223.3189, 0.00005, 402438.0, 0.5);
    EXPECT_NEAR(m0.polar(1) * deg, 5.1709, 0.00005);
    const Vector3 m1975 = moon_position(-0.25);
    expect_longitude_and_distance(m1975, 142.884, 0.0005, 362879.0, 0.5);
    EXPECT_NEAR(m1975.polar(1) * deg, -4.980, 0.0005);
}

// As for the Sun: the lunar formulas evaluated independently in IEEE double
// precision (tables stepped by complex products, sums in the order written)
// give these values exactly; a factor of the cos/sin tables applied to a
// wrong power, or a term added out of order, changes them.
TEST(MoonPosition, ReproducesTheFormulasToTheLastDigit) {
    expect_golden(moon_position, {
                                     {0.0, 3.8976502140678284, 0.09024959450641748, 402437.95946532267},
                                     {-0.25, 2.4937954342345834, -0.086922428491550796, 362879.44585994823},
                                     {0.731, 5.395899056413934, 0.033599819988115953, 398472.10218574962},
                                 });
}

TEST(MoonPosition, StaysWithinTheLunarOrbitLimits) {
    expect_polar_in_range(moon_position, 0.000731, 5.35, 356000.0, 407000.0);
}

TEST(MoonLowPrecision, AgreesWithTheFullTheory) {
    for (double T = -1.0; T <= 1.0; T += 0.000917) {
        const RaDec low = moon_low_precision(T);
        const Vector3 full = ecliptic_to_equatorial_matrix(T) * moon_position(T);
        const double ra_error_deg = wrapped_difference_deg(low.ra, full.polar(0)) * std::cos(full.polar(1));
        ASSERT_NEAR(ra_error_deg, 0.0, 10 * one_arcminute) << T;
        ASSERT_NEAR((low.dec - full.polar(1)) * deg, 0.0, 10 * one_arcminute) << T;
    }
}

TEST(MoonEquatorialOfDate, KeepsTheDistanceAndUndoesToTheEclipticPosition) {
    for (double T : {-0.7, 0.0, 0.12}) {
        const Vector3 eq = moon_equatorial_of_date(T);
        const Vector3 ecl = moon_position(T);
        EXPECT_NEAR(eq.polar(2), ecl.polar(2), 1e-8);
        expect_undoes_to_ecliptic(eq, ecl, T);
    }
}

}  // namespace
}  // namespace orbant
