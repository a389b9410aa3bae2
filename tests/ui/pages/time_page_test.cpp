// SPDX-License-Identifier: GPL-3.0-or-later
// The "Zeit/Ort" page driven through its real widgets: controls by id,
// buttons pressed with the mouse, a fake clock and scripted messages.
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <functional>

#include "pages/sun_texts.h"
#include "platform/qt/ddx.h"
#include "ui/dialogs/kalender_dlg.h"
#include "ui/dialogs/setup_dlg.h"
#include "ui/pages/cseite1.h"
#include "tests/app/sheet_fixture.h"

namespace orbant {
namespace {

using testing::ScopedZone;
using testing::SheetFixture;

class TimePageTest : public SheetFixture {
protected:
    CSeite1& page() { return sheet->seite1(); }
    QLineEdit* edit(int id) { return page().control_as<QLineEdit>(id); }
    QString text(int id) {
        if (auto* e = edit(id)) return e->text();
        if (auto* l = page().control_as<QLabel>(id)) return l->text();
        return QStringLiteral("<none>");
    }
    void press(int id) {
        auto* b = page().control_as<QPushButton>(id);
        ASSERT_NE(b, nullptr) << id;
        ASSERT_TRUE(b->isVisible()) << id;
        QTest::mouseClick(b, Qt::LeftButton);
        settle();
    }
    void type(int id, const QString& value) {
        QLineEdit* e = edit(id);
        ASSERT_NE(e, nullptr) << id;
        e->setText(value);
    }
    // Stops the clock at a given instant as the user would: type the fields
    // and press "Stop/Enter".
    void enter_time(int year, int month, int day, int hour, int minute) {
        type(id_day, QString::number(day));
        type(id_month, QString::number(month));
        type(id_year, QString::number(year));
        type(id_hour, QString::number(hour));
        type(id_minute, QString::number(minute));
        press(id_stop_enter);
    }
    void repaint_page() {
        page().invalidate(true);
        settle();
    }
};

// The page's controls against its template are checked for every template
// in template_fit_test.cpp.
TEST_F(TimePageTest, TemplateFontAndPreferredSize) {
    open_sheet();
    EXPECT_EQ(&page().dialog_template(), &cseite1_template);
    EXPECT_EQ(page().font().family(), "Liberation Sans");
    EXPECT_EQ(page().font().pointSize(), 8);
    const DialogUnits& u = page().built().units();
    EXPECT_GT(u.avg_char_width, 2);
    EXPECT_GT(u.char_height, 5);
    // The template size is the page's preferred size; the page itself fills
    // the area the sheet gives it.
    EXPECT_EQ(page().sizeHint(), QSize(u.x_px(162), u.y_px(150)));
    EXPECT_GE(page().width(), u.x_px(162));
    EXPECT_GE(page().height(), u.y_px(150));
}

TEST_F(TimePageTest, HourAndMinuteTakeDigitsOnly) {
    open_sheet();
    edit(id_hour)->clear();
    QTest::keyClicks(edit(id_hour), "-1a7");
    EXPECT_EQ(text(id_hour), "17");
    edit(id_day)->clear();
    QTest::keyClicks(edit(id_day), "-3");
    EXPECT_EQ(text(id_day), "-3");
}

TEST_F(TimePageTest, ZoneListHas24EntriesFromPlus12ToMinus11) {
    open_sheet();
    QComboBox* zone = page().zone_list();
    ASSERT_NE(zone, nullptr);
    ASSERT_EQ(zone->count(), 24);
    EXPECT_EQ(zone->itemText(0), "+12");
    EXPECT_EQ(zone->itemText(11), "+1");
    EXPECT_EQ(zone->itemText(12), "0");
    EXPECT_EQ(zone->itemText(23), "-11");
    EXPECT_EQ(zone->currentIndex(), 11);
}

TEST_F(TimePageTest, FractionalZoneSelectsItsWholeHourAndTakingItOverRoundsIt) {
    open_sheet();
    state().time_zone = 5.5;
    repaint_page();
    EXPECT_EQ(page().zone_list()->currentText(), "+5");
    type(id_latitude, "12.25");
    type(id_longitude, "-77.5");
    const SettingsRecord stored = state().stored_settings;
    press(id_take_location);
    EXPECT_EQ(state().time_zone, 5.0);
    EXPECT_EQ(state().observer_latitude, 12.25);
    EXPECT_EQ(state().observer_longitude, -77.5);
    EXPECT_EQ(state().place_name, "Hamburg");
    EXPECT_EQ(encode_settings(state().stored_settings), encode_settings(stored));
    EXPECT_EQ(text(id_latitude), "12.25");
    EXPECT_EQ(text(id_longitude), "-77.50");

    // Choosing another entry takes its zone.
    page().zone_list()->setCurrentIndex(16);  // "-4"
    press(id_take_location);
    EXPECT_EQ(state().time_zone, -4.0);
}

TEST_F(TimePageTest, ZonesOutsideTheListSelectNothingAndStay) {
    open_sheet();
    for (double z : {-12.0, 13.0}) {
        state().time_zone = z;
        repaint_page();
        EXPECT_EQ(page().zone_list()->currentIndex(), -1) << z;
        press(id_take_location);
        EXPECT_EQ(state().time_zone, z);
    }
}

TEST_F(TimePageTest, BadCoordinateIsReportedAndTheWorkingValueKept) {
    struct Case {
        const char* latitude;
        const char* longitude;
        const char* message;
    };
    const Case cases[] = {
        {"12,5", "8.25", "Please enter a number."},
        {"90.5", "8.25", "Please enter a number between -90 and 90."},
        {"53.5", "1e300", "Please enter a number between -360 and 360."},
    };
    for (const Case& c : cases) {
        open_sheet();
        ui.messages.clear();
        type(id_latitude, c.latitude);
        type(id_longitude, c.longitude);
        press(id_take_location);
        EXPECT_EQ(ui.message_texts(), QStringList{c.message}) << c.latitude << " " << c.longitude;
        // Reading stopped at the bad field: the working place is unchanged.
        EXPECT_EQ(state().observer_latitude, 53.5);
        EXPECT_EQ(state().observer_longitude, 10.0);
    }
}

TEST_F(TimePageTest, StopEnterTakesTheFieldsAndStopsTheClock) {
    open_sheet();
    enter_time(2024, 2, 29, 23, 59);
    EXPECT_EQ(state().clock_stopped, 1);
    EXPECT_EQ(state().current_time, (CivilDateTime{2024, 2, 29, 23, 59, 0}));
    EXPECT_EQ(text(id_status), ">>Zeitmessung angehalten (Winterzeit)<<");
    // The fields keep what was typed (no leading zeros written).
    EXPECT_EQ(text(id_month), "2");
    // Ticks change nothing while stopped.
    clock.set({2030, 1, 1, 0, 0, 0});
    sheet->tick();
    settle();
    EXPECT_EQ(state().current_time, (CivilDateTime{2024, 2, 29, 23, 59, 0}));
    EXPECT_EQ(text(id_month), "2");

    // "Aktuelle Zeit/Datum" runs the clock again from the device's time.
    press(id_current_time);
    EXPECT_EQ(state().clock_stopped, 0);
    EXPECT_EQ(state().current_time, (CivilDateTime{2030, 1, 1, 0, 0, 0}));
    EXPECT_EQ(text(id_month), "01");
    EXPECT_EQ(text(id_status), ">>Laufende Zeitmessung (Winterzeit)<<");
}

TEST_F(TimePageTest, StopEnterWithANonNumberStillStopsWithWhatWasRead) {
    open_sheet();  // 2026-01-15 12:00
    type(id_day, "3");
    type(id_month, "x");
    type(id_year, "1999");
    press(id_stop_enter);
    EXPECT_EQ(ui.message_texts(), QStringList{"Please enter an integer."});
    EXPECT_EQ(state().clock_stopped, 1);
    // The day was read; the month and everything after it kept their fields.
    EXPECT_EQ(state().current_time, (CivilDateTime{2026, 1, 3, 12, 0, 0}));
}

TEST_F(TimePageTest, DayForwardIntoTheLastYearThenRefused) {
    open_sheet();
    enter_time(2038, 12, 31, 12, 0);
    press(id_day_forward);
    EXPECT_EQ(state().current_time, (CivilDateTime{2039, 1, 1, 12, 0, 0}));
    EXPECT_EQ(text(id_day), "1");  // plain decimal after a step
    EXPECT_EQ(text(id_month), "1");
    EXPECT_EQ(text(id_year), "2039");
    EXPECT_EQ(text(id_hour), "12");
    EXPECT_EQ(text(id_minute), "0");
    EXPECT_TRUE(ui.messages.empty());
    for (int id : {id_day_forward, id_day_back, id_hour_back, id_hour_forward}) {
        press(id);
        EXPECT_EQ(state().current_time, (CivilDateTime{2039, 1, 1, 12, 0, 0}));
    }
    ASSERT_EQ(ui.messages.size(), 4u);
    for (const auto& m : ui.messages)
        EXPECT_EQ(m.text, "Diese Funktion kann nur für die Jahre 1970 bis 2038 genutzt werden");
    EXPECT_EQ(text(id_year), "2039");
}

TEST_F(TimePageTest, YearsBefore1970AreRefused) {
    open_sheet();
    enter_time(1969, 12, 31, 23, 0);
    press(id_hour_forward);
    EXPECT_EQ(ui.message_texts(), QStringList{"Diese Funktion kann nur für die Jahre 1970 bis 2038 genutzt werden"});
    EXPECT_EQ(state().current_time, (CivilDateTime{1969, 12, 31, 23, 0, 0}));
}

TEST_F(TimePageTest, HourBackAtHalfPastMidnightOnTheFirst) {
    open_sheet();
    enter_time(2026, 3, 1, 0, 30);
    press(id_hour_back);
    EXPECT_EQ(state().current_time, (CivilDateTime{2026, 2, 28, 23, 30, 0}));
    enter_time(2024, 3, 1, 0, 30);
    press(id_hour_back);
    EXPECT_EQ(state().current_time, (CivilDateTime{2024, 2, 29, 23, 30, 0}));
    enter_time(2026, 1, 1, 0, 30);
    press(id_hour_back);
    EXPECT_EQ(state().current_time, (CivilDateTime{2025, 12, 31, 23, 30, 0}));
    press(id_hour_forward);
    press(id_day_back);
    EXPECT_EQ(state().current_time, (CivilDateTime{2025, 12, 31, 0, 30, 0}));
}

TEST_F(TimePageTest, StepsStopARunningClock) {
    open_sheet();  // running at 2026-01-15 12:00:00
    ASSERT_EQ(state().clock_stopped, 0);
    press(id_hour_forward);
    EXPECT_EQ(state().clock_stopped, 1);
    EXPECT_EQ(state().current_time, (CivilDateTime{2026, 1, 15, 13, 0, 0}));
    EXPECT_EQ(text(id_status), ">>Zeitmessung angehalten (Winterzeit)<<");
}

TEST_F(TimePageTest, DayStepAcrossSummerTimeMovesTheClockByAnHour) {
    ScopedZone zone("Europe/Berlin");
    open_sheet();
    enter_time(2026, 3, 28, 12, 0);
    press(id_day_forward);
    EXPECT_EQ(state().current_time, (CivilDateTime{2026, 3, 29, 13, 0, 0}));
    EXPECT_EQ(text(id_hour), "13");
    press(id_day_back);
    EXPECT_EQ(state().current_time, (CivilDateTime{2026, 3, 28, 12, 0, 0}));
    enter_time(2026, 10, 24, 12, 0);
    press(id_day_forward);
    EXPECT_EQ(state().current_time, (CivilDateTime{2026, 10, 25, 11, 0, 0}));
    // ">" walks through both 02:30s of the repeated hour, "<" back again.
    enter_time(2026, 10, 25, 1, 30);
    for (int hour : {2, 2, 3}) {
        press(id_hour_forward);
        EXPECT_EQ(state().current_time, (CivilDateTime{2026, 10, 25, hour, 30, 0}));
    }
    for (int hour : {2, 2, 1}) {
        press(id_hour_back);
        EXPECT_EQ(state().current_time, (CivilDateTime{2026, 10, 25, hour, 30, 0}));
    }
}

// An impossible date or time is refused with the range message, the field
// keeps the focus, and the displayed instant and the clock stay as they were.
TEST_F(TimePageTest, StopEnterRefusesImpossibleDatesAndTimes) {
    struct Case {
        int day, month, year, hour, minute;
        int field;
        const char* message;
    };
    const Case cases[] = {
        {32, 12, 2026, 10, 0, id_day, "Please enter an integer between 1 and 31."},
        {31, 4, 2026, 10, 0, id_day, "Please enter an integer between 1 and 30."},
        {29, 2, 2026, 10, 0, id_day, "Please enter an integer between 1 and 28."},
        {30, 2, 2024, 10, 0, id_day, "Please enter an integer between 1 and 29."},
        {30, 2, 2000, 10, 0, id_day, "Please enter an integer between 1 and 29."},
        {29, 2, 1900, 10, 0, id_day, "Please enter an integer between 1 and 28."},
        {0, 1, 2026, 10, 0, id_day, "Please enter an integer between 1 and 31."},
        {5, 13, 2026, 10, 0, id_month, "Please enter an integer between 1 and 12."},
        {5, 0, 2026, 10, 0, id_month, "Please enter an integer between 1 and 12."},
        {5, 6, 2026, 24, 0, id_hour, "Please enter an integer between 0 and 23."},
        {5, 6, 2026, 10, 60, id_minute, "Please enter an integer between 0 and 59."},
    };
    open_sheet();
    for (const bool stopped : {true, false}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << c.day << "." << c.month << "." << c.year << " " << c.hour << ":"
                                              << c.minute << (stopped ? " stopped" : " running"));
            if (stopped)
                enter_time(2026, 1, 10, 8, 0);
            else
                press(id_current_time);
            const CivilDateTime before = state().current_time;
            ui.messages.clear();
            enter_time(c.year, c.month, c.day, c.hour, c.minute);
            EXPECT_EQ(ui.message_texts(), QStringList{c.message});
            EXPECT_TRUE(edit(c.field)->hasFocus());
            EXPECT_EQ(state().current_time, before);
            EXPECT_EQ(state().clock_stopped, stopped ? 1 : 0);
        }
    }
    // The last day of a leap February and Return in a field are taken.
    ui.messages.clear();
    type(id_day, "29");
    type(id_month, "2");
    type(id_year, "2024");
    type(id_hour, "23");
    type(id_minute, "59");
    QTest::keyClick(edit(id_minute), Qt::Key_Return);
    settle();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(state().current_time, (CivilDateTime{2024, 2, 29, 23, 59, 0}));
    type(id_minute, "75");
    QTest::keyClick(edit(id_minute), Qt::Key_Return);
    settle();
    EXPECT_EQ(ui.message_texts(), QStringList{"Please enter an integer between 0 and 59."});
    EXPECT_EQ(state().current_time, (CivilDateTime{2024, 2, 29, 23, 59, 0}));
}

