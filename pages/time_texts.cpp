// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/time_texts.h"

#include <charconv>
#include <cmath>

#include "astro/services/format.h"

namespace orbant {

int time_zone_entry_index(double time_zone_hours) noexcept {
    if (!std::isfinite(time_zone_hours)) return -1;
    const double truncated = std::trunc(time_zone_hours);
    if (truncated > 12.0 || truncated < -11.0) return -1;
    return 12 - static_cast<int>(truncated);
}

std::string two_digit_text(int value) {
    std::string s = std::to_string(value);
    if (s.size() < 2) s.insert(0, 2 - s.size(), '0');
    return s;
}

std::string coordinate_text(double degrees) {
    // Room for every finite double in fixed notation (up to 309 digits
    // before the point), as "%.2f" would print it.
    return fixed_text(degrees, 2);
}

std::string summer_time_suffix(const SheetState& state) {
    if (state.auto_summer_time != 1) return "<<";
    return state.summer_time_active == 1 ? " (Sommerzeit)<<" : " (Winterzeit)<<";
}

std::string time_status_line(const SheetState& state) {
    const char* head = state.clock_stopped == 1 ? ">>Zeitmessung angehalten" : ">>Laufende Zeitmessung";
    return head + summer_time_suffix(state);
}

PageTexts time_page_texts(const SheetState& state) {
    PageTexts page;
    page.caption = time_page_caption;
    const CivilDateTime& t = state.current_time;
    const int zone = time_zone_entry_index(state.time_zone);
    page.texts = {
        {id_day, "Tag:", two_digit_text(t.day)},
        {id_month, "Monat:", two_digit_text(t.month)},
        {id_year, "Jahr:", std::to_string(t.year)},
        {id_hour, "Stunde:", two_digit_text(t.hour)},
        {id_minute, "Minute:", two_digit_text(t.minute)},
        {id_latitude, "Geo.Breite:", coordinate_text(state.observer_latitude)},
        {id_longitude, "Geo.Länge:", coordinate_text(state.observer_longitude)},
        {id_time_zone, "Zeitzone:", zone < 0 ? std::string() : std::string(time_zone_entries[zone])},
        {id_place_name, "Ort:", state.place_name},
        {id_status, "Status:", time_status_line(state)},
    };
    return page;
}

}  // namespace orbant
