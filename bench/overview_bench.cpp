// SPDX-License-Identifier: GPL-3.0-or-later
// Time of one update of the overview chart without widgets: the ten
// bodies' directions and the scene that erases the old dots and draws the
// new ones, as a clock tick makes the page do. The instant steps through
// 64 instants of 2024 at Hamburg, so no result can be reused.
#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>

#include "pages/overview_scene.h"

namespace {

using namespace orbant;

constexpr std::size_t instant_count = 64;

// In static storage: a sheet state holds the whole body and star table.
SheetState& hamburg() {
    static SheetState s = [] {
        SheetState st;
        st.observer_latitude = 53.5;
        st.observer_longitude = 10.0;
        st.time_zone = 1.0;
        return st;
    }();
    return s;
}

CivilDateTime instant(std::size_t i) {
    const int n = static_cast<int>(i);
    return {2024, 1 + n % 12, 1 + (n * 7) % 28, (n * 5) % 24, (n * 13) % 60, 0};
}

void BM_overview_directions(benchmark::State& state) {
    SheetState& s = hamburg();
    std::size_t i = 0;
    for (auto _ : state) {
        s.current_time = instant(i);
        OverviewDirections d = overview_directions(s);
        benchmark::DoNotOptimize(d);
        i = (i + 1) % instant_count;
    }
}

// An update draws no text; the measure is never asked.
class NoMeasure final : public TextMeasure {
public:
    TextExtent measure(std::string_view, SceneFont) const override { return {}; }
};

void BM_overview_chart_update(benchmark::State& state) {
    const NoMeasure measure;
    SheetState& s = hamburg();
    const OverviewLayout layout = overview_layout(240, 320, true);
    OverviewDirections remembered = overview_directions(s);
    std::size_t i = 0;
    for (auto _ : state) {
        s.current_time = instant(i);
        OverviewPaint p = overview_paint(s, layout, false, true, remembered, measure);
        remembered = p.drawn;
        benchmark::DoNotOptimize(p);
        i = (i + 1) % instant_count;
    }
}

}  // namespace

BENCHMARK(BM_overview_directions);
BENCHMARK(BM_overview_chart_update);
