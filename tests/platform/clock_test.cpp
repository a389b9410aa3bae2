// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "platform/clock.h"
#include "platform/config_dir.h"
#include "tests/support/scoped_environment.h"

using namespace orbant;

namespace {

using ::orbant::testing::ScopedEnv;
using ::orbant::testing::ScopedZone;

}  // namespace

TEST(LocalTime, UtcSecondsOfKnownInstants) {
    ScopedZone zone("UTC");
    std::int64_t s = -1;
    ASSERT_TRUE(seconds_from_local_time({1970, 1, 1, 0, 0, 0}, s));
    EXPECT_EQ(s, 0);
    ASSERT_TRUE(seconds_from_local_time({2000, 1, 1, 12, 0, 0}, s));
    EXPECT_EQ(s, 946728000);
    // One second before the epoch is a valid time, not an error.
    ASSERT_TRUE(seconds_from_local_time({1969, 12, 31, 23, 59, 59}, s));
    EXPECT_EQ(s, -1);
    // Beyond the 32-bit limit of 2038-01-19.
    ASSERT_TRUE(seconds_from_local_time({2039, 1, 1, 0, 0, 0}, s));
    EXPECT_EQ(s, 2177452800);
    CivilDateTime t;
    ASSERT_TRUE(local_time_from_seconds(2177452800, t));
    EXPECT_EQ(t, (CivilDateTime{2039, 1, 1, 0, 0, 0}));
}

TEST(LocalTime, BerlinRulesDecideDaylightTime) {
    ScopedZone zone("Europe/Berlin");
    std::int64_t winter = 0, summer = 0;
    ASSERT_TRUE(seconds_from_local_time({2026, 1, 15, 12, 0, 0}, winter));
    ASSERT_TRUE(seconds_from_local_time({2026, 7, 15, 12, 0, 0}, summer));
    EXPECT_EQ(winter, 1768474800);  // 11:00 UT
    EXPECT_EQ(summer, 1784109600);  // 10:00 UT
    EXPECT_FALSE(daylight_time_at(winter));
    EXPECT_TRUE(daylight_time_at(summer));

    // A day's worth of seconds across the change on 2026-03-29 moves the
    // clock time by one hour.
    std::int64_t s = 0;
    ASSERT_TRUE(seconds_from_local_time({2026, 3, 28, 12, 0, 0}, s));
    CivilDateTime t;
    ASSERT_TRUE(local_time_from_seconds(s + 86400, t));
    EXPECT_EQ(t, (CivilDateTime{2026, 3, 29, 13, 0, 0}));
    ASSERT_TRUE(seconds_from_local_time({2026, 10, 24, 12, 0, 0}, s));
    ASSERT_TRUE(local_time_from_seconds(s + 86400, t));
    EXPECT_EQ(t, (CivilDateTime{2026, 10, 25, 11, 0, 0}));
}

TEST(LocalTime, RoundTripsEveryHourOfAYearInBerlin) {
    ScopedZone zone("Europe/Berlin");
    std::int64_t start = 0;
    ASSERT_TRUE(seconds_from_local_time({2024, 1, 1, 0, 0, 0}, start));
    for (std::int64_t s = start; s < start + 366 * 86400; s += 3600) {
        CivilDateTime t;
        ASSERT_TRUE(local_time_from_seconds(s, t));
        std::int64_t back = 0;
        ASSERT_TRUE(seconds_from_local_time(t, back));
        // The repeated hour of the autumn change is ambiguous; the rules may
        // give either of the two instants.
        if (back != s) {
            EXPECT_EQ(std::llabs(back - s), 3600) << t.year << "-" << t.month << "-" << t.day;
        }
    }
}

TEST(LocalTime, FieldsOutsideTheirRangesAreRefused) {
    ScopedZone zone("UTC");
    const CivilDateTime bad[] = {
        {1899, 12, 31, 0, 0, 0}, {2000, 0, 1, 0, 0, 0},  {2000, 13, 1, 0, 0, 0}, {2000, 1, 0, 0, 0, 0},
        {2000, 1, 32, 0, 0, 0},  {2000, 1, 1, -1, 0, 0}, {2000, 1, 1, 24, 0, 0}, {2000, 1, 1, 0, 60, 0},
        {2000, 1, 1, 0, -1, 0},  {2000, 1, 1, 0, 0, 60},
    };
    for (const auto& t : bad) {
        std::int64_t s = 12345;
        EXPECT_FALSE(seconds_from_local_time(t, s)) << t.year << "-" << t.month << "-" << t.day << " " << t.hour;
        EXPECT_EQ(s, 12345);
    }
    // 1900 itself is allowed, and 31 April rolls into May as the rules do.
    std::int64_t s = 0;
    EXPECT_TRUE(seconds_from_local_time({1900, 1, 1, 0, 0, 0}, s));
    ASSERT_TRUE(seconds_from_local_time({2021, 4, 31, 0, 0, 0}, s));
    CivilDateTime t;
    ASSERT_TRUE(local_time_from_seconds(s, t));
    EXPECT_EQ(t, (CivilDateTime{2021, 5, 1, 0, 0, 0}));
}

