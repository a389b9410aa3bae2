// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/services/phase.h"

#include "astro/moon.h"
#include "astro/planets.h"
#include "astro/sun.h"
#include "astro/vector3.h"
#include "astro/services/positions.h"

namespace orbant {

namespace {

// Fraction to percentage.
inline constexpr double percent_per_unit = 100.0;

}  // namespace

double moon_illumination(CivilDateTime instant, double offset_hours) noexcept {
    const double T = centuries_from_civil(instant, offset_hours);
    const Vector3 earth = planet_position(earth_body, T);
    const Vector3 moon_km = moon_position(T);
    const Vector3 moon_au(Polar(moon_km.polar(0), moon_km.polar(1), moon_km.polar(2) * au_per_kilometre));
    const Vector3 sun = sun_position(T);
    const Vector3 moon_heliocentric = moon_au - sun;
    return percent_per_unit * elongation_phase(moon_heliocentric, earth).illuminated_fraction;
}

double planet_illumination(int planet, CivilDateTime instant, double offset_hours) noexcept {
    const double T = centuries_from_civil(instant, offset_hours);
    const Vector3 earth = planet_position(earth_body, T);
    const Vector3 body = planet_position(planet, T);
    return percent_per_unit * elongation_phase(body, earth).illuminated_fraction;
}

int moon_is_waxing(CivilDateTime instant, double offset_hours) noexcept {
    const double now = moon_illumination(instant, offset_hours);
    // The copy's minute is raised without normalising: minute 60 is read by
    // the date conversion as one more hour.
    instant.minute += 1;
    const double later = moon_illumination(instant, offset_hours);
    return later > now ? 1 : 0;
}

}  // namespace orbant
