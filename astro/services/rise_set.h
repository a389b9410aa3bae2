// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "astro/civil_date_time.h"
#include "astro/matrix3.h"
#include "astro/vector3.h"

// Rising and setting on a civil day: the hourly scan with parabolic
// interpolation for the Moon, the Sun and the twilights, and the iterative
// solution for the planets (and the Sun). Times are hours after local
// midnight of the civil date, in local civil time with the caller's offset
// (time_zone + summer_time_active). Neither service wraps its times into
// [0, 24), and neither has an error path: a missing crossing is a result.
// Nothing here allocates; the threshold sines are a table built once.

namespace orbant {

// Event kinds of rise_set_scan: the index selects the threshold altitude
// and the position series.
inline constexpr int event_moon = 0;                  // Moonrise and moonset, h0 = +8'
inline constexpr int event_sun = 1;                   // sunrise and sunset, h0 = -50'
inline constexpr int event_civil_twilight = 2;        // h0 = -6 degrees
inline constexpr int event_nautical_twilight = 3;     // h0 = -12 degrees
inline constexpr int event_astronomical_twilight = 4; // h0 = -18 degrees
inline constexpr int event_count = 5;

// Threshold altitudes of the five event kinds, degrees.
inline constexpr double moon_threshold_deg = 0.13333333333333333;  // 8 arcminutes
inline constexpr double sun_threshold_deg = -0.8333333333333334;   // refraction and semi-diameter
inline constexpr double civil_threshold_deg = -6.0;
inline constexpr double nautical_threshold_deg = -12.0;
inline constexpr double astronomical_threshold_deg = -18.0;

// Event kinds of planet_rise_set.
inline constexpr int planet_event_rise = 0;
inline constexpr int planet_event_transit = 1;  // meridian passage
inline constexpr int planet_event_set = 2;

// Results of planet_rise_set.
inline constexpr int status_never_rises = 0;  // below the threshold all day
inline constexpr int status_found = 1;
inline constexpr int status_never_sets = 2;   // above the threshold all day
// Of planet_rise_set_on_day only: the body crosses the threshold, but no
// crossing of the kind asked for falls on the civil day.
inline constexpr int status_not_on_day = 3;

// Sines of the planet_rise_set thresholds.
inline constexpr double planet_sun_sin_threshold = -0.0145439;      // h0 = -0.8333 degrees
inline constexpr double planet_sin_threshold = -0.009890038;        // h0 = -0.5667 degrees
// Sidereal angle advanced per hour of civil time, radians per hour.
inline constexpr double sidereal_radians_per_hour = 0.2625161619276768;
// Hours of civil time per radian of hour angle.
inline constexpr double hours_per_hour_angle_radian = 3.809289274446653;
// Convergence limit of the planet_rise_set correction, hours.
inline constexpr double planet_rise_set_tolerance_hours = 0.008;

// Sine of the altitude of the Moon (index 0) or the Sun (any other index)
// above the observer's horizon, from the short position formulas.
//
// Given:    index: event kind 0..4; mjd0: universal time of local midnight,
//           MJD; hour: hours after mjd0; longitude: radians, east positive;
//           cos_latitude, sin_latitude: of the geographic latitude.
// Returned: cos(tau) cos(dec) cos(lat) + sin(dec) sin(lat) with
//           tau = gmst(MJD) + longitude - ra at MJD = mjd0 + hour/24.
// Notes:    universal time is used as the theories' time argument (no
//           Delta T); geocentric direction, no refraction.
// Reference: moon_low_precision and sun_low_precision of this engine.
// Accuracy: that of the short formulas: within 2' (Sun) and 10' (Moon) of
//           the full theories' altitudes.
double sin_altitude(int index, double mjd0, double hour, double longitude, double cos_latitude,
                    double sin_latitude) noexcept;

// The parabola through (-1, y_minus), (0, y0), (+1, y_plus): its vertex and
// its roots inside [-1, +1].
//
// Given:    y_minus, y0, y_plus: the three samples.
// Returned: xe, ye: the vertex; root1, root2: the roots xe -/+ dx;
//           count: how many of the two roots lie in [-1, +1] (each tested
//           separately, the ends count as inside).
// Notes:    with a negative discriminant count is 0 and root1, root2 keep
//           what they held. When root1 < -1 it is replaced by root2, so with
//           one root in the window root1 holds it. A flat parabola
//           (y_minus + y_plus = 2 y0) gives no finite roots.
// Reference: inverse quadratic interpolation of three equidistant samples.
// Accuracy: double rounding.
void quadratic_through_three(double y_minus, double y0, double y_plus, double& xe, double& ye, double& root1,
                             double& root2, int& count) noexcept;

// Rising and setting of the Moon, the Sun or a twilight on one civil day,
// from twelve parabolas through hourly altitudes.
//
// Given:    index: event kind 0..4 (event_moon .. event_astronomical_twilight);
//           mjd0: local midnight of the civil date in universal time,
//           mjd_from_date(year, month, day, 0, 0, 0) - offset/24, MJD;
//           longitude: radians, east positive; latitude: radians.
// Returned: rise, set: hours after local midnight, written only when the
//           crossing is found (otherwise the caller's variables keep what
//           they held); has_rise, has_set: 1 when found, cleared first;
//           above: 1 when the body is strictly above the threshold at local
//           midnight, else 0.
// Notes:    the windows are 0-2 h, 2-4 h, ..., 22-24 h; the scan stops after
//           the window centred on 23 h or as soon as both crossings are
//           found; a later crossing of the same kind found before then
//           replaces an earlier one. A crossing at exactly 24 h counts. With
//           no crossing, above = 1 means above the threshold all day (for
//           twilight: the Sun never sinks that far). An index outside 0..4
//           clears the three flags and writes nothing else.
// Reference: hourly sampling with quadratic interpolation of the altitude.
// Accuracy: against crossings found from a modern ephemeris (geocentric,
//           same thresholds) at latitudes -34 to +70: within 18 s for the
//           Sun and the twilights and 30 s for the Moon, away from grazing
//           crossings (both crossings less than an hour apart) that hourly
//           parabolas do not resolve.
void rise_set_scan(int index, double mjd0, double longitude, double latitude, double& rise, double& set,
                   int& has_rise, int& has_set, int& above) noexcept;

// Rising, meridian passage or setting of a planet or the Sun on one civil
// day, by correcting a time estimate with the hour-angle error.
//
// Given:    body: 0 the Sun, 1..9 (not 3) a planet; event: 0 rise,
//           1 meridian passage, 2 set; instant: only year, month and day
//           are read; longitude_deg, latitude_deg, offset_hours as in the
//           position services.
// Returned: time: hours after local midnight; status: 1 found, 0 the body
//           never rises that day, 2 it never sets. time is written on every
//           call (its last estimate, 12.0 when the body is circumpolar or
//           never rises from the start).
// Notes:    the geocentric direction at the start and end of the day is
//           interpolated linearly. Thresholds: sin h0 = -0.0145439 for the
//           Sun, -0.009890038 for the planets. The test on the hour angle
//           comes before the event kind, so a meridian passage of a body
//           that never rises is also status 0. At most 11 corrections; a
//           non-converging estimate is returned with status 1. The time may
//           lie below 0 or above 24 when the event falls just outside the
//           civil day.
// Reference: iterative rise and set of a moving body.
// Accuracy: within 6 s of the crossings and transits found from a modern
//           ephemeris for the Sun and all planets at latitudes 53.5 and 80
//           (convergence limit 0.008 h, linear interpolation).
void planet_rise_set(int body, int event, CivilDateTime instant, double longitude_deg, double latitude_deg,
                     double offset_hours, double& time, int& status) noexcept;

// What the rising and setting of every body on one civil day share: the
// day's frame and the Earth at its start and end.
struct PlanetRiseSetDay {
    double latitude = 0.0;             // radians
    double sin_latitude = 0.0;         // its sine and cosine
    double cos_latitude = 0.0;
    double sidereal_midnight = 0.0;    // gmst at local midnight plus the longitude, radians
    double T0 = 0.0;                   // Julian centuries at local midnight
    double T1 = 0.0;                   // T0 plus one day
    Vector3 earth0, earth1;            // the Earth's heliocentric vectors at T0, T1, AU
    Matrix3 to_equator0, to_equator1;  // ecliptic_to_equatorial_matrix at T0, T1
};

// One body's direction at the start and end of a day, ready for the
// interpolation.
struct PlanetDayTrack {
    double alpha0 = 0.0, alpha1 = 0.0;  // right ascensions, radians, one unwrapped against the other
    double delta0 = 0.0, delta1 = 0.0;  // declinations, radians
    double sin_h0 = 0.0;                // sine of the body's threshold altitude
};

// The shared part of planet_rise_set for one civil day.
//
// Given:    instant (only the date is read), longitude_deg, latitude_deg,
//           offset_hours as in planet_rise_set.
// Returned: the day's frame and the Earth at its start and end.
// Notes:    with planet_day_track and the overload of planet_rise_set below
//           it gives the very doubles of planet_rise_set, which is built
//           from them; a page of several bodies and events computes the
//           Earth twice and each body twice instead of four times per event.
// Reference, Accuracy: as planet_rise_set.
PlanetRiseSetDay planet_rise_set_day(CivilDateTime instant, double longitude_deg, double latitude_deg,
                                     double offset_hours) noexcept;

// A body's directions at the start and end of a prepared day.
//
// Given:    body: as planet_rise_set; day: from planet_rise_set_day.
// Returned: right ascensions (one shifted by 2*pi when they straddle 0),
//           declinations and the threshold of the body.
// Reference, Accuracy: as planet_rise_set.
PlanetDayTrack planet_day_track(int body, const PlanetRiseSetDay& day) noexcept;

// planet_rise_set on a prepared day and track.
//
// Given:    day, track: from the two functions above; event: as
//           planet_rise_set.
// Returned: time, status: as planet_rise_set.
// Reference, Accuracy: as planet_rise_set.
void planet_rise_set(const PlanetRiseSetDay& day, const PlanetDayTrack& track, int event, double& time,
                     int& status) noexcept;

// The crossing of the kind asked for that falls on the civil day, for a
// page that shows a time of day.
//
// Given:    day, track, event: as the overload above.
// Returned: time: hours after local midnight in [0, 24) when status is 1;
//           status: as planet_rise_set, or status_not_on_day when the body
//           does cross the threshold but not on this day.
// Notes:    planet_rise_set starts from noon and may converge on the
//           crossing just before or after the day (a rising at 24:01 that
//           belongs to the next day). Here such a result is followed by a
//           second iteration started 24 h nearer the day; what that finds is
//           the day's crossing, or, when it too lies outside the day, the
//           day has none (a rising drifting across midnight skips a day).
// Reference, Accuracy: as planet_rise_set.
void planet_rise_set_on_day(const PlanetRiseSetDay& day, const PlanetDayTrack& track, int event, double& time,
                            int& status) noexcept;

}  // namespace orbant
