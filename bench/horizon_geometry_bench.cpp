// SPDX-License-Identifier: GPL-3.0-or-later
// Time of the horizon view's geometry: the layout and grid computed on each
// size change, and the placement of the 1088 entries of the body and star
// table that every paint projects (synthetic directions spread over the
// sky, a quarter of them below the horizon, as on an ordinary night).
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstddef>

#include "astro/constants.h"
#include "pages/horizon_geometry.h"

namespace {

using namespace orbant;

constexpr std::size_t entry_count = 1088;

struct Direction {
    double azimuth;   // from south, rad
    double altitude;  // rad
};

const std::array<Direction, entry_count>& directions() {
    static const std::array<Direction, entry_count> d = [] {
        std::array<Direction, entry_count> a{};
        for (std::size_t i = 0; i < entry_count; ++i) {
            const double k = static_cast<double>(i);
            // Golden-angle steps cover the circle evenly.
            a[i].azimuth = std::fmod(k * 137.50776405003785, 360.0) * radians_per_degree;
            a[i].altitude = (-30.0 + 120.0 * static_cast<double>(i % 97) / 97.0) * radians_per_degree;
        }
        return a;
    }();
    return d;
}

void BM_HorizonLayoutAndGrid(benchmark::State& state) {
    int width = 480;
    for (auto _ : state) {
        const HorizonLayout layout = horizon_layout(width, 640, false);
        const HorizonGrid grid = horizon_grid(layout);
        benchmark::DoNotOptimize(grid);
        width = width == 480 ? 481 : 480;
    }
}

void BM_HorizonPlaceTableEntries(benchmark::State& state) {
    const HorizonLayout layout = horizon_layout(640, 480, true);
    const auto& d = directions();
    double view = 180.0;
    for (auto _ : state) {
        int inside = 0;
        for (const Direction& e : d)
            inside += inside_field(layout, object_screen_point(layout, view, e.azimuth, e.altitude));
        benchmark::DoNotOptimize(inside);
        view = view == 180.0 ? 195.0 : 180.0;
    }
}

BENCHMARK(BM_HorizonLayoutAndGrid);
BENCHMARK(BM_HorizonPlaceTableEntries);

}  // namespace
