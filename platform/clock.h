// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "astro/civil_date_time.h"

namespace orbant {

// The device's clock: its local civil time and whether daylight (summer)
// time is in effect now. The sheet reads it at start and on every tick;
// tests replace it with FakeClock so that nothing depends on the real time.
class DeviceClock {
public:
    virtual ~DeviceClock() = default;

    // The device's local civil time now, to the second.
    virtual CivilDateTime local_now() = 0;

    // True when the local-time rules report daylight (summer) time in
    // effect at the instant local_now() refers to.
    virtual bool daylight_time_now() = 0;
};

// The host's clock: the system time converted by the POSIX local-time rules
// of the TZ environment. With a start time (option --clock) the clock starts
// at that local civil time when the object is made and runs on from there in
// real seconds.
class HostClock final : public DeviceClock {
public:
    HostClock();
    // start: local civil time at which the clock starts. Returns a clock
    // that runs from the host's time when start cannot be converted.
    explicit HostClock(const CivilDateTime& start);

    CivilDateTime local_now() override;
    bool daylight_time_now() override;

    // Seconds added to the system time (0 for the plain host clock).
    std::int64_t offset_seconds() const noexcept { return offset_seconds_; }

private:
    std::int64_t now_seconds() const;
    std::int64_t offset_seconds_ = 0;
};

// A clock for tests: shows exactly what it is set to and moves only when
// told to.
class FakeClock final : public DeviceClock {
public:
    FakeClock() = default;
    FakeClock(const CivilDateTime& now, bool daylight_on) : now_(now), daylight_(daylight_on) {}

    CivilDateTime local_now() override { ++reads_; return now_; }
    bool daylight_time_now() override { ++daylight_queries_; return daylight_; }

    void set(const CivilDateTime& now) { now_ = now; }
    void set_daylight(bool daylight_on) { daylight_ = daylight_on; }
    int reads() const noexcept { return reads_; }
    int daylight_queries() const noexcept { return daylight_queries_; }

private:
    CivilDateTime now_{2026, 1, 15, 12, 0, 0};
    bool daylight_ = false;
    int reads_ = 0;
    int daylight_queries_ = 0;
};

// Converts local civil time to the count of seconds since 1970-01-01 00:00
// universal time by the local-time rules of TZ (mktime with the daylight
// state left to the rules; 64-bit time_t).
// Given: t, local civil time; required year >= 1900, month 1..12, day 1..31,
//   hour 0..23, minute 0..59, second 0..59.
// Returned: true and seconds set; false (seconds unchanged) when a field is
//   out of range or the rules cannot convert the time.
// Notes: a day beyond the month's end (31 April) rolls into the next month,
//   as the local-time rules do; a time that does not exist on a
//   spring-forward day is moved forward by the rules.
bool seconds_from_local_time(const CivilDateTime& t, std::int64_t& seconds);

// Splits a count of seconds since 1970-01-01 00:00 universal time into local
// civil time by the local-time rules of TZ (localtime_r).
// Returned: true and t set; on failure false and t holds 0 (year, month) and
//   -1 (day, hour, minute, second).
bool local_time_from_seconds(std::int64_t seconds, CivilDateTime& t);

// The device clock's local time passed through the seconds-since-1970
// conversion: year, month, day, hour, minute and second are turned into
// seconds with the daylight state left to the rules and split back. A device
// year before 1900, or a time the rules cannot convert, gives the local time
// of second 0.
CivilDateTime read_device_time(DeviceClock& clock);

// True when the local-time rules report daylight time in effect at the
// given instant (seconds since 1970 UT); false also when it cannot be told.
bool daylight_time_at(std::int64_t seconds);

// Reads "YYYY-MM-DD HH:MM:SS" (the seconds may be left out) into t.
// Returns false unless the text is exactly such a time with month 1..12,
// day 1..days of the month, hour 0..23, minute and second 0..59.
bool parse_clock_text(const std::string& text, CivilDateTime& t);

}  // namespace orbant
