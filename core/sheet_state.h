// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "astro/civil_date_time.h"
#include "core/settings_file.h"
#include "core/time_step.h"
#include "stars/sky_table.h"

namespace orbant {

// The shared state of the property sheet that pages read and write. The Qt
// sheet owns one; the text front end builds one from its options. Angles in
// degrees, zones in hours east of Greenwich; every astronomical computation
// uses universal time = current_time - (time_zone + summer_time_active) h.
struct SheetState {
    int timer_period = 10;          // seconds between clock ticks
    int active_page = 1;            // page that painted last, 1..6
    int summer_time_active = 0;     // 1: summer time applied at current_time (decide_summer_time)
    int auto_summer_time = 1;       // "Auto-Sommerzeit"
    int night_mode = 1;             // "Nachtmodus"
    CivilDateTime current_time{};   // displayed instant, local civil time
    int clock_stopped = 0;          // 1 while the user holds the time fixed
    SteppedInstant last_step{};     // where the last time step or clock reading arrived
    int tick_in_progress = 0;       // 1 while a tick is being handled
    int view_busy = 0;              // 1 while the horizon view holds the stylus
    int chart_stale = 1;            // overview chart must be rebuilt
    double observer_latitude = 0.0;   // degrees, north positive
    double observer_longitude = 0.0;  // degrees, east positive
    double time_zone = 0.0;           // hours east of Greenwich
    std::string place_name;           // UTF-8
    SettingsRecord stored_settings{};  // mirrors "Setup.dat"
    SkyTable sky_objects{};            // body and star table; empty names until start-up fills it
    FigureList figure_list{};          // constellation figures; filled with the table

    // Offset of local civil time from universal time, hours.
    double time_offset_hours() const noexcept { return time_zone + summer_time_active; }
};

// Copies the seven stored values (latitude, longitude, time zone, timer
// period, auto summer time, night mode, place name) into the working values.
void take_stored_into_working(SheetState& s);

// Sets summer_time_active for the displayed instant current_time (see
// summer_time_at; last_step tells the repeated hour's two instants apart).
// Called wherever current_time or auto_summer_time changes.
void decide_summer_time(SheetState& s);

// The state the sheet starts from once its settings are known, shared by the
// program and the text front end: `stored` becomes the stored and the
// working values, the body and star table is filled, the chart is marked
// stale, the displayed instant is `now` (local civil time, the clock
// running) reached at `reached` (see device_reading_instant; unknown leaves
// the choice to the rules), and summer time is decided for it.
void start_up_sheet_state(SheetState& s, const SettingsRecord& stored, const CivilDateTime& now,
                          const SteppedInstant& reached);

// Fills the body and star table and the figure list as the sheet does once
// during its initialisation (after the clock timer starts).
inline void fill_body_and_star_table(SheetState& s) noexcept { fill_body_and_star_table(s.sky_objects, s.figure_list); }

}  // namespace orbant
