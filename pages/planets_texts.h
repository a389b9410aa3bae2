// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>

#include "astro/planets.h"
#include "pages/page_texts.h"
#include "core/sheet_state.h"

namespace orbant {

// One row of the planets page: the row label, the body number of the
// planet theory and the control ids of its five value fields.
struct PlanetRow {
    const char* label;  // "Merkur:" ...
    int body;           // 1 Mercury .. 9 Pluto (3, the Earth, has no row)
    int direction_id, altitude_id, rise_id, set_id, phase_id;
};

// The rows in page order; id 1099 is not used.
inline constexpr std::array<PlanetRow, 8> planet_rows{{
    {"Merkur:", mercury_body, 1067, 1068, 1069, 1070, 1071},
    {"Venus:", venus_body, 1072, 1073, 1074, 1075, 1076},
    {"Mars:", mars_body, 1077, 1083, 1089, 1095, 1102},
    {"Jupiter:", jupiter_body, 1078, 1084, 1090, 1096, 1103},
    {"Saturn:", saturn_body, 1079, 1085, 1091, 1097, 1104},
    {"Uranus:", uranus_body, 1080, 1086, 1092, 1098, 1105},
    {"Neptun:", neptune_body, 1081, 1087, 1093, 1100, 1106},
    {"Pluto:", pluto_body, 1082, 1088, 1094, 1101, 1107},
}};
static_assert(planet_rows.size() == 8);

// Column headings of the value fields, left to right.
inline constexpr std::array<const char*, 5> planet_column_headings{"Richtung", "Höhe", "Aufg.", "Untg.", "Phase"};

// The planets page's caption, as its tab shows it.
inline constexpr const char* planets_page_caption = "Planeten";

// The texts of the planets page for the sheet's displayed instant and
// working place: per planet, row by row and left to right, the direction
// "%.1f°" with its compass label, the altitude "%.1f°", rising and setting
// on the civil day ("NoRises" when it stays below the horizon all day,
// "NoSet" when above) and the illuminated part "%.0f%%". Each text is
// labelled with the row label and the column heading ("Merkur: Höhe").
// Universal time is current_time less time_zone + summer_time_active hours.
PageTexts planets_page_texts(const SheetState& state);

}  // namespace orbant
