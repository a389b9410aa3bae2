// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>

#include "ui/sheet_page.h"
#include "core/time_step.h"
#include "pages/time_texts.h"

class QComboBox;
class QLineEdit;

namespace orbant {

// The "Zeit/Ort" page (template 129, 162 x 150 dialog units, Arial 8).
inline constexpr std::array<ControlSpec, 29> cseite1_controls = {{
    {no_control_id, ControlKind::label, "Datum:", 8, 10, 24, 8},
    {id_day, ControlKind::edit, "", 37, 8, 17, 12},
    {id_month, ControlKind::edit, "", 55, 8, 17, 12},
    {id_year, ControlKind::edit, "", 73, 8, 21, 12},
    {no_control_id, ControlKind::label, "Zeit:", 100, 10, 15, 8},
    {id_hour, ControlKind::edit, "", 119, 8, 17, 12, control_digits_only},
    {id_minute, ControlKind::edit, "", 137, 8, 17, 12, control_digits_only},
    {id_stop_enter, ControlKind::button, "Stop/Enter", 8, 26, 40, 10},
    {id_calendar, ControlKind::button, "Kalender", 50, 26, 35, 10},
    {id_current_time, ControlKind::button, "Aktuelle Zeit/Datum", 87, 26, 68, 10},
    {no_control_id, ControlKind::group_box, "", 3, 37, 156, 57},
    {no_control_id, ControlKind::label, "Geo.Breite:", 8, 48, 37, 8},
    {id_latitude, ControlKind::edit, "", 48, 46, 27, 12},
    {no_control_id, ControlKind::label, "Geo.Länge:", 88, 48, 38, 8},
    {id_longitude, ControlKind::edit, "", 128, 46, 27, 12},
    {no_control_id, ControlKind::label, "Zeitzone:", 8, 63, 31, 8},
    {id_time_zone, ControlKind::drop_down_list, "", 48, 61, 27, 30},
    {id_place_name, ControlKind::text, "", 88, 63, 67, 8},
    {id_take_location, ControlKind::button, "Standortdaten uebernehmen", 8, 78, 102, 10},
    {id_gps, ControlKind::button, "GPS", 115, 78, 39, 10},
    {id_load_location, ControlKind::button, "Standort laden", 8, 97, 71, 10},
    {id_save_location, ControlKind::button, "Standort speichern", 84, 97, 71, 10},
    {id_day_back, ControlKind::button, "<<", 8, 110, 17, 10},
    {id_hour_back, ControlKind::button, "<", 26, 110, 17, 10},
    {id_hour_forward, ControlKind::button, ">", 44, 110, 17, 10},
    {id_day_forward, ControlKind::button, ">>", 62, 110, 17, 10},
    {id_settings, ControlKind::button, "Einstellungen", 84, 110, 71, 10},
    {no_control_id, ControlKind::group_box, "Status", 3, 122, 156, 23},
    {id_status, ControlKind::text, "", 8, 131, 147, 8},
}};
static_assert(cseite1_controls.size() == 29);

inline constexpr DialogTemplate cseite1_template{129, time_page_caption, page_width_du, page_height_du,
                                                 "Arial", 8, cseite1_controls};

// The time and location page: shows and edits current_time and the working
// place, runs and stops the clock, steps the time.
class CSeite1 : public SheetPage {
    Q_OBJECT
public:
    // The page's fields, exchanged with the controls.
    struct Fields {
        std::int32_t day = 0;
        std::int32_t month = 0;
        std::int32_t year = 0;
        std::int32_t hour = 0;
        std::int32_t minute = 0;
        double latitude = 0.0;
        double longitude = 0.0;
    };

    explicit CSeite1(SheetHost& sheet);

    void update_page() override { show_time_status(); }

    // Status line, and with a running clock the date and time controls from
    // current_time (leading zeros).
    void show_time_status();
    // Latitude, longitude, zone entry and place name from the working place.
    void show_location();

    // Moves current_time by delta seconds by the local-time rules and stops
    // the clock; refuses years outside 1970..2038 and times the rules cannot
    // convert, with a message and no change.
    void step_time(std::int64_t delta_seconds);

    // Reads all fields from the controls, in control order, stopping at the
    // first field that fails its check (its message is shown). Returns true
    // when all were read.
    bool read_fields();
    // The date and time fields against their ranges, in control order: the
    // day within its month (in the month and year of the fields, leap years
    // included; 1..31 while the month is not 1..12), the month 1..12, the
    // hour 0..23, the minute 0..59. The first field out of range gets the
    // range message and the focus, and false is returned.
    bool check_time_fields();
    // Writes all fields to the controls (plain decimal; coordinates "%.15g").
    void write_fields();
    // Copies year, month, day, hour and minute of current_time into the fields.
    void copy_time_to_fields();

    Fields& fields() noexcept { return fields_; }
    const Fields& fields() const noexcept { return fields_; }
    QComboBox* zone_list() const noexcept { return zone_list_; }

    // The buttons' handlers.
    void on_stop_enter();
    void on_current_time();
    void on_take_location();

protected:
    void on_init_page() override;
    void on_paint(bool erase) override;

private:
    QLineEdit* edit(int id) const;
    void select_zone_entry();

    Fields fields_;
    QComboBox* zone_list_ = nullptr;
};

}  // namespace orbant
