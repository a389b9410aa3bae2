// SPDX-License-Identifier: GPL-3.0-or-later
// The property sheet: tabs, start-up, settings at start, the clock tick,
// activation and closing.
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <fstream>
#include <filesystem>
#include <sys/stat.h>
#include <iterator>

#include "core/settings_file.h"
#include "platform/atomic_file.h"
#include "ui/pages/cseite1.h"
#include "ui/pages/cseite5.h"
#include "ui/pages/cseite6.h"
#include "tests/app/sheet_fixture.h"
#include "tests/support/file_bytes.h"

namespace orbant {
namespace {

using testing::ScopedZone;
using testing::SheetFixture;
using ::orbant::testing::file_bytes;

void write_settings(const std::string& folder, const SettingsRecord& r) {
    std::string error;
    ASSERT_TRUE(save_settings(folder, r, error)) << error;
}

// The working settings of the sheet's state.
struct Working {
    double latitude, longitude, time_zone;
    int timer_period, auto_summer_time, night_mode;
    const char* place_name;
};

void expect_working(const SheetState& s, const Working& w) {
    EXPECT_EQ(s.observer_latitude, w.latitude);
    EXPECT_EQ(s.observer_longitude, w.longitude);
    EXPECT_EQ(s.time_zone, w.time_zone);
    EXPECT_EQ(s.timer_period, w.timer_period);
    EXPECT_EQ(s.auto_summer_time, w.auto_summer_time);
    EXPECT_EQ(s.night_mode, w.night_mode);
    EXPECT_EQ(s.place_name, w.place_name);
}

QString text_of(SheetPage& page, int id) {
    if (auto* e = page.control_as<QLineEdit>(id)) return e->text();
    if (auto* l = page.control_as<QLabel>(id)) return l->text();
    if (auto* c = page.control_as<QComboBox>(id)) return c->currentText();
    return QStringLiteral("<no control>");
}

using SheetTest = SheetFixture;

TEST_F(SheetTest, SevenTabsInOrderAtTheBottom) {
    open_sheet();
    EXPECT_EQ(sheet->windowTitle(), "Orbant 3.62+");
    QTabWidget* tabs = sheet->tabs();
    ASSERT_EQ(tabs->count(), 7);
    EXPECT_EQ(tabs->tabPosition(), QTabWidget::South);
    const char* captions[] = {"Zeit/Ort", "Horizont", "Mond", "Sonne", "Planeten", "Uebersicht", "Ereignisse"};
    const int numbers[] = {1, 6, 2, 3, 4, 5, 0};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(tabs->tabText(i), captions[i]);
        ASSERT_NE(sheet->page_at_tab(i), nullptr);
        EXPECT_EQ(sheet->page_at_tab(i)->caption(), captions[i]);
        EXPECT_EQ(sheet->page_at_tab(i)->page_number(), numbers[i]);
        EXPECT_EQ(tabs->widget(i), sheet->page_at_tab(i));
    }
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(sheet->page_at_tab(7), nullptr);
}

TEST_F(SheetTest, FirstStartWritesTheDefaultsAndShowsThem) {
    open_sheet();
    const auto bytes = file_bytes(folder() + "/Setup.dat");
    ASSERT_EQ(bytes.size(), 64u);
    const auto expected = encode_settings(default_settings());
    EXPECT_TRUE(std::equal(bytes.begin() + 8, bytes.end(), expected.begin() + 8));

    expect_working(state(), {53.5, 10.0, 1.0, 10, 1, 1, "Hamburg"});
    EXPECT_EQ(state().active_page, 1);
    EXPECT_EQ(state().chart_stale, 1);
    EXPECT_EQ(state().current_time, (CivilDateTime{2026, 1, 15, 12, 0, 0}));
    // The body and star table and the figures are filled at start-up.
    EXPECT_EQ(state().sky_objects[sun_entry].name(), "Sonne (-26.8)");
    EXPECT_EQ(state().sky_objects[sky_object_count - 1].name(), "2 Cet (4.55) [9098]");
    EXPECT_EQ(state().figure_list[0], 37);

    CSeite1& page = sheet->seite1();
    EXPECT_EQ(text_of(page, id_latitude), "53.50");
    EXPECT_EQ(text_of(page, id_longitude), "10.00");
    EXPECT_EQ(text_of(page, id_time_zone), "+1");
    EXPECT_EQ(text_of(page, id_place_name), "Hamburg");
    EXPECT_EQ(text_of(page, id_day), "15");
    EXPECT_EQ(text_of(page, id_month), "01");
    EXPECT_EQ(text_of(page, id_status), ">>Laufende Zeitmessung (Winterzeit)<<");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SheetTest, StoredSettingsAreTakenIntoUseAndNotRewritten) {
    SettingsRecord r = default_settings();
    r.latitude = -33.925;
    r.longitude = 18.42;
    r.time_zone = 2.0;
    r.timer_period = 30;
    r.auto_summer_time = 0;
    r.night_mode = 0;
    store_place_name(r, "Kapstadt Süd");
    write_settings(folder(), r);
    const auto before = file_bytes(folder() + "/Setup.dat");
    open_sheet();
    expect_working(state(), {-33.925, 18.42, 2.0, 30, 0, 0, "Kapstadt Süd"});
    EXPECT_EQ(sheet->clock_timer_interval_ms(), 30000);
    EXPECT_EQ(text_of(sheet->seite1(), id_place_name), "Kapstadt Süd");
    EXPECT_EQ(text_of(sheet->seite1(), id_status), ">>Laufende Zeitmessung<<");
    sheet->reject();
    EXPECT_EQ(file_bytes(folder() + "/Setup.dat"), before);  // nothing saved at close
}

TEST_F(SheetTest, DamagedSettingsAreKeptAndReplacedByTheDefaults) {
    {
        std::ofstream out(folder() + "/Setup.dat", std::ios::binary);
        out << "short";
    }
    open_sheet();
    EXPECT_EQ(state().place_name, "Hamburg");
    EXPECT_EQ(file_bytes(folder() + "/Setup.dat.bad").size(), 5u);
    EXPECT_EQ(file_bytes(folder() + "/Setup.dat").size(), 64u);
}

TEST_F(SheetTest, SettingsThatCannotBeReadAreNeitherMovedNorOverwritten) {
    SettingsRecord r = default_settings();
    store_place_name(r, "Bremen");
    write_settings(folder(), r);
    const auto before = file_bytes(folder() + "/Setup.dat");
    {
        const ScopedFileReadFault refused(EACCES);
        open_sheet();
    }
    EXPECT_EQ(state().place_name, "Hamburg");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(file_bytes(folder() + "/Setup.dat"), before);
    EXPECT_FALSE(std::filesystem::exists(folder() + "/Setup.dat.bad"));
}

TEST_F(SheetTest, ASettingsFifoIsLeftAloneAndTheDefaultsAreUsed) {
    // Opening a FIFO used to wait for a writer for ever.
    ASSERT_EQ(::mkfifo((folder() + "/Setup.dat").c_str(), 0600), 0);
    open_sheet();
    EXPECT_EQ(state().place_name, "Hamburg");
    ASSERT_EQ(ui.messages.size(), 1u) << "the defaults could not be written";
    EXPECT_TRUE(ui.messages[0].text.contains("Setup.dat")) << ui.messages[0].text.toStdString();
    sheet->reject();
    EXPECT_TRUE(std::filesystem::is_fifo(folder() + "/Setup.dat"));
    EXPECT_FALSE(std::filesystem::exists(folder() + "/Setup.dat.bad"));
}

TEST_F(SheetTest, FailedFirstWriteIsReportedAndTheDefaultsStayInUse) {
    // A folder that is a plain file cannot hold "Setup.dat".
    const std::string blocker = folder() + "/not-a-folder";
    { std::ofstream(blocker) << "x"; }
    sheet = std::make_unique<CAllControlsSheet>(clock, ui, blocker);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MessageKind::error);
    EXPECT_EQ(state().place_name, "Hamburg");
    EXPECT_EQ(state().observer_latitude, 53.5);
}

