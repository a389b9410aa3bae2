// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/sun_texts.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "astro/constants.h"
#include "astro/services/format.h"
#include "astro/services/positions.h"
#include "astro/time_scales.h"
#include "pages/rise_set_day.h"

namespace orbant {

namespace {

// The solstices the day length is compared with, as calendar days.
inline constexpr int summer_solstice_month = 6, summer_solstice_day = 21;
inline constexpr int winter_solstice_month = 12, winter_solstice_day = 21;

bool has_both(const RiseSetDay& day) { return day.has_rise && day.has_set; }

// Hours from sunrise to sunset. A set before the rise (a sunset after the
// following midnight, as at high latitudes in summer, so the set found on
// the day is the one of the evening before) comes out negative and one day
// is added; this holds for every day compared, the solstices included.
double day_length(const RiseSetDay& day) {
    double l = day.set - day.rise;
    if (l < 0) l += hours_per_day;
    return l;
}

}  // namespace

std::string day_difference_text(double hours) {
    const double h = std::trunc(hours);
    const double m = std::trunc((hours - h) * minutes_per_hour);
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, hours < 0 ? "(-%2d:%2d)" : "(+%2d:%2d)",
                  std::abs(static_cast<int>(h)), std::abs(static_cast<int>(m)));
    std::string text(buffer);
    for (char& c : text)
        if (c == ' ') c = '0';
    return text;
}

PageTexts sun_page_texts(const SheetState& state) {
    const CivilDateTime& now = state.current_time;
    const double offset = state.time_offset_hours();
    const double longitude = state.observer_longitude;
    const double latitude = state.observer_latitude;

    double altitude = 0.0, azimuth = 0.0, distance = 0.0;
    sun_horizontal(now, longitude, latitude, offset, altitude, azimuth, distance);
    const double azimuth_north = azimuth_from_north(azimuth * degrees_per_radian);

    // Local midnights of the days compared, in universal time.
    const double today = local_midnight_mjd(now.year, now.month, now.day, offset);
    const double yesterday = today - 1.0;
    const double summer = local_midnight_mjd(now.year, summer_solstice_month, summer_solstice_day, offset);
    const double winter = local_midnight_mjd(now.year, winter_solstice_month, winter_solstice_day, offset);
    const double lon = longitude * radians_per_degree;
    const double lat = latitude * radians_per_degree;

    const RiseSetDay summer_day = scan_day(event_sun, summer, lon, lat);
    const RiseSetDay winter_day = scan_day(event_sun, winter, lon, lat);
    const RiseSetDay yesterday_day = scan_day(event_sun, yesterday, lon, lat);
    const RiseSetDay today_day = scan_day(event_sun, today, lon, lat);

    const std::string sunrise = today_day.has_rise ? clock_text(today_day.rise) : missing_time_text;
    const std::string sunset = today_day.has_set ? clock_text(today_day.set) : missing_time_text;

    std::string duration = missing_time_text;
    std::string difference;
    if (has_both(today_day)) {
        const double length_today = day_length(today_day);
        duration = clock_text(length_today) + " Std.";
        // Only a day whose sunrise and sunset were both found has a length.
        if (has_both(yesterday_day)) {
            const bool days_growing = day_length(yesterday_day) < length_today;
            const RiseSetDay& reference = days_growing ? winter_day : summer_day;
            if (has_both(reference)) difference = day_difference_text(length_today - day_length(reference));
        }
    }

    const RiseSetDay twilight = scan_day(event_nautical_twilight, today, lon, lat);
    std::string morning, evening;
    if (!twilight.has_rise && !twilight.has_set) {
        morning = evening = twilight.above ? "immer hell" : "immer dunkel";
    } else {
        morning = twilight.has_rise ? clock_text(twilight.rise) + " - " + sunrise : missing_time_text;
        evening = twilight.has_set ? sunset + " - " + clock_text(twilight.set) : missing_time_text;
    }

    PageTexts page;
    page.caption = sun_page_caption;
    page.texts = {
        {sun_altitude_id, "Höhe:", degree_text(altitude * degrees_per_radian)},
        {sun_direction_id, "Richtung:", degree_text(azimuth_north) + compass_label(azimuth_north)},
        {sun_distance_id, "Entfernung:", distance_text(distance)},
        {sun_rise_id, "Aufgang:", sunrise},
        {sun_set_id, "Untergang:", sunset},
        {sun_day_length_id, "Dauer:", duration},
        {sun_day_difference_id, "", difference},
        {sun_twilight_morning_id, "Aufgang:", morning},
        {sun_twilight_evening_id, "Untergang:", evening},
    };
    return page;
}

}  // namespace orbant
