// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "astro/civil_date_time.h"

namespace orbant {

// Altitude and azimuth of a star of the body and star table.
//
// Given:    instant: local civil time; longitude_deg: east positive,
//           latitude_deg: north positive, degrees; offset_hours: hours to
//           subtract from local civil time to get universal time
//           (time_zone + summer_time_active); ra_deg, dec_deg: the star's
//           stored right ascension (degrees, not hours) and declination,
//           degrees, as the catalogue gives them.
// Returned: altitude, azimuth (from the south point through west), radians:
//           azimuth in [0, 2*pi), altitude in [-pi/2, pi/2].
// Notes:    the stored degrees are turned into radians (times
//           0.017453292519943295) and placed with fixed_horizontal: hour
//           angle = local mean sidereal time of universal time (no Delta T)
//           - right ascension. No precession, nutation, aberration, proper
//           motion or refraction: the catalogue place serves every date.
//           Inputs are not checked.
// Reference: hour angle and the horizon of the observer (see
//           equatorial_to_horizontal); sidereal time by the IAU 1982
//           expression.
// Accuracy: for the catalogue place taken as fixed, within 1" of the
//           meridian and horizon geometry at the published sidereal time
//           (the sidereal time is good to 0.1 s over 1900-2100); against
//           the star's apparent place of date the neglected precession
//           grows by about 50" a year from J2000.
void star_horizontal(CivilDateTime instant, double longitude_deg, double latitude_deg, double offset_hours,
                     double ra_deg, double dec_deg, double& altitude, double& azimuth) noexcept;

}  // namespace orbant