// Summer time follows the displayed instant whichever way it changes: the
// tick, "Stop/Enter", the steps (through both halves of the repeated hour),
// the calendar and the setup dialog's "Auto-Sommerzeit".
TEST_F(TimePageTest, SummerTimeFollowsTheDisplayedInstant) {
    ScopedZone zone("Europe/Berlin");
    clock.set({2026, 6, 20, 12, 0, 0});
    clock.set_daylight(true);
    open_sheet();
    ASSERT_EQ(state().summer_time_active, 1);
    const auto choose_day = [this](QDate date) {
        ui.modal_scripts.push_back([date](QDialog& d) {
            auto& dlg = dynamic_cast<CKalenderDLG&>(d);
            dlg.calendar()->setSelectedDate(date);
            return int(QDialog::Accepted);
        });
        press(id_calendar);
    };
    const auto set_auto = [this](bool on) {
        ui.modal_scripts.push_back([on](QDialog& d) {
            auto& dlg = dynamic_cast<CSetupDlg&>(d);
            qobject_cast<QCheckBox*>(dlg.control(id_setup_auto_summer_time))->setChecked(on);
            qobject_cast<QPushButton*>(dlg.control(id_dialog_ok))->click();
            return dlg.result();
        });
        press(id_settings);
    };
    struct Action {
        const char* name;
        std::function<void()> act;
        CivilDateTime shown;
        int summer;
        const char* status;
    };
    const Action actions[] = {
        {"Stop/Enter in winter", [&] { enter_time(2026, 12, 8, 21, 30); }, {2026, 12, 8, 21, 30, 0}, 0,
         ">>Zeitmessung angehalten (Winterzeit)<<"},
        {"calendar in summer", [&] { choose_day(QDate(2026, 8, 1)); }, {2026, 8, 1, 21, 30, 0}, 1,
         ">>Zeitmessung angehalten (Sommerzeit)<<"},
        {"Auto-Sommerzeit off", [&] { set_auto(false); }, {2026, 8, 1, 21, 30, 0}, 0, ">>Zeitmessung angehalten<<"},
        {"Auto-Sommerzeit on", [&] { set_auto(true); }, {2026, 8, 1, 21, 30, 0}, 1,
         ">>Zeitmessung angehalten (Sommerzeit)<<"},
        {"the night summer time ends", [&] { enter_time(2026, 10, 25, 1, 30); }, {2026, 10, 25, 1, 30, 0}, 1,
         nullptr},
        {"> first 02:30", [&] { press(id_hour_forward); }, {2026, 10, 25, 2, 30, 0}, 1, nullptr},
        {"> second 02:30", [&] { press(id_hour_forward); }, {2026, 10, 25, 2, 30, 0}, 0, nullptr},
        {"< first 02:30", [&] { press(id_hour_back); }, {2026, 10, 25, 2, 30, 0}, 1, nullptr},
        {"<< into summer", [&] { press(id_day_back); }, {2026, 10, 24, 2, 30, 0}, 1, nullptr},
        {">> back to the first 02:30", [&] { press(id_day_forward); }, {2026, 10, 25, 2, 30, 0}, 1, nullptr},
        {">> into winter", [&] { press(id_day_forward); }, {2026, 10, 26, 1, 30, 0}, 0, nullptr},
        {"the clock in winter", [&] { clock.set({2026, 12, 8, 21, 30, 0}); clock.set_daylight(false);
                                      press(id_current_time); }, {2026, 12, 8, 21, 30, 0}, 0,
         ">>Laufende Zeitmessung (Winterzeit)<<"},
        {"a tick in the first 02:30", [&] { clock.set({2026, 10, 25, 2, 30, 0}); clock.set_daylight(true);
                                            sheet->tick(); settle(); }, {2026, 10, 25, 2, 30, 0}, 1,
         ">>Laufende Zeitmessung (Sommerzeit)<<"},
        {"a tick in the second 02:30", [&] { clock.set_daylight(false); sheet->tick(); settle(); },
         {2026, 10, 25, 2, 30, 0}, 0, ">>Laufende Zeitmessung (Winterzeit)<<"},
    };
    for (const Action& a : actions) {
        SCOPED_TRACE(a.name);
        a.act();
        EXPECT_EQ(state().current_time, a.shown);
        EXPECT_EQ(state().summer_time_active, a.summer);
        if (a.status) {
            EXPECT_EQ(text(id_status), a.status);
        }
    }
    EXPECT_TRUE(ui.messages.empty()) << ui.message_texts().join("; ").toStdString();

    // Hamburg on the winter evening shows its sunrise and sunset in CET.
    enter_time(2026, 12, 8, 21, 30);
    const PageTexts sun = sun_page_texts(state());
    EXPECT_EQ(*sun.find(sun_rise_id), "08:22");
    EXPECT_EQ(*sun.find(sun_set_id), "16:01");
}

