// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/sheet_state.h"

#include "core/summer_time.h"

namespace orbant {

void take_stored_into_working(SheetState& s) {
    const SettingsRecord& r = s.stored_settings;
    s.observer_latitude = r.latitude;
    s.observer_longitude = r.longitude;
    s.time_zone = r.time_zone;
    s.timer_period = r.timer_period;
    s.auto_summer_time = r.auto_summer_time;
    s.night_mode = r.night_mode;
    s.place_name = stored_place_name(r);
}

void decide_summer_time(SheetState& s) {
    s.summer_time_active = summer_time_at(s.auto_summer_time, s.current_time, s.last_step);
}

void start_up_sheet_state(SheetState& s, const SettingsRecord& stored, const CivilDateTime& now,
                          const SteppedInstant& reached) {
    s.clock_stopped = 0;
    s.tick_in_progress = 0;
    s.view_busy = 0;
    s.stored_settings = stored;
    take_stored_into_working(s);
    fill_body_and_star_table(s);
    s.chart_stale = 1;
    s.current_time = now;
    s.last_step = reached;
    decide_summer_time(s);
}

}  // namespace orbant
