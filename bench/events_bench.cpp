// SPDX-License-Identifier: GPL-3.0-or-later
// Benchmarks of the event search: one lunation, and the phase list of a
// century as the events page fills it.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "astro/constants.h"
#include "astro/events/lunation_search.h"
#include "astro/time_scales.h"
#include "bench/min_statistic.h"
#include "pages/events_texts.h"

namespace {

using namespace orbant;

// One lunation_search from 1 December 2023 (four phases with their roots).
void BM_LunationSearch(benchmark::State& state) {
    const double start = (mjd_from_date(2023, 12, 1, 0, 0, 0.0) - mjd_j2000) / days_per_century;
    for (auto _ : state) {
        double T = start;
        Lunation l;
        benchmark::DoNotOptimize(lunation_search(T, l));
        benchmark::DoNotOptimize(l);
    }
}
BENCHMARK(BM_LunationSearch)->ComputeStatistics("min", min_of_repetitions);

// The phase list of 1950..2049 (1238 lunations, 4952 rows) through the
// list loop, rows counted only: the search itself.
void BM_PhaseList100Years(benchmark::State& state) {
    int lunations = 0;
    for (auto _ : state) {
        int rows = 0;
        double last = 0.0;
        fill_phase_list(
            1950, 2049, 1.0,
            [&](const EventHit& h) {
                ++rows;
                last = h.local_mjd;
                return ListAnswer::go_on;
            },
            [](int, int) { return ListAnswer::go_on; });
        benchmark::DoNotOptimize(rows);
        benchmark::DoNotOptimize(last);
        lunations = rows / 4;
    }
    state.SetLabel(std::to_string(lunations) + " lunations");
}
BENCHMARK(BM_PhaseList100Years)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", min_of_repetitions);

// The same century with the row texts made, as the text front end and the
// page do (weekday, date, time, event text).
void BM_PhaseList100YearsWithTexts(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<EventEntry> entries;
        entries.reserve(4900);
        collect_events(1950, 2049, 1.0, false, entries);
        benchmark::DoNotOptimize(entries.data());
    }
}
BENCHMARK(BM_PhaseList100YearsWithTexts)->Unit(benchmark::kMillisecond);

// The eclipse list of the same century (the same lunations, fewer rows).
void BM_EclipseList100Years(benchmark::State& state) {
    for (auto _ : state) {
        int rows = 0;
        fill_eclipse_list(
            1950, 2049, 1.0,
            [&](const EventHit&) {
                ++rows;
                return ListAnswer::go_on;
            },
            [](int, int) { return ListAnswer::go_on; });
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(BM_EclipseList100Years)->Unit(benchmark::kMillisecond);

}  // namespace
