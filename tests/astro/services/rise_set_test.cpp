// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/services/rise_set.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <utility>

#include "astro/constants.h"
#include "astro/services/positions.h"
#include "astro/time_scales.h"
#include "reference_tables.h"

namespace orbant {
namespace {

using testing_reference::RiseSetRow;

// Tolerances, hours. The short Sun formula is good to about an arcminute,
// which moves a crossing by a few seconds at these latitudes; the parabolas
// through hourly samples add up to about a quarter of a minute (worst seen:
// 18 s). The short Moon formula is good to a few arcminutes, and the Moon's
// altitude changes by about 10' per minute of time at the horizon (worst
// seen: 28 s). planet_rise_set stops once a correction is below 0.008 h and
// interpolates the position linearly over the day (worst seen: 6 s).
inline constexpr double one_minute_of_time = 1.0 / 60.0;
inline constexpr double sun_scan_tolerance = 0.5 * one_minute_of_time;
inline constexpr double twilight_scan_tolerance = 0.5 * one_minute_of_time;
inline constexpr double moon_scan_tolerance = 1.0 * one_minute_of_time;
inline constexpr double planet_tolerance = 0.5 * one_minute_of_time;
inline constexpr double planet_transit_tolerance = 0.5 * one_minute_of_time;
// Near-grazing days at high latitudes, where the altitude curve barely
// touches the threshold, are beyond what hourly parabolas resolve: a pair of
// crossings closer than this is not compared.
inline constexpr double grazing_pair_hours = 1.0;

// Written into the result variables before a call, to see which ones the
// scan leaves alone.
inline constexpr double untouched = -99.0;

int event_index(const std::string& kind) {
    if (kind == "moon") return event_moon;
    if (kind == "sun") return event_sun;
    if (kind == "civil") return event_civil_twilight;
    if (kind == "nautical") return event_nautical_twilight;
    if (kind == "astronomical") return event_astronomical_twilight;
    return -1;
}

struct ScanResult {
    double rise = untouched;
    double set = untouched;
    int has_rise = 7;
    int has_set = 7;
    int above = 7;
};

ScanResult scan(int index, int year, int month, int day, double zone, double longitude_deg, double latitude_deg) {
    ScanResult r;
    const double mjd0 = mjd_from_date(year, month, day, 0, 0, 0.0) - zone / 24.0;
    rise_set_scan(index, mjd0, longitude_deg * radians_per_degree, latitude_deg * radians_per_degree, r.rise, r.set,
                  r.has_rise, r.has_set, r.above);
    return r;
}

ScanResult scan(const RiseSetRow& row) {
    return scan(event_index(row.kind), row.year, row.month, row.day, row.zone_hours, row.longitude_deg,
                row.latitude_deg);
}

// --- The parabola through three samples. ---------------------------------

struct QuadraticResult {
    double xe = 0.0, ye = 0.0;
    double root1 = untouched, root2 = untouched;
    int count = -1;
};

QuadraticResult quadratic(double y_minus, double y0, double y_plus) {
    QuadraticResult q;
    quadratic_through_three(y_minus, y0, y_plus, q.xe, q.ye, q.root1, q.root2, q.count);
    return q;
}

// Not compared: the result is not checked in that row.
inline constexpr double any = std::numeric_limits<double>::quiet_NaN();

TEST(QuadraticThroughThree, VertexAndRootsInsideTheWindow) {
    struct Case {
        const char* what;
        double y_minus, y0, y_plus;
        int count;
        double xe, ye, root1, root2;
        double root1_tolerance;  // 0: equal to the last bits
    };
    const Case cases[] = {
        {"y = x^2 - 1/4: vertex (0, -1/4), roots -1/2 and +1/2", 0.75, -0.25, 0.75, 2, 0.0, -0.25, -0.5, 0.5, 0.0},
        {"y = (x - 1)(x + 3): roots -3 (outside) and +1 (the window's end), which moves into root1", -4.0, -3.0, 0.0,
         1, -1.0, -4.0, 1.0, 1.0, 0.0},
        {"y = (x + 1)(x - 3): roots -1 (the window's start) and 3 (outside), -1 stays in root1", 0.0, -3.0, -4.0, 1,
         any, any, -1.0, 3.0, 0.0},
        {"y = 0.01 x^2 - x + 0.3: one root near 0.3009 inside, one near 99.7", 1.31, 0.3, -0.69, 1, any, any,
         (1.0 - std::sqrt(1.0 - 0.012)) / 0.02, any, 1e-12},
        {"no real roots: the roots are left alone", 1.0, 0.5, 1.0, 0, 0.0, 0.5, untouched, untouched, 0.0},
        {"y = x^2 - 4: roots -2 and +2 outside; root1 < -1 is replaced by root2 even then", -3.0, -4.0, -3.0, 0, any,
         any, 2.0, 2.0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QuadraticResult q = quadratic(c.y_minus, c.y0, c.y_plus);
        EXPECT_EQ(q.count, c.count);
        if (!std::isnan(c.xe)) {
            EXPECT_DOUBLE_EQ(q.xe, c.xe);
        }
        if (!std::isnan(c.ye)) {
            EXPECT_DOUBLE_EQ(q.ye, c.ye);
        }
        if (c.root1 == untouched) {
            EXPECT_EQ(q.root1, untouched);
        } else if (c.root1_tolerance > 0.0) {
            EXPECT_NEAR(q.root1, c.root1, c.root1_tolerance);
        } else {
            EXPECT_DOUBLE_EQ(q.root1, c.root1);
        }
        if (c.root2 == untouched) {
            EXPECT_EQ(q.root2, untouched);
        } else if (!std::isnan(c.root2)) {
            EXPECT_DOUBLE_EQ(q.root2, c.root2);
        }
    }
}

// --- The altitude samples. ---------------------------------------------

TEST(SinAltitude, AgreesWithTheFullSunAndMoonTheories) {
    // Hamburg, 2024-06-21 from local midnight (zone +2), every three hours.
    constexpr double lon = 10.0, lat = 53.5, zone = 2.0;
    const double mjd0 = mjd_from_date(2024, 6, 21, 0, 0, 0.0) - zone / 24.0;
    const double cos_lat = std::cos(lat * radians_per_degree);
    const double sin_lat = std::sin(lat * radians_per_degree);
    // The short formulas against the full theories: about 1' for the Sun,
    // a few arcminutes for the Moon.
    constexpr double sun_limit_deg = 2.0 / 60.0;
    constexpr double moon_limit_deg = 10.0 / 60.0;
    for (int hour = 0; hour <= 24; hour += 3) {
        SCOPED_TRACE("hour " + std::to_string(hour));
        const CivilDateTime at{2024, 6, 21, hour, 0, 0};
        double alt = 0.0, az = 0.0, dist = 0.0;
        sun_horizontal(at, lon, lat, zone, alt, az, dist);
        EXPECT_NEAR(std::asin(sin_altitude(event_sun, mjd0, hour, lon * radians_per_degree, cos_lat, sin_lat)) *
                        degrees_per_radian,
                    alt * degrees_per_radian, sun_limit_deg);
        moon_horizontal(at, lon, lat, zone, alt, az, dist);
        EXPECT_NEAR(std::asin(sin_altitude(event_moon, mjd0, hour, lon * radians_per_degree, cos_lat, sin_lat)) *
                        degrees_per_radian,
                    alt * degrees_per_radian, moon_limit_deg);
    }
}

TEST(SinAltitude, EveryTwilightIndexUsesTheSun) {
    const double mjd0 = mjd_from_date(2024, 3, 20, 0, 0, 0.0);
    const double s = sin_altitude(event_sun, mjd0, 5.0, 0.2, 0.6, 0.8);
    EXPECT_EQ(sin_altitude(event_civil_twilight, mjd0, 5.0, 0.2, 0.6, 0.8), s);
    EXPECT_EQ(sin_altitude(event_nautical_twilight, mjd0, 5.0, 0.2, 0.6, 0.8), s);
    EXPECT_EQ(sin_altitude(event_astronomical_twilight, mjd0, 5.0, 0.2, 0.6, 0.8), s);
    EXPECT_NE(sin_altitude(event_moon, mjd0, 5.0, 0.2, 0.6, 0.8), s);
}

// --- The scan against the reference crossings. --------------------------

// Compares one scan with a reference row; returns the larger time error,
// hours (0 when no time was compared).
double compare_scan(const RiseSetRow& row, double tolerance) {
    SCOPED_TRACE(row.where());
    const ScanResult r = scan(row);
    EXPECT_EQ(r.above, row.above ? 1 : 0);
    // The scan reports one rise and one set; the reference days chosen have
    // at most one of each.
    EXPECT_LE(row.rises.size(), 1u);
    EXPECT_LE(row.sets.size(), 1u);
    double worst = 0.0;
    EXPECT_EQ(r.has_rise, row.rises.empty() ? 0 : 1);
    EXPECT_EQ(r.has_set, row.sets.empty() ? 0 : 1);
    if (row.rises.empty()) {
        EXPECT_EQ(r.rise, untouched);
    } else if (r.has_rise == 1) {
        EXPECT_NEAR(r.rise, row.rises[0], tolerance);
        worst = std::max(worst, std::fabs(r.rise - row.rises[0]));
    }
    if (row.sets.empty()) {
        EXPECT_EQ(r.set, untouched);
    } else if (r.has_set == 1) {
        EXPECT_NEAR(r.set, row.sets[0], tolerance);
        worst = std::max(worst, std::fabs(r.set - row.sets[0]));
    }
    return worst;
}

bool grazing(const RiseSetRow& row) {
    return !row.rises.empty() && !row.sets.empty() && std::fabs(row.rises[0] - row.sets[0]) < grazing_pair_hours;
}

void compare_kind(const std::string& kind, double tolerance) {
    double worst = 0.0;
    std::string worst_where = "none";
    int compared = 0;
    for (const RiseSetRow& row : testing_reference::rise_set_rows()) {
        if (row.kind != kind || grazing(row)) {
            continue;
        }
        const double e = compare_scan(row, tolerance);
        ++compared;
        if (e > worst) {
            worst = e;
            worst_where = row.where();
        }
    }
    EXPECT_GT(compared, 0);
    std::printf("[ worst    ] %s: %.1f s at %s\n", kind.c_str(), worst * 3600.0, worst_where.c_str());
}

// Sunrise and sunset and the twilights to the half minute, moonrise and
// moonset through two months to the minute.
TEST(RiseSetScan, CrossingsMatchTheReference) {
    const std::pair<const char*, double> kinds[] = {{"sun", sun_scan_tolerance},
                                                    {"civil", twilight_scan_tolerance},
                                                    {"nautical", twilight_scan_tolerance},
                                                    {"astronomical", twilight_scan_tolerance},
                                                    {"moon", moon_scan_tolerance}};
    for (const auto& [kind, tolerance] : kinds) compare_kind(kind, tolerance);
}

// --- Named edge cases. --------------------------------------------------

struct PolarCase {
    const char* name;
    double latitude_deg;
    int month;
    int above;
};

class PolarDayAndNight : public ::testing::TestWithParam<PolarCase> {};

TEST_P(PolarDayAndNight, NoCrossingFlagsClearedTimesUntouched) {
    const PolarCase& c = GetParam();
    const ScanResult r = scan(event_sun, 2024, c.month, 21, 1.0, 15.0, c.latitude_deg);
    EXPECT_EQ(r.has_rise, 0);
    EXPECT_EQ(r.has_set, 0);
    EXPECT_EQ(r.above, c.above);
    EXPECT_EQ(r.rise, untouched);
    EXPECT_EQ(r.set, untouched);
}

INSTANTIATE_TEST_SUITE_P(Solstices, PolarDayAndNight,
                         ::testing::Values(PolarCase{"North80JuneMidnightSun", 80.0, 6, 1},
                                           PolarCase{"North80DecemberPolarNight", 80.0, 12, 0},
                                           PolarCase{"South80JunePolarNight", -80.0, 6, 0},
                                           PolarCase{"South80DecemberMidnightSun", -80.0, 12, 1}),
                         [](const ::testing::TestParamInfo<PolarCase>& case_info) { return std::string(case_info.param.name); });

TEST(RiseSetScan, FlagsAreClearedAtTheStartOfEveryCall) {
    // A first call at Hamburg finds both; the polar call after it must not
    // inherit the flags through the caller's variables.
    double rise = 0.0, set = 0.0;
    int has_rise = 0, has_set = 0, above = 0;
    const double mjd0 = mjd_from_date(2024, 3, 20, 0, 0, 0.0) - 1.0 / 24.0;
    rise_set_scan(event_sun, mjd0, 10.0 * radians_per_degree, 53.5 * radians_per_degree, rise, set, has_rise,
                  has_set, above);
    ASSERT_EQ(has_rise, 1);
    ASSERT_EQ(has_set, 1);
    const double first_rise = rise;
    const double first_set = set;
    const double polar_mjd0 = mjd_from_date(2024, 6, 21, 0, 0, 0.0) - 1.0 / 24.0;
    rise_set_scan(event_sun, polar_mjd0, 15.0 * radians_per_degree, 80.0 * radians_per_degree, rise, set, has_rise,
                  has_set, above);
    EXPECT_EQ(has_rise, 0);
    EXPECT_EQ(has_set, 0);
    EXPECT_EQ(above, 1);
    EXPECT_EQ(rise, first_rise);
    EXPECT_EQ(set, first_set);
}

TEST(RiseSetScan, NauticalTwilightAlwaysAboveWhileTheSunIsBelowTheHorizon) {
    // Copenhagen at midsummer: the Sun never sinks 12 degrees below the
    // horizon, so the twilight scan reports "above" all day, although the Sun
    // is below the horizon at midnight.
    const ScanResult r = scan(event_nautical_twilight, 2024, 6, 21, 2.0, 12.5683, 55.6761);
    EXPECT_EQ(r.has_rise, 0);
    EXPECT_EQ(r.has_set, 0);
    EXPECT_EQ(r.above, 1);
    double alt = 0.0, az = 0.0, dist = 0.0;
    sun_horizontal(CivilDateTime{2024, 6, 21, 0, 0, 0}, 12.5683, 55.6761, 2.0, alt, az, dist);
    EXPECT_LT(alt, 0.0);
    // The sunrise scan on the same day finds both crossings.
    const ScanResult sun = scan(event_sun, 2024, 6, 21, 2.0, 12.5683, 55.6761);
    EXPECT_EQ(sun.has_rise, 1);
    EXPECT_EQ(sun.has_set, 1);
}

TEST(RiseSetScan, MoonDayWithoutSetAndDayWithoutRise) {
    // Hamburg, January 2024: the Moon rises at 11:04 on the 17th and sets
    // only after midnight; on the 3rd it is up at midnight, sets before noon
    // and rises again only after midnight.
    const ScanResult no_set = scan(event_moon, 2024, 1, 17, 1.0, 10.0, 53.5);
    EXPECT_EQ(no_set.has_rise, 1);
    EXPECT_EQ(no_set.has_set, 0);
    EXPECT_EQ(no_set.set, untouched);
    EXPECT_NEAR(no_set.rise, 11.059830, moon_scan_tolerance);
    const ScanResult no_rise = scan(event_moon, 2024, 1, 3, 1.0, 10.0, 53.5);
    EXPECT_EQ(no_rise.has_rise, 0);
    EXPECT_EQ(no_rise.has_set, 1);
    EXPECT_EQ(no_rise.above, 1);
    EXPECT_EQ(no_rise.rise, untouched);
}

TEST(RiseSetScan, RiseAndSetInsideOneWindowComeInTheirOrder) {
    // Tromso near the polar night, zone +0.5: the Sun is up from 10:07 to
    // 11:54, both inside the window 10 h to 12 h (vertex above: rise first).
    const ScanResult short_day = scan(event_sun, 2024, 11, 24, 0.5, 18.9553, 69.6492);
    ASSERT_EQ(short_day.has_rise, 1);
    ASSERT_EQ(short_day.has_set, 1);
    EXPECT_NEAR(short_day.rise, 10.124649, sun_scan_tolerance);
    EXPECT_NEAR(short_day.set, 11.894393, sun_scan_tolerance);
    // Tromso near the midnight sun, zone +2.5: the Sun dips below from 00:25
    // to 01:55, inside the window 0 h to 2 h (vertex below: set first).
    const ScanResult short_night = scan(event_sun, 2024, 5, 16, 2.5, 18.9553, 69.6492);
    ASSERT_EQ(short_night.has_rise, 1);
    ASSERT_EQ(short_night.has_set, 1);
    EXPECT_EQ(short_night.above, 1);
    EXPECT_NEAR(short_night.set, 0.416031, sun_scan_tolerance);
    EXPECT_NEAR(short_night.rise, 1.920930, sun_scan_tolerance);
}

TEST(RiseSetScan, CrossingInTheLastMinuteOfTheDayIsFound) {
    // Shifting the civil day by the zone moves Hamburg's sunset of
    // 2024-03-20 (18:34:08 at zone +1) to a few seconds before and after
    // local midnight: the last window (22 h to 24 h) must find the first and
    // no window the second.
    constexpr double sunset_zone1 = 18.568868;
    const double zone_before = 1.0 + (24.0 - 10.0 / 3600.0 - sunset_zone1);
    const ScanResult before = scan(event_sun, 2024, 3, 20, zone_before, 10.0, 53.5);
    EXPECT_EQ(before.has_set, 1);
    EXPECT_NEAR(before.set, 24.0 - 10.0 / 3600.0, sun_scan_tolerance);
    EXPECT_LE(before.set, 24.0);
    const double zone_after = 1.0 + (24.0 + 1.0 / 60.0 - sunset_zone1);
    const ScanResult after = scan(event_sun, 2024, 3, 20, zone_after, 10.0, 53.5);
    EXPECT_EQ(after.has_set, 0);
    EXPECT_EQ(after.set, untouched);
}

TEST(RiseSetScan, ZoneOffsetShiftsTheTimesOfTheSameMoment) {
    // The same civil day read with zone +1 and +2 (summer time) starts one
    // hour earlier in universal time, so the same sunrise reads an hour
    // later on the clock. The hourly samples fall on other instants, so the
    // two interpolations differ by up to the scan's own error twice.
    const ScanResult winter = scan(event_sun, 2024, 3, 20, 1.0, 10.0, 53.5);
    const ScanResult summer = scan(event_sun, 2024, 3, 20, 2.0, 10.0, 53.5);
    EXPECT_NEAR(summer.rise - winter.rise, 1.0, 2.0 * sun_scan_tolerance);
    EXPECT_NEAR(summer.set - winter.set, 1.0, 2.0 * sun_scan_tolerance);
}

TEST(RiseSetScan, IndexOutsideTheTableFindsNothing) {
    for (int index : {-1, 5, 100}) {
        SCOPED_TRACE(index);
        const ScanResult r = scan(index, 2024, 3, 20, 1.0, 10.0, 53.5);
        EXPECT_EQ(r.has_rise, 0);
        EXPECT_EQ(r.has_set, 0);
        EXPECT_EQ(r.above, 0);
        EXPECT_EQ(r.rise, untouched);
        EXPECT_EQ(r.set, untouched);
    }
}

// --- planet_rise_set. ---------------------------------------------------

struct PlanetResult {
    double time = untouched;
    int status = -1;
};

PlanetResult planet_event(int body, int event, const RiseSetRow& row) {
    PlanetResult p;
    planet_rise_set(body, event, CivilDateTime{row.year, row.month, row.day, 17, 42, 13}, row.longitude_deg,
                    row.latitude_deg, row.zone_hours, p.time, p.status);
    return p;
}

TEST(PlanetRiseSet, TimesAndStatusMatchTheReference) {
    double worst = 0.0;
    std::string worst_where = "none";
    int compared = 0;
    for (const RiseSetRow& row : testing_reference::rise_set_rows()) {
        if (row.kind != "planet") {
            continue;
        }
        SCOPED_TRACE(row.where());
        const int body = testing_reference::body_number(row.body);
        const PlanetResult rise = planet_event(body, planet_event_rise, row);
        const PlanetResult transit = planet_event(body, planet_event_transit, row);
        const PlanetResult set = planet_event(body, planet_event_set, row);
        if (row.rises.empty() && row.sets.empty()) {
            // Circumpolar or never rising: the same status for all three.
            const int expected = row.above ? status_never_sets : status_never_rises;
            EXPECT_EQ(rise.status, expected);
            EXPECT_EQ(transit.status, expected);
            EXPECT_EQ(set.status, expected);
            continue;
        }
        ASSERT_EQ(row.rises.size(), 1u);
        ASSERT_EQ(row.sets.size(), 1u);
        EXPECT_EQ(rise.status, status_found);
        EXPECT_EQ(set.status, status_found);
        EXPECT_EQ(transit.status, status_found);
        EXPECT_NEAR(rise.time, row.rises[0], planet_tolerance);
        EXPECT_NEAR(set.time, row.sets[0], planet_tolerance);
        ASSERT_EQ(row.transits.size(), 1u);
        EXPECT_NEAR(transit.time, row.transits[0], planet_transit_tolerance);
        for (double e : {std::fabs(rise.time - row.rises[0]), std::fabs(set.time - row.sets[0]),
                         std::fabs(transit.time - row.transits[0])}) {
            if (e > worst) {
                worst = e;
                worst_where = row.where();
            }
        }
        ++compared;
    }
    EXPECT_GT(compared, 20);
    std::printf("[ worst    ] planets: %.1f s at %s\n", worst * 3600.0, worst_where.c_str());
}

struct PlanetStatusCase {
    const char* name;
    int body;
    int month;
    int status;
};

class PlanetAtLatitude80 : public ::testing::TestWithParam<PlanetStatusCase> {};

TEST_P(PlanetAtLatitude80, RiseTransitAndSetShareTheStatus) {
    const PlanetStatusCase& c = GetParam();
    for (int event : {planet_event_rise, planet_event_transit, planet_event_set}) {
        SCOPED_TRACE(event);
        double time = untouched;
        int status = -1;
        planet_rise_set(c.body, event, CivilDateTime{2024, c.month, 15, 0, 0, 0}, 15.0, 80.0, 1.0, time, status);
        EXPECT_EQ(status, c.status);
        // The estimate that stopped the iteration: the noon start value.
        EXPECT_EQ(time, 12.0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    CircumpolarAndNeverRising, PlanetAtLatitude80,
    ::testing::Values(PlanetStatusCase{"SunMidsummer", 0, 6, status_never_sets},
                      PlanetStatusCase{"SunMidwinter", 0, 12, status_never_rises},
                      PlanetStatusCase{"JupiterDecember", 5, 12, status_never_sets},
                      PlanetStatusCase{"UranusJune", 7, 6, status_never_sets},
                      PlanetStatusCase{"PlutoJune", 9, 6, status_never_rises},
                      PlanetStatusCase{"PlutoDecember", 9, 12, status_never_rises}),
    [](const ::testing::TestParamInfo<PlanetStatusCase>& case_info) { return std::string(case_info.param.name); });

TEST(PlanetRiseSet, OnlyTheDateOfTheInstantIsRead) {
    double t1 = 0.0, t2 = 0.0;
    int s1 = -1, s2 = -1;
    planet_rise_set(4, planet_event_rise, CivilDateTime{2024, 7, 15, 0, 0, 0}, 10.0, 53.5, 2.0, t1, s1);
    planet_rise_set(4, planet_event_rise, CivilDateTime{2024, 7, 15, 23, 59, 59}, 10.0, 53.5, 2.0, t2, s2);
    EXPECT_EQ(s1, status_found);
    EXPECT_EQ(s1, s2);
    EXPECT_EQ(t1, t2);
}

}  // namespace
}  // namespace orbant
