// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/services/rise_set.h"

#include <array>
#include <cmath>

#include "astro/constants.h"
#include "astro/matrix3.h"
#include "astro/moon.h"
#include "astro/planets.h"
#include "astro/sun.h"
#include "astro/time_scales.h"
#include "astro/vector3.h"
#include "astro/services/positions.h"

namespace orbant {

namespace {

// Threshold altitudes in the order of the event index, degrees.
inline constexpr std::array<double, 5> threshold_altitudes_deg{
    moon_threshold_deg, sun_threshold_deg, civil_threshold_deg, nautical_threshold_deg,
    astronomical_threshold_deg};
static_assert(threshold_altitudes_deg.size() == static_cast<std::size_t>(event_count));

// Sines of the five threshold altitudes, built once on first use.
const std::array<double, 5>& threshold_sines() noexcept {
    static const std::array<double, 5> sines = [] {
        std::array<double, 5> s{};
        for (std::size_t i = 0; i < s.size(); ++i) {
            s[i] = std::sin(threshold_altitudes_deg[i] * radians_per_degree);
        }
        return s;
    }();
    return sines;
}

// Hour of the first parabola centre of the scan, and the hour at which the
// scan ends (the centre after the last one, 23 h).
inline constexpr double first_window_centre_hour = 1.0;
inline constexpr double scan_end_hour = 25.0;
// The planet iteration starts at noon and makes at most
// planet_max_corrections corrections.
inline constexpr double planet_start_hour = 12.0;
inline constexpr int planet_max_corrections = 11;
}  // namespace

double sin_altitude(int index, double mjd0, double hour, double longitude, double cos_latitude,
                    double sin_latitude) noexcept {
    const double mjd = mjd0 + hour * days_per_hour;
    const double T = (mjd - mjd_j2000) / days_per_century;
    const RaDec p = index == event_moon ? moon_low_precision(T) : sun_low_precision(T);
    const double tau = gmst(mjd) + longitude - p.ra;
    return std::cos(tau) * std::cos(p.dec) * cos_latitude + std::sin(p.dec) * sin_latitude;
}

void quadratic_through_three(double y_minus, double y0, double y_plus, double& xe, double& ye, double& root1,
                             double& root2, int& count) noexcept {
    const double a = 0.5 * (y_plus + y_minus) - y0;
    const double b = 0.5 * (y_plus - y_minus);
    xe = -b / (2.0 * a);
    ye = (a * xe + b) * xe + y0;
    count = 0;
    const double discriminant = b * b - 4.0 * a * y0;
    if (discriminant < 0.0) {
        return;
    }
    const double dx = 0.5 * std::sqrt(discriminant) / std::fabs(a);
    root1 = xe - dx;
    root2 = xe + dx;
    if (std::fabs(root1) <= 1.0) {
        ++count;
    }
    if (std::fabs(root2) <= 1.0) {
        ++count;
    }
    if (root1 < -1.0) {
        root1 = root2;
    }
}

void rise_set_scan(int index, double mjd0, double longitude, double latitude, double& rise, double& set,
                   int& has_rise, int& has_set, int& above) noexcept {
    has_rise = 0;
    has_set = 0;
    if (index < 0 || index >= event_count) {
        // No threshold exists for the index: report nothing found rather than
        // reading outside the table.
        above = 0;
        return;
    }
    const double sin_h0 = threshold_sines()[static_cast<std::size_t>(index)];
    const double cos_latitude = std::cos(latitude);
    const double sin_latitude = std::sin(latitude);

    double y_minus = sin_altitude(index, mjd0, 0.0, longitude, cos_latitude, sin_latitude) - sin_h0;
    above = y_minus > 0.0 ? 1 : 0;

    double hour = first_window_centre_hour;
    double xe = 0.0;
    double ye = 0.0;
    double root1 = 0.0;
    double root2 = 0.0;
    int count = 0;
    do {
        const double y0 = sin_altitude(index, mjd0, hour, longitude, cos_latitude, sin_latitude) - sin_h0;
        const double y_plus = sin_altitude(index, mjd0, hour + 1.0, longitude, cos_latitude, sin_latitude) - sin_h0;
        quadratic_through_three(y_minus, y0, y_plus, xe, ye, root1, root2, count);
        if (count == 1) {
            if (y_minus < 0.0) {
                rise = hour + root1;
                has_rise = 1;
            } else {
                set = hour + root1;
                has_set = 1;
            }
        }
        if (count == 2) {
            if (ye < 0.0) {
                rise = hour + root2;
                set = hour + root1;
            } else {
                rise = hour + root1;
                set = hour + root2;
            }
            has_rise = 1;
            has_set = 1;
        }
        y_minus = y_plus;
        hour += 2.0;
    } while (hour != scan_end_hour && !(has_rise == 1 && has_set == 1));
}

PlanetRiseSetDay planet_rise_set_day(CivilDateTime instant, double longitude_deg, double latitude_deg,
                                     double offset_hours) noexcept {
    const double lambda = longitude_deg * radians_per_degree;
    const double mjd0 = mjd_from_date(instant.year, instant.month, instant.day, 0, 0, 0.0) -
                        offset_hours * days_per_hour;
    PlanetRiseSetDay day;
    day.latitude = latitude_deg * radians_per_degree;
    day.sin_latitude = std::sin(day.latitude);
    day.cos_latitude = std::cos(day.latitude);
    day.sidereal_midnight = gmst(mjd0) + lambda;
    day.T0 = (mjd0 - mjd_j2000) / days_per_century;
    day.T1 = day.T0 + centuries_per_day;
    day.earth0 = planet_position(earth_body, day.T0);
    day.earth1 = planet_position(earth_body, day.T1);
    day.to_equator0 = ecliptic_to_equatorial_matrix(day.T0);
    day.to_equator1 = ecliptic_to_equatorial_matrix(day.T1);
    return day;
}

PlanetDayTrack planet_day_track(int body, const PlanetRiseSetDay& day) noexcept {
    const Vector3 start = day.to_equator0 * (planet_position(body, day.T0) - day.earth0);
    const Vector3 end = day.to_equator1 * (planet_position(body, day.T1) - day.earth1);
    PlanetDayTrack track;
    track.alpha0 = start.polar(0);
    track.alpha1 = end.polar(0);
    track.delta0 = start.polar(1);
    track.delta1 = end.polar(1);
    if (track.alpha0 - track.alpha1 > pi) {
        track.alpha1 = track.alpha1 + two_pi;
    }
    if (track.alpha0 - track.alpha1 < -pi) {
        track.alpha0 = track.alpha0 + two_pi;
    }
    track.sin_h0 = body == 0 ? planet_sun_sin_threshold : planet_sin_threshold;
    return track;
}

namespace {

// The correction loop of planet_rise_set from the estimate start_hour.
void planet_iterate(const PlanetRiseSetDay& day, const PlanetDayTrack& track, int event, double start_hour,
                    double& time, int& status) noexcept {
    const double phi = day.latitude;
    const double alpha0 = track.alpha0, alpha1 = track.alpha1;
    const double delta0 = track.delta0, delta1 = track.delta1;
    const double sin_h0 = track.sin_h0;
    status = status_found;
    time = start_hour;
    int i = 0;
    double dt = 0.0;
    do {
        const double f = time / 24.0;
        const double alpha = alpha0 + f * (alpha1 - alpha0);
        const double delta = delta0 + f * (delta1 - delta0);
        const double cos_h = (sin_h0 - std::sin(delta) * day.sin_latitude) / (std::cos(delta) * day.cos_latitude);
        if (!(std::fabs(cos_h) < 1.0)) {
            status = delta * phi >= 0.0 ? status_never_sets : status_never_rises;
            return;
        }
        const double H = std::acos(cos_h);
        status = status_found;
        const double theta = day.sidereal_midnight + time * sidereal_radians_per_hour;
        double d = theta - alpha;
        if (event == planet_event_rise) {
            d = d + H;
        } else if (event == planet_event_set) {
            d = d - H;
        }
        d = modulo(d + pi, two_pi) - pi;
        dt = d * hours_per_hour_angle_radian;
        time = time - dt;
        i = i + 1;
    } while (!(std::fabs(dt) <= planet_rise_set_tolerance_hours || i >= planet_max_corrections));
}

bool within_civil_day(double hours) noexcept { return hours >= 0.0 && hours < hours_per_day; }

}  // namespace

void planet_rise_set(const PlanetRiseSetDay& day, const PlanetDayTrack& track, int event, double& time,
                     int& status) noexcept {
    planet_iterate(day, track, event, planet_start_hour, time, status);
}

void planet_rise_set_on_day(const PlanetRiseSetDay& day, const PlanetDayTrack& track, int event, double& time,
                            int& status) noexcept {
    planet_iterate(day, track, event, planet_start_hour, time, status);
    if (status != status_found || within_civil_day(time)) return;
    // The estimate from noon converged on the crossing of the next or the
    // previous day; the crossing of the same kind nearest the civil day lies
    // about one sidereal day earlier or later. Start again one day nearer.
    const double start = time < 0.0 ? time + hours_per_day : time - hours_per_day;
    planet_iterate(day, track, event, start, time, status);
    if (status == status_found && !within_civil_day(time)) status = status_not_on_day;
}

void planet_rise_set(int body, int event, CivilDateTime instant, double longitude_deg, double latitude_deg,
                     double offset_hours, double& time, int& status) noexcept {
    const PlanetRiseSetDay day = planet_rise_set_day(instant, longitude_deg, latitude_deg, offset_hours);
    planet_rise_set(day, planet_day_track(body, day), event, time, status);
}

}  // namespace orbant
