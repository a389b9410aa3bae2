// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/events/eclipse.h"

#include <gtest/gtest.h>

#include <string>

namespace orbant {
namespace {

struct SolarCase {
    const char* name;
    double beta;  // rad
    int code;
    const char* text;  // "" for no row
};

class SolarEclipseClass : public ::testing::TestWithParam<SolarCase> {};

TEST_P(SolarEclipseClass, CodeAndTextAtTheLimits) {
    const SolarCase& c = GetParam();
    EXPECT_EQ(solar_eclipse_class(c.beta), c.code);
    EXPECT_EQ(std::string(solar_eclipse_text(solar_eclipse_class(c.beta))), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, SolarEclipseClass,
    ::testing::Values(
        SolarCase{"south_central_certain", -0.01, -11, "Zentrale Sonnenfinsternis sicher (S\u00fcdhalbkugel)"},
        SolarCase{"north_partial_possible", 0.026, 14, "Partielle Sonnenfinsternis moeglich (Nordhalbkugel)"},
        SolarCase{"beyond_limit_north", 0.0276, 10, ""},
        SolarCase{"beyond_limit_south", -0.0276, 10, ""},
        SolarCase{"zero_counts_as_north", 0.0, 11, "Zentrale Sonnenfinsternis sicher (Nordhalbkugel)"},
        SolarCase{"at_outer_limit_still_eclipse", 0.027586, 14,
                  "Partielle Sonnenfinsternis moeglich (Nordhalbkugel)"},
        SolarCase{"at_central_certain_limit", 0.015223, 12, "Zentrale Sonnenfinsternis moeglich (Nordhalbkugel)"},
        SolarCase{"below_central_certain_limit", -0.015222, -11,
                  "Zentrale Sonnenfinsternis sicher (S\u00fcdhalbkugel)"},
        SolarCase{"at_central_possible_limit", -0.018209, -13,
                  "Partielle Sonnenfinsternis sicher (S\u00fcdhalbkugel)"},
        SolarCase{"below_central_possible_limit", 0.018208, 12,
                  "Zentrale Sonnenfinsternis moeglich (Nordhalbkugel)"},
        SolarCase{"at_partial_certain_limit", 0.024594, 14, "Partielle Sonnenfinsternis moeglich (Nordhalbkugel)"},
        SolarCase{"below_partial_certain_limit", -0.024593, -13,
                  "Partielle Sonnenfinsternis sicher (S\u00fcdhalbkugel)"}),
    [](const ::testing::TestParamInfo<SolarCase>& case_info) { return std::string(case_info.param.name); });

struct LunarCase {
    const char* name;
    double beta;  // rad
    int code;
    const char* text;
};

class LunarEclipseClass : public ::testing::TestWithParam<LunarCase> {};

TEST_P(LunarEclipseClass, CodeAndTextAtTheLimits) {
    const LunarCase& c = GetParam();
    EXPECT_EQ(lunar_eclipse_class(c.beta), c.code);
    EXPECT_EQ(lunar_eclipse_class(-c.beta), c.code) << "the sign must not matter";
    EXPECT_EQ(std::string(lunar_eclipse_text(lunar_eclipse_class(c.beta))), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, LunarEclipseClass,
    ::testing::Values(LunarCase{"penumbral_certain", 0.02, 5, "Halbschatten Mondfinsternis sicher"},
                      LunarCase{"penumbral_possible", 0.027, 6, "Halbschatten Mondfinsternis moeglich"},
                      LunarCase{"exactly_at_outer_limit", 0.028134, 6, "Halbschatten Mondfinsternis moeglich"},
                      LunarCase{"just_beyond_outer_limit", 0.0281341, 0, ""},
                      LunarCase{"central", 0.0, 1, "Totale Mondfinsternis sicher"},
                      LunarCase{"at_total_certain_limit", 0.006351, 2, "Totale Mondfinsternis moeglich"},
                      LunarCase{"at_total_possible_limit", 0.009376, 3, "Partielle Mondfinsternis sicher"},
                      LunarCase{"at_partial_certain_limit", 0.015533, 4, "Partielle Mondfinsternis moeglich"},
                      LunarCase{"at_partial_possible_limit", 0.018568, 5, "Halbschatten Mondfinsternis sicher"},
                      LunarCase{"at_penumbral_certain_limit", 0.025089, 6,
                                "Halbschatten Mondfinsternis moeglich"},
                      LunarCase{"below_total_certain_limit", 0.00635, 1, "Totale Mondfinsternis sicher"}),
    [](const ::testing::TestParamInfo<LunarCase>& case_info) { return std::string(case_info.param.name); });

TEST(EclipseText, CodesWithoutAnEclipseHaveNoText) {
    for (int code : {10, -10, 0, 15, -15, 9}) EXPECT_TRUE(solar_eclipse_text(code).empty()) << code;
    for (int code : {0, 7, -1}) EXPECT_TRUE(lunar_eclipse_text(code).empty()) << code;
}

}  // namespace
}  // namespace orbant
