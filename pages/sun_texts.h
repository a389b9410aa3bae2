// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "pages/page_texts.h"
#include "core/sheet_state.h"

namespace orbant {

// Control ids of the Sun page's value texts, in page order.
inline constexpr int sun_altitude_id = 1033;
inline constexpr int sun_direction_id = 1034;
inline constexpr int sun_distance_id = 1035;
inline constexpr int sun_rise_id = 1036;
inline constexpr int sun_set_id = 1037;
inline constexpr int sun_day_length_id = 1038;
inline constexpr int sun_day_difference_id = 1080;
inline constexpr int sun_twilight_morning_id = 1039;
inline constexpr int sun_twilight_evening_id = 1040;

// The Sun page's caption, as its tab shows it.
inline constexpr const char* sun_page_caption = "Sonne";

// Day length difference text for D hours: "(+hh:mm)" for D >= 0,
// "(-hh:mm)" for D < 0, with h = trunc(D) and m = trunc((D - h) * 60)
// printed by absolute value, blanks filled with "0": -2 -> "(-02:00)",
// 1.75 -> "(+01:45)", -0.5 -> "(-00:30)".
std::string day_difference_text(double hours);

// The texts of the Sun page for the sheet's displayed instant and working
// place: altitude, direction, distance; sunrise, sunset and day length of
// the civil day with the difference from the day length at the solstice
// the days move away from (the winter solstice while days grow, else the
// summer solstice; 21 June and 21 December of the displayed year); nautical
// twilight in the morning and the evening ("immer hell"/"immer dunkel" when
// it neither begins nor ends). Missing times read "--------". The
// difference stays empty when yesterday or the solstice it is measured
// from has no sunrise or no sunset, since its day length is then unknown.
// Universal time is current_time less time_zone + summer_time_active hours.
PageTexts sun_page_texts(const SheetState& state);

}  // namespace orbant
