// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "astro/civil_date_time.h"
#include "astro/vector3.h"

// Positions of the Sun, the Moon, the planets, fixed directions and points of
// the ecliptic for display: the pages pass the displayed local civil instant,
// the observer's place and the time offset, and get right ascension and
// declination or altitude and azimuth back. Every call recomputes everything
// from its arguments; nothing is cached and nothing is allocated.
//
// Common conventions of every service here:
// - instant: local civil date and time; fields are not checked (a month or
//   day out of range goes into the date conversion unchanged).
// - offset_hours: hours to subtract from local civil time to get universal
//   time; callers pass time_zone + summer_time_active, so the same moment
//   entered as summer time (offset one larger, clock one hour later) gives
//   identical results.
// - longitude_deg: east positive; latitude_deg: north positive; degrees.
// - Universal time is fed to the theories as their time argument (no Delta
//   T); positions are geocentric (no parallax) and without refraction.
// - Results are radians: right ascension and azimuth in [0, 2*pi),
//   declination and altitude in [-pi/2, pi/2]. Azimuth is counted from the
//   south point through west; pages turn it with azimuth_from_north.

namespace orbant {

// Kilometres per astronomical unit, as the Sun's distance is shown.
inline constexpr double kilometres_per_au = 149597870.0;
// Hours to days: the time offset is divided by 24 as a product with this.
inline constexpr double days_per_hour = 1.0 / 24.0;

// Julian date of a civil instant.
//
// Given:    instant: calendar date and clock time (any time scale).
// Returned: mjd_from_date(year, month, day, hour, minute, second) +
//           2400000.5, days.
// Notes:    the clock time stays in the scale of the instant; no offset.
// Reference: Julian day numbers.
// Accuracy: double rounding of the day fraction (about 40 microseconds).
double julian_date(CivilDateTime instant) noexcept;

// Julian centuries of universal time from J2000.0 for a civil instant.
//
// Given:    instant: local civil time; offset_hours as above.
// Returned: T = ((JD - offset/24) - 2451545.0) * (1/36525).
// Notes:    the common time argument of every service of this file and of
//           the phase services.
// Reference: J2000.0 = JD 2451545.0.
// Accuracy: double rounding.
double centuries_from_civil(CivilDateTime instant, double offset_hours) noexcept;

// The Moon's altitude, azimuth and distance.
//
// Given:    instant, longitude_deg, latitude_deg, offset_hours as above.
// Returned: altitude, azimuth (from south), radians; distance_km: the
//           radius of the Moon's geocentric vector, kilometres.
// Notes:    equatorial coordinates of the true equator and equinox of date
//           (with nutation); geocentric, so the altitude differs from the
//           topocentric one by up to one degree (lunar parallax).
// Reference: the Moon's analytical theory of this engine.
// Accuracy: that of the Moon's theory (a few arcseconds in direction)
//           plus the neglected Delta T (about 0.5" per second of Delta T):
//           within 40" of a modern ephemeris for 1975-2025, distance within
//           30 km.
void moon_horizontal(CivilDateTime instant, double longitude_deg, double latitude_deg, double offset_hours,
                     double& altitude, double& azimuth, double& distance_km) noexcept;

// The Moon's right ascension and declination.
//
// Given:    instant, offset_hours as above.
// Returned: right_ascension, declination, radians, true equator and equinox
//           of date, geocentric.
// Notes:    the same direction moon_horizontal turns into the horizon.
// Reference: as moon_horizontal.
// Accuracy: as moon_horizontal.
void moon_equatorial(CivilDateTime instant, double offset_hours, double& right_ascension,
                     double& declination) noexcept;

// The Sun's altitude, azimuth and distance.
//
// Given:    instant, longitude_deg, latitude_deg, offset_hours as above.
// Returned: altitude, azimuth (from south), radians; distance_km: the
//           radius of the Sun's geocentric vector times 149597870.0.
// Notes:    true equator and equinox of date; geocentric.
// Reference: the Sun's analytical theory of this engine.
// Accuracy: that of the Sun's theory (a few arcseconds) plus the
//           neglected Delta T (0.04" per second of Delta T): within 10" of a
//           modern ephemeris for 1975-2025, distance within 1500 km.
void sun_horizontal(CivilDateTime instant, double longitude_deg, double latitude_deg, double offset_hours,
                    double& altitude, double& azimuth, double& distance_km) noexcept;

// The Sun's right ascension and declination.
//
// Given:    instant, offset_hours as above.
// Returned: right_ascension, declination, radians, true equator and equinox
//           of date, geocentric.
// Notes:    the same direction sun_horizontal turns into the horizon.
// Reference: as sun_horizontal.
// Accuracy: as sun_horizontal.
void sun_equatorial(CivilDateTime instant, double offset_hours, double& right_ascension,
                    double& declination) noexcept;

// A planet's geocentric equatorial vector.
//
// Given:    planet: body number (0 gives the Sun, see planet_horizontal);
//           T: Julian centuries from J2000.0.
// Returned: planet_position(planet, T) - planet_position(earth_body, T)
//           turned by ecliptic_to_equatorial_matrix(T): right ascension
//           (polar 0), declination (polar 1), radians, mean equator and
//           equinox of date; geocentric distance (polar 2), AU.
// Notes:    no light time, aberration or nutation. The number is not
//           checked (see planet_horizontal).
// Reference: as planet_horizontal.
// Accuracy: as planet_horizontal.
Vector3 planet_geocentric_equatorial(int planet, double T) noexcept;

// A planet's altitude and azimuth.
//
// Given:    planet: body number 1 Mercury, 2 Venus, 4 Mars, 5 Jupiter,
//           6 Saturn, 7 Uranus, 8 Neptune, 9 Pluto; instant, longitude_deg,
//           latitude_deg, offset_hours as above.
// Returned: altitude, azimuth (from south), radians.
// Notes:    geocentric direction of the planet's heliocentric vector minus
//           the Earth's, turned from the mean ecliptic of date to the mean
//           equator of date. No light time, aberration or nutation. The
//           number is not checked: 3 gives the zero vector (right ascension
//           and declination 0); a number the theories do not know gives the
//           zero heliocentric vector, so the direction is the Sun's (body 0
//           serves the Sun this way in planet_rise_set).
// Reference: the planetary theories of this engine.
// Accuracy: that of the planetary theories plus the neglected Delta T:
//           within 30" of a modern ephemeris for 1975-2025.
void planet_horizontal(int planet, CivilDateTime instant, double longitude_deg, double latitude_deg,
                       double offset_hours, double& altitude, double& azimuth) noexcept;

// A planet's right ascension and declination.
//
// Given:    planet, instant, offset_hours as in planet_horizontal.
// Returned: right_ascension, declination, radians, mean equator and equinox
//           of date, geocentric.
// Notes:    the same direction planet_horizontal turns into the horizon; the
//           number is not checked.
// Reference: as planet_horizontal.
// Accuracy: as planet_horizontal.
void planet_equatorial(int planet, CivilDateTime instant, double offset_hours, double& right_ascension,
                       double& declination) noexcept;

// Altitude and azimuth of a fixed equatorial direction (a star, a grid
// point of the horizon view).
//
// Given:    instant, longitude_deg, latitude_deg, offset_hours as above;
//           right_ascension, declination: radians, in the equator the
//           caller's coordinates refer to.
// Returned: altitude, azimuth (from south), radians.
// Notes:    no precession, nutation or aberration is applied.
// Reference: hour angle = local mean sidereal time - right ascension.
// Accuracy: double rounding.
void fixed_horizontal(CivilDateTime instant, double longitude_deg, double latitude_deg, double offset_hours,
                      double right_ascension, double declination, double& altitude, double& azimuth) noexcept;

// Altitude and azimuth of the point of the ecliptic of date at a given
// ecliptic longitude (latitude 0).
//
// Given:    instant, longitude_deg, latitude_deg, offset_hours as above;
//           ecliptic_longitude: radians, mean equinox of date.
// Returned: altitude, azimuth (from south), radians.
// Notes:    the horizon view draws the ecliptic with it.
// Reference: mean obliquity of date.
// Accuracy: double rounding.
void ecliptic_point_horizontal(CivilDateTime instant, double longitude_deg, double latitude_deg,
                               double offset_hours, double ecliptic_longitude, double& altitude,
                               double& azimuth) noexcept;

// Rounds half up: trunc(x) + 1 when x - trunc(x) >= 0.5, else trunc(x).
//
// Given:    x: any value (percentages; -1.0 passes unchanged).
// Returned: the rounded value: 49.5 -> 50, 49.49 -> 49.
// Notes:    for negative x the fraction is negative, so the value is only
//           truncated toward zero (-1.5 -> -1).
// Reference: -
// Accuracy: exact.
double round_half_up(double x) noexcept;

}  // namespace orbant