TEST(LocalTime, FailedSplitMarksEveryField) {
    CivilDateTime t{2000, 1, 1, 1, 1, 1};
    EXPECT_FALSE(local_time_from_seconds(INT64_MAX, t));
    EXPECT_EQ(t, (CivilDateTime{0, 0, -1, -1, -1, -1}));
}

TEST(ClockText, ParsesTheOptionForm) {
    CivilDateTime t;
    ASSERT_TRUE(parse_clock_text("2026-03-29 01:59:30", t));
    EXPECT_EQ(t, (CivilDateTime{2026, 3, 29, 1, 59, 30}));
    ASSERT_TRUE(parse_clock_text("2024-02-29 23:00", t));
    EXPECT_EQ(t, (CivilDateTime{2024, 2, 29, 23, 0, 0}));
    for (const char* bad : {"2023-02-29 00:00", "2026-13-01 00:00", "2026-01-01 24:00", "2026-01-01 10:60",
                            "2026-1-01 10:00", "2026-01-01T10:00", "2026-01-01 10:00:0x", "", "tomorrow",
                            "2026-01-01 10:00:61", "+026-01-01 10:00"}) {
        CivilDateTime u{1, 2, 3, 4, 5, 6};
        EXPECT_FALSE(parse_clock_text(bad, u)) << bad;
        EXPECT_EQ(u, (CivilDateTime{1, 2, 3, 4, 5, 6}));
    }
}

TEST(HostClock, StartsAtTheGivenTimeAndRuns) {
    ScopedZone zone("Europe/Berlin");
    HostClock clock(CivilDateTime{2026, 7, 1, 12, 0, 0});
    const CivilDateTime now = clock.local_now();
    EXPECT_EQ(now.year, 2026);
    EXPECT_EQ(now.month, 7);
    EXPECT_EQ(now.day, 1);
    EXPECT_EQ(now.hour, 12);
    EXPECT_LE(now.minute, 1);
    EXPECT_TRUE(clock.daylight_time_now());
    HostClock winter(CivilDateTime{2026, 12, 1, 12, 0, 0});
    EXPECT_FALSE(winter.daylight_time_now());
}

TEST(HostClock, PlainClockFollowsTheSystemTime) {
    ScopedZone zone("UTC");
    HostClock clock;
    const std::time_t before = std::time(nullptr);
    std::int64_t s = 0;
    ASSERT_TRUE(seconds_from_local_time(clock.local_now(), s));
    EXPECT_LE(std::llabs(s - static_cast<std::int64_t>(before)), 2);
    EXPECT_EQ(clock.offset_seconds(), 0);
}

TEST(SettingsFolder, FollowsTheOrderOfItsSources) {
    ScopedEnv a("ORBANT_CONFIG_DIR", "/tmp/o-env");
    ScopedEnv b("XDG_CONFIG_HOME", "/tmp/xdg");
    ScopedEnv c("HOME", "/tmp/home");
    EXPECT_EQ(settings_folder(std::string("/given")), "/given");
    EXPECT_EQ(settings_folder(std::nullopt), "/tmp/o-env");
    {
        ScopedEnv off("ORBANT_CONFIG_DIR", "");
        EXPECT_EQ(settings_folder(std::nullopt), "/tmp/xdg/orbant");
        ScopedEnv off2("XDG_CONFIG_HOME", nullptr);
        EXPECT_EQ(settings_folder(std::nullopt), "/tmp/home/.config/orbant");
    }
    EXPECT_EQ(path_in_folder("/a/", "Setup.dat"), "/a/Setup.dat");
    EXPECT_EQ(path_in_folder("/a", "Setup.dat"), "/a/Setup.dat");
}
