// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "astro/events/lunation_search.h"

namespace orbant {
namespace {

TEST(FindRoot, WithoutABracketReturnsTheFirstEndUnconverged) {
    int calls = 0;
    const auto f = [&calls](double x) {
        ++calls;
        return x * x + 1.0;
    };
    const RootResult r = find_root(f, 2.0, 5.0, 1e-9);
    EXPECT_EQ(r.root, 2.0);
    EXPECT_FALSE(r.converged);
    EXPECT_EQ(calls, 2) << "only the two ends are evaluated";

    // A zero at one end is not a bracket either (the product is not < 0).
    const RootResult z = find_root([](double x) { return x - 1.0; }, 1.0, 3.0, 1e-9);
    EXPECT_EQ(z.root, 1.0);
    EXPECT_FALSE(z.converged);
}

TEST(FindRoot, ConvergesOnSmoothFunctionsFromEitherEnd) {
    const auto cubic = [](double x) { return x * x * x - 2.0 * x - 5.0; };  // root 2.0945514815423265
    const double expected = 2.0945514815423265;
    const RootResult a = find_root(cubic, 2.0, 3.0, 1e-12);
    const RootResult b = find_root(cubic, 3.0, 2.0, 1e-12);
    EXPECT_TRUE(a.converged);
    EXPECT_TRUE(b.converged);
    EXPECT_NEAR(a.root, expected, 1e-11);
    EXPECT_NEAR(b.root, expected, 1e-11);

    const RootResult c = find_root([](double x) { return std::cos(x) - x; }, 0.0, 1.0, 1e-13);
    EXPECT_TRUE(c.converged);
    EXPECT_NEAR(c.root, 0.7390851332151607, 1e-12);
}

TEST(FindRoot, ScalesTheFarEndSoAOneSidedApproachStillConverges) {
    // Plain regula falsi keeps the end x = 0 for ever on this convex function
    // and needs hundreds of steps; with the far end scaled it needs few.
    int calls = 0;
    const auto f = [&calls](double x) {
        ++calls;
        return std::exp(10.0 * x) - 2.0;
    };
    const RootResult r = find_root(f, 0.0, 1.0, 1e-12);
    EXPECT_TRUE(r.converged);
    EXPECT_NEAR(r.root, std::log(2.0) / 10.0, 1e-11);
    EXPECT_LE(calls, 2 + 20);
}

TEST(FindRoot, StopsAfterThirtyIterationsAndReturnsTheLastResult) {
    // A step has no zero the secants can close in on quickly: the interval
    // shrinks about like a bisection and cannot reach 1e-15 in 30 steps.
    int calls = 0;
    const auto step = [&calls](double x) {
        ++calls;
        return x < 0.3 ? -1.0 : 1.0;
    };
    const RootResult r = find_root(step, 0.0, 1.0, 1e-15);
    EXPECT_FALSE(r.converged);
    EXPECT_EQ(calls, 2 + root_iteration_limit);
    EXPECT_NEAR(r.root, 0.3, 1e-3) << "the unconverged result is still the best estimate";
}

TEST(FindRoot, ReturnsTheEndWithTheSmallerValueAsItsResult) {
    // Linear: the first secant lands on the root; its value is 0, so the
    // result is x3 and the second estimate meets the tolerance at once.
    const RootResult r = find_root([](double x) { return 2.0 * x - 1.0; }, 0.0, 4.0, 1e-9);
    EXPECT_TRUE(r.converged);
    EXPECT_DOUBLE_EQ(r.root, 0.5);
}

TEST(FindRoot, ScaledFarEndGivesTheWorkedSecants) {
    // x*x - 2 on [1, 2], by hand: the first secant gives 4/3 (f = -2/9, the
    // other side of the root from 2, so 2 stays the far end unscaled); the
    // second 1.4 (f = -0.04, the same side as 4/3, so the far end 2 keeps
    // its place with its value scaled to 2*(2/9)/(2/9 + 0.04) = 100/59); the
    // third therefore 1.4 + 0.6*0.04/(0.04 + 100/59). Plain regula falsi
    // would give 1.4 + 0.024/2.04 there, halving the far value 1.4 + 0.024/1.04.
    std::vector<double> at;
    const auto f = [&at](double x) {
        at.push_back(x);
        return x * x - 2.0;
    };
    const RootResult r = find_root(f, 1.0, 2.0, 1e-14);
    ASSERT_GE(at.size(), 5u);
    EXPECT_EQ(at[0], 1.0);
    EXPECT_EQ(at[1], 2.0);
    EXPECT_NEAR(at[2], 4.0 / 3.0, 1e-15);
    EXPECT_NEAR(at[3], 1.4, 1e-15);
    EXPECT_NEAR(at[4], 1.4 + 0.6 * 0.04 / (0.04 + 100.0 / 59.0), 1e-14);
    EXPECT_TRUE(r.converged);
    EXPECT_NEAR(r.root, std::sqrt(2.0), 1e-14);
}

TEST(FindRoot, FarEndIsTheResultWhenItsValueIsSmaller) {
    // f(0) = -1, f(1) = 0.1: the secant lands at 1/1.1 where f is about
    // -0.84, across the root from 1. The far end 1 keeps f = 0.1, smaller
    // than |f3|, so it is the result; the two lie 0.09 apart, within the
    // tolerance 0.1, so the first iteration converges.
    int calls = 0;
    const auto f = [&calls](double x) {
        ++calls;
        return 1.1 * std::pow(x, 20) - 1.0;
    };
    const RootResult r = find_root(f, 0.0, 1.0, 0.1);
    EXPECT_TRUE(r.converged);
    EXPECT_EQ(r.root, 1.0);
    EXPECT_EQ(calls, 3);
}

}  // namespace
}  // namespace orbant