TEST_F(TimePageTest, StatusLineFollowsTheSummerTimeSetting) {
    open_sheet();
    state().summer_time_active = 1;
    repaint_page();
    EXPECT_EQ(text(id_status), ">>Laufende Zeitmessung (Sommerzeit)<<");
    state().auto_summer_time = 0;
    repaint_page();
    EXPECT_EQ(text(id_status), ">>Laufende Zeitmessung<<");
    press(id_stop_enter);
    EXPECT_EQ(text(id_status), ">>Zeitmessung angehalten<<");
}

TEST_F(TimePageTest, PaintShowsTheWorkingPlace) {
    open_sheet();
    state().observer_latitude = -33.925;
    state().observer_longitude = 151.2;
    state().place_name = "Sydney";
    state().active_page = 3;
    repaint_page();
    EXPECT_EQ(text(id_latitude), "-33.92");
    EXPECT_EQ(text(id_longitude), "151.20");
    EXPECT_EQ(text(id_place_name), "Sydney");
    EXPECT_EQ(state().active_page, 1);
}

TEST_F(TimePageTest, TheTickLeavesTheFieldBeingTypedIn) {
    open_sheet();  // running at 2026-01-15 12:00
    QLineEdit* minute = edit(id_minute);
    minute->setFocus();
    minute->selectAll();
    QTest::keyClicks(minute, "1");
    clock.set({2026, 1, 15, 13, 7, 0});
    sheet->tick();
    settle();
    EXPECT_EQ(text(id_minute), "1") << "the field being typed in stays";
    EXPECT_EQ(text(id_hour), "13") << "the other fields follow the clock";
    QTest::keyClicks(minute, "5");
    EXPECT_EQ(text(id_minute), "15");
    // Once entered, the field is the page's again.
    QTest::keyClick(minute, Qt::Key_Return);
    settle();
    EXPECT_EQ(state().clock_stopped, 1) << "Return in a time field is Stop/Enter";
    EXPECT_EQ(state().current_time, (CivilDateTime{2026, 1, 15, 13, 15, 0}));
    press(id_current_time);
    clock.set({2026, 1, 15, 13, 9, 0});
    sheet->tick();
    settle();
    EXPECT_EQ(text(id_minute), "09");
}

