// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>

#include "ui/sheet_page.h"
#include "pages/sun_texts.h"

namespace orbant {

// The "Sonne" page of the sheet (template 131, 162 x 150 dialog units):
// position of the Sun, sunrise, sunset and day length, nautical twilight.
// The value texts show their placeholders until the first update.
inline constexpr std::array<ControlSpec, 20> cseite3_controls = {{
    {no_control_id, ControlKind::group_box, "Ort", 9, 7, 135, 44},
    {no_control_id, ControlKind::label, "Höhe:", 16, 18, 20, 8},
    {sun_altitude_id, ControlKind::text, "360.99°  ", 61, 18, 30, 8},
    {no_control_id, ControlKind::label, "Richtung:", 16, 28, 31, 8},
    {sun_direction_id, ControlKind::text, "360.99° (SO)  ", 61, 28, 47, 8},
    {no_control_id, ControlKind::label, "Entfernung:", 16, 38, 38, 8},
    {sun_distance_id, ControlKind::text, "100000000000 Km  ", 61, 38, 65, 8},
    {no_control_id, ControlKind::group_box, "Sichtbarkeit", 9, 53, 135, 44},
    {no_control_id, ControlKind::label, "Aufgang:", 16, 65, 31, 8},
    {sun_rise_id, ControlKind::text, "00:00    ", 61, 65, 27, 8},
    {no_control_id, ControlKind::label, "Untergang:", 16, 75, 36, 8},
    {sun_set_id, ControlKind::text, "00:00     ", 61, 75, 29, 8},
    {no_control_id, ControlKind::label, "Dauer:", 16, 85, 22, 8},
    {sun_day_length_id, ControlKind::text, "00:00 Std  ", 61, 85, 36, 8},
    {sun_day_difference_id, ControlKind::text, "(+00:00)", 100, 85, 34, 8},
    {no_control_id, ControlKind::group_box, "Dämmerung (nautisch)", 9, 100, 135, 36},
    {no_control_id, ControlKind::label, "Aufgang:", 16, 113, 31, 8},
    {sun_twilight_morning_id, ControlKind::text, "00:00     ", 61, 113, 59, 8},
    {no_control_id, ControlKind::label, "Untergang:", 16, 123, 36, 8},
    {sun_twilight_evening_id, ControlKind::text, "00:00     ", 61, 123, 64, 8},
}};

inline constexpr DialogTemplate cseite3_template = page_template(131, sun_page_caption, cseite3_controls);

// The Sun page: fills its value texts from sun_page_texts on every paint and,
// while it painted last, on every clock tick.
class CSeite3 : public SheetPage {
    Q_OBJECT
public:
    explicit CSeite3(SheetHost& sheet) : SheetPage(sheet, cseite3_template, 3, true) {}

    // Reads the clock first when it runs, then writes every value text.
    void update_page() override;

protected:
    void on_paint(bool erase) override;
};

}  // namespace orbant
