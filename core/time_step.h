// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

#include "astro/civil_date_time.h"

namespace orbant {

inline constexpr std::int64_t day_step_seconds = 86400;  // "<<" and ">>"
inline constexpr std::int64_t hour_step_seconds = 3600;  // "<" and ">"
inline constexpr int first_step_year = 1970;  // stepping works from this year
inline constexpr int last_step_year = 2038;   // to this year
inline constexpr const char* step_years_message =
    "Diese Funktion kann nur für die Jahre 1970 bis 2038 genutzt werden";
inline constexpr const char* step_failed_message =
    "Die Zeit kann nicht umgerechnet werden: das Datum oder die Uhrzeit ist ungültig.";

enum class TimeStepStatus {
    stepped,             // `stepped` holds the new displayed instant
    year_out_of_range,   // the year lies outside first_step_year..last_step_year
    conversion_failed,   // the local-time rules cannot convert the time
};

// The instant the last step arrived at: the local time it showed and its
// seconds since 1970 UT. A local time in the hour that the end of summer
// time repeats names two instants; while the displayed time is still the one
// a step produced, the next step starts from that step's instant, not from
// whichever of the two the local-time rules would choose.
struct SteppedInstant {
    CivilDateTime shown{};
    std::int64_t seconds = 0;
    bool known = false;
};

// Moves a displayed instant (local civil time) by `delta_seconds` of real
// time: local time -> seconds since 1970 UT -> plus delta -> local time, both
// by the local-time rules of TZ. When `last.known` and `current` equals
// `last.shown`, the step starts from `last.seconds` instead; on success
// `last` becomes the instant arrived at. On any status but `stepped`,
// `stepped` and `last` are left as they were.
TimeStepStatus step_local_time(const CivilDateTime& current, std::int64_t delta_seconds,
                               CivilDateTime& stepped, SteppedInstant& last);

// The same without memory of an earlier step.
TimeStepStatus step_local_time(const CivilDateTime& current, std::int64_t delta_seconds,
                               CivilDateTime& stepped);

}  // namespace orbant
