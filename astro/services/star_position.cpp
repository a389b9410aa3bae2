// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/services/star_position.h"

#include "astro/constants.h"
#include "astro/services/positions.h"

namespace orbant {

void star_horizontal(CivilDateTime instant, double longitude_deg, double latitude_deg, double offset_hours,
                     double ra_deg, double dec_deg, double& altitude, double& azimuth) noexcept {
    fixed_horizontal(instant, longitude_deg, latitude_deg, offset_hours, ra_deg * radians_per_degree,
                     dec_deg * radians_per_degree, altitude, azimuth);
}

}  // namespace orbant
