// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>

#include "core/location_file.h"
#include "core/settings_file.h"
#include "astro/civil_date_time.h"
#include "core/sheet_state.h"

namespace orbant {

// The Qt-free logic behind the setup dialog "Setup" and the calendar
// dialog "Kalender": the setup dialog's fields and their moves between the
// working values, the stored record and location files, and the instant a
// calendar choice sets.

// The fields of the setup dialog, exchanged with its controls. A freshly
// built dialog holds 0 for the numbers, 1 for both flags and an empty name.
struct SetupFields {
    std::int32_t timer_period = 0;  // seconds ("Zeittakt")
    double latitude = 0.0;          // degrees, north positive
    double longitude = 0.0;         // degrees, east positive
    std::int32_t time_zone = 0;     // whole hours east of Greenwich
    std::string place_name;         // UTF-8
    std::int32_t night_mode = 1;        // "Nachtmodus" 0/1
    std::int32_t auto_summer_time = 1;  // "Auto-Sommerzeit" 0/1
};

// Longest place name the setup dialog's name edit accepts (characters); the
// name field of "Setup.dat" holds it with its terminating NUL.
inline constexpr int setup_place_name_max_chars = 19;

// A zone in hours cut toward zero to whole hours: 5.5 -> 5, -3.5 -> -3.
// Values beyond the 32-bit range are held at its ends instead of
// overflowing (the truncation would otherwise be undefined).
std::int32_t zone_whole_hours(double zone_hours) noexcept;

// The setup dialog's fields from the working values of `state` (the zone
// truncated toward zero).
SetupFields setup_fields_from_working(const SheetState& state);

// The confirmed dialog's fields into the stored record: latitude, longitude,
// timer period, time zone (the whole number as a double), both flags and the
// place name (8-bit, NUL-terminated, see settings_file.h). The working
// values are not touched.
void store_setup_fields(const SetupFields& fields, SettingsRecord& stored);

// A location file loaded into the setup dialog: the place name from the file
// name, latitude and longitude as read, the zone truncated toward zero.
void apply_location_to_setup_fields(const LocationRecord& record, const std::string& path,
                                    SetupFields& fields);

// The instant a calendar choice sets: the chosen date (proleptic Gregorian)
// plus the hour and minute of `current`, second 0. Hour and minute are added
// as minutes and carried into the date, so that an unchecked time such as
// 25:70 (typed with "Stop/Enter") moves to the next day as a date value
// would.
CivilDateTime calendar_choice_instant(int year, int month, int day, const CivilDateTime& current);

// The setup dialog's answer to a place name (UTF-8) that "Setup.dat" cannot
// hold as typed: the message naming its first character outside
// Windows-1252, e.g. "Das Zeichen „ő“ (U+0151) im Ortsnamen kann nicht
// gespeichert werden." Empty when every character can be stored.
std::string place_name_storage_message(const std::string& utf8);

// An error text as a message box shows it: first letter upper case, ended
// with a full stop. "cannot open x" -> "Cannot open x."
std::string message_sentence(const std::string& error);

}  // namespace orbant
