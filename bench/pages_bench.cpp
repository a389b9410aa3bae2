// SPDX-License-Identifier: GPL-3.0-or-later
// Time of one update of the Moon, Sun and planets pages' texts (the pure
// functions the pages and orbant-cli call; no widgets). Each benchmark steps
// through 64 instants of 2024 at Hamburg so that no result can be reused.
#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>

#include "bench/cycle_inputs.h"
#include "pages/moon_texts.h"
#include "pages/planets_texts.h"
#include "pages/sun_texts.h"

namespace {

using namespace orbant;

constexpr std::size_t state_count = 64;

// Hamburg, zone +1, at instants spread over the year and the day.
// The states live in static storage: each holds the sheet's whole body and
// star table, too large for the stack 64 times over.
const std::array<SheetState, state_count>& states() {
    static std::array<SheetState, state_count> a{};
    static const bool filled = [] {
        for (std::size_t i = 0; i < state_count; ++i) {
            SheetState& st = a[i];
            st.observer_latitude = 53.55;
            st.observer_longitude = 10.0;
            st.time_zone = 1.0;
            st.summer_time_active = static_cast<int>(i % 2);
            st.clock_stopped = 1;
            const int n = static_cast<int>(i);
            st.current_time = {2024, 1 + n % 12, 1 + (n * 7) % 28, (n * 5) % 24, (n * 13) % 60, 0};
        }
        return true;
    }();
    static_cast<void>(filled);
    return a;
}

template <typename F>
void run_over_states(benchmark::State& state, F f) {
    run_over_inputs(state, states(), f);
}

void BM_SunPageTexts(benchmark::State& state) { run_over_states(state, sun_page_texts); }
void BM_MoonPageTexts(benchmark::State& state) {
    run_over_states(state, [](const SheetState& s) {
        MoonPicture picture;
        return moon_page_texts(s, picture);
    });
}
void BM_PlanetsPageTexts(benchmark::State& state) { run_over_states(state, planets_page_texts); }

BENCHMARK(BM_SunPageTexts);
BENCHMARK(BM_MoonPageTexts);
BENCHMARK(BM_PlanetsPageTexts);

}  // namespace
