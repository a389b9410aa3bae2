// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

namespace orbant {

// A date and clock time in local civil time, as the device's own clock shows
// it.
//
// Given:    year, month (1..12), day (1..31), hour (0..23), minute, second
//           (0..59) of the civil calendar, local time.
// Returned: -
// Notes:    it carries no zone: the services take the offset to universal
//           time as a separate argument. Fields are not range-checked
//           anywhere: the date conversions accept, for example, minute 60
//           as one more hour. A field whose conversion from the platform's
//           time failed holds 0 (year, month) or -1 (day, hour, minute,
//           second).
// Reference: -
// Accuracy: whole seconds.
struct CivilDateTime {
    std::int32_t year = 0;
    std::int32_t month = 0;
    std::int32_t day = 0;
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    std::int32_t second = 0;

    friend bool operator==(const CivilDateTime&, const CivilDateTime&) = default;
};

}  // namespace orbant
