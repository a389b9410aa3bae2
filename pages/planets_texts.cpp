// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/planets_texts.h"

#include <string>

#include "astro/constants.h"
#include "astro/services/format.h"
#include "astro/services/phase.h"
#include "astro/services/positions.h"
#include "astro/services/rise_set.h"

namespace orbant {

namespace {

std::string label(const PlanetRow& row, int column) {
    return std::string(row.label) + " " + planet_column_headings[column];
}

// A rising or setting time of the day, "--------" when the body has none on
// this day although it crosses the horizon.
std::string event_text(double time, int status) {
    return status == status_not_on_day ? std::string(missing_time_text) : rise_set_text(time, status);
}

}  // namespace

PageTexts planets_page_texts(const SheetState& state) {
    const double offset = state.time_offset_hours();
    const double longitude = state.observer_longitude;
    const double latitude = state.observer_latitude;

    PageTexts page;
    page.caption = planets_page_caption;
    page.texts.reserve(planet_rows.size() * planet_column_headings.size());
    // The day's frame and the Earth serve the rising and setting of all rows.
    const PlanetRiseSetDay day = planet_rise_set_day(state.current_time, longitude, latitude, offset);
    for (const PlanetRow& row : planet_rows) {
        const CivilDateTime now = state.current_time;  // each service gets its own copy

        double altitude = 0.0, azimuth = 0.0;
        planet_horizontal(row.body, now, longitude, latitude, offset, altitude, azimuth);
        const double azimuth_north = azimuth_from_north(azimuth * degrees_per_radian);

        double rise = 0.0, set = 0.0;
        int rise_status = 0, set_status = 0;
        const PlanetDayTrack track = planet_day_track(row.body, day);
        planet_rise_set_on_day(day, track, planet_event_rise, rise, rise_status);
        planet_rise_set_on_day(day, track, planet_event_set, set, set_status);

        const double phase = planet_illumination(row.body, now, offset);

        page.texts.push_back({row.direction_id, label(row, 0),
                              fixed_text(azimuth_north, 1) + "°" + compass_label(azimuth_north)});
        page.texts.push_back({row.altitude_id, label(row, 1), fixed_text(altitude * degrees_per_radian, 1) + "°"});
        page.texts.push_back({row.rise_id, label(row, 2), event_text(rise, rise_status)});
        page.texts.push_back({row.set_id, label(row, 3), event_text(set, set_status)});
        page.texts.push_back({row.phase_id, label(row, 4), fixed_text(phase, 0) + "%"});
    }
    return page;
}

}  // namespace orbant
