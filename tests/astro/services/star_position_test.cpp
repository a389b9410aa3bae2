// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/services/star_position.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "astro/constants.h"

namespace orbant {
namespace {

constexpr double deg = radians_per_degree;
constexpr double one_arcsecond = deg / 3600.0;  // radians
// Greenwich mean sidereal time at 2000-01-01 12:00 UT, degrees: the
// published IAU 1982 value 18h 41m 50.54841s.
constexpr double gmst_j2000_deg = 280.46061837;

struct MeridianCase {
    const char* name;
    double ra_deg, dec_deg;   // stored catalogue place, degrees
    double hour_angle_deg;    // where the observer's longitude puts the star
    double latitude_deg;
    double altitude_deg;      // worked from the geometry of the meridian and the horizon
    double azimuth_deg;       // from south through west
};

// Stars on the meridian and on the six-hour circle at J2000.0, for
// longitudes chosen so that local sidereal time minus the stored right
// ascension is the given hour angle: the stored degrees (right ascension
// in degrees, not hours) reach the horizon as the geometry says.
TEST(StarHorizontal, PlacesStoredDegreesOnTheObserversHorizon) {
    const MeridianCase cases[] = {
        {"VegaUpperTransitSouthOfZenith", 279.2340, 38.7836, 0.0, 53.5, 90.0 - 53.5 + 38.7836, 0.0},
        {"SiriusUpperTransitLow", 101.2875, -16.7161, 0.0, 53.5, 90.0 - 53.5 - 16.7161, 0.0},
        {"PolarisLowerTransit", 37.9530, 89.2642, 180.0, 53.5, 53.5 + 89.2642 - 90.0, 180.0},
        {"CapellaNorthOfZenithInTheSouth", 79.1730, 45.9981, 0.0, -10.0, 90.0 - 45.9981 - 10.0, 180.0},
        {"EquatorStarSettingDueWest", 100.0, 0.0, 90.0, 53.5, 0.0, 90.0},
        {"EquatorStarRisingDueEast", 100.0, 0.0, -90.0, -33.9, 0.0, 270.0},
    };
    for (const MeridianCase& c : cases) {
        SCOPED_TRACE(c.name);
        const double longitude_deg = c.ra_deg + c.hour_angle_deg - gmst_j2000_deg;
        // The same moment in zone +2 with summer time: offset 3 hours.
        for (const auto& [instant, offset] : {std::pair{CivilDateTime{2000, 1, 1, 12, 0, 0}, 0.0},
                                              std::pair{CivilDateTime{2000, 1, 1, 15, 0, 0}, 3.0}}) {
            double altitude = 0.0, azimuth = 0.0;
            star_horizontal(instant, longitude_deg, c.latitude_deg, offset, c.ra_deg, c.dec_deg, altitude, azimuth);
            EXPECT_NEAR(altitude, c.altitude_deg * deg, one_arcsecond);
            EXPECT_NEAR(std::remainder(azimuth - c.azimuth_deg * deg, two_pi), 0.0, one_arcsecond);
            EXPECT_GE(azimuth, 0.0);
            EXPECT_LT(azimuth, two_pi);
        }
    }
}

}  // namespace
}  // namespace orbant
