// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/perturbation_series.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orbant {
namespace {

constexpr double stepping_tolerance = 1e-13;

TEST(PerturbationSeries, SteppedTablesHoldCosinesAndSinesOfTheMultiples) {
    PerturbationSeries s;
    const double M = 1.234, M2 = -2.5;
    s.init(0.3, M, -3, 9, M2, -8, -1);
    for (int k = -3; k <= 9; ++k) {
        EXPECT_NEAR(s.first(k).re, std::cos(k * M), stepping_tolerance) << k;
        EXPECT_NEAR(s.first(k).im, std::sin(k * M), stepping_tolerance) << k;
    }
    for (int j = -8; j <= 1; ++j) {
        EXPECT_NEAR(s.second(j).re, std::cos(j * M2), stepping_tolerance) << j;
        EXPECT_NEAR(s.second(j).im, std::sin(j * M2), stepping_tolerance) << j;
    }
    EXPECT_EQ(s.first(0).re, 1.0);
    EXPECT_EQ(s.first(0).im, 0.0);
    EXPECT_EQ(s.dl, 0.0);
    EXPECT_EQ(s.dr, 0.0);
    EXPECT_EQ(s.db, 0.0);
}

TEST(PlanetaryPerturbationSeries, EntriesJustOutsideTheRangesExist) {
    // A range of k 1..6 and j -6..0 must still provide k = 0 and j = +1.
    PlanetaryPerturbationSeries s;
    const double M = 0.77, M2 = 2.1;
    s.init(0.0, M, 1, 6, M2, -6, -4);
    EXPECT_EQ(s.first(0).re, 1.0);
    EXPECT_EQ(s.first(0).im, 0.0);
    for (int j = -1; j <= 1; ++j) {
        EXPECT_NEAR(s.second(j).re, std::cos(j * M2), stepping_tolerance) << j;
        EXPECT_NEAR(s.second(j).im, std::sin(j * M2), stepping_tolerance) << j;
    }
    s.term(0, 1, 0, 2.0, 3.0, 0.0, 0.0, 0.0, 0.0);
    EXPECT_NEAR(s.dl, 2.0 * std::cos(M2) + 3.0 * std::sin(M2), 1e-14);
}

TEST(PlanetaryPerturbationSeries, PhaseEntersEveryEntryOfTheFirstTable) {
    PlanetaryPerturbationSeries s;
    const double M = 0.9, M2 = -1.3, phase = 2.0 * 0.4;
    s.init(0.0, M, -2, 4, M2, -6, -4, phase);
    for (int k = -2; k <= 4; ++k) {
        EXPECT_NEAR(s.first(k).re, std::cos(phase + k * M), stepping_tolerance) << k;
        EXPECT_NEAR(s.first(k).im, std::sin(phase + k * M), stepping_tolerance) << k;
    }
    // The second table carries no phase.
    EXPECT_NEAR(s.second(-5).im, std::sin(-5 * M2), stepping_tolerance);
    s.term(1, -5, 0, 0.0, 1.0, 0.0, 0.0, 0.0, 0.0);
    EXPECT_NEAR(s.dl, std::sin(phase + M - 5 * M2), stepping_tolerance);
}

TEST(PerturbationSeries, PowersOfTReuseThePreviousArgument) {
    PerturbationSeries s;
    const double T = 0.7, M3 = 4.0;
    s.init(T, M3, 0, 7, 1.0, -6, 0);
    s.term(1, 0, 0, -0.22, 6892.76, -16707.37, -0.54, 0.0, 0.0);
    const double after_first = s.dl;
    EXPECT_NEAR(after_first, -0.22 * std::cos(M3) + 6892.76 * std::sin(M3), 1e-10);
    s.term(1, 0, 1, -0.06, -17.35, 42.04, -0.15, 0.0, 0.0);
    EXPECT_NEAR(s.dl - after_first, -0.06 * T * std::cos(M3) - 17.35 * T * std::sin(M3), 1e-10);
    const double after_second = s.dl;
    s.term(1, 0, 2, -0.01, -0.05, 0.13, -0.02, 0.0, 0.0);
    EXPECT_NEAR(s.dl - after_second, (-0.01 * std::cos(M3) - 0.05 * std::sin(M3)) * T * T, 1e-12);
    EXPECT_NEAR(s.dr, (-16707.37 * std::cos(M3) - 0.54 * std::sin(M3)) +
                          T * (42.04 * std::cos(M3) - 0.15 * std::sin(M3)) +
                          T * T * (0.13 * std::cos(M3) - 0.02 * std::sin(M3)),
                1e-9);
    EXPECT_EQ(s.db, 0.0);
}

}  // namespace
}  // namespace orbant
