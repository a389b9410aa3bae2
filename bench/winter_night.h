// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "core/sheet_state.h"
#include "pages/horizon_scene.h"

namespace orbant::bench {

// The sheet the horizon benchmarks draw: Hamburg on a January night at
// 22:00, day colours off, the body and star table filled.
inline SheetState winter_night() {
    SheetState s;
    s.observer_latitude = 53.55;
    s.observer_longitude = 10.0;
    s.time_zone = 1.0;
    s.night_mode = 0;
    s.current_time = {2026, 1, 15, 22, 0, 0};
    fill_body_and_star_table(s);
    place_bodies_in_table(s);
    return s;
}

}  // namespace orbant::bench
