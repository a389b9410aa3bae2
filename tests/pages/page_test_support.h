// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers of the page text tests: a sheet state for a fixed place and
// instant, and comparisons of shown clock times with reference times.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <utility>

#include "pages/page_texts.h"
#include "core/sheet_state.h"

namespace orbant::test {

// One second and one minute of time, seconds.
inline constexpr double one_second = 1.0;
inline constexpr double one_minute_of_time = 60.0;

inline SheetState state_at(double latitude, double longitude, double zone, int summer, CivilDateTime now) {
    SheetState s;
    s.observer_latitude = latitude;
    s.observer_longitude = longitude;
    s.time_zone = zone;
    s.summer_time_active = summer;
    s.current_time = now;
    s.clock_stopped = 1;
    return s;
}

inline std::string text_of(const PageTexts& page, int id) {
    const std::string* t = page.find(id);
    return t ? *t : std::string("<no control ") + std::to_string(id) + ">";
}

// Expects each listed control to show exactly its text.
inline void expect_texts(const PageTexts& page, std::initializer_list<std::pair<int, const char*>> shown) {
    for (const auto& [id, text] : shown) EXPECT_EQ(text_of(page, id), text) << "control " << id;
}

// Minutes after midnight of an "HH:MM" text at the start of `text`; -1 when
// it is not one.
inline int clock_minutes(const std::string& text) {
    int h = 0, m = 0;
    char tail = 0;
    if (text.size() < 5 || std::sscanf(text.c_str(), "%2d:%2d%c", &h, &m, &tail) < 2 || text[2] != ':') return -1;
    return h * 60 + m;
}

// Seconds after midnight of "HH:MM:SS".
inline double reference_seconds(const char* hms) {
    int h = 0, m = 0, s = 0;
    std::sscanf(hms, "%d:%d:%d", &h, &m, &s);
    return h * 3600.0 + m * 60.0 + s;
}

// The shown time "HH:MM" truncates the computed time to the minute; it is
// consistent with a computed time within `tolerance` seconds of the
// reference when the shown minute overlaps [ref - tolerance, ref + tolerance].
inline ::testing::AssertionResult clock_near(const std::string& shown, const char* reference_hms,
                                             double tolerance) {
    const int minutes = clock_minutes(shown);
    if (minutes < 0) return ::testing::AssertionFailure() << "'" << shown << "' is not a clock time";
    const double ref = reference_seconds(reference_hms);
    const double start = minutes * 60.0;
    if (start <= ref + tolerance && start + 60.0 > ref - tolerance) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "'" << shown << "' is further than " << tolerance << " s from "
                                         << reference_hms;
}

// The number at the start of a text ("59.04°", "380889 Km").
inline double leading_number(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

}  // namespace orbant::test
