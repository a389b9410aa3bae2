// SPDX-License-Identifier: GPL-3.0-or-later
// Spot checks of the carried coefficient tables: the largest terms of each
// theory, which fix the result to arcminutes, must be present with their
// published values, in the right set and with the right multiples.
#include <gtest/gtest.h>

#include <string>

#include "astro/tables/jupiter_terms.h"
#include "astro/tables/mars_terms.h"
#include "astro/tables/mercury_terms.h"
#include "astro/tables/moon_terms.h"
#include "astro/tables/neptune_terms.h"
#include "astro/tables/pluto_terms.h"
#include "astro/tables/saturn_terms.h"
#include "astro/tables/sun_terms.h"
#include "astro/tables/uranus_terms.h"
#include "astro/tables/venus_terms.h"

namespace orbant {
namespace {

template <std::size_t N>
int count_term(const std::array<SeriesTerm, N>& table, const SeriesTerm& t) {
    int found = 0;
    for (const SeriesTerm& x : table) {
        found += x.k == t.k && x.j == t.j && x.p == t.p && x.dlc == t.dlc && x.dls == t.dls && x.drc == t.drc &&
                 x.drs == t.drs && x.dbc == t.dbc && x.dbs == t.dbs;
    }
    return found;
}

TEST(SeriesTables, LargestPlanetaryTermsSitInTheirSets) {
    EXPECT_EQ(count_term(tables::mercury_1_venus_terms, {1, 0, 0, 259.74, 84547.39, -78342.34, 0.01, 11683.22, 21203.79}), 1);
    EXPECT_EQ(count_term(tables::mercury_1_venus_terms, {2, 0, 0, -549.71, 10394.44, -7955.45, 0, 2390.29, 4306.79}), 1);
    EXPECT_EQ(count_term(tables::venus_2_earth_terms, {1, 0, 0, 2.37, 2793.23, -4899.07, 0.11, 9995.27, 7027.22}), 1);
    EXPECT_EQ(count_term(tables::venus_2_earth_terms, {1, 0, 1, 0.1, -19.65, 34.4, 0.22, 64.95, -86.1}), 1);
    EXPECT_EQ(count_term(tables::mars_2_earth_terms, {1, 0, 0, -5.32, 38481.97, -141856.04, 0.4, -6321.67, 1876.89}), 1);
    EXPECT_EQ(count_term(tables::mars_3_jupiter_terms, {1, -2, 0, -21.64, 3.18, -7.77, -54.64, -0.31, 0.5}), 1);
    EXPECT_EQ(count_term(tables::jupiter_1_saturn_terms, {1, 0, 0, -113.1, 19998.6, -25208.2, -142.2, -4670.7, 288.9}), 1);
    EXPECT_EQ(count_term(tables::jupiter_1_saturn_terms, {2, -5, 0, 1066.2, -518.3, -1.3, -23.9, 1.8, -0.3}), 1);
    EXPECT_EQ(count_term(tables::saturn_1_jupiter_terms, {1, 0, 0, -348.3, 22907.7, -52915.5, -752.2, -3266.5, 8314.4}), 1);
    EXPECT_EQ(count_term(tables::saturn_1_jupiter_terms, {5, -2, 0, -2627.6, -1277.3, 117.4, -344.1, -13.8, -4.3}), 1);
    EXPECT_EQ(count_term(tables::uranus_3_neptune_terms, {1, 0, 0, -78.1, 19518.1, -90718.2, -334.7, 2759.5, -311.9}), 1);
    EXPECT_EQ(count_term(tables::neptune_3_uranus_terms, {1, 0, 0, 32.3, 3549.5, -25880.2, 235.8, -6360.5, 374.0}), 1);
    EXPECT_EQ(count_term(tables::pluto_1_jupiter_terms, {1, 0, 0, 0.06, 100924.08, -960396.0, 15965.1, 51987.68, -24288.76}), 1);
    EXPECT_EQ(count_term(tables::sun_venus_terms, {1, 0, 0, -0.22, 6892.76, -16707.37, -0.54, 0, 0}), 1);
}

TEST(SeriesTables, SetSizesAndRanges) {
    EXPECT_EQ(tables::mars_1_venus_terms.size() + tables::mars_2_earth_terms.size() +
                  tables::mars_3_jupiter_terms.size() + tables::mars_4_saturn_terms.size(),
              106u);
    EXPECT_EQ(tables::sun_venus_terms.size() + tables::sun_mars_terms.size() + tables::sun_jupiter_terms.size() +
                  tables::sun_saturn_terms.size(),
              52u);
    EXPECT_EQ(tables::uranus_4_saturn_range.k_min, -2);
    EXPECT_EQ(tables::uranus_4_saturn_range.j_max, -4);
}

TEST(SeriesTables, LargestLunarTermsInSummationOrder) {
    const auto& m = tables::moon_main_terms;
    ASSERT_EQ(m.size(), 104u);
    // (0,0,0,4) opens and (3,0,2,0) closes the series.
    EXPECT_EQ(m.front().s, 4);
    EXPECT_EQ(m.back().p * 1000 + m.back().q * 100 + m.back().r * 10 + m.back().s, 3020);
    const MoonTerm& main = m[7];  // (1,0,0,0)
    EXPECT_EQ(main.p, 1);
    EXPECT_EQ(main.s, 0);
    EXPECT_EQ(main.c_lambda, 22639.5);
    EXPECT_EQ(main.c_s, 22609.07);
    EXPECT_EQ(main.c_gamma, 0.079);
    EXPECT_EQ(main.c_p, 186.5398);
    const MoonTerm& evection = m[9];  // (1,0,0,-2)
    EXPECT_EQ(evection.s, -2);
    EXPECT_EQ(evection.c_lambda, -4586.465);
    EXPECT_EQ(evection.c_p, 34.3117);
    const MoonTerm& variation = m[2];  // (0,0,0,2)
    EXPECT_EQ(variation.c_lambda, 2369.912);
    EXPECT_EQ(variation.c_gamma, 0.601);
}

}  // namespace
}  // namespace orbant
