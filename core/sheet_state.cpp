#include "core/sheet_state.h"

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

void start_up_sheet_state(SheetState& s, const SettingsRecord& stored, const CivilDateTime& now,
                          bool daylight_now) {
    s.clock_stopped = 0;
    s.tick_in_progress = 0;
    s.view_busy = 0;
    s.stored_settings = stored;
    take_stored_into_working(s);
    fill_body_and_star_table(s);
    s.chart_stale = 1;
    s.current_time = now;
    s.summer_time_active = (s.auto_summer_time == 1 && daylight_now) ? 1 : 0;
}

}  // namespace orbant
