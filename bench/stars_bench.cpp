// SPDX-License-Identifier: GPL-3.0-or-later
// Time of the star table's work: filling the sheet's table at start-up, and
// placing all 1078 stars on the horizon of Hamburg (zone +1) for one
// instant, as a sky page does on each paint. The instant moves by a day and
// an hour per iteration, so no result can be reused.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>

#include "astro/civil_date_time.h"
#include "astro/services/star_position.h"
#include "stars/sky_table.h"

namespace {

constexpr double longitude_deg = 10.0;
constexpr double latitude_deg = 53.5;
constexpr double zone_hours = 1.0;
constexpr int day_count = 366;

struct Table {
    orbant::SkyTable objects;
    orbant::FigureList figures;
};

// In static storage: the table is large.
Table& table() {
    static Table t;
    return t;
}

void BM_fill_body_and_star_table(benchmark::State& state) {
    Table& t = table();
    for (auto _ : state) {
        orbant::fill_body_and_star_table(t.objects, t.figures);
        benchmark::ClobberMemory();
    }
}

void BM_star_positions_one_instant(benchmark::State& state) {
    Table& t = table();
    orbant::fill_body_and_star_table(t.objects, t.figures);
    int day = 0;
    for (auto _ : state) {
        const orbant::CivilDateTime at{2024, 1, 1 + day, day % 24, 30, 0};
        for (std::size_t i = orbant::first_star_entry; i < t.objects.size(); ++i) {
            double altitude = 0.0, azimuth = 0.0;
            orbant::star_horizontal(at, longitude_deg, latitude_deg, zone_hours, t.objects[i].right_ascension_deg,
                                    t.objects[i].declination_deg, altitude, azimuth);
            benchmark::DoNotOptimize(altitude);
            benchmark::DoNotOptimize(azimuth);
        }
        day = day + 1 == day_count ? 0 : day + 1;
    }
    state.SetItemsProcessed(state.iterations() *
                            static_cast<std::int64_t>(orbant::sky_object_count - orbant::first_star_entry));
}

}  // namespace

BENCHMARK(BM_fill_body_and_star_table);
BENCHMARK(BM_star_positions_one_instant);
