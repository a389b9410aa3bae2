// The rewritten theories, phase search and rise/set routines against their
// reference copies: every double must come out bit for bit the same.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "astro/constants.h"
#include "astro/events/lunation_search.h"
#include "astro/moon.h"
#include "astro/planets.h"
#include "astro/services/rise_set.h"
#include "astro/sun.h"
#include "astro/time_scales.h"
#include "tests/reference_copies/old_engine.h"

namespace orbant {
namespace {

namespace old = reference_copy;

// Counts the compared values and keeps the first difference.
struct BitComparison {
    long compared = 0;
    long different = 0;
    std::string first;

    void check(double now, double before, const std::string& what) {
        ++compared;
        if (std::bit_cast<std::uint64_t>(now) != std::bit_cast<std::uint64_t>(before)) {
            if (different++ == 0) {
                char text[160];
                std::snprintf(text, sizeof text, ": %.17g, reference copy %.17g", now, before);
                first = what + text;
            }
        }
    }
    void check(const Vector3& now, const Vector3& before, const std::string& what) {
        check(now.x, before.x, what + " x");
        check(now.y, before.y, what + " y");
        check(now.z, before.z, what + " z");
        for (int i = 0; i < 3; ++i) check(now.polar(i), before.polar(i), what + " polar " + std::to_string(i));
    }
};

#define EXPECT_ALL_BITS_EQUAL(c)                  \
    do {                                          \
        EXPECT_GT((c).compared, 0);               \
        EXPECT_EQ((c).different, 0) << (c).first; \
    } while (0)

// 1900..2100 in an irregular walk, with a few instants beyond it.
std::vector<double> instants() {
    std::vector<double> t;
    for (int i = 0; i < 4000; ++i) t.push_back(-1.0 + 2.0 * ((i * 2671) % 4000) / 4000.0 + 3.7e-6 * (i % 17));
    for (double x : {-40.0, -3.5, -0.0, 0.0, 1e-12, 2.75, 25.0}) t.push_back(x);
    return t;
}

TEST(ReferenceCopyIdentity, TheoriesAndPhaseOffsets) {
    BitComparison c;
    for (double T : instants()) {
        const std::string at = "T " + std::to_string(T);
        c.check(sun_position(T), old::sun_position(T), at + " Sun");
        c.check(moon_position(T), old::moon_position(T), at + " Moon");
        for (int body = 0; body <= 10; ++body) {
            c.check(planet_position(body, T), old::planet_position(body, T), at + " body " + std::to_string(body));
        }
        for (int k = 0; k < 4; ++k)
            c.check(phase_offset(k, T), old::phase_offset(k, T), at + " phase " + std::to_string(k));
    }
    EXPECT_ALL_BITS_EQUAL(c);
}

// The lists walk from lunation to lunation; 1899..2101 crosses both ends of
// the Delta T table.
TEST(ReferenceCopyIdentity, PhaseAndEclipseListsOfTwoCenturies) {
    std::vector<EventHit> phases, eclipses;
    ASSERT_TRUE(fill_phase_list(1899, 2101, 1.0, [&](const EventHit& h) { phases.push_back(h); }, [](int, int) {}));
    ASSERT_TRUE(fill_eclipse_list(1899, 2101, 1.0, [&](const EventHit& h) { eclipses.push_back(h); }, [](int, int) {}));

    BitComparison c;
    std::size_t p = 0, e = 0;
    double T = (mjd_from_date(1898, 12, 1, 0, 0, 0.0) - mjd_j2000) / days_per_century;
    const std::size_t lunations = phases.size() / 4;
    for (std::size_t i = 0; i < lunations; ++i) {
        Lunation l;
        old::lunation_search(T, l);
        const std::string at = "lunation " + std::to_string(i);
        for (double mjd : {l.new_moon, l.first_quarter, l.full_moon, l.last_quarter}) {
            c.check(phases[p++].ut_mjd, mjd, at);
        }
        if (l.solar_class > 10 || l.solar_class < -10) {
            ASSERT_LT(e, eclipses.size());
            c.check(eclipses[e].ut_mjd, l.new_moon, at + " solar eclipse");
            EXPECT_EQ(eclipses[e++].eclipse_class, l.solar_class) << at;
        }
        if (l.lunar_class > 0) {
            ASSERT_LT(e, eclipses.size());
            c.check(eclipses[e].ut_mjd, l.full_moon, at + " lunar eclipse");
            EXPECT_EQ(eclipses[e++].eclipse_class, l.lunar_class) << at;
        }
    }
    EXPECT_EQ(e, eclipses.size());
    EXPECT_GT(lunations, 2490u);
    EXPECT_ALL_BITS_EQUAL(c);

    // A single search from an arbitrary instant, with its T out.
    BitComparison single;
    for (double start : {-0.73, -0.0012, 0.2388, 0.99}) {
        double T_now = start, T_before = start;
        Lunation now, before;
        single.check(lunation_search(T_now, now), old::lunation_search(T_before, before), "value");
        single.check(T_now, T_before, "T");
        single.check(now.new_moon, before.new_moon, "new Moon");
        single.check(now.full_moon, before.full_moon, "full Moon");
        EXPECT_EQ(now.solar_class, before.solar_class);
        EXPECT_EQ(now.lunar_class, before.lunar_class);
    }
    EXPECT_ALL_BITS_EQUAL(single);
}

struct Place {
    double longitude_deg, latitude_deg, zone_hours;
};

TEST(ReferenceCopyIdentity, PlanetRiseTransitAndSet) {
    BitComparison c;
    int status_differences = 0;
    for (const Place& place : {Place{10.0, 53.5, 1.0}, Place{-70.6, -33.4, -4.0}, Place{15.0, 80.0, 1.0},
                               Place{139.7, 35.7, 9.0}, Place{0.0, -66.0, 0.0}}) {
        for (int day = 0; day < 400; day += 3) {
            const CivilDateTime instant{1987 + day % 60, 1, 1 + day, 12, 0, 0};
            for (int body : {0, 1, 2, 4, 5, 6, 7, 8, 9}) {
                for (int event : {planet_event_rise, planet_event_transit, planet_event_set}) {
                    double t_now = 0.0, t_before = 0.0;
                    int s_now = -1, s_before = -1;
                    planet_rise_set(body, event, instant, place.longitude_deg, place.latitude_deg, place.zone_hours,
                                    t_now, s_now);
                    old::planet_rise_set(body, event, instant, place.longitude_deg, place.latitude_deg,
                                         place.zone_hours, t_before, s_before);
                    c.check(t_now, t_before, "body " + std::to_string(body) + " day " + std::to_string(day));
                    status_differences += s_now != s_before;
                }
            }
        }
    }
    EXPECT_EQ(status_differences, 0);
    EXPECT_ALL_BITS_EQUAL(c);
}

}  // namespace
}  // namespace orbant
