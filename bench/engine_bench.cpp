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

void BM_sun_position(benchmark::State& s) { run_over_instants(s, [](double T) { return orbant::sun_position(T); }); }
void BM_sun_equatorial_of_date(benchmark::State& s) {
    run_over_instants(s, [](double T) { return orbant::sun_equatorial_of_date(T); });
}
void BM_sun_low_precision(benchmark::State& s) {
    run_over_instants(s, [](double T) { return orbant::sun_low_precision(T); });
}
void BM_moon_position(benchmark::State& s) {
    run_over_instants(s, [](double T) { return orbant::moon_position(T); });
}
void BM_moon_equatorial_of_date(benchmark::State& s) {
    run_over_instants(s, [](double T) { return orbant::moon_equatorial_of_date(T); });
}
void BM_moon_low_precision(benchmark::State& s) {
    run_over_instants(s, [](double T) { return orbant::moon_low_precision(T); });
}
void BM_gmst(benchmark::State& s) {
    run_over_instants(s, [](double T) { return orbant::gmst(51544.5 + 36525.0 * T); });
}
void BM_planet_position(benchmark::State& s) {
    const int body = static_cast<int>(s.range(0));
    run_over_instants(s, [body](double T) { return orbant::planet_position(body, T); });
}
void BM_mercury_position(benchmark::State& s) {
    run_over_instants(s, [](double T) { return orbant::mercury_position(T); });
}
void BM_venus_position(benchmark::State& s) { run_over_instants(s, [](double T) { return orbant::venus_position(T); }); }
void BM_mars_position(benchmark::State& s) { run_over_instants(s, [](double T) { return orbant::mars_position(T); }); }
void BM_jupiter_position(benchmark::State& s) {
    run_over_instants(s, [](double T) { return orbant::jupiter_position(T); });
}
void BM_saturn_position(benchmark::State& s) {
    run_over_instants(s, [](double T) { return orbant::saturn_position(T); });
}
void BM_uranus_position(benchmark::State& s) {
    run_over_instants(s, [](double T) { return orbant::uranus_position(T); });
}
void BM_neptune_position(benchmark::State& s) {
    run_over_instants(s, [](double T) { return orbant::neptune_position(T); });
}
void BM_phase_offset(benchmark::State& s) {
    run_over_instants(s, [](double T) { return orbant::phase_offset(2, T); });
}
void BM_pluto_position(benchmark::State& s) { run_over_instants(s, [](double T) { return orbant::pluto_position(T); }); }

}  // namespace

BENCHMARK(BM_sun_position)->ComputeStatistics("min", min_of_repetitions);
BENCHMARK(BM_sun_equatorial_of_date);
BENCHMARK(BM_sun_low_precision);
BENCHMARK(BM_moon_position)->ComputeStatistics("min", min_of_repetitions);
BENCHMARK(BM_moon_equatorial_of_date);
BENCHMARK(BM_moon_low_precision);
BENCHMARK(BM_gmst);
BENCHMARK(BM_planet_position)->DenseRange(1, 9)->ArgName("body")->ComputeStatistics("min", min_of_repetitions);
BENCHMARK(BM_mercury_position);
BENCHMARK(BM_venus_position);
BENCHMARK(BM_mars_position)->ComputeStatistics("min", min_of_repetitions);
BENCHMARK(BM_jupiter_position);
BENCHMARK(BM_saturn_position);
BENCHMARK(BM_uranus_position);
BENCHMARK(BM_neptune_position);
BENCHMARK(BM_pluto_position);
BENCHMARK(BM_phase_offset)->ComputeStatistics("min", min_of_repetitions);