TEST_F(SheetTest, TimerRunsAtLeastOnceASecondAndStopsAtClose) {
    // A period outside 1..86400 s makes the record damaged: the defaults'
    // 10 s are used.
    for (int period : {10, 1, 86400, 0, -5}) {
        SettingsRecord r = default_settings();
        r.timer_period = period;
        write_settings(folder(), r);
        CAllControlsSheet s(clock, ui, folder());
        const int used = period >= 1 && period <= 86400 ? period : default_timer_period;
        EXPECT_TRUE(s.clock_timer_running());
        EXPECT_EQ(s.clock_timer_interval_ms(), used * 1000) << period;
        EXPECT_EQ(s.state().timer_period, used);
        EXPECT_EQ(s.state().stored_settings.timer_period, used);
        s.reject();
        EXPECT_FALSE(s.clock_timer_running());
    }
}

TEST_F(SheetTest, StoppedClockOrBusyViewMakesTicksChangeNothing) {
    open_sheet();
    CSeite1& page = sheet->seite1();
    for (int which = 0; which < 2; ++which) {
        state().clock_stopped = which == 0 ? 1 : 0;
        state().view_busy = which == 1 ? 1 : 0;
        const CivilDateTime before = state().current_time;
        page.control_as<QLineEdit>(id_minute)->setText("41");
        clock.set({2026, 2, 1, 8, 30, 0});
        const int reads = clock.reads();
        sheet->tick();
        settle();
        EXPECT_EQ(state().current_time, before);
        EXPECT_EQ(clock.reads(), reads);
        EXPECT_EQ(text_of(page, id_minute), "41");
        EXPECT_EQ(state().tick_in_progress, 0);
    }
}

