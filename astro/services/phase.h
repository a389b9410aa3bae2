// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "astro/civil_date_time.h"

// Illuminated fractions of the Moon and the planets seen from the Earth, and
// whether the Moon is waxing. The values are geocentric: no observer place.
// The time argument is formed as in the position services: local civil
// instant minus offset_hours (time_zone + summer_time_active), universal
// time fed to the theories without Delta T. Nothing here allocates.

namespace orbant {

// Astronomical units per kilometre (1 / 149597870).
inline constexpr double au_per_kilometre = 6.684587153547039e-09;

// Illuminated percentage of the Moon's disk.
//
// Given:    instant: local civil time; offset_hours: hours to subtract to
//           get universal time.
// Returned: 100 k, k = (1 + cos i) / 2 with i the phase angle of the
//           Sun-Moon-Earth triangle; 0..100.
// Notes:    the Moon's heliocentric vector is its geocentric one (converted
//           to astronomical units) minus the Sun's geocentric one; the
//           Earth's heliocentric vector is body 3 of the planet theories.
// Reference: the Sun, Moon and planet theories of this engine.
// Accuracy: within 0.03 percentage points of a modern ephemeris (the
//           apparent disk; the phase angle here is geometric, at universal
//           time).
double moon_illumination(CivilDateTime instant, double offset_hours) noexcept;

// Illuminated percentage of a planet's disk.
//
// Given:    planet: body number 1..9 except 3; instant, offset_hours as in
//           moon_illumination.
// Returned: 100 k from the Sun-planet-Earth triangle; 100 for an outer
//           planet at opposition (phase angle 0).
// Notes:    the number is not checked; 3 or an unknown number gives a
//           degenerate triangle and a value that is not a number.
// Reference: the planet theories of this engine.
// Accuracy: within 0.03 percentage points of a modern ephemeris.
double planet_illumination(int planet, CivilDateTime instant, double offset_hours) noexcept;

// Whether the Moon is waxing: 1 when its illuminated percentage one minute
// later is strictly greater than now, else 0 (equal values count as waning).
//
// Given:    instant, offset_hours as in moon_illumination. The instant is
//           taken by value: the one-minute-later instant is the copy with
//           its minute field raised by one and not normalised (23:59 becomes
//           minute 60 of hour 23, which the date conversion reads as the
//           next day's 00:00), so the caller's instant is never changed.
// Returned: 1 waxing, 0 waning.
// Notes:    the flag turns from 1 to 0 in the minute in which the lit
//           fraction stops growing (full Moon) and from 0 to 1 in the one in
//           which it stops shrinking (new Moon).
// Reference: as moon_illumination.
// Accuracy: the flag turns within 2 minutes of the greatest and least
//           illuminated fraction of a modern ephemeris (2024); the neglected
//           Delta T alone delays it by about a minute.
int moon_is_waxing(CivilDateTime instant, double offset_hours) noexcept;

}  // namespace orbant
