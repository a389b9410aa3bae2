// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/summer_time.h"

#include "astro/constants.h"
#include "platform/clock.h"

namespace orbant {

int summer_time_at(int auto_summer_time, const CivilDateTime& shown, const SteppedInstant& reached) {
    if (auto_summer_time != 1) return 0;
    std::int64_t seconds = 0;
    if (reached.known && reached.shown == shown)
        seconds = reached.seconds;
    else if (!seconds_from_local_time(shown, seconds))
        return 0;
    return daylight_time_at(seconds) ? 1 : 0;
}

SteppedInstant device_reading_instant(const CivilDateTime& shown, bool daylight_reported) {
    std::int64_t seconds = 0;
    if (!seconds_from_local_time(shown, seconds)) return SteppedInstant{};
    if (daylight_time_at(seconds) != daylight_reported) {
        // The other instant with the same local time lies one hour away.
        for (const std::int64_t other : {seconds - whole_seconds_per_hour, seconds + whole_seconds_per_hour}) {
            CivilDateTime t;
            if (local_time_from_seconds(other, t) && t == shown && daylight_time_at(other) == daylight_reported) {
                seconds = other;
                break;
            }
        }
    }
    return SteppedInstant{shown, seconds, true};
}

}  // namespace orbant
