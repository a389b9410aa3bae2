#include <gtest/gtest.h>

#include <cmath>

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

TEST(SunPosition, WorkedExamples) {
    const Vector3 s0 = sun_position(0.0);
    EXPECT_NEAR(s0.polar(0) * deg, 280.3775, 0.00005);
    EXPECT_NEAR(s0.polar(1) * arcseconds_per_radian, 0.77, 0.005);
    EXPECT_NEAR(s0.polar(2), 0.983327, 0.0000005);
    const Vector3 s1950 = sun_position(-0.5);
    EXPECT_NEAR(s1950.polar(0) * deg, 280.0110, 0.00005);
    EXPECT_NEAR(s1950.polar(2), 0.983243, 0.0000005);
}

// The theory is defined down to its arithmetic: the same formulas evaluated
// independently in IEEE double precision (each sine and cosine taken of the
// angle as written, sums in the order written) give these values exactly.
// At T = -0.93164 the lunar terms' rounding reaches the last digit of R.
TEST(SunPosition, ReproducesTheFormulasToTheLastDigit) {
    struct Golden {
        double T, L, B, R;
    };
    const Golden golden[] = {
        {0.0, 4.8935099057583802, 3.7110773371000996e-06, 0.98332684740674925},
        {-0.5, 4.8871146562561547, -1.2588769864928875e-07, 0.9832432768894096},
        {-0.93164, 3.8225929472822568, -3.4068090147222303e-06, 0.99198310713765403},
    };
    for (const Golden& g : golden) {
        const Vector3 s = sun_position(g.T);
        EXPECT_EQ(s.polar(0), g.L) << g.T;
        EXPECT_EQ(s.polar(1), g.B) << g.T;
        EXPECT_EQ(s.polar(2), g.R) << g.T;
    }
}

TEST(SunPosition, ReturnsAPolarVectorInRange) {
    for (double T = -1.0; T <= 1.0; T += 0.0137) {
        const Vector3 s = sun_position(T);
        ASSERT_TRUE(s.polar_valid);
        ASSERT_GE(s.polar(0), 0.0);
        ASSERT_LT(s.polar(0), two_pi);
        ASSERT_LT(std::fabs(s.polar(1)), 2.0 / arcseconds_per_radian);
        ASSERT_GT(s.polar(2), 0.9832);
        ASSERT_LT(s.polar(2), 1.0168);
    }
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
        // Undoing nutation and the obliquity gives the ecliptic position back.
        const Vector3 back = equatorial_to_ecliptic_matrix(T) * (transpose(nutation_matrix(T)) * eq);
        EXPECT_NEAR(wrapped_difference_deg(back.polar(0), ecl.polar(0)) * 3600.0, 0.0, 1e-6);
        EXPECT_NEAR((back.polar(1) - ecl.polar(1)) * arcseconds_per_radian, 0.0, 1e-6);
        // Near the equinoxes and solstices alike the equatorial longitude differs
        // from the ecliptic one by less than 2.5 deg.
        EXPECT_LT(std::fabs(wrapped_difference_deg(eq.polar(0), ecl.polar(0))), 2.5);
    }
}

TEST(MoonPosition, WorkedExamples) {
    const Vector3 m0 = moon_position(0.0);
    EXPECT_NEAR(m0.polar(0) * deg, 223.3189, 0.00005);
    EXPECT_NEAR(m0.polar(1) * deg, 5.1709, 0.00005);
    EXPECT_NEAR(m0.polar(2), 402438.0, 0.5);
    const Vector3 m1975 = moon_position(-0.25);
    EXPECT_NEAR(m1975.polar(0) * deg, 142.884, 0.0005);
    EXPECT_NEAR(m1975.polar(1) * deg, -4.980, 0.0005);
    EXPECT_NEAR(m1975.polar(2), 362879.0, 0.5);
}

// As for the Sun: the lunar formulas evaluated independently in IEEE double
// precision (tables stepped by complex products, sums in the order written)
// give these values exactly; a factor of the cos/sin tables applied to a
// wrong power, or a term added out of order, changes them.
TEST(MoonPosition, ReproducesTheFormulasToTheLastDigit) {
    struct Golden {
        double T, lambda, beta, distance;
    };
    const Golden golden[] = {
        {0.0, 3.8976502140678284, 0.09024959450641748, 402437.95946532267},
        {-0.25, 2.4937954342345834, -0.086922428491550796, 362879.44585994823},
        {0.731, 5.395899056413934, 0.033599819988115953, 398472.10218574962},
    };
    for (const Golden& g : golden) {
        const Vector3 m = moon_position(g.T);
        EXPECT_EQ(m.polar(0), g.lambda) << g.T;
        EXPECT_EQ(m.polar(1), g.beta) << g.T;
        EXPECT_EQ(m.polar(2), g.distance) << g.T;
    }
}

TEST(MoonPosition, StaysWithinTheLunarOrbitLimits) {
    for (double T = -1.0; T <= 1.0; T += 0.000731) {
        const Vector3 m = moon_position(T);
        ASSERT_GE(m.polar(0), 0.0);
        ASSERT_LT(m.polar(0), two_pi);
        ASSERT_LT(std::fabs(m.polar(1) * deg), 5.35);
        ASSERT_GT(m.polar(2), 356000.0);
        ASSERT_LT(m.polar(2), 407000.0);
    }
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
        const Vector3 back = equatorial_to_ecliptic_matrix(T) * (transpose(nutation_matrix(T)) * eq);
        EXPECT_NEAR(wrapped_difference_deg(back.polar(0), ecl.polar(0)) * 3600.0, 0.0, 1e-6);
        EXPECT_NEAR((back.polar(1) - ecl.polar(1)) * arcseconds_per_radian, 0.0, 1e-6);
    }
}

}  // namespace
}  // namespace orbant
