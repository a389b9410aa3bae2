// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/time_step.h"

#include "platform/clock.h"

namespace orbant {

TimeStepStatus step_local_time(const CivilDateTime& current, std::int64_t delta_seconds,
                               CivilDateTime& stepped, SteppedInstant& last) {
    if (current.year < first_step_year || current.year > last_step_year) return TimeStepStatus::year_out_of_range;
    std::int64_t seconds = 0;
    if (last.known && last.shown == current)
        seconds = last.seconds;
    else if (!seconds_from_local_time(current, seconds))
        return TimeStepStatus::conversion_failed;
    CivilDateTime result;
    if (!local_time_from_seconds(seconds + delta_seconds, result)) return TimeStepStatus::conversion_failed;
    stepped = result;
    last = SteppedInstant{result, seconds + delta_seconds, true};
    return TimeStepStatus::stepped;
}

TimeStepStatus step_local_time(const CivilDateTime& current, std::int64_t delta_seconds,
                               CivilDateTime& stepped) {
    SteppedInstant none;
    return step_local_time(current, delta_seconds, stepped, none);
}

}  // namespace orbant
