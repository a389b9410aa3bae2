// SPDX-License-Identifier: GPL-3.0-or-later
// Time of one tick of the horizon view on its canvas at 480 x 640: the
// scene of the erase-and-redraw computed and walked onto the persistent
// canvas, as the page's paint does it. At 3840 x 2160 device pixels (a
// 1920 x 1080 window at pixel ratio 2, page factor 3.5, so pixel scale 7)
// one tick, a full redraw of the same canvas, and the first paint that
// makes the canvas and draws everything.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>

#include "bench/winter_night.h"
#include "ui/scene_painter.h"
#include "core/sheet_state.h"
#include "pages/horizon_scene.h"
#include "ui/canvas.h"

namespace {

using namespace orbant;

void BM_HorizonTickOnCanvas(benchmark::State& state) {
    SheetState s = bench::winter_night();
    const HorizonFrame frame = horizon_frame(480, 640, false);
    const HorizonSunTimes sun = horizon_sun_times(s);
    HorizonView view;
    view.figures = view.ecliptic = true;
    const CanvasTextMeasure measure;
    Canvas canvas;
    canvas.ensure_size(QSize(480, 640), Qt::white);
    ScenePainter painter;
    HorizonMemory memory;
    painter.paint(canvas, horizon_paint_scene(s, frame, view, sun, memory, measure));
    s.active_page = 6;
    int second = 0;
    for (auto _ : state) {
        s.current_time.second = (second += 10) % 60;
        painter.paint(canvas, horizon_paint_scene(s, frame, view, sun, memory, measure));
    }
}
BENCHMARK(BM_HorizonTickOnCanvas)->Unit(benchmark::kMicrosecond);

constexpr int large_width = 3840, large_height = 2160;
constexpr double large_pixel_scale = 7.0;

HorizonView large_view() {
    HorizonView view;
    view.figures = view.ecliptic = true;
    return view;
}

// kind 0: one tick; 1: a full redraw of the drawn canvas; 2: the first paint.
void BM_HorizonLargeCanvas(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0));
    SheetState s = bench::winter_night();
    const HorizonFrame frame = horizon_frame(large_width, large_height, true);
    const HorizonSunTimes sun = horizon_sun_times(s);
    const HorizonView view = large_view();
    const CanvasTextMeasure measure;
    ScenePainter painter;
    Canvas canvas;
    canvas.ensure_size(QSize(large_width, large_height), Qt::white);
    HorizonMemory memory;
    painter.paint(canvas, horizon_paint_scene(s, frame, view, sun, memory, measure, large_pixel_scale));
    s.active_page = 6;
    int second = 0;
    for (auto _ : state) {
        s.current_time.second = (second += 10) % 60;
        if (kind == 2) {
            Canvas fresh;
            fresh.ensure_size(QSize(large_width, large_height), Qt::white);
            HorizonMemory first;
            painter.paint(fresh, horizon_paint_scene(s, frame, view, sun, first, measure, large_pixel_scale));
            benchmark::DoNotOptimize(fresh.image().constBits());
            continue;
        }
        memory.full_redraw_request = kind == 1;
        painter.paint(canvas, horizon_paint_scene(s, frame, view, sun, memory, measure, large_pixel_scale));
    }
}
BENCHMARK(BM_HorizonLargeCanvas)->ArgName("tick0_full1_first2")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