TEST_F(SheetTest, TickRefreshesThePageThatPaintedLast) {
    open_sheet();
    CSeite1& page = sheet->seite1();
    ASSERT_EQ(state().active_page, 1);
    clock.set({2026, 2, 3, 4, 5, 6});
    page.control_as<QLineEdit>(id_hour)->setText("22");
    sheet->tick();
    EXPECT_EQ(state().current_time, (CivilDateTime{2026, 2, 3, 4, 5, 6}));
    EXPECT_EQ(text_of(page, id_hour), "04");  // what was typed is overwritten
    EXPECT_EQ(text_of(page, id_day), "03");
    EXPECT_EQ(state().tick_in_progress, 0);

    // The events page never becomes active_page: ticks keep refreshing the
    // time page behind it.
    show_tab(6);
    EXPECT_EQ(state().active_page, 1);
    clock.set({2026, 2, 3, 4, 7, 0});
    sheet->tick();
    EXPECT_EQ(text_of(page, id_minute), "07");

    // The overview and horizon pages are invalidated without erasing.
    show_tab(1);
    EXPECT_EQ(state().active_page, 6);
    ASSERT_FALSE(sheet->seite6().paint_pending());
    sheet->tick();
    EXPECT_TRUE(sheet->seite6().paint_pending());
    settle();
    EXPECT_FALSE(sheet->seite6().paint_pending());
    show_tab(5);
    EXPECT_EQ(state().active_page, 5);
    show_tab(6);
    EXPECT_EQ(state().active_page, 5);
    clock.set({2026, 2, 3, 4, 9, 0});
    sheet->tick();
    EXPECT_TRUE(sheet->seite5().paint_pending());
    EXPECT_EQ(text_of(page, id_minute), "07");  // the time page is not refreshed now
    EXPECT_EQ(state().current_time.minute, 9);

    for (int tab : {2, 3, 4}) {
        show_tab(tab);
        EXPECT_EQ(state().active_page, sheet->page_at_tab(tab)->page_number());
    }
}

TEST_F(SheetTest, ActivationOfTheFirstFourPagesMarksTheChartStale) {
    open_sheet();
    // Tabs: 0 Zeit/Ort, 1 Horizont, 2 Mond, 3 Sonne, 4 Planeten, 5 Uebersicht, 6 Ereignisse.
    // The horizon view marks it on each paint, so showing it does too.
    const bool sets[] = {true, true, true, true, true, false, false};
    int previous = 0;
    for (int tab : {2, 1, 3, 5, 4, 6, 0, 1}) {
        ASSERT_NE(tab, previous);
        state().chart_stale = 0;
        show_tab(tab);
        EXPECT_EQ(state().chart_stale, sets[tab] ? 1 : 0) << "tab " << tab;
        previous = tab;
    }
}

// Summer time follows the clock's reading (see time_page_test.cpp) only
// while "Auto-Sommerzeit" is on.
TEST_F(SheetTest, WithoutAutomaticSummerTimeItStaysOff) {
    ScopedZone zone("Europe/Berlin");
    SettingsRecord r = default_settings();
    r.auto_summer_time = 0;
    write_settings(folder(), r);
    clock.set({2026, 7, 1, 12, 0, 0});
    clock.set_daylight(true);
    open_sheet();
    EXPECT_EQ(state().summer_time_active, 0);
    sheet->tick();
    EXPECT_EQ(state().summer_time_active, 0);
    EXPECT_EQ(text_of(sheet->seite1(), id_status), ">>Laufende Zeitmessung<<");
}

TEST_F(SheetTest, DeviceYearBefore1900GivesSecondZero) {
    ScopedZone zone("Europe/Berlin");
    clock.set({1850, 6, 1, 12, 0, 0});
    open_sheet();
    EXPECT_EQ(state().current_time, (CivilDateTime{1970, 1, 1, 1, 0, 0}));
}

TEST_F(SheetTest, ReadClockNormalisesThroughTheLocalTimeRules) {
    ScopedZone zone("Europe/Berlin");
    open_sheet();
    // 02:30 does not exist on 2026-03-29 in Berlin; the rules move it on.
    clock.set({2026, 3, 29, 2, 30, 0});
    sheet->read_clock();
    EXPECT_EQ(state().current_time, (CivilDateTime{2026, 3, 29, 3, 30, 0}));
}

TEST_F(SheetTest, TimerEventDrivesTheTick) {
    SettingsRecord r = default_settings();
    r.timer_period = 1;
    write_settings(folder(), r);
    open_sheet();
    clock.set({2026, 5, 5, 5, 5, 5});
    EXPECT_TRUE(QTest::qWaitFor([&] { return state().current_time.month == 5; }, 3000));
    settle();
    EXPECT_EQ(text_of(sheet->seite1(), id_month), "05");
}

}  // namespace
}  // namespace orbant
