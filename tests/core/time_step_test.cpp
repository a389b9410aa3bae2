// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <vector>

#include "core/time_step.h"
#include "platform/clock.h"
#include "tests/support/scoped_environment.h"

using namespace orbant;

namespace {

struct HourWalk {
    const char* name;
    CivilDateTime start;
    std::int64_t delta;
    std::vector<CivilDateTime> shown;  // the displayed time after each step
};

}  // namespace

// Hour steps across both changes of 2026 in Berlin, forward and back: every
// step moves the instant by exactly one hour, through both 02:30s of the
// repeated hour and over the skipped one.
TEST(TimeStep, HourStepsCrossTheChangesOfSummerTime) {
    ::orbant::testing::ScopedZone zone("Europe/Berlin");
    const std::vector<HourWalk> walks = {
        {"autumn forward", {2026, 10, 25, 1, 30, 0}, hour_step_seconds,
         {{2026, 10, 25, 2, 30, 0}, {2026, 10, 25, 2, 30, 0}, {2026, 10, 25, 3, 30, 0}}},
        {"autumn back", {2026, 10, 25, 3, 30, 0}, -hour_step_seconds,
         {{2026, 10, 25, 2, 30, 0}, {2026, 10, 25, 2, 30, 0}, {2026, 10, 25, 1, 30, 0}}},
        {"spring forward", {2026, 3, 29, 0, 30, 0}, hour_step_seconds,
         {{2026, 3, 29, 1, 30, 0}, {2026, 3, 29, 3, 30, 0}, {2026, 3, 29, 4, 30, 0}}},
        {"spring back", {2026, 3, 29, 4, 30, 0}, -hour_step_seconds,
         {{2026, 3, 29, 3, 30, 0}, {2026, 3, 29, 1, 30, 0}, {2026, 3, 29, 0, 30, 0}}},
    };
    for (const HourWalk& walk : walks) {
        SCOPED_TRACE(walk.name);
        std::int64_t expected = 0;
        ASSERT_TRUE(seconds_from_local_time(walk.start, expected));
        CivilDateTime now = walk.start;
        SteppedInstant last;
        for (const CivilDateTime& want : walk.shown) {
            ASSERT_EQ(step_local_time(now, walk.delta, now, last), TimeStepStatus::stepped);
            expected += walk.delta;
            EXPECT_EQ(now, want);
            EXPECT_EQ(last.seconds, expected);
        }
    }
}

// A time typed in (not the one the last step arrived at) is converted by the
// rules again; a refused step leaves both the time and the memory alone.
TEST(TimeStep, MemoryOnlyFollowsTheStepsOwnResult) {
    ::orbant::testing::ScopedZone zone("Europe/Berlin");
    CivilDateTime now{2026, 10, 25, 2, 30, 0};
    SteppedInstant last{{2026, 10, 25, 2, 30, 0}, 0, true};  // stands for 1970-01-01 01:00 CET
    ASSERT_EQ(step_local_time(now, hour_step_seconds, now, last), TimeStepStatus::stepped);
    EXPECT_EQ(now, (CivilDateTime{1970, 1, 1, 2, 0, 0}));

    now = {2026, 1, 10, 12, 0, 0};
    ASSERT_EQ(step_local_time(now, day_step_seconds, now, last), TimeStepStatus::stepped);
    EXPECT_EQ(now, (CivilDateTime{2026, 1, 11, 12, 0, 0}));

    const SteppedInstant before = last;
    CivilDateTime far{2040, 1, 1, 0, 0, 0};
    EXPECT_EQ(step_local_time(far, hour_step_seconds, far, last), TimeStepStatus::year_out_of_range);
    EXPECT_EQ(far, (CivilDateTime{2040, 1, 1, 0, 0, 0}));
    EXPECT_EQ(last.seconds, before.seconds);
}
