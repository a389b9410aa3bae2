// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/gps_texts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "astro/services/format.h"

namespace orbant {

namespace {

constexpr const char* searching_longitude = "Geogr. Länge = Suche Daten...";
constexpr const char* searching_latitude = "Geogr. Breite = Suche Daten...";

// "%f" of a coordinate: six decimals, with its sign.
std::string coordinate_text(double degrees) { return fixed_text(degrees, 6); }

// The UTC line: the layout "UTC-Time*=*%2d.%2d.%d,*%2d:%2d:%2d" with every
// blank replaced by "0" and then every "*" by a blank, so that the layout's
// own blanks survive the zero filling.
std::string utc_time_text(const GpsUtcTime& t) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "UTC-Time*=*%2d.%2d.%d,*%2d:%2d:%2d", static_cast<int>(t.day),
                  static_cast<int>(t.month), static_cast<int>(t.year), static_cast<int>(t.hour),
                  static_cast<int>(t.minute), static_cast<int>(t.second));
    std::string text = buffer;
    std::replace(text.begin(), text.end(), ' ', '0');
    std::replace(text.begin(), text.end(), '*', ' ');
    return text;
}

// The dimension the satellite line shows for a fix type.
int fix_dimension(int fix_type) {
    if (fix_type == gps_fix_2d) return 2;
    if (fix_type == gps_fix_3d) return 3;
    return 0;
}

void set_text(PageTexts& texts, int id, std::string text) {
    for (PageText& t : texts.texts)
        if (t.id == id) {
            t.text = std::move(text);
            return;
        }
}

}  // namespace

std::string_view gps_signal_bar(int snr) noexcept {
    const int index = std::clamp(snr / 10, 0, static_cast<int>(gps_signal_bars.size()) - 1);
    return gps_signal_bars[static_cast<std::size_t>(index)];
}

GpsDialogView gps_dialog_opening_view() {
    GpsDialogView view;
    view.texts.caption = gps_dialog_caption;
    view.texts.texts = {{gps_longitude_id, "", "0.00"},
                        {gps_latitude_id, "", "0.00"},
                        {gps_utc_time_id, "", ""},
                        {gps_speed_altitude_id, "", ""},
                        {gps_satellite_count_id, "", "0"}};
    for (int i = 0; i < gps_max_satellites; ++i) view.texts.texts.push_back({gps_first_satellite_id + i, "", "0"});
    return view;
}

GpsDialogView gps_dialog_refresh(const GpsDialogView& before, const GpsPosition& record) {
    GpsDialogView view = before;
    PageTexts& texts = view.texts;
    view.handed_over_longitude = record.longitude_deg;
    if (record.satellites_used != 0) {
        const double lon = record.longitude_deg;
        set_text(texts, gps_longitude_id,
                 "Geogr. Länge = " + coordinate_text(lon) + (lon > 0.0 ? "° Ost" : "° West"));
        const double lat = record.latitude_deg;
        view.handed_over_latitude = lat;
        set_text(texts, gps_latitude_id,
                 "Geogr. Breite = " + coordinate_text(lat) + (lat > 0.0 ? "° Nord" : "° Süd"));
        set_text(texts, gps_utc_time_id, utc_time_text(record.utc_time));
        const double speed = static_cast<double>(record.speed_knots) * gps_metres_per_second_per_knot;
        set_text(texts, gps_speed_altitude_id,
                 "Geschw. = " + fixed_text(speed, 2) + " m/s, Höhe = " +
                     fixed_text(static_cast<double>(record.altitude_msl_m), 0) + " m");
    } else {
        set_text(texts, gps_longitude_id, searching_longitude);
        set_text(texts, gps_latitude_id, searching_latitude);
    }
    view.handed_over_satellites = record.satellites_used;
    char line[96];
    std::snprintf(line, sizeof line, "%d Satelliten erfasst  (%dD)", static_cast<int>(record.satellites_used),
                  fix_dimension(record.fix_type));
    set_text(texts, gps_satellite_count_id, line);
    for (int i = 0; i < gps_max_satellites; ++i) {
        std::snprintf(line, sizeof line, "Sat. %d  ", i);
        set_text(texts, gps_first_satellite_id + i,
                 line + std::string(gps_signal_bar(record.satellite_snr[static_cast<std::size_t>(i)])));
    }
    return view;
}

std::optional<GpsPlace> gps_place_to_hand_over(const GpsDialogView& view) {
    if (view.handed_over_satellites == 0) return std::nullopt;
    const double lat = view.handed_over_latitude;
    const double lon = view.handed_over_longitude;
    if (!std::isfinite(lat) || !std::isfinite(lon) || std::fabs(lat) > 90.0 || std::fabs(lon) > 180.0)
        return std::nullopt;
    return GpsPlace{lat, lon};
}

}  // namespace orbant
