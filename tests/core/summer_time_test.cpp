// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "core/sheet_state.h"
#include "core/summer_time.h"
#include "tests/support/scoped_environment.h"

using namespace orbant;

namespace {

// 02:30 on 2026-10-25 in Berlin, the hour the end of summer time repeats:
// first at 00:30 UT (CEST), then at 01:30 UT (CET).
constexpr CivilDateTime repeated{2026, 10, 25, 2, 30, 0};
constexpr std::int64_t repeated_first = 1792888200;
constexpr std::int64_t repeated_second = 1792891800;

}  // namespace

// The decision for the displayed instant by Berlin's rules, in both halves
// of the year, on the changes, and where the rules cannot tell.
TEST(SummerTime, FollowsTheRulesAtTheDisplayedInstant) {
    ::orbant::testing::ScopedZone zone("Europe/Berlin");
    struct Case {
        const char* name;
        int auto_summer_time;
        CivilDateTime shown;
        SteppedInstant reached;
        int expected;
    };
    const Case cases[] = {
        {"summer", 1, {2026, 7, 1, 12, 0, 0}, {}, 1},
        {"winter", 1, {2026, 12, 8, 21, 30, 0}, {}, 0},
        {"summer without the automatic rule", 0, {2026, 7, 1, 12, 0, 0}, {}, 0},
        {"last minute of winter time", 1, {2026, 3, 29, 1, 59, 0}, {}, 0},
        {"first hour of summer time", 1, {2026, 3, 29, 3, 0, 0}, {}, 1},
        {"after the end of summer time", 1, {2026, 10, 25, 3, 0, 0}, {}, 0},
        {"repeated hour, first reached", 1, repeated, {repeated, repeated_first, true}, 1},
        {"repeated hour, second reached", 1, repeated, {repeated, repeated_second, true}, 0},
        {"another time than the one reached", 1, {2026, 12, 8, 21, 30, 0}, {repeated, repeated_first, true}, 0},
        {"before the rules' years", 1, {1850, 7, 1, 12, 0, 0}, {}, 0},
        {"month out of range", 1, {2026, 13, 1, 12, 0, 0}, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(summer_time_at(c.auto_summer_time, c.shown, c.reached), c.expected);
        SheetState s;
        s.auto_summer_time = c.auto_summer_time;
        s.current_time = c.shown;
        s.last_step = c.reached;
        s.summer_time_active = 1 - c.expected;
        decide_summer_time(s);
        EXPECT_EQ(s.summer_time_active, c.expected);
    }
}

// A clock reading in the repeated hour is the instant whose daylight state
// the device reports; elsewhere the report cannot move the instant.
TEST(SummerTime, DeviceReadingTakesTheReportedHalfOfTheRepeatedHour) {
    ::orbant::testing::ScopedZone zone("Europe/Berlin");
    struct Case {
        CivilDateTime shown;
        bool daylight;
        std::int64_t seconds;
    };
    const Case cases[] = {
        {repeated, true, repeated_first},
        {repeated, false, repeated_second},
        {{2026, 7, 1, 12, 0, 0}, false, 1782900000},  // 10:00 UT
    };
    for (const Case& c : cases) {
        const SteppedInstant r = device_reading_instant(c.shown, c.daylight);
        EXPECT_TRUE(r.known);
        EXPECT_EQ(r.shown, c.shown);
        EXPECT_EQ(r.seconds, c.seconds) << c.daylight;
    }
    EXPECT_FALSE(device_reading_instant({1850, 1, 1, 0, 0, 0}, false).known);
}

// The start-up shared with the text front end decides for the instant it
// starts at, not for the device's season.
TEST(SummerTime, StartUpDecidesForTheStartInstant) {
    ::orbant::testing::ScopedZone zone("Europe/Berlin");
    SettingsRecord stored = default_settings();
    for (const int auto_on : {1, 0}) {
        stored.auto_summer_time = auto_on;
        SheetState s;
        start_up_sheet_state(s, stored, {2026, 7, 1, 12, 0, 0}, {});
        EXPECT_EQ(s.summer_time_active, auto_on);
        start_up_sheet_state(s, stored, repeated, device_reading_instant(repeated, true));
        EXPECT_EQ(s.summer_time_active, auto_on);
        EXPECT_EQ(s.last_step.seconds, repeated_first);
        start_up_sheet_state(s, stored, {2026, 12, 8, 21, 30, 0}, {});
        EXPECT_EQ(s.summer_time_active, 0);
    }
}
