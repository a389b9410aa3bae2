// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <string>

#include "pages/planets_texts.h"
#include "ui/sheet_page.h"

namespace orbant {

// Layout of the planets table, dialog units.
inline constexpr int planets_header_y = 12;
inline constexpr int planets_rule_y = 23;
inline constexpr int planets_label_x = 3;
inline constexpr int planets_label_width = 25;
inline constexpr std::array<int, 8> planets_row_y{31, 43, 55, 67, 79, 90, 102, 114};
inline constexpr std::array<int, 5> planets_column_x{28, 69, 95, 118, 140};
inline constexpr std::array<int, 5> planets_column_width{40, 22, 20, 20, 20};
inline constexpr int planets_field_height = 9;
// Texts of the value fields before the first update, per column.
inline constexpr std::array<const char*, 5> planets_placeholders{"360.0°(NW)", "-99.0°", "22:22", "22:22", "100%"};
inline constexpr const char* planets_rule =
    "----------------------------------------------------------------------";
static_assert(std::char_traits<char>::length(planets_rule) == 70);

// The control table of template 132: the header row, the rule, then per
// planet its row label and its five value fields.
constexpr std::array<ControlSpec, 6 + 1 + 8 * 6> make_cseite4_controls() {
    std::array<ControlSpec, 6 + 1 + 8 * 6> c{};
    std::size_t n = 0;
    c[n++] = {no_control_id, ControlKind::label, "Planet", planets_label_x, planets_header_y, planets_label_width, 8};
    for (std::size_t k = 0; k < planet_column_headings.size(); ++k)
        c[n++] = {no_control_id, ControlKind::label, planet_column_headings[k], planets_column_x[k],
                  planets_header_y, planets_column_width[k], 8};
    c[n++] = {no_control_id, ControlKind::label, planets_rule, planets_label_x, planets_rule_y, 156, 8};
    for (std::size_t r = 0; r < planet_rows.size(); ++r) {
        const PlanetRow& row = planet_rows[r];
        const int ids[5] = {row.direction_id, row.altitude_id, row.rise_id, row.set_id, row.phase_id};
        c[n++] = {no_control_id, ControlKind::label, row.label, planets_label_x, planets_row_y[r],
                  planets_label_width, planets_field_height};
        for (std::size_t k = 0; k < 5; ++k)
            c[n++] = {ids[k], ControlKind::text, planets_placeholders[k], planets_column_x[k], planets_row_y[r],
                      planets_column_width[k], planets_field_height};
    }
    return c;
}
inline constexpr auto cseite4_controls = make_cseite4_controls();
inline constexpr DialogTemplate cseite4_template = page_template(132, planets_page_caption, cseite4_controls);

// The planets page: a table of direction, altitude, rising, setting and
// illuminated part of the eight planets, filled from planets_page_texts on
// every paint and, while it painted last, on every clock tick.
class CSeite4 : public SheetPage {
    Q_OBJECT
public:
    explicit CSeite4(SheetHost& sheet) : SheetPage(sheet, cseite4_template, 4, true) {}

    // Reads the clock first when it runs, then writes all forty value fields.
    void update_page() override;

protected:
    void on_paint(bool erase) override;
};

}  // namespace orbant
