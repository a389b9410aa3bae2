// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <ostream>

#include "cli/command.h"
#include "core/screen_size.h"
#include "core/sheet_state.h"

namespace orbant {
class DeviceClock;
}

namespace orbant::cli {

// The sheet state a page command starts from:
// - the place: "Setup.dat" of the settings folder (--config-dir, else the
//   environment's rule) when it can be read, else the built-in Hamburg
//   defaults; --lat, --lon, --zone override it;
// - the instant: --at "YYYY-MM-DD HH:MM" (local civil time), else the
//   device clock;
// - summer time: --summer 0|1, else the program's rule (with
//   "Auto-Sommerzeit" on: daylight time in effect by the local-time rules at
//   the instant; off: 0).
// The clock counts as running. Nothing is written to the settings folder.
// Throws UsageError for a bad option value. Warnings (an unreadable
// "Setup.dat") go to `warnings` when given.
SheetState sheet_state_from_args(const Args& args, std::ostream* warnings = nullptr);

// The same with a given device clock.
SheetState sheet_state_from_args(const Args& args, DeviceClock& clock, std::ostream* warnings);

// Reads --at "YYYY-MM-DD HH:MM" (seconds 0). Throws UsageError naming the
// option unless the text is such a time with valid fields.
CivilDateTime parse_at_option(const std::string& text);

// --size "WxH", `fallback` when it is not given. Throws UsageError unless
// the text is a size with sides in min_screen_side_px..max_screen_side_px.
ScreenSize size_option(const Args& args, ScreenSize fallback);

}  // namespace orbant::cli
