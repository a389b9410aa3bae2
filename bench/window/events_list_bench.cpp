// SPDX-License-Identifier: GPL-3.0-or-later
// The window's events list: a search of 200 years of moon phases (1900 to
// 2100, about 10 000 rows) in the real page, offscreen, with the list, the
// progress bar and their repaints.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeView>
#include <clocale>
#include <cstdlib>

#include "app/all_controls_sheet.h"
#include "ui/pages/cseite7.h"
#include "platform/clock.h"
#include "platform/qt/ui_services.h"

namespace {

void BM_WindowPhaseSearch200Years(benchmark::State& state) {
    QTemporaryDir dir;
    orbant::FakeClock clock{orbant::CivilDateTime{2026, 1, 15, 12, 0, 0}, false};
    orbant::ScriptedUiServices ui;
    orbant::CAllControlsSheet sheet(clock, ui, dir.filePath(QStringLiteral("config")).toStdString());
    sheet.show();
    orbant::CSeite7& page = sheet.seite7();
    sheet.tabs()->setCurrentWidget(&page);
    QApplication::processEvents();
    page.control_as<QLineEdit>(orbant::events_first_year_id)->setText(QStringLiteral("1900"));
    page.control_as<QLineEdit>(orbant::events_last_year_id)->setText(QStringLiteral("2100"));
    page.control_as<QRadioButton>(orbant::events_phases_id)->setChecked(true);
    int rows = 0;
    for (auto _ : state) {
        page.search();
        QApplication::processEvents();
        rows = page.control_as<QTreeView>(orbant::events_list_id)->model()->rowCount();
    }
    state.counters["rows"] = rows;
    sheet.reject();
}
BENCHMARK(BM_WindowPhaseSearch200Years)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
