// SPDX-License-Identifier: GPL-3.0-or-later
// Time per call of the engine's theories. Each benchmark cycles through 1024
// instants spread over 1900-2100, so no result can be reused between calls.
#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>

#include "astro/events/lunation_search.h"
#include "astro/moon.h"
#include "astro/planets.h"
#include "astro/sun.h"
#include "astro/time_scales.h"
#include "bench/cycle_inputs.h"
#include "bench/min_statistic.h"

namespace {

constexpr std::size_t instant_count = 1024;

// Julian centuries from J2000.0, spread irregularly over -1 .. +1.
const std::array<double, instant_count>& instants() {
    static const std::array<double, instant_count> t = [] {
        std::array<double, instant_count> a{};
        for (std::size_t i = 0; i < instant_count; ++i) {
            a[i] = -1.0 + 2.0 * static_cast<double>((i * 617) % instant_count) / instant_count + 1.3e-5 * (i % 13);
        }
        return a;
    }();
    return t;
}

template <typename F>
void run_over_instants(benchmark::State& state, F f) {
    run_over_inputs(state, instants(), f);
}

// Times a theory that takes Julian centuries from J2000.0 alone.
template <auto theory>
void time_theory(benchmark::State& s) {
    run_over_instants(s, [](double T) { return theory(T); });
}

void BM_gmst(benchmark::State& s) {
    run_over_instants(s, [](double T) { return orbant::gmst(51544.5 + 36525.0 * T); });
}
void BM_planet_position(benchmark::State& s) {
    const int body = static_cast<int>(s.range(0));
    run_over_instants(s, [body](double T) { return orbant::planet_position(body, T); });
}
void BM_phase_offset(benchmark::State& s) {
    run_over_instants(s, [](double T) { return orbant::phase_offset(2, T); });
}

}  // namespace

BENCHMARK(time_theory<orbant::sun_position>)->Name("BM_sun_position")->ComputeStatistics("min", min_of_repetitions);
BENCHMARK(time_theory<orbant::sun_equatorial_of_date>)->Name("BM_sun_equatorial_of_date");
BENCHMARK(time_theory<orbant::sun_low_precision>)->Name("BM_sun_low_precision");
BENCHMARK(time_theory<orbant::moon_position>)->Name("BM_moon_position")->ComputeStatistics("min", min_of_repetitions);
BENCHMARK(time_theory<orbant::moon_equatorial_of_date>)->Name("BM_moon_equatorial_of_date");
BENCHMARK(time_theory<orbant::moon_low_precision>)->Name("BM_moon_low_precision");
BENCHMARK(BM_gmst);
BENCHMARK(BM_planet_position)->DenseRange(1, 9)->ArgName("body")->ComputeStatistics("min", min_of_repetitions);
BENCHMARK(time_theory<orbant::mercury_position>)->Name("BM_mercury_position");
BENCHMARK(time_theory<orbant::venus_position>)->Name("BM_venus_position");
BENCHMARK(time_theory<orbant::mars_position>)->Name("BM_mars_position")->ComputeStatistics("min", min_of_repetitions);
BENCHMARK(time_theory<orbant::jupiter_position>)->Name("BM_jupiter_position");
BENCHMARK(time_theory<orbant::saturn_position>)->Name("BM_saturn_position");
BENCHMARK(time_theory<orbant::uranus_position>)->Name("BM_uranus_position");
BENCHMARK(time_theory<orbant::neptune_position>)->Name("BM_neptune_position");
BENCHMARK(time_theory<orbant::pluto_position>)->Name("BM_pluto_position");
BENCHMARK(BM_phase_offset)->ComputeStatistics("min", min_of_repetitions);
