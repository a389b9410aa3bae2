// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/events/lunation_search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "astro/constants.h"
#include "astro/events/eclipse.h"
#include "astro/time_scales.h"

namespace orbant {
namespace {

// Published instants are rounded to the minute (half a minute) and the
// theories are good to a few tens of seconds of time: one minute covers
// both (the worst case seen is 0.45 min).
inline constexpr double phase_tolerance_days = 1.0 / 1440.0;
// Delta T in 2024-2025 (TT - UT, s). The search applies no Delta T after
// 2005, so its instants there are dynamical time.
inline constexpr double delta_t_2024_seconds = 69.2;

double start_T(int year, int month, int day) {
    return (mjd_from_date(year, month, day, 0, 0, 0.0) - mjd_j2000) / days_per_century;
}

struct Collected {
    std::vector<EventHit> rows;
    std::vector<std::pair<int, int>> progress;
};

// The rows and progress reports of one run of a list search (fill_phase_list
// or fill_eclipse_list), which must report success.
using ListSearch = bool (*)(int, int, double, EventSink, ProgressSink);
Collected run_list(ListSearch fill, int first, int last, double zone) {
    Collected c;
    const bool ok = fill(
        first, last, zone,
        [&c](const EventHit& h) {
            c.rows.push_back(h);
            return ListAnswer::go_on;
        },
        [&c](int position, int maximum) {
            c.progress.emplace_back(position, maximum);
            return ListAnswer::go_on;
        });
    EXPECT_TRUE(ok);
    return c;
}

Collected run_phase_list(int first, int last, double zone) { return run_list(fill_phase_list, first, last, zone); }
Collected run_eclipse_list(int first, int last, double zone) { return run_list(fill_eclipse_list, first, last, zone); }

struct PublishedPhase {
    const char* name;
    int year, month, day, hour, minute;  // UT, rounded to the minute
    int phase;                           // 0 new .. 3 last quarter
    double delta_t_seconds;              // added when the search gives dynamical time
};

class PhaseInstant : public ::testing::TestWithParam<PublishedPhase> {};

TEST_P(PhaseInstant, MatchesThePublishedInstant) {
    const PublishedPhase& p = GetParam();
    const double expected =
        mjd_from_date(p.year, p.month, p.day, p.hour, p.minute, 0.0) + p.delta_t_seconds / seconds_per_day;
    // Start a little more than a lunation before, as the list loop would.
    double T = (expected - 33.0 - mjd_j2000) / days_per_century;
    double best = 1e9;
    for (int i = 0; i < 3; ++i) {
        Lunation l;
        lunation_search(T, l);
        const double instants[4] = {l.new_moon, l.first_quarter, l.full_moon, l.last_quarter};
        if (std::fabs(instants[p.phase] - expected) < std::fabs(best - expected)) best = instants[p.phase];
    }
    RecordProperty("offset_min", std::to_string((best - expected) * 1440.0));
    EXPECT_NEAR(best, expected, phase_tolerance_days) << "off by " << (best - expected) * 1440.0 << " min";
}

INSTANTIATE_TEST_SUITE_P(
    Published, PhaseInstant,
    ::testing::Values(PublishedPhase{"new_2000_01_06", 2000, 1, 6, 18, 14, 0, 0.0},
                      PublishedPhase{"first_quarter_2000_01_14", 2000, 1, 14, 13, 34, 1, 0.0},
                      PublishedPhase{"full_2000_01_21", 2000, 1, 21, 4, 40, 2, 0.0},
                      PublishedPhase{"last_quarter_2000_01_28", 2000, 1, 28, 7, 57, 3, 0.0},
                      PublishedPhase{"new_1999_08_11", 1999, 8, 11, 11, 8, 0, 0.0},
                      PublishedPhase{"full_2024_01_25", 2024, 1, 25, 17, 54, 2, delta_t_2024_seconds},
                      PublishedPhase{"new_2024_04_08", 2024, 4, 8, 18, 21, 0, delta_t_2024_seconds},
                      PublishedPhase{"full_2025_03_14", 2025, 3, 14, 6, 55, 2, delta_t_2024_seconds}),
    [](const ::testing::TestParamInfo<PublishedPhase>& case_info) { return std::string(case_info.param.name); });

TEST(LunationSearch, WalksThroughConsecutiveLunationsInOrder) {
    double T = start_T(1989, 12, 1);
    double previous_new_moon = 0.0;
    for (int i = 0; i < 40; ++i) {
        const double start = T;
        Lunation l;
        const double returned = lunation_search(T, l);
        EXPECT_GT(T, start);
        EXPECT_DOUBLE_EQ(returned, T + lunation_step);
        // T is left at the last quarter, in dynamical time.
        const DeltaT dt = delta_t(T);
        EXPECT_NEAR(days_per_century * T + mjd_j2000 - dt.seconds / seconds_per_day, l.last_quarter, 1e-9);
        // Quarter phases 6.5 to 8.5 days apart, in order.
        EXPECT_GT(l.first_quarter - l.new_moon, 6.4);
        EXPECT_LT(l.first_quarter - l.new_moon, 8.6);
        EXPECT_GT(l.full_moon - l.first_quarter, 6.4);
        EXPECT_LT(l.full_moon - l.first_quarter, 8.6);
        EXPECT_GT(l.last_quarter - l.full_moon, 6.4);
        EXPECT_LT(l.last_quarter - l.full_moon, 8.6);
        if (i > 0) {
            // One synodic month (29.27 .. 29.83 days) after the previous one.
            EXPECT_GT(l.new_moon - previous_new_moon, 29.2) << i;
            EXPECT_LT(l.new_moon - previous_new_moon, 29.9) << i;
        }
        // At the instants found the phase function vanishes (to about the
        // tolerance: 30 s of time is about 0.004 deg of elongation).
        EXPECT_LT(std::fabs(phase_offset(0, (l.new_moon + dt.seconds / seconds_per_day - mjd_j2000) /
                                                    days_per_century)),
                  1e-3);
        previous_new_moon = l.new_moon;
    }
}

TEST(PhaseOffset, StaysInRangeAndRisesThroughEachPhase) {
    const double T0 = start_T(2010, 3, 1);
    const double hour = 1.0 / 24.0 / days_per_century;
    for (int k = 0; k < 4; ++k) {
        int rising_zeros = 0;
        int jumps = 0;
        double previous = phase_offset(k, T0);
        for (int h = 1; h <= 30 * 24; ++h) {
            const double f = phase_offset(k, T0 + h * hour);
            EXPECT_GE(f, -pi);
            EXPECT_LT(f, pi);
            if (previous < 0.0 && f >= 0.0) ++rising_zeros;
            if (f < previous) ++jumps;  // the only decrease is the wrap from +pi to -pi
            previous = f;
        }
        EXPECT_EQ(rising_zeros, 1) << "phase " << k;
        EXPECT_EQ(jumps, 1) << "phase " << k;
    }
}

TEST(PhaseList, OneYearGivesFourteenLunationsFromTheDecemberBefore) {
    const Collected c = run_phase_list(2024, 2024, 1.0);
    ASSERT_EQ(c.rows.size(), 56u);
    int year, month, day;
    double hours;
    date_from_mjd(c.rows.front().local_mjd, year, month, day, hours);
    EXPECT_EQ(year, 2023);
    EXPECT_EQ(month, 12);
    date_from_mjd(c.rows.back().local_mjd, year, month, day, hours);
    EXPECT_EQ(year, 2025);
    EXPECT_EQ(month, 1);
    const char* texts[4] = {"Neumond", "Erstes Mondviertel", "Vollmond", "Letztes Mondviertel"};
    for (std::size_t i = 0; i < c.rows.size(); ++i) {
        EXPECT_EQ(c.rows[i].text, texts[i % 4]) << i;
        EXPECT_EQ(static_cast<int>(c.rows[i].kind), static_cast<int>(i % 4)) << i;
        if (i > 0) {
            EXPECT_GT(c.rows[i].local_mjd, c.rows[i - 1].local_mjd) << "time order at " << i;
        }
    }
    // Progress: range 0..13, one step per lunation 1..14, back to 0.
    ASSERT_EQ(c.progress.size(), 16u);
    EXPECT_EQ(c.progress.front(), std::make_pair(0, 13));
    for (int i = 1; i <= 14; ++i) EXPECT_EQ(c.progress[static_cast<std::size_t>(i)], std::make_pair(i, 13));
    EXPECT_EQ(c.progress.back(), std::make_pair(0, 13));
}

TEST(PhaseList, ShortAndReversedSpans) {
    const Collected one_back = run_phase_list(2024, 2023, 0.0);
    EXPECT_EQ(one_back.rows.size(), 8u) << "last = first - 1: n = 1, two lunations";
    EXPECT_EQ(one_back.progress.back(), std::make_pair(0, 1));

    const Collected two_back = run_phase_list(2024, 2022, 0.0);
    EXPECT_TRUE(two_back.rows.empty());
    ASSERT_EQ(two_back.progress.size(), 2u) << "range and reset only";
    EXPECT_EQ(two_back.progress.back(), std::make_pair(0, -11));

    EXPECT_TRUE(run_phase_list(2024, 1900, 0.0).rows.empty());
}

TEST(PhaseList, LongSpansReachTheEndOfTheLastYear) {
    // Twelve lunations a year would stop early in 2029; the list must hold
    // every phase of the span: at least 12 full Moons in each year, and the
    // last row in the year after.
    const Collected c = run_phase_list(2020, 2029, 1.0);
    std::vector<int> full_moons(10, 0);
    for (const EventHit& h : c.rows) {
        int year, month, day;
        double hours;
        date_from_mjd(h.local_mjd, year, month, day, hours);
        if (h.kind == EventKind::full_moon && year >= 2020 && year <= 2029) ++full_moons[year - 2020];
    }
    for (int y = 0; y < 10; ++y) EXPECT_GE(full_moons[static_cast<std::size_t>(y)], 12) << 2020 + y;
    EXPECT_GE(c.rows.back().local_mjd, mjd_from_date(2030, 1, 1, 0, 0, 0.0));
    EXPECT_LT(c.rows.back().local_mjd, mjd_from_date(2030, 2, 15, 0, 0, 0.0));
    EXPECT_EQ(c.rows.size() % 4, 0u);
    const std::size_t lunations = c.rows.size() / 4;
    EXPECT_GT(lunations, 9u * 12u + 14u) << "more than the 122 of twelve a year";
    EXPECT_LE(lunations, 9u * 12u + 14u + 4u);
    // The progress range covers them: the position never passes the
    // maximum by more than two, and ends at 0.
    const int maximum = c.progress.front().second;
    EXPECT_EQ(c.progress.size(), lunations + 2);
    for (const auto& p : c.progress) {
        EXPECT_EQ(p.second, maximum);
        EXPECT_LE(p.first, maximum + 2);
    }
    EXPECT_EQ(c.progress.back().first, 0);

    // Two years are still covered by the 26 lunations of twelve a year.
    const Collected two = run_phase_list(2024, 2025, 1.0);
    EXPECT_EQ(two.rows.size(), 26u * 4u);
}

TEST(PhaseList, TimesAreInTheZonesStandardTime) {
    const Collected utc = run_phase_list(2001, 2001, 0.0);
    const Collected east = run_phase_list(2001, 2001, 5.5);
    ASSERT_EQ(utc.rows.size(), east.rows.size());
    for (std::size_t i = 0; i < utc.rows.size(); ++i) {
        EXPECT_DOUBLE_EQ(utc.rows[i].ut_mjd, east.rows[i].ut_mjd);
        EXPECT_NEAR(east.rows[i].local_mjd - east.rows[i].ut_mjd, 5.5 / 24.0, 1e-9);
        EXPECT_DOUBLE_EQ(utc.rows[i].local_mjd, utc.rows[i].ut_mjd);
    }
}

TEST(PhaseList, YearsBeyondTheSupportedSpanListNothing) {
    int rows = 0, calls = 0;
    const auto row = [&rows](const EventHit&) {
        ++rows;
        return ListAnswer::go_on;
    };
    const auto progress = [&calls](int, int) {
        ++calls;
        return ListAnswer::go_on;
    };
    EXPECT_FALSE(fill_phase_list(event_year_min - 1, 2000, 0.0, row, progress));
    EXPECT_FALSE(fill_eclipse_list(2000, event_year_max + 1, 0.0, row, progress));
    EXPECT_FALSE(fill_phase_list(2000, -2147483647 - 1, 0.0, row, progress));
    EXPECT_EQ(rows, 0);
    EXPECT_EQ(calls, 0);
}

// A sink that answers stop ends the walk at once: no row after it, and
// the progress gets only its closing (0, m). The rows given are those of
// the full list.
TEST(PhaseList, AStopFromEitherSinkEndsTheList) {
    const Collected full = run_phase_list(2024, 2026, 1.0);
    struct Case {
        bool eclipses;
        int stop_at_row;       // the row sink answers stop at this row (1-based), 0 never
        int stop_at_position;  // the progress answers stop at this position, -1 never
        std::size_t rows;      // rows handed out
    };
    for (const Case c : {Case{false, 7, -1, 7}, Case{false, 0, 3, 12}, Case{false, 0, 0, 0}, Case{false, 1, -1, 1},
                         Case{true, 2, -1, 2}}) {
        Collected got;
        int row_calls = 0;
        const auto row = [&](const EventHit& h) {
            got.rows.push_back(h);
            return ++row_calls == c.stop_at_row ? ListAnswer::stop : ListAnswer::go_on;
        };
        const auto progress = [&](int position, int maximum) {
            got.progress.emplace_back(position, maximum);
            return position == c.stop_at_position ? ListAnswer::stop : ListAnswer::go_on;
        };
        EXPECT_TRUE(c.eclipses ? fill_eclipse_list(2024, 2026, 1.0, row, progress)
                               : fill_phase_list(2024, 2026, 1.0, row, progress));
        ASSERT_EQ(got.rows.size(), c.rows) << c.stop_at_row << " " << c.stop_at_position;
        if (!c.eclipses) {
            for (std::size_t i = 0; i < got.rows.size(); ++i)
                EXPECT_DOUBLE_EQ(got.rows[i].ut_mjd, full.rows[i].ut_mjd);
        }
        ASSERT_GE(got.progress.size(), 2u);
        EXPECT_EQ(got.progress.back(), std::make_pair(0, full.progress.back().second)) << "the closing report";
        EXPECT_LT(got.progress.size(), full.progress.size());
    }
}

struct KnownEclipse {
    const char* name;
    int year, month, day;
    EventKind kind;
    std::vector<int> fitting_classes;
};

TEST(EclipseList, KnownEclipsesAppearWithAFittingClass) {
    const std::vector<KnownEclipse> known = {
        {"total_solar_2024_04_08", 2024, 4, 8, EventKind::solar_eclipse, {11, 12}},
        {"annular_2024_10_02", 2024, 10, 2, EventKind::solar_eclipse, {-11, -12}},
        {"partial_lunar_2024_09_18", 2024, 9, 18, EventKind::lunar_eclipse, {3, 4}},
        {"total_lunar_2025_03_14", 2025, 3, 14, EventKind::lunar_eclipse, {1, 2}},
        {"partial_solar_2025_03_29", 2025, 3, 29, EventKind::solar_eclipse, {13, 14}},
        {"total_lunar_2025_09_07", 2025, 9, 7, EventKind::lunar_eclipse, {1, 2}},
        {"total_solar_2017_08_21", 2017, 8, 21, EventKind::solar_eclipse, {11, 12}},
    };
    std::vector<EventHit> rows;
    for (int year : {2017, 2024, 2025}) {
        const Collected c = run_eclipse_list(year, year, 0.0);
        rows.insert(rows.end(), c.rows.begin(), c.rows.end());
    }
    for (const KnownEclipse& k : known) {
        const double day = mjd_from_date(k.year, k.month, k.day, 0, 0, 0.0);
        bool found = false;
        for (const EventHit& h : rows) {
            if (h.kind != k.kind || std::floor(h.local_mjd) != day) continue;
            found = true;
            bool fits = false;
            for (int c : k.fitting_classes) fits = fits || c == h.eclipse_class;
            EXPECT_TRUE(fits) << k.name << ": class " << h.eclipse_class;
            const std::string_view text = h.kind == EventKind::solar_eclipse ? solar_eclipse_text(h.eclipse_class)
                                                                             : lunar_eclipse_text(h.eclipse_class);
            EXPECT_EQ(h.text, text);
        }
        EXPECT_TRUE(found) << k.name;
    }
}

TEST(EclipseList, RowsOnlyAtEclipseSyzygiesAndInTimeOrder) {
    const Collected c = run_eclipse_list(2024, 2024, 1.0);
    // 2024 has two solar and two lunar eclipses; the span adds nothing else
    // (no eclipse in December 2023 or January 2025).
    ASSERT_EQ(c.rows.size(), 4u);
    for (std::size_t i = 1; i < c.rows.size(); ++i) EXPECT_GT(c.rows[i].local_mjd, c.rows[i - 1].local_mjd);
    EXPECT_EQ(c.progress.size(), 16u);
    EXPECT_EQ(c.progress.back(), std::make_pair(0, 13));
}

}  // namespace
}  // namespace orbant
