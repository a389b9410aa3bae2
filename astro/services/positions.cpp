// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/services/positions.h"

#include <cmath>

#include "astro/constants.h"
#include "astro/matrix3.h"
#include "astro/moon.h"
#include "astro/planets.h"
#include "astro/sun.h"
#include "astro/time_scales.h"
#include "astro/vector3.h"

namespace orbant {

namespace {

// MJD of the instant on the universal time scale.
double universal_mjd(const CivilDateTime& instant, double offset_hours) noexcept {
    return mjd_from_date(instant.year, instant.month, instant.day, instant.hour, instant.minute,
                         static_cast<double>(instant.second)) -
           offset_hours * days_per_hour;
}

// Local mean sidereal time of the instant at the east longitude, radians
// (not normalised).
double local_sidereal_time(const CivilDateTime& instant, double longitude_deg, double offset_hours) noexcept {
    return gmst(universal_mjd(instant, offset_hours)) + longitude_deg * radians_per_degree;
}

// The horizontal step shared by every horizontal service.
void to_horizon(const CivilDateTime& instant, double longitude_deg, double latitude_deg, double offset_hours,
                double right_ascension, double declination, double& altitude, double& azimuth) noexcept {
    const double tau = local_sidereal_time(instant, longitude_deg, offset_hours) - right_ascension;
    const Horizontal h = equatorial_to_horizontal(declination, tau, latitude_deg * radians_per_degree);
    altitude = h.altitude;
    azimuth = h.azimuth;
}

// Right ascension and declination of the position of date that of_date
// (a function of Julian centuries from J2000.0) gives at the instant.
template <class OfDate>
void equatorial_at(OfDate of_date, const CivilDateTime& instant, double offset_hours, double& right_ascension,
                   double& declination) noexcept {
    const Vector3 v = of_date(centuries_from_civil(instant, offset_hours));
    right_ascension = v.polar(0);
    declination = v.polar(1);
}

// Altitude and azimuth of the same position; returns its distance in the
// unit of of_date.
template <class OfDate>
double horizontal_at(OfDate of_date, const CivilDateTime& instant, double longitude_deg, double latitude_deg,
                     double offset_hours, double& altitude, double& azimuth) noexcept {
    const Vector3 v = of_date(centuries_from_civil(instant, offset_hours));
    to_horizon(instant, longitude_deg, latitude_deg, offset_hours, v.polar(0), v.polar(1), altitude, azimuth);
    return v.polar(2);
}

}  // namespace

Vector3 planet_geocentric_equatorial(int planet, double T) noexcept {
    const Vector3 geocentric = planet_position(planet, T) - planet_position(earth_body, T);
    return ecliptic_to_equatorial_matrix(T) * geocentric;
}

double julian_date(CivilDateTime instant) noexcept {
    return mjd_from_date(instant.year, instant.month, instant.day, instant.hour, instant.minute,
                         static_cast<double>(instant.second)) +
           mjd_offset;
}

double centuries_from_civil(CivilDateTime instant, double offset_hours) noexcept {
    const double jd = julian_date(instant);
    return ((jd - offset_hours * days_per_hour) - jd_j2000) * centuries_per_day;
}

void moon_equatorial(CivilDateTime instant, double offset_hours, double& right_ascension,
                     double& declination) noexcept {
    equatorial_at(moon_equatorial_of_date, instant, offset_hours, right_ascension, declination);
}

void moon_horizontal(CivilDateTime instant, double longitude_deg, double latitude_deg, double offset_hours,
                     double& altitude, double& azimuth, double& distance_km) noexcept {
    distance_km =
        horizontal_at(moon_equatorial_of_date, instant, longitude_deg, latitude_deg, offset_hours, altitude, azimuth);
}

void sun_equatorial(CivilDateTime instant, double offset_hours, double& right_ascension,
                    double& declination) noexcept {
    equatorial_at(sun_equatorial_of_date, instant, offset_hours, right_ascension, declination);
}

void sun_horizontal(CivilDateTime instant, double longitude_deg, double latitude_deg, double offset_hours,
                    double& altitude, double& azimuth, double& distance_km) noexcept {
    distance_km =
        horizontal_at(sun_equatorial_of_date, instant, longitude_deg, latitude_deg, offset_hours, altitude, azimuth) *
        kilometres_per_au;
}

void planet_equatorial(int planet, CivilDateTime instant, double offset_hours, double& right_ascension,
                       double& declination) noexcept {
    equatorial_at([planet](double T) noexcept { return planet_geocentric_equatorial(planet, T); }, instant,
                  offset_hours, right_ascension, declination);
}

void planet_horizontal(int planet, CivilDateTime instant, double longitude_deg, double latitude_deg,
                       double offset_hours, double& altitude, double& azimuth) noexcept {
    horizontal_at([planet](double T) noexcept { return planet_geocentric_equatorial(planet, T); }, instant,
                  longitude_deg, latitude_deg, offset_hours, altitude, azimuth);
}

void fixed_horizontal(CivilDateTime instant, double longitude_deg, double latitude_deg, double offset_hours,
                      double right_ascension, double declination, double& altitude, double& azimuth) noexcept {
    to_horizon(instant, longitude_deg, latitude_deg, offset_hours, right_ascension, declination, altitude, azimuth);
}

void ecliptic_point_horizontal(CivilDateTime instant, double longitude_deg, double latitude_deg,
                               double offset_hours, double ecliptic_longitude, double& altitude,
                               double& azimuth) noexcept {
    const double T = centuries_from_civil(instant, offset_hours);
    const Vector3 v = ecliptic_to_equatorial_matrix(T) * Vector3(Polar(ecliptic_longitude, 0.0, 1.0));
    to_horizon(instant, longitude_deg, latitude_deg, offset_hours, v.polar(0), v.polar(1), altitude, azimuth);
}

double round_half_up(double x) noexcept {
    const double whole = std::trunc(x);
    if (x - whole >= 0.5) {
        return whole + 1.0;
    }
    return whole;
}

}  // namespace orbant
