// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/dialog_texts.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "astro/calendar.h"
#include "astro/constants.h"
#include "core/settings_file.h"
#include "text/utf8.h"

namespace orbant {

std::int32_t zone_whole_hours(double zone_hours) noexcept {
    constexpr double lo = static_cast<double>(std::numeric_limits<std::int32_t>::min());
    constexpr double hi = static_cast<double>(std::numeric_limits<std::int32_t>::max());
    if (std::isnan(zone_hours)) return 0;
    const double t = std::trunc(zone_hours);
    if (t <= lo) return std::numeric_limits<std::int32_t>::min();
    if (t >= hi) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(t);
}

SetupFields setup_fields_from_working(const SheetState& state) {
    SetupFields f;
    f.latitude = state.observer_latitude;
    f.longitude = state.observer_longitude;
    f.timer_period = state.timer_period;
    f.time_zone = zone_whole_hours(state.time_zone);
    f.auto_summer_time = state.auto_summer_time;
    f.night_mode = state.night_mode;
    f.place_name = state.place_name;
    return f;
}

void store_setup_fields(const SetupFields& fields, SettingsRecord& stored) {
    stored.latitude = fields.latitude;
    stored.longitude = fields.longitude;
    stored.timer_period = fields.timer_period;
    stored.time_zone = static_cast<double>(fields.time_zone);
    stored.auto_summer_time = fields.auto_summer_time;
    stored.night_mode = fields.night_mode;
    store_place_name(stored, fields.place_name);
}

void apply_location_to_setup_fields(const LocationRecord& record, const std::string& path,
                                    SetupFields& fields) {
    fields.place_name = place_name_from_file_name(path);
    fields.latitude = record.latitude;
    fields.longitude = record.longitude;
    fields.time_zone = zone_whole_hours(record.time_zone);
}

CivilDateTime calendar_choice_instant(int year, int month, int day, const CivilDateTime& current) {
    const std::int64_t minutes = static_cast<std::int64_t>(current.hour) * whole_minutes_per_hour + current.minute;
    const std::int64_t carry_days = floor_div(minutes, whole_minutes_per_day);
    const std::int64_t minute_of_day = minutes - carry_days * whole_minutes_per_day;
    std::int64_t y = 0, m = 0, d = 0;
    civil_from_days(days_from_civil(year, month, day) + carry_days, y, m, d);
    CivilDateTime t;
    t.year = static_cast<std::int32_t>(y);
    t.month = static_cast<std::int32_t>(m);
    t.day = static_cast<std::int32_t>(d);
    t.hour = static_cast<std::int32_t>(minute_of_day / whole_minutes_per_hour);
    t.minute = static_cast<std::int32_t>(minute_of_day % whole_minutes_per_hour);
    t.second = 0;
    return t;
}

std::string message_sentence(const std::string& error) {
    std::string text = error;
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
    if (!text.empty() && text.back() != '.') text += '.';
    return text;
}

std::string place_name_storage_message(const std::string& utf8) {
    for (std::size_t i = 0; i < utf8.size();) {
        const Utf8Character c = utf8_decode(utf8, i);
        const std::string character = utf8.substr(i, c.length);
        i += c.length;
        if (windows1252_to_utf8(utf8_to_windows1252(character)) == character) continue;
        char hex[16];
        std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(c.code));
        return "Das Zeichen \u201E" + character + "\u201C (" + hex +
               ") im Ortsnamen kann nicht gespeichert werden.";
    }
    return {};
}

}  // namespace orbant
