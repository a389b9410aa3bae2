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

// Geocentric equatorial right ascension and declination of body (0 the Sun)
// at T, mean equator of date.
RaDec body_equatorial(int body, double T) noexcept {
    const Vector3 v = planet_geocentric_equatorial(body, T);
    return RaDec{v.polar(0), v.polar(1)};
}

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

void planet_rise_set(int body, int event, CivilDateTime instant, double longitude_deg, double latitude_deg,
                     double offset_hours, double& time, int& status) noexcept {
    const double lambda = longitude_deg * radians_per_degree;
    const double phi = latitude_deg * radians_per_degree;
    const double mjd0 = mjd_from_date(instant.year, instant.month, instant.day, 0, 0, 0.0) -
                        offset_hours * days_per_hour;
    const double theta0 = gmst(mjd0) + lambda;

    const double T0 = (mjd0 - mjd_j2000) / days_per_century;
    const RaDec start = body_equatorial(body, T0);
    const double T1 = T0 + centuries_per_day;
    const RaDec end = body_equatorial(body, T1);
    double alpha0 = start.ra;
    double alpha1 = end.ra;
    const double delta0 = start.dec;
    const double delta1 = end.dec;
    if (alpha0 - alpha1 > pi) {
        alpha1 = alpha1 + two_pi;
    }
    if (alpha0 - alpha1 < -pi) {
        alpha0 = alpha0 + two_pi;
    }

    const double sin_h0 = body == sun_body ? planet_sun_sin_threshold : planet_sin_threshold;
    status = status_found;
    time = planet_start_hour;
    int i = 0;
    double dt = 0.0;
    do {
        const double f = time / 24.0;
        const double alpha = alpha0 + f * (alpha1 - alpha0);
        const double delta = delta0 + f * (delta1 - delta0);
        const double cos_h = (sin_h0 - std::sin(delta) * std::sin(phi)) / (std::cos(delta) * std::cos(phi));
        if (!(std::fabs(cos_h) < 1.0)) {
            status = delta * phi >= 0.0 ? status_never_sets : status_never_rises;
            return;
        }
        const double H = std::acos(cos_h);
        status = status_found;
        const double theta = theta0 + time * sidereal_radians_per_hour;
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

}  // namespace orbant
