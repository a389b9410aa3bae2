// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/services/positions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "astro/constants.h"
#include "astro/matrix3.h"
#include "astro/services/format.h"
#include "astro/sun.h"
#include "astro/time_scales.h"
#include "reference_tables.h"

namespace orbant {
namespace {

using testing_reference::PositionRow;

// Tolerances, arcseconds, against the geometric reference positions at the
// proper dynamical time. The services feed universal time to the theories
// (no Delta T; 45 to 69 s for the instants of the table), which moves the
// Moon by up to about 40", the Sun by about 3" and the planets by a few
// arcseconds; the theories themselves are good to 2-4" (Sun, Moon) and up
// to 19" (Neptune). Altitude and azimuth also use mean instead of apparent
// sidereal time (up to 1.2 s of time, 17"), against the reference's apparent
// one.
inline constexpr double sun_tolerance_arcsec = 10.0;
inline constexpr double moon_tolerance_arcsec = 60.0;
inline constexpr double planet_tolerance_arcsec = 30.0;
inline constexpr double horizon_extra_arcsec = 20.0;
// Distances: the Sun's theory to a few 1e-6 AU, the Moon's about 10 km short,
// plus the Moon's range rate over Delta T (up to 6 km).
inline constexpr double sun_distance_tolerance_km = 1500.0;
inline constexpr double moon_distance_tolerance_km = 30.0;

double arcsec_between_angles(double a_rad, double b_deg) {
    double d = a_rad * degrees_per_radian - b_deg;
    d = std::remainder(d, 360.0);
    return std::fabs(d) * 3600.0;
}

double tolerance_for(const std::string& body) {
    if (body == "sun") return sun_tolerance_arcsec;
    if (body == "moon") return moon_tolerance_arcsec;
    return planet_tolerance_arcsec;
}

TEST(Positions, EquatorialAndHorizontalMatchTheReference) {
    double worst_equatorial = 0.0, worst_horizontal = 0.0;
    std::string worst_equatorial_where = "none", worst_horizontal_where = "none";
    int compared = 0;
    for (const PositionRow& row : testing_reference::position_rows()) {
        SCOPED_TRACE(row.where());
        const double tol = tolerance_for(row.body);
        double ra = 0.0, dec = 0.0, alt = 0.0, az = 0.0, dist = -1.0;
        if (row.body == "sun") {
            sun_equatorial(row.local, row.zone_hours, ra, dec);
            sun_horizontal(row.local, row.longitude_deg, row.latitude_deg, row.zone_hours, alt, az, dist);
            EXPECT_NEAR(dist, row.distance_km, sun_distance_tolerance_km);
        } else if (row.body == "moon") {
            moon_equatorial(row.local, row.zone_hours, ra, dec);
            moon_horizontal(row.local, row.longitude_deg, row.latitude_deg, row.zone_hours, alt, az, dist);
            EXPECT_NEAR(dist, row.distance_km, moon_distance_tolerance_km);
        } else {
            const int body = testing_reference::body_number(row.body);
            planet_equatorial(body, row.local, row.zone_hours, ra, dec);
            planet_horizontal(body, row.local, row.longitude_deg, row.latitude_deg, row.zone_hours, alt, az);
        }
        // Right ascension on a small circle: compare the arc, not the angle.
        const double e_ra = arcsec_between_angles(ra, row.ra_deg) * std::cos(row.dec_deg * radians_per_degree);
        const double e_dec = arcsec_between_angles(dec, row.dec_deg);
        const double e_alt = arcsec_between_angles(alt, row.altitude_deg);
        const double e_az = arcsec_between_angles(az, row.azimuth_deg) * std::cos(row.altitude_deg * radians_per_degree);
        EXPECT_LE(e_ra, tol);
        EXPECT_LE(e_dec, tol);
        EXPECT_LE(e_alt, tol + horizon_extra_arcsec);
        EXPECT_LE(e_az, tol + horizon_extra_arcsec);
        EXPECT_GE(ra, 0.0);
        EXPECT_LT(ra, two_pi);
        EXPECT_GE(az, 0.0);
        EXPECT_LT(az, two_pi);
        const double e_eq = std::max(e_ra, e_dec);
        const double e_hor = std::max(e_alt, e_az);
        if (e_eq > worst_equatorial) {
            worst_equatorial = e_eq;
            worst_equatorial_where = row.where();
        }
        if (e_hor > worst_horizontal) {
            worst_horizontal = e_hor;
            worst_horizontal_where = row.where();
        }
        ++compared;
    }
    EXPECT_GE(compared, 40);
    std::printf("[ worst    ] equatorial %.1f\" at %s\n", worst_equatorial, worst_equatorial_where.c_str());
    std::printf("[ worst    ] horizontal %.1f\" at %s\n", worst_horizontal, worst_horizontal_where.c_str());
}

// The same moment written as standard time and as summer time (the clock
// one hour later, the offset one hour larger).
struct SameMomentCase {
    const char* name;
    CivilDateTime standard;
    double zone;
    CivilDateTime summer;
};

class SameMomentAsSummerTime : public ::testing::TestWithParam<SameMomentCase> {};

// Rounding of the day fraction differs between the two forms by up to two
// units in the last place of the Julian date (2 x 40 microseconds); the
// results must not differ by more than that (1e-9 rad is 0.2
// milliarcseconds).
inline constexpr double same_moment_limit_rad = 1e-9;
inline constexpr double same_moment_limit_centuries = 1e-9 / 36525.0;

TEST_P(SameMomentAsSummerTime, GivesIdenticalPositions) {
    const SameMomentCase& c = GetParam();
    constexpr double lon = 10.0, lat = 53.5;
    double a1 = 0, z1 = 0, d1 = 0, a2 = 0, z2 = 0, d2 = 0;
    sun_horizontal(c.standard, lon, lat, c.zone, a1, z1, d1);
    sun_horizontal(c.summer, lon, lat, c.zone + 1.0, a2, z2, d2);
    EXPECT_NEAR(a1, a2, same_moment_limit_rad);
    EXPECT_NEAR(z1, z2, same_moment_limit_rad);
    EXPECT_NEAR(d1, d2, 1e-3);
    moon_horizontal(c.standard, lon, lat, c.zone, a1, z1, d1);
    moon_horizontal(c.summer, lon, lat, c.zone + 1.0, a2, z2, d2);
    EXPECT_NEAR(a1, a2, same_moment_limit_rad);
    EXPECT_NEAR(z1, z2, same_moment_limit_rad);
    EXPECT_NEAR(d1, d2, 1e-4);
    planet_horizontal(5, c.standard, lon, lat, c.zone, a1, z1);
    planet_horizontal(5, c.summer, lon, lat, c.zone + 1.0, a2, z2);
    EXPECT_NEAR(a1, a2, same_moment_limit_rad);
    EXPECT_NEAR(z1, z2, same_moment_limit_rad);
    ecliptic_point_horizontal(c.standard, lon, lat, c.zone, 1.0, a1, z1);
    ecliptic_point_horizontal(c.summer, lon, lat, c.zone + 1.0, 1.0, a2, z2);
    EXPECT_NEAR(a1, a2, same_moment_limit_rad);
    EXPECT_NEAR(z1, z2, same_moment_limit_rad);
    EXPECT_NEAR(centuries_from_civil(c.standard, c.zone), centuries_from_civil(c.summer, c.zone + 1.0), same_moment_limit_centuries);
}

INSTANTIATE_TEST_SUITE_P(
    Instants, SameMomentAsSummerTime,
    ::testing::Values(SameMomentCase{"Afternoon", {2024, 6, 21, 14, 30, 0}, 1.0, {2024, 6, 21, 15, 30, 0}},
                      SameMomentCase{"AcrossMidnight", {2024, 7, 1, 23, 20, 5}, 1.0, {2024, 7, 2, 0, 20, 5}},
                      SameMomentCase{"AcrossYearEnd", {2023, 12, 31, 23, 59, 59}, -5.0, {2024, 1, 1, 0, 59, 59}}),
    [](const ::testing::TestParamInfo<SameMomentCase>& case_info) { return std::string(case_info.param.name); });

TEST(Positions, MoonEquatorialAndHorizontalShareTheDeclination) {
    // At the pole of the sky (latitude +90) the altitude is the declination.
    const CivilDateTime at{2024, 1, 17, 20, 15, 0};
    double ra = 0, dec = 0, alt = 0, az = 0, dist = 0;
    moon_equatorial(at, 1.0, ra, dec);
    moon_horizontal(at, 10.0, 90.0, 1.0, alt, az, dist);
    EXPECT_NEAR(alt, dec, 1e-12);
    sun_equatorial(at, 1.0, ra, dec);
    sun_horizontal(at, 10.0, 90.0, 1.0, alt, az, dist);
    EXPECT_NEAR(alt, dec, 1e-12);
}

// Local sidereal time of a civil instant, radians, from the engine's
// sidereal time: the right ascension on the meridian.
double meridian_ra(const CivilDateTime& at, double lon_deg, double zone) {
    const double mjd = mjd_from_date(at.year, at.month, at.day, at.hour, at.minute, at.second) - zone / 24.0;
    return gmst(mjd) + lon_deg * radians_per_degree;
}

TEST(FixedHorizontal, OnTheMeridianSouthAndNorthOfTheZenith) {
    const CivilDateTime at{2024, 3, 20, 22, 0, 0};
    constexpr double lon = 10.0, lat = 53.5, zone = 1.0;
    const double ra = meridian_ra(at, lon, zone);
    double alt = 0, az = 0;
    // South of the zenith: declination 20 deg below the latitude.
    fixed_horizontal(at, lon, lat, zone, ra, 33.5 * radians_per_degree, alt, az);
    EXPECT_NEAR(alt * degrees_per_radian, 70.0, 1e-9);
    EXPECT_NEAR(az, 0.0, 1e-12);
    EXPECT_NEAR(azimuth_from_north(az * degrees_per_radian), 180.0, 1e-9);
    EXPECT_EQ(compass_label(azimuth_from_north(az * degrees_per_radian)), "(S)");
    // North of the zenith: the azimuth from south is half a turn, shown as 0
    // from north and never as 360.
    fixed_horizontal(at, lon, lat, zone, ra, 73.5 * radians_per_degree, alt, az);
    EXPECT_NEAR(alt * degrees_per_radian, 70.0, 1e-9);
    const double shown = azimuth_from_north(az * degrees_per_radian);
    EXPECT_LT(shown, 1e-9);
    EXPECT_GE(shown, 0.0);
    EXPECT_EQ(compass_label(shown), "(N)");
}

TEST(FixedHorizontal, AnHourAfterTransitTheStarStandsWestOfSouth) {
    // A positive hour angle gives an azimuth between 0 and pi from the
    // south, that is west: the east longitude must enter with a plus sign.
    const CivilDateTime at{2024, 3, 20, 22, 0, 0};
    const double ra = meridian_ra(at, 10.0, 1.0) - 15.0 * radians_per_degree;
    double alt = 0, az = 0;
    fixed_horizontal(at, 10.0, 53.5, 1.0, ra, 0.0, alt, az);
    EXPECT_GT(az, 0.0);
    EXPECT_LT(az, pi);
    EXPECT_EQ(compass_label(azimuth_from_north(az * degrees_per_radian)), "(SW)");
    // The celestial pole stands at the latitude's altitude at any time.
    fixed_horizontal(at, 10.0, 53.5, 1.0, 1.234, pi / 2.0, alt, az);
    EXPECT_NEAR(alt * degrees_per_radian, 53.5, 1e-9);
}

TEST(EclipticPointHorizontal, TheSunStandsOnTheEcliptic) {
    // The point of the ecliptic at the Sun's longitude is the Sun's place up
    // to its latitude (below 1") and the nutation (below 20") that the Sun's
    // equatorial coordinates carry.
    const CivilDateTime at{2024, 5, 5, 10, 0, 0};
    constexpr double lon = 10.0, lat = 53.5, zone = 2.0;
    const double T = centuries_from_civil(at, zone);
    const double lambda = sun_position(T).polar(0);
    double alt = 0, az = 0, sun_alt = 0, sun_az = 0, dist = 0;
    ecliptic_point_horizontal(at, lon, lat, zone, lambda, alt, az);
    sun_horizontal(at, lon, lat, zone, sun_alt, sun_az, dist);
    EXPECT_NEAR(alt * degrees_per_radian * 3600.0, sun_alt * degrees_per_radian * 3600.0, 25.0);
    EXPECT_NEAR(az * degrees_per_radian * 3600.0, sun_az * degrees_per_radian * 3600.0, 40.0);
}

TEST(EclipticPointHorizontal, SummerSolsticePointHasTheObliquityAsDeclination) {
    const CivilDateTime at{2024, 5, 5, 10, 0, 0};
    const double T = centuries_from_civil(at, 2.0);
    double alt = 0, az = 0, alt_fixed = 0, az_fixed = 0;
    ecliptic_point_horizontal(at, 10.0, 53.5, 2.0, pi / 2.0, alt, az);
    fixed_horizontal(at, 10.0, 53.5, 2.0, pi / 2.0, obliquity(T) * radians_per_degree, alt_fixed, az_fixed);
    EXPECT_NEAR(alt, alt_fixed, 1e-12);
    EXPECT_NEAR(az, az_fixed, 1e-12);
}

TEST(JulianDate, CivilFieldsWithoutOffset) {
    EXPECT_DOUBLE_EQ(julian_date(CivilDateTime{2000, 1, 1, 12, 0, 0}), 2451545.0);
    EXPECT_DOUBLE_EQ(julian_date(CivilDateTime{1858, 11, 17, 0, 0, 0}), 2400000.5);
    // Minute 60 is one more hour; fields are not checked.
    EXPECT_NEAR(julian_date(CivilDateTime{2024, 1, 31, 23, 60, 0}), julian_date(CivilDateTime{2024, 2, 1, 0, 0, 0}),
                1e-9);
}

TEST(CenturiesFromCivil, SubtractsTheOffset) {
    EXPECT_NEAR(centuries_from_civil(CivilDateTime{2000, 1, 1, 13, 0, 0}, 1.0), 0.0, 1e-15);
    EXPECT_NEAR(centuries_from_civil(CivilDateTime{2000, 1, 2, 12, 0, 0}, 0.0), 1.0 / 36525.0, 1e-15);
    EXPECT_NEAR(centuries_from_civil(CivilDateTime{2000, 1, 1, 7, 0, 0}, -5.0), 0.0, 1e-15);
}

TEST(PlanetPositions, TheEarthItselfGivesTheZeroDirection) {
    double ra = 1.0, dec = 1.0;
    planet_equatorial(3, CivilDateTime{2024, 1, 1, 0, 0, 0}, 1.0, ra, dec);
    EXPECT_EQ(ra, 0.0);
    EXPECT_EQ(dec, 0.0);
}

TEST(PlanetPositions, BodyZeroIsTheSunWithoutNutation) {
    const CivilDateTime at{2024, 8, 1, 12, 0, 0};
    double ra = 0, dec = 0, sun_ra = 0, sun_dec = 0;
    planet_equatorial(0, at, 2.0, ra, dec);
    sun_equatorial(at, 2.0, sun_ra, sun_dec);
    EXPECT_NEAR(ra * degrees_per_radian * 3600.0, sun_ra * degrees_per_radian * 3600.0, 20.0);
    EXPECT_NEAR(dec * degrees_per_radian * 3600.0, sun_dec * degrees_per_radian * 3600.0, 10.0);
}

struct RoundCase {
    const char* name;
    double x;
    double rounded;
};

class RoundHalfUp : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundHalfUp, TruncatesAndCarriesFromOneHalf) { EXPECT_EQ(round_half_up(GetParam().x), GetParam().rounded); }

INSTANTIATE_TEST_SUITE_P(
    Values, RoundHalfUp,
    ::testing::Values(RoundCase{"HalfGoesUp", 49.5, 50.0}, RoundCase{"JustBelowHalfGoesDown", 49.49, 49.0},
                      RoundCase{"Zero", 0.0, 0.0}, RoundCase{"Hundred", 100.0, 100.0},
                      RoundCase{"AlmostHundred", 99.7, 100.0}, RoundCase{"SmallFraction", 0.3, 0.0},
                      RoundCase{"InitialMarkerMinusOne", -1.0, -1.0},
                      RoundCase{"NegativeOnlyTruncates", -1.5, -1.0}),
    [](const ::testing::TestParamInfo<RoundCase>& case_info) { return std::string(case_info.param.name); });

}  // namespace
}  // namespace orbant
