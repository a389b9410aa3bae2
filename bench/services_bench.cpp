// SPDX-License-Identifier: GPL-3.0-or-later
// Time per call of the display services. Each benchmark cycles through the
// 366 civil days of 2024 (and, for the planets, through the bodies), so no
// result can be reused between calls. Place: Hamburg, zone +1.
#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>

#include "astro/civil_date_time.h"
#include "astro/constants.h"
#include "astro/services/phase.h"
#include "astro/services/positions.h"
#include "astro/services/rise_set.h"
#include "astro/time_scales.h"
#include "bench/min_statistic.h"

namespace {

constexpr double longitude_deg = 10.0;
constexpr double latitude_deg = 53.5;
constexpr double zone_hours = 1.0;
constexpr std::size_t day_count = 366;

// Local midnights of the days of 2024 in universal time, MJD.
const std::array<double, day_count>& midnights() {
    static const std::array<double, day_count> days = [] {
        std::array<double, day_count> a{};
        const double first = orbant::mjd_from_date(2024, 1, 1, 0, 0, 0.0) - zone_hours / 24.0;
        for (std::size_t i = 0; i < day_count; ++i) {
            a[i] = first + static_cast<double>(i);
        }
        return a;
    }();
    return days;
}

// Civil instants of 2024 at varying clock times (day i of the year as day
// 1 + i of January, which the date conversion accepts).
orbant::CivilDateTime instant_of(std::size_t i) {
    return orbant::CivilDateTime{2024, 1, static_cast<int>(1 + i), static_cast<int>(i % 24), static_cast<int>(i % 60),
                                 0};
}

void scan_days(benchmark::State& state, int index) {
    const auto& days = midnights();
    std::size_t i = 0;
    double rise = 0.0, set = 0.0;
    int has_rise = 0, has_set = 0, above = 0;
    for (auto _ : state) {
        orbant::rise_set_scan(index, days[i], longitude_deg * orbant::radians_per_degree,
                              latitude_deg * orbant::radians_per_degree, rise, set, has_rise, has_set, above);
        benchmark::DoNotOptimize(rise);
        benchmark::DoNotOptimize(set);
        benchmark::DoNotOptimize(has_rise + has_set + above);
        i = i + 1 == day_count ? 0 : i + 1;
    }
}

void BM_rise_set_scan_moon(benchmark::State& s) { scan_days(s, orbant::event_moon); }
void BM_rise_set_scan_sun(benchmark::State& s) { scan_days(s, orbant::event_sun); }
void BM_rise_set_scan_nautical(benchmark::State& s) { scan_days(s, orbant::event_nautical_twilight); }

void BM_planet_rise_set(benchmark::State& state) {
    static constexpr std::array<int, 8> bodies{1, 2, 4, 5, 6, 7, 8, 9};
    std::size_t i = 0;
    double time = 0.0;
    int status = 0;
    for (auto _ : state) {
        const int body = bodies[i % bodies.size()];
        orbant::planet_rise_set(body, static_cast<int>(i % 3), instant_of(i % day_count), longitude_deg, latitude_deg,
                                zone_hours, time, status);
        benchmark::DoNotOptimize(time);
        benchmark::DoNotOptimize(status);
        i = i + 1 == day_count * bodies.size() ? 0 : i + 1;
    }
}

// Rising and setting of the eight planets of the planets page on the days of
// 2024, as the page computes them: the day once, each planet's track once.
void BM_planets_page_rise_set(benchmark::State& state) {
    static constexpr std::array<int, 8> bodies{1, 2, 4, 5, 6, 7, 8, 9};
    int day = 0;
    for (auto _ : state) {
        const orbant::CivilDateTime instant{2024, 1, 1 + day, 12, 0, 0};
        const orbant::PlanetRiseSetDay d =
            orbant::planet_rise_set_day(instant, longitude_deg, latitude_deg, zone_hours);
        for (int body : bodies) {
            double rise = 0.0, set = 0.0;
            int rise_status = 0, set_status = 0;
            const orbant::PlanetDayTrack track = orbant::planet_day_track(body, d);
            orbant::planet_rise_set(d, track, orbant::planet_event_rise, rise, rise_status);
            orbant::planet_rise_set(d, track, orbant::planet_event_set, set, set_status);
            benchmark::DoNotOptimize(rise + set);
            benchmark::DoNotOptimize(rise_status + set_status);
        }
        day = day == 365 ? 0 : day + 1;
    }
}

// Times the horizontal position of the Sun or the Moon, one day after the
// other.
using HorizontalFunction = void (*)(orbant::CivilDateTime, double, double, double, double&, double&,
                                    double&) noexcept;
void time_horizontal(benchmark::State& state, HorizontalFunction horizontal) {
    std::size_t i = 0;
    double alt = 0.0, az = 0.0, dist = 0.0;
    for (auto _ : state) {
        horizontal(instant_of(i), longitude_deg, latitude_deg, zone_hours, alt, az, dist);
        benchmark::DoNotOptimize(alt + az + dist);
        i = i + 1 == day_count ? 0 : i + 1;
    }
}

void BM_sun_horizontal(benchmark::State& s) { time_horizontal(s, orbant::sun_horizontal); }
void BM_moon_horizontal(benchmark::State& s) { time_horizontal(s, orbant::moon_horizontal); }

void BM_planet_horizontal(benchmark::State& state) {
    static constexpr std::array<int, 8> bodies{1, 2, 4, 5, 6, 7, 8, 9};
    std::size_t i = 0;
    double alt = 0.0, az = 0.0;
    for (auto _ : state) {
        orbant::planet_horizontal(bodies[i % bodies.size()], instant_of(i % day_count), longitude_deg, latitude_deg,
                                  zone_hours, alt, az);
        benchmark::DoNotOptimize(alt + az);
        i = i + 1 == day_count * bodies.size() ? 0 : i + 1;
    }
}

void BM_moon_is_waxing(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(orbant::moon_is_waxing(instant_of(i), zone_hours));
        i = i + 1 == day_count ? 0 : i + 1;
    }
}

void BM_planet_illumination(benchmark::State& state) {
    static constexpr std::array<int, 8> bodies{1, 2, 4, 5, 6, 7, 8, 9};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            orbant::planet_illumination(bodies[i % bodies.size()], instant_of(i % day_count), zone_hours));
        i = i + 1 == day_count * bodies.size() ? 0 : i + 1;
    }
}

}  // namespace

BENCHMARK(BM_rise_set_scan_moon);
BENCHMARK(BM_rise_set_scan_sun);
BENCHMARK(BM_rise_set_scan_nautical);
BENCHMARK(BM_planet_rise_set);
BENCHMARK(BM_planets_page_rise_set)->ComputeStatistics("min", min_of_repetitions);
BENCHMARK(BM_sun_horizontal);
BENCHMARK(BM_moon_horizontal);
BENCHMARK(BM_planet_horizontal);
BENCHMARK(BM_moon_is_waxing);
BENCHMARK(BM_planet_illumination);