TEST_F(TimePageTest, ReturnInAPlaceFieldTakesThePlaceAndEscapeKeepsTheSheet) {
    open_sheet();
    QLineEdit* latitude = edit(id_latitude);
    latitude->setFocus();
    latitude->selectAll();
    QTest::keyClicks(latitude, "47.5");
    QTest::keyClick(latitude, Qt::Key_Escape);
    settle();
    EXPECT_TRUE(sheet->isVisible()) << "Escape does not close the sheet";
    EXPECT_EQ(text(id_latitude), "47.5") << "nor lose what was typed";
    QTest::keyClick(latitude, Qt::Key_Return);
    settle();
    EXPECT_EQ(state().observer_latitude, 47.5);
    QTest::keyClick(latitude, Qt::Key_Q, Qt::ControlModifier);
    settle();
    EXPECT_FALSE(sheet->isVisible()) << "Ctrl+Q closes it";
}


// A held step button repeats: every repeat is one step, the first stops the
// clock, and the release adds the last. A refused step ends the repeat, so
// its message comes once.
TEST_F(TimePageTest, HeldStepButtonsRepeatOneStepEach) {
    open_sheet();  // running at 2026-01-15 12:00:00
    auto* forward = page().control_as<QPushButton>(id_hour_forward);
    ASSERT_NE(forward, nullptr);
    int clicks = 0;
    QObject::connect(forward, &QPushButton::clicked, [&clicks] { ++clicks; });
    QTest::mousePress(forward, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&clicks] { return clicks >= 3; }, 5000));
    EXPECT_EQ(state().clock_stopped, 1);
    QTest::mouseRelease(forward, Qt::LeftButton);
    settle();
    ASSERT_LT(clicks, 12);
    EXPECT_EQ(state().current_time, (CivilDateTime{2026, 1, 15, 12 + clicks, 0, 0})) << clicks << " clicks";
    EXPECT_EQ(text(id_hour), QString::number(12 + clicks));

    enter_time(2038, 12, 31, 12, 0);
    auto* day_forward = page().control_as<QPushButton>(id_day_forward);
    ASSERT_NE(day_forward, nullptr);
    QTest::mousePress(day_forward, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !ui.messages.empty(); }, 5000));
    EXPECT_FALSE(day_forward->isDown());
    QTest::qWait(3 * day_forward->autoRepeatInterval());
    QTest::mouseRelease(day_forward, Qt::LeftButton);
    settle();
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(state().current_time, (CivilDateTime{2039, 1, 1, 12, 0, 0}));
}
}  // namespace
}  // namespace orbant
