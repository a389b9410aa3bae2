// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "astro/civil_date_time.h"
#include "core/time_step.h"

namespace orbant {

// Whether summer time is applied to the displayed instant: 0 when
// "Auto-Sommerzeit" is off (auto_summer_time 0), else 1 when the local-time
// rules of TZ report daylight time at `shown` (local civil time) and 0 when
// they do not or cannot tell (a year before 1900, a field out of range).
// A time in the hour that the end of summer time repeats names two
// instants; when `reached` is known and shows `shown`, its own seconds
// decide, so the instant a step or a clock reading arrived at is kept.
int summer_time_at(int auto_summer_time, const CivilDateTime& shown, const SteppedInstant& reached);

// The instant a reading of the device clock names: `shown` (the device's
// local time after read_device_time) converted by the local-time rules; in
// the repeated hour, the one of its two instants whose daylight state is
// `daylight_reported` (what the device reports for now). Unknown when the
// rules cannot convert `shown`.
SteppedInstant device_reading_instant(const CivilDateTime& shown, bool daylight_reported);

}  // namespace orbant
