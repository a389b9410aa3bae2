// The reference copies of the routines rewritten for speed, timed exactly as
// their current versions are in the other benchmark files, so that one run
// shows old and new side by side (BM_old_* beside BM_*).
#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>

#include "astro/constants.h"
#include "astro/time_scales.h"
#include "bench/min_statistic.h"
#include "tests/reference_copies/old_engine.h"

namespace {

namespace old = orbant::reference_copy;

constexpr std::size_t instant_count = 1024;

// The instants of the engine benchmarks.
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
    const auto& t = instants();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f(t[i]));
        i = (i + 1) & (instant_count - 1);
    }
}

void BM_old_sun_position(benchmark::State& s) { run_over_instants(s, [](double T) { return old::sun_position(T); }); }
void BM_old_moon_position(benchmark::State& s) {
    run_over_instants(s, [](double T) { return old::moon_position(T); });
}
void BM_old_planet_position(benchmark::State& s) {
    const int body = static_cast<int>(s.range(0));
    run_over_instants(s, [body](double T) { return old::planet_position(body, T); });
}
void BM_old_mars_position(benchmark::State& s) { run_over_instants(s, [](double T) { return old::mars_position(T); }); }
void BM_old_phase_offset(benchmark::State& s) {
    run_over_instants(s, [](double T) { return old::phase_offset(2, T); });
}

// As BM_LunationSearch.
void BM_old_LunationSearch(benchmark::State& state) {
    using namespace orbant;
    const double start = (mjd_from_date(2023, 12, 1, 0, 0, 0.0) - mjd_j2000) / days_per_century;
    for (auto _ : state) {
        double T = start;
        Lunation l;
        benchmark::DoNotOptimize(old::lunation_search(T, l));
        benchmark::DoNotOptimize(l);
    }
}

// The 1238 lunations of BM_PhaseList100Years, one search after the other.
void BM_old_PhaseList100Years(benchmark::State& state) {
    using namespace orbant;
    const double start = (mjd_from_date(1949, 12, 1, 0, 0, 0.0) - mjd_j2000) / days_per_century;
    for (auto _ : state) {
        double T = start;
        double last = 0.0;
        for (int i = 0; i < 1238; ++i) {
            Lunation l;
            old::lunation_search(T, l);
            last = l.last_quarter;
        }
        benchmark::DoNotOptimize(last);
    }
}

// As BM_planets_page_rise_set: rising and setting of the eight planets of
// the page on the days of 2024.
void BM_old_planets_page_rise_set(benchmark::State& state) {
    static constexpr std::array<int, 8> bodies{1, 2, 4, 5, 6, 7, 8, 9};
    int day = 0;
    for (auto _ : state) {
        const orbant::CivilDateTime instant{2024, 1, 1 + day, 12, 0, 0};
        for (int body : bodies) {
            double rise = 0.0, set = 0.0;
            int rise_status = 0, set_status = 0;
            old::planet_rise_set(body, orbant::planet_event_rise, instant, 10.0, 53.5, 1.0, rise, rise_status);
            old::planet_rise_set(body, orbant::planet_event_set, instant, 10.0, 53.5, 1.0, set, set_status);
            benchmark::DoNotOptimize(rise + set);
            benchmark::DoNotOptimize(rise_status + set_status);
        }
        day = day == 365 ? 0 : day + 1;
    }
}

}  // namespace

BENCHMARK(BM_old_sun_position)->ComputeStatistics("min", min_of_repetitions);
BENCHMARK(BM_old_moon_position)->ComputeStatistics("min", min_of_repetitions);
BENCHMARK(BM_old_planet_position)->DenseRange(1, 9)->ArgName("body")->ComputeStatistics("min", min_of_repetitions);
BENCHMARK(BM_old_mars_position)->ComputeStatistics("min", min_of_repetitions);
BENCHMARK(BM_old_phase_offset)->ComputeStatistics("min", min_of_repetitions);
BENCHMARK(BM_old_LunationSearch)->ComputeStatistics("min", min_of_repetitions);
BENCHMARK(BM_old_PhaseList100Years)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", min_of_repetitions);
BENCHMARK(BM_old_planets_page_rise_set)->ComputeStatistics("min", min_of_repetitions);
