// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/clock.h"

#include <cerrno>
#include <charconv>
#include <climits>
#include <ctime>

#include "astro/calendar.h"

static_assert(sizeof(std::time_t) >= 8, "the local-time rules need a 64-bit time_t");

namespace orbant {

namespace {

constexpr int min_convertible_year = 1900;  // lowest year the conversion takes

CivilDateTime failed_split() { return CivilDateTime{0, 0, -1, -1, -1, -1}; }

bool tm_from_seconds(std::int64_t seconds, std::tm& out) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    return localtime_r(&t, &out) != nullptr;
}

std::int64_t system_seconds() { return static_cast<std::int64_t>(std::time(nullptr)); }

}  // namespace

bool seconds_from_local_time(const CivilDateTime& t, std::int64_t& seconds) {
    if (t.year < min_convertible_year || t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 ||
        t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 || t.second < 0 || t.second > 59)
        return false;
    std::tm tm{};
    tm.tm_year = t.year - 1900;
    tm.tm_mon = t.month - 1;
    tm.tm_mday = t.day;
    tm.tm_hour = t.hour;
    tm.tm_min = t.minute;
    tm.tm_sec = t.second;
    tm.tm_isdst = -1;  // the rules decide whether daylight time applies
    // mktime returns -1 both for an error and for 1969-12-31 23:59:59 UT;
    // tm_wday stays out of range only on an error.
    tm.tm_wday = -1;
    const std::time_t r = std::mktime(&tm);
    if (r == static_cast<std::time_t>(-1) && tm.tm_wday == -1) return false;
    seconds = static_cast<std::int64_t>(r);
    return true;
}

bool local_time_from_seconds(std::int64_t seconds, CivilDateTime& t) {
    std::tm tm{};
    if (!tm_from_seconds(seconds, tm) || tm.tm_year > INT_MAX - 1900) {
        t = failed_split();
        return false;
    }
    t = CivilDateTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
    return true;
}

bool daylight_time_at(std::int64_t seconds) {
    std::tm tm{};
    return tm_from_seconds(seconds, tm) && tm.tm_isdst > 0;
}

bool parse_clock_text(const std::string& text, CivilDateTime& t) {
    // Fixed layout: YYYY-MM-DD HH:MM[:SS], every field all digits.
    const bool with_seconds = text.size() == 19;
    if (text.size() != 16 && !with_seconds) return false;
    auto field = [&](std::size_t pos, std::size_t len, std::int32_t& out) {
        for (std::size_t i = pos; i < pos + len; ++i)
            if (text[i] < '0' || text[i] > '9') return false;
        auto r = std::from_chars(text.data() + pos, text.data() + pos + len, out);
        return r.ec == std::errc{};
    };
    if (text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':') return false;
    if (with_seconds && text[16] != ':') return false;
    CivilDateTime r{};
    if (!field(0, 4, r.year) || !field(5, 2, r.month) || !field(8, 2, r.day) || !field(11, 2, r.hour) ||
        !field(14, 2, r.minute))
        return false;
    if (with_seconds && !field(17, 2, r.second)) return false;
    if (r.month < 1 || r.month > 12 || r.day < 1 || r.day > days_in_month(r.year, r.month) || r.hour > 23 ||
        r.minute > 59 || r.second > 59)
        return false;
    t = r;
    return true;
}

HostClock::HostClock() = default;

HostClock::HostClock(const CivilDateTime& start) {
    std::int64_t s = 0;
    if (seconds_from_local_time(start, s)) offset_seconds_ = s - system_seconds();
}

std::int64_t HostClock::now_seconds() const { return system_seconds() + offset_seconds_; }

CivilDateTime HostClock::local_now() {
    CivilDateTime t;
    local_time_from_seconds(now_seconds(), t);
    return t;
}

bool HostClock::daylight_time_now() { return daylight_time_at(now_seconds()); }

CivilDateTime read_device_time(DeviceClock& clock) {
    const CivilDateTime device = clock.local_now();
    std::int64_t seconds = 0;
    if (device.year < 1900 || !seconds_from_local_time(device, seconds)) seconds = 0;
    CivilDateTime t;
    local_time_from_seconds(seconds, t);
    return t;
}

}  // namespace orbant
