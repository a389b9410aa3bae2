// SPDX-License-Identifier: GPL-3.0-or-later
// Time of one paint of the horizon view as a scene: the 1088 entries of the
// body and star table placed and marked, with the figures, the grid and
// the ecliptic; once as a full redraw and once as a tick's erase-and-redraw.
#include <benchmark/benchmark.h>

#include "bench/winter_night.h"
#include "core/sheet_state.h"
#include "pages/horizon_scene.h"
#include "text/utf8.h"

namespace {

using namespace orbant;

// Advance widths of a typical sans-serif face; the scene only places texts.
class AverageMeasure final : public TextMeasure {
public:
    TextExtent measure(std::string_view utf8, SceneFont font) const override {
        return {font.pixel_height * static_cast<int>(utf8_character_count(utf8)) / 2, font.pixel_height};
    }
};

SheetState winter_night() {
    SheetState s = bench::winter_night();
    s.active_page = 6;
    return s;
}

HorizonView all_on() {
    HorizonView v;
    v.figures = v.ecliptic = v.grid = true;
    return v;
}

void BM_HorizonFullRedrawScene(benchmark::State& state) {
    const SheetState s = winter_night();
    const HorizonFrame frame = horizon_frame(480, 640, false);
    const HorizonSunTimes sun = horizon_sun_times(s);
    const HorizonView view = all_on();
    const AverageMeasure measure;
    for (auto _ : state) {
        HorizonMemory memory;
        benchmark::DoNotOptimize(horizon_paint_scene(s, frame, view, sun, memory, measure));
    }
}
BENCHMARK(BM_HorizonFullRedrawScene)->Unit(benchmark::kMicrosecond);

void BM_HorizonTickScene(benchmark::State& state) {
    SheetState s = winter_night();
    const HorizonFrame frame = horizon_frame(480, 640, false);
    const HorizonSunTimes sun = horizon_sun_times(s);
    const HorizonView view = all_on();
    const AverageMeasure measure;
    HorizonMemory memory;
    horizon_paint_scene(s, frame, view, sun, memory, measure);
    int second = 0;
    for (auto _ : state) {
        // Ten-second ticks within one minute: the sky colour stays.
        s.current_time.second = (second += 10) % 60;
        benchmark::DoNotOptimize(horizon_paint_scene(s, frame, view, sun, memory, measure));
    }
}
BENCHMARK(BM_HorizonTickScene)->Unit(benchmark::kMicrosecond);

}  // namespace
