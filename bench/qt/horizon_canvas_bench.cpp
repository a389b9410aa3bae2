// SPDX-License-Identifier: GPL-3.0-or-later
// Time of one tick of the horizon view on its canvas at 480 x 640: the
// scene of the erase-and-redraw computed and walked onto the persistent
// canvas, as the page's paint does it.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>

#include "ui/scene_painter.h"
#include "core/sheet_state.h"
#include "pages/horizon_scene.h"
#include "ui/canvas.h"

namespace {

using namespace orbant;

void BM_HorizonTickOnCanvas(benchmark::State& state) {
    SheetState s;
    s.observer_latitude = 53.55;
    s.observer_longitude = 10.0;
    s.time_zone = 1.0;
    s.night_mode = 0;
    s.current_time = {2026, 1, 15, 22, 0, 0};
    fill_body_and_star_table(s);
    place_bodies_in_table(s);
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

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
