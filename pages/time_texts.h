// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <string>

#include "pages/page_texts.h"
#include "core/sheet_state.h"

namespace orbant {

// Control ids of the "Zeit/Ort" page.
inline constexpr int id_day = 1000;
inline constexpr int id_month = 1001;
inline constexpr int id_year = 1002;
inline constexpr int id_hour = 1003;
inline constexpr int id_minute = 1004;
inline constexpr int id_stop_enter = 1005;
inline constexpr int id_current_time = 1006;
inline constexpr int id_latitude = 1007;
inline constexpr int id_longitude = 1008;
inline constexpr int id_time_zone = 1009;
inline constexpr int id_take_location = 1010;
inline constexpr int id_load_location = 1011;
inline constexpr int id_save_location = 1012;
inline constexpr int id_day_back = 1013;
inline constexpr int id_day_forward = 1014;
inline constexpr int id_settings = 1015;
inline constexpr int id_status = 1016;
inline constexpr int id_calendar = 1022;
inline constexpr int id_gps = 1062;
inline constexpr int id_place_name = 1082;
inline constexpr int id_hour_back = 1085;
inline constexpr int id_hour_forward = 1086;

inline constexpr const char* time_page_caption = "Zeit/Ort";

// The entries of the time-zone list; entry i stands for 12 - i hours.
inline constexpr std::array<const char*, 24> time_zone_entries = {
    "+12", "+11", "+10", "+9", "+8", "+7", "+6", "+5", "+4", "+3", "+2", "+1",
    "0",   "-1",  "-2",  "-3", "-4", "-5", "-6", "-7", "-8", "-9", "-10", "-11"};
static_assert(time_zone_entries.size() == 24);

// The list entry for a zone: 12 - trunc(time_zone) (toward zero), or -1 when
// that is not an entry (zones beyond +12 and -11, and non-finite values).
int time_zone_entry_index(double time_zone_hours) noexcept;

// The zone an entry stands for: 12 - index hours.
inline constexpr int time_zone_of_entry(int index) noexcept { return 12 - index; }

// "%2d" with every blank replaced by "0": 5 -> "05", 12 -> "12", -1 -> "-1".
std::string two_digit_text(int value);

// "%.2f" in C notation: 53.5 -> "53.50".
std::string coordinate_text(double degrees);

// The status-line suffix: " (Winterzeit)<<" or " (Sommerzeit)<<" with
// "Auto-Sommerzeit" on, "<<" with it off.
std::string summer_time_suffix(const SheetState& state);

// ">>Zeitmessung angehalten" (clock stopped) or ">>Laufende Zeitmessung",
// followed by the suffix.
std::string time_status_line(const SheetState& state);

// Every text the "Zeit/Ort" page shows for a state, in page order: day,
// month, year, hour, minute (with leading zeros, as a running clock writes
// them), latitude, longitude, the selected zone entry (empty when none),
// the place name and the status line.
PageTexts time_page_texts(const SheetState& state);

}  // namespace orbant
