#include "core/time_step.h"

#include "platform/clock.h"

namespace orbant {

TimeStepStatus step_local_time(const CivilDateTime& current, std::int64_t delta_seconds,
                               CivilDateTime& stepped) {
    if (current.year < first_step_year || current.year > last_step_year) return TimeStepStatus::year_out_of_range;
    std::int64_t seconds = 0;
    CivilDateTime result;
    if (!seconds_from_local_time(current, seconds) || !local_time_from_seconds(seconds + delta_seconds, result))
        return TimeStepStatus::conversion_failed;
    stepped = result;
    return TimeStepStatus::stepped;
}

}  // namespace orbant
