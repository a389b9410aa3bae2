// SPDX-License-Identifier: GPL-3.0-or-later
// The setup and calendar dialogs and the time page's location and dialog
// buttons, driven offscreen with scripted file-dialog answers.
#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <fstream>
#include <functional>
#include <memory>
#include <iterator>
#include <vector>

#include "app/all_controls_sheet.h"
#include "pages/dialog_texts.h"
#include "ui/dialogs/kalender_dlg.h"
#include "core/location_file.h"
#include "core/settings_file.h"
#include "ui/dialogs/setup_dlg.h"
#include "ui/pages/cseite1.h"
#include "platform/clock.h"
#include "platform/qt/ddx.h"
#include "platform/qt/ui_services.h"

// Readable QString values in failure messages (found by argument lookup).
static void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace orbant {
namespace {

QLineEdit* line_edit(const QWidget* w) { return qobject_cast<QLineEdit*>(const_cast<QWidget*>(w)); }

void write_location(const QString& path, double lat, double lon, double zone) {
    LocationRecord r;
    r.latitude = lat;
    r.longitude = lon;
    r.time_zone = zone;
    std::string error;
    ASSERT_TRUE(write_location_file(path.toStdString(), r, error)) << error;
}

void write_raw(const QString& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path.toStdString(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// ---------------------------------------------------------------------------
// The setup dialog on its own.

// The controls against the template: template_fit_test.cpp.
TEST(SetupDialog, TitleFontAndFixedSize) {
    ScriptedUiServices ui;
    CSetupDlg dlg(ui);
    EXPECT_EQ(dlg.windowTitle(), "Setup");
    EXPECT_EQ(dlg.font().family(), "Liberation Sans");
    EXPECT_EQ(dlg.font().pointSize(), 8);
    const DialogUnits& u = dlg.built().units();
    EXPECT_EQ(dlg.size(), QSize(u.x_px(162), u.y_px(150)));
}

TEST(SetupDialog, FreshDialogAndFieldExchange) {
    ScriptedUiServices ui;
    CSetupDlg dlg(ui);
    // A freshly built dialog: zeros, both flags on, no name.
    EXPECT_EQ(dlg.fields().timer_period, 0);
    EXPECT_EQ(dlg.fields().time_zone, 0);
    EXPECT_EQ(dlg.fields().latitude, 0.0);
    EXPECT_EQ(dlg.fields().night_mode, 1);
    EXPECT_EQ(dlg.fields().auto_summer_time, 1);
    EXPECT_TRUE(dlg.fields().place_name.empty());

    dlg.fields().timer_period = -5;  // written as held; reading checks the range
    dlg.fields().latitude = 53.123456789012345;
    dlg.fields().longitude = -0.1;
    dlg.fields().time_zone = -3;
    dlg.fields().place_name = "K\xC3\xB6ln";
    dlg.fields().night_mode = 0;
    dlg.fields().auto_summer_time = 1;
    dlg.show();  // the controls are filled when the dialog first shows
    EXPECT_EQ(line_edit(dlg.control(1017))->text(), "-5");
    EXPECT_EQ(line_edit(dlg.control(1018))->text(), "53.1234567890123") << "15 significant digits";
    EXPECT_EQ(line_edit(dlg.control(1020))->text(), "-0.1");
    EXPECT_EQ(line_edit(dlg.control(1021))->text(), "-3");
    EXPECT_EQ(line_edit(dlg.control(1010))->text(), QString::fromUtf8("K\xC3\xB6ln"));
    EXPECT_FALSE(qobject_cast<QCheckBox*>(dlg.control(1081))->isChecked());
    EXPECT_TRUE(qobject_cast<QCheckBox*>(dlg.control(1031))->isChecked());

    line_edit(dlg.control(1017))->setText("3600");
    line_edit(dlg.control(1018))->setText(" -90 ");
    qobject_cast<QCheckBox*>(dlg.control(1081))->setChecked(true);
    qobject_cast<QCheckBox*>(dlg.control(1031))->setChecked(false);
    ASSERT_TRUE(dlg.read_fields());
    EXPECT_EQ(dlg.fields().latitude, -90.0);
    EXPECT_EQ(dlg.fields().night_mode, 1);
    EXPECT_EQ(dlg.fields().auto_summer_time, 0);
    EXPECT_EQ(dlg.fields().timer_period, 3600);
    EXPECT_TRUE(ui.messages.empty());
}

// A number outside its range is refused with the data exchange's range
// message; the field keeps its value and the dialog stays open.
TEST(SetupDialog, ValuesOutOfRangeAreRefused) {
    struct Case {
        int control;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {1017, "0", "Please enter an integer between 1 and 86400."},
        {1017, "86401", "Please enter an integer between 1 and 86400."},
        {1018, "90.000001", "Please enter a number between -90 and 90."},
        {1018, "1e300", "Please enter a number between -90 and 90."},
        {1020, "-360.5", "Please enter a number between -360 and 360."},
        {1021, "15", "Please enter an integer between -14 and 14."},
        {1021, "-15", "Please enter an integer between -14 and 14."},
    };
    for (const Case& c : cases) {
        ScriptedUiServices ui;
        CSetupDlg dlg(ui);
        dlg.fields().timer_period = 10;
        dlg.fields().latitude = 53.5;
        dlg.fields().longitude = 10.0;
        dlg.fields().time_zone = 1;
        dlg.show();
        line_edit(dlg.control(c.control))->setText(c.text);
        qobject_cast<QPushButton*>(dlg.control(1))->click();
        EXPECT_TRUE(dlg.isVisible()) << c.text;
        EXPECT_EQ(ui.message_texts(), QStringList{c.message}) << c.text;
        EXPECT_EQ(dlg.fields().timer_period, 10);
        EXPECT_EQ(dlg.fields().latitude, 53.5);
        EXPECT_EQ(dlg.fields().longitude, 10.0);
        EXPECT_EQ(dlg.fields().time_zone, 1);
    }
}

TEST(SetupDialog, PlaceNameEditTakesAtMost19Characters) {
    ScriptedUiServices ui;
    CSetupDlg dlg(ui);
    dlg.fields().timer_period = 10;  // a fresh dialog's 0 s is out of range
    dlg.show();
    auto* name = line_edit(dlg.control(1010));
    name->setFocus();
    QTest::keyClicks(name, "Ein sehr langer Ortsname");
    EXPECT_EQ(name->text(), "Ein sehr langer Ort");
    ASSERT_TRUE(dlg.read_fields());
    EXPECT_EQ(dlg.fields().place_name, "Ein sehr langer Ort");

    // A character that "Setup.dat" cannot hold is named, not silently changed.
    name->setText(QString::fromUtf8("Łódź"));
    EXPECT_FALSE(dlg.read_fields());
    EXPECT_EQ(ui.message_texts(),
              QStringList{QString::fromUtf8("Das Zeichen „Ł“ (U+0141) im Ortsnamen kann nicht gespeichert werden.")});
    EXPECT_EQ(dlg.fields().place_name, "Ein sehr langer Ort");
}

// "OK" checks the fields in control order; the first failure shows the
// standard message and keeps the dialog open.
TEST(SetupDialog, OkStaysOpenAfterAFailedCheck) {
    ScriptedUiServices ui;
    CSetupDlg dlg(ui);
    dlg.fields().timer_period = 10;
    dlg.fields().latitude = 53.5;
    dlg.show();
    auto* ok = qobject_cast<QPushButton*>(dlg.control(1));

    line_edit(dlg.control(1017))->setText("zehn");
    ok->click();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    ASSERT_EQ(ui.message_texts(), QStringList{"Please enter an integer."});
    EXPECT_EQ(dlg.fields().timer_period, 10) << "the failing field keeps its value";

    line_edit(dlg.control(1017))->setText("12");
    line_edit(dlg.control(1018))->setText("53,5");  // a decimal comma is not a number here
    ok->click();
    EXPECT_TRUE(dlg.isVisible());
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, "Please enter a number.");
    EXPECT_EQ(dlg.fields().latitude, 53.5);

    line_edit(dlg.control(1018))->setText("nan");
    ok->click();
    EXPECT_TRUE(dlg.isVisible()) << "a non-finite latitude is not a number";

    line_edit(dlg.control(1018))->setText("53.25");
    line_edit(dlg.control(1021))->setText("5.5");  // the zone is whole hours
    ok->click();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(ui.messages.back().text, "Please enter an integer.");

    line_edit(dlg.control(1021))->setText("5");
    ok->click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.fields().timer_period, 12);
    EXPECT_EQ(dlg.fields().latitude, 53.25);
    EXPECT_EQ(dlg.fields().time_zone, 5);
}

TEST(SetupDialog, LoadLocationFillsFieldsAndRewritesControls) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("Delhi.Indien.ort");
    write_location(path, 28.6139, 77.209, 5.5);

    ScriptedUiServices ui;
    CSetupDlg dlg(ui);
    dlg.fields().timer_period = 10;
    dlg.fields().place_name = "Hamburg";
    dlg.show();
    line_edit(dlg.control(1017))->setText("99");  // typed, not yet taken: lost by the load
    ui.file_answers.push_back(path);
    qobject_cast<QPushButton*>(dlg.control(1042))->click();

    ASSERT_EQ(ui.file_requests.size(), 1u);
    EXPECT_FALSE(ui.file_requests[0].save);
    EXPECT_EQ(ui.file_requests[0].initial_name, "*.ort");
    EXPECT_EQ(ui.file_requests[0].filter, "ORB-Dateien (*.ort)|*.ort|Alle Dateien (*.*)|*.*||");
    EXPECT_EQ(dlg.fields().place_name, "Delhi");
    EXPECT_EQ(dlg.fields().latitude, 28.6139);
    EXPECT_EQ(dlg.fields().longitude, 77.209);
    EXPECT_EQ(dlg.fields().time_zone, 5) << "5.5 h truncated toward zero";
    EXPECT_EQ(line_edit(dlg.control(1010))->text(), "Delhi");
    EXPECT_EQ(line_edit(dlg.control(1018))->text(), "28.6139");
    EXPECT_EQ(line_edit(dlg.control(1021))->text(), "5");
    EXPECT_EQ(line_edit(dlg.control(1017))->text(), "10");
    EXPECT_TRUE(dlg.isVisible()) << "the dialog stays open";
    EXPECT_TRUE(ui.messages.empty());
}

TEST(SetupDialog, FailedLoadChangesNoField) {
    QTemporaryDir dir;
    const QString short_file = dir.filePath("Kurz.ort");
    write_raw(short_file, std::vector<std::uint8_t>(31, 0));
    ScriptedUiServices ui;
    CSetupDlg dlg(ui);
    dlg.fields().place_name = "Hamburg";
    dlg.fields().latitude = 53.5;
    dlg.show();
    ui.file_answers.push_back(short_file);
    ui.file_answers.push_back(dir.filePath("Fehlt.ort"));
    ui.file_answers.push_back(QString());  // cancelled
    for (int i = 0; i < 3; ++i) qobject_cast<QPushButton*>(dlg.control(1042))->click();
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_TRUE(ui.messages[0].text.contains(short_file)) << ui.messages[0].text.toStdString();
    EXPECT_TRUE(ui.messages[1].text.contains("Fehlt.ort"));
    EXPECT_EQ(dlg.fields().place_name, "Hamburg");
    EXPECT_EQ(dlg.fields().latitude, 53.5);
    EXPECT_EQ(line_edit(dlg.control(1010))->text(), "Hamburg");
}

// ---------------------------------------------------------------------------
// The calendar dialog on its own.

TEST(CalendarDialog, MonthCalendarAndSelection) {
    CKalenderDLG dlg;
    EXPECT_EQ(dlg.windowTitle(), "Kalender");
    QCalendarWidget* cal = dlg.calendar();
    ASSERT_NE(cal, nullptr);
    EXPECT_EQ(cal, dlg.control(id_kalender_month_calendar));
    EXPECT_EQ(cal->selectedDate(), QDate::currentDate()) << "opens on the current date";

    EXPECT_FALSE(dlg.date_selected());
    cal->setSelectedDate(QDate(1850, 12, 31));
    EXPECT_TRUE(dlg.date_selected());
    EXPECT_EQ(dlg.selected_date(), QDate(1850, 12, 31));
}

TEST(CalendarDialog, ClickOnTheHighlightedDayCountsAsSelection) {
    CKalenderDLG dlg;
    dlg.show();
    QCalendarWidget* cal = dlg.calendar();
    ASSERT_FALSE(dlg.date_selected());
    // Clicking today's (already selected) day changes no selection; the
    // click alone must still count.
    emit cal->clicked(cal->selectedDate());
    EXPECT_TRUE(dlg.date_selected());
    EXPECT_EQ(dlg.selected_date(), cal->selectedDate());
}

// ---------------------------------------------------------------------------
// The time page's buttons on a whole sheet with a temporary settings folder.

class SheetDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        settings_folder_ = dir_.filePath("config").toStdString();
    }

    // Builds the sheet (a first start writes the Hamburg defaults).
    void make_sheet() {
        sheet_ = std::make_unique<CAllControlsSheet>(clock_, ui_, settings_folder_);
        sheet_->show();
        paint();
        ui_.messages.clear();
    }

    void paint() {
        page().repaint();
        QCoreApplication::processEvents();
    }

    CSeite1& page() { return sheet_->seite1(); }
    SheetState& state() { return sheet_->state(); }
    QString text(int id) {
        QWidget* w = page().control(id);
        if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
        if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
        if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
        return QStringLiteral("<no control>");
    }
    void press(int id) { qobject_cast<QPushButton*>(page().control(id))->click(); }

    SettingsRecord settings_on_disk() {
        SettingsRecord r;
        EXPECT_EQ(read_settings_file(settings_folder_ + "/Setup.dat", r), SettingsReadStatus::read);
        return r;
    }
    QString file(const QString& name) { return dir_.filePath(name); }

    // A modal script that runs `body` on the setup dialog, then presses the
    // button `button_id` and returns the dialog's result.
    void script_setup(std::function<void(CSetupDlg&)> body, int button_id) {
        ui_.modal_scripts.push_back([body, button_id](QDialog& d) {
            auto& dlg = dynamic_cast<CSetupDlg&>(d);
            body(dlg);
            qobject_cast<QPushButton*>(dlg.control(button_id))->click();
            return dlg.result();
        });
    }

    QTemporaryDir dir_;
    std::string settings_folder_;
    FakeClock clock_{CivilDateTime{2026, 1, 15, 14, 37, 42}, false};
    ScriptedUiServices ui_;
    std::unique_ptr<CAllControlsSheet> sheet_;
};

TEST_F(SheetDialogs, SaveAndLoadLocationRestoresThePlaceExactly) {
    make_sheet();
    state().observer_latitude = -33.86882;
    state().observer_longitude = 151.20929;
    state().time_zone = 5.5;
    state().place_name = "Vorher";
    const SettingsRecord stored_before = state().stored_settings;

    ui_.file_answers.push_back(file("Standort1"));  // typed without an extension
    press(id_save_location);
    ASSERT_EQ(ui_.file_requests.size(), 1u);
    const auto& save = ui_.file_requests[0];
    EXPECT_TRUE(save.save);
    EXPECT_EQ(save.initial_name, "Standort1.ort");
    EXPECT_EQ(save.filter, "Orb-Daten (*.ort)|*.ort|Alle Dateien (*.*)|*.*||");
    EXPECT_EQ(save.default_extension, "ort");
    EXPECT_TRUE(save.confirm_overwrite);
    ASSERT_TRUE(QFile::exists(file("Standort1.ort")));
    EXPECT_EQ(QFile(file("Standort1.ort")).size(), 32);
    EXPECT_EQ(state().place_name, "Vorher") << "saving does not rename the place";

    state().observer_latitude = 1.0;
    state().observer_longitude = 2.0;
    state().time_zone = 3.0;
    ui_.file_answers.push_back(file("Standort1.ort"));
    press(id_load_location);
    ASSERT_EQ(ui_.file_requests.size(), 2u);
    EXPECT_FALSE(ui_.file_requests[1].save);
    EXPECT_EQ(ui_.file_requests[1].initial_name, "*.ort");
    EXPECT_EQ(ui_.file_requests[1].filter, "ORB-Dateien (*.ort)|*.ort|Alle Dateien (*.*)|*.*||");
    EXPECT_EQ(state().place_name, "Standort1");
    EXPECT_EQ(state().observer_latitude, -33.86882);
    EXPECT_EQ(state().observer_longitude, 151.20929);
    EXPECT_EQ(state().time_zone, 5.5) << "the time page keeps the fraction";
    // Shown at once, without waiting for a paint.
    EXPECT_EQ(text(id_place_name), "Standort1");
    EXPECT_EQ(text(id_latitude), "-33.87");
    EXPECT_EQ(text(id_longitude), "151.21");
    EXPECT_EQ(text(id_time_zone), "+5");
    EXPECT_EQ(state().stored_settings.latitude, stored_before.latitude);
    EXPECT_EQ(settings_on_disk().latitude, 53.5) << "Setup.dat is not touched";
    EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(SheetDialogs, PlaceNameIsTheFileNameBeforeItsFirstDot) {
    make_sheet();
    write_location(file("Nord.Ost.ort"), 60.0, 25.0, 2.0);
    write_location(file("Ohnepunkt"), 61.0, 26.0, 3.0);
    ui_.file_answers.push_back(file("Nord.Ost.ort"));
    press(id_load_location);
    EXPECT_EQ(state().place_name, "Nord");
    EXPECT_EQ(text(id_place_name), "Nord");
    ui_.file_answers.push_back(file("Ohnepunkt"));
    press(id_load_location);
    EXPECT_EQ(state().place_name, "");
    EXPECT_EQ(state().observer_latitude, 61.0);
    EXPECT_EQ(text(id_place_name), "");
}

TEST_F(SheetDialogs, RefusedOrMissingFilesChangeNothing) {
    make_sheet();
    LocationRecord nan_place;
    nan_place.latitude = std::nan("");
    const auto nan_bytes = encode_location(nan_place);
    write_raw(file("Kurz.ort"), std::vector<std::uint8_t>(20, 0));
    write_raw(file("Nan.ort"), std::vector<std::uint8_t>(nan_bytes.begin(), nan_bytes.end()));
    const QStringList names = {"Kurz.ort", "Nan.ort", "Fehlt.ort"};
    for (const QString& name : names) ui_.file_answers.push_back(file(name));
    ui_.file_answers.push_back(QString());  // cancelled
    for (int i = 0; i < 4; ++i) press(id_load_location);

    ASSERT_EQ(ui_.messages.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(ui_.messages[static_cast<std::size_t>(i)].text.contains(file(names[i])))
            << ui_.messages[static_cast<std::size_t>(i)].text.toStdString();
        EXPECT_TRUE(ui_.messages[static_cast<std::size_t>(i)].text.startsWith("Die Standortdatei \""))
            << "in German: " << ui_.messages[static_cast<std::size_t>(i)].text.toStdString();
        EXPECT_EQ(ui_.messages[static_cast<std::size_t>(i)].kind, MessageKind::error);
    }
    EXPECT_EQ(state().place_name, "Hamburg") << "a failed load keeps the place name";
    EXPECT_EQ(state().observer_latitude, 53.5);
    EXPECT_EQ(state().observer_longitude, 10.0);
    EXPECT_EQ(state().time_zone, 1.0);
    EXPECT_EQ(text(id_place_name), "Hamburg");
}

TEST_F(SheetDialogs, SaveFailureIsReportedAndTypedNameMeetsTheOverwriteQuestion) {
    make_sheet();
    ui_.file_answers.push_back(file("fehlt/Ort.ort"));
    press(id_save_location);
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_TRUE(ui_.messages[0].text.contains(file("fehlt/Ort.ort")));
    EXPECT_FALSE(QFile::exists(file("fehlt/Ort.ort")));

    write_location(file("Berlin.ort"), 52.52, 13.405, 1.0);
    ui_.file_answers.push_back(file("Berlin"));  // becomes Berlin.ort, which exists
    ui_.yes_no_answers.push_back(false);
    press(id_save_location);
    ASSERT_EQ(ui_.questions.size(), 1u);
    EXPECT_TRUE(ui_.questions[0].contains("Berlin.ort"));
    LocationRecord r;
    std::string error;
    ASSERT_TRUE(read_location_file(file("Berlin.ort").toStdString(), r, error));
    EXPECT_EQ(r.latitude, 52.52) << "no: the file stays";

    ui_.file_answers.push_back(file("Berlin"));
    ui_.yes_no_answers.push_back(true);
    press(id_save_location);
    ASSERT_TRUE(read_location_file(file("Berlin.ort").toStdString(), r, error));
    EXPECT_EQ(r.latitude, 53.5) << "yes: replaced by the working place";
    EXPECT_EQ(ui_.messages.size(), 1u);
}

// The dialog starts from the stored settings, not from a place just taken
// over, and the time page shows the stored place again afterwards.
TEST_F(SheetDialogs, SetupShowsTheStoredPlaceAfterATakeOver) {
    make_sheet();
    write_location(file("Berlin.ort"), 52.52, 13.405, 1.0);
    ui_.file_answers.push_back(file("Berlin.ort"));
    press(id_load_location);
    qobject_cast<QLineEdit*>(page().control(id_latitude))->setText("40.25");
    press(id_take_location);
    ASSERT_EQ(state().observer_latitude, 40.25);
    ASSERT_EQ(state().place_name, "Berlin");

    QString shown_lat, shown_name;
    script_setup([&](CSetupDlg& dlg) {
        shown_lat = line_edit(dlg.control(id_setup_latitude))->text();
        shown_name = line_edit(dlg.control(id_setup_place_name))->text();
    }, id_dialog_cancel);
    press(id_settings);
    ASSERT_EQ(ui_.modal_dialogs.size(), 1u);
    EXPECT_EQ(shown_lat, "53.5");
    EXPECT_EQ(shown_name, "Hamburg");
    EXPECT_EQ(state().place_name, "Hamburg");
    EXPECT_EQ(state().observer_latitude, 53.5);
    paint();
    EXPECT_EQ(text(id_place_name), "Hamburg");
    EXPECT_EQ(text(id_latitude), "53.50");
}

TEST_F(SheetDialogs, ConfirmedSettingsReachTheWorkingPlaceOnlyAtTheNextOpening) {
    make_sheet();
    script_setup([](CSetupDlg& dlg) {
        line_edit(dlg.control(id_setup_latitude))->setText("48.25");
        line_edit(dlg.control(id_setup_timer_period))->setText("30");
        line_edit(dlg.control(id_setup_place_name))->setText(QString::fromUtf8("M\xC3\xBCnchen"));
        qobject_cast<QCheckBox*>(dlg.control(id_setup_night_mode))->setChecked(false);
    }, id_dialog_ok);
    press(id_settings);
    EXPECT_EQ(state().stored_settings.latitude, 48.25);
    EXPECT_EQ(state().stored_settings.timer_period, 30);
    EXPECT_EQ(state().stored_settings.night_mode, 0);
    const SettingsRecord disk = settings_on_disk();
    EXPECT_EQ(disk.latitude, 48.25);
    EXPECT_EQ(disk.timer_period, 30);
    EXPECT_EQ(stored_place_name(disk), "M\xC3\xBCnchen");
    // The working values stay.
    EXPECT_EQ(state().observer_latitude, 53.5);
    EXPECT_EQ(state().timer_period, 10);
    EXPECT_EQ(state().night_mode, 1);
    EXPECT_EQ(state().place_name, "Hamburg");
    EXPECT_EQ(sheet_->clock_timer_interval_ms(), 10000) << "the tick period changes only at the next start";
    paint();
    EXPECT_EQ(text(id_latitude), "53.50");

    QString shown_lat;
    script_setup([&](CSetupDlg& dlg) { shown_lat = line_edit(dlg.control(id_setup_latitude))->text(); },
                 id_dialog_cancel);
    press(id_settings);
    EXPECT_EQ(shown_lat, "48.25");
    EXPECT_EQ(state().observer_latitude, 48.25);
    EXPECT_EQ(state().place_name, "M\xC3\xBCnchen");
    paint();
    EXPECT_EQ(text(id_latitude), "48.25");
    EXPECT_EQ(text(id_place_name), QString::fromUtf8("M\xC3\xBCnchen"));
}

TEST_F(SheetDialogs, FractionalZoneIsCutToWholeHoursInTheSetupDialog) {
    // A stored zone of -3.5 shows as -3 and is stored as -3.0 on "OK".
    {
        SettingsRecord r = default_settings();
        r.time_zone = -3.5;
        std::string error;
        ASSERT_TRUE(save_settings(settings_folder_, r, error)) << error;
    }
    make_sheet();
    ASSERT_EQ(state().time_zone, -3.5);
    QString shown_zone;
    script_setup([&](CSetupDlg& dlg) { shown_zone = line_edit(dlg.control(id_setup_time_zone))->text(); },
                 id_dialog_ok);
    press(id_settings);
    EXPECT_EQ(shown_zone, "-3");
    EXPECT_EQ(state().stored_settings.time_zone, -3.0);
    EXPECT_EQ(settings_on_disk().time_zone, -3.0);
    EXPECT_EQ(state().time_zone, -3.5) << "the working zone is not changed by OK";

    // A location file's 5.5 is 5.5 on the time page and 5 in the dialog.
    write_location(file("Indien.ort"), 28.6, 77.2, 5.5);
    ui_.file_answers.push_back(file("Indien.ort"));
    press(id_load_location);
    EXPECT_EQ(state().time_zone, 5.5);
    QString loaded_zone, loaded_name;
    script_setup([&](CSetupDlg& dlg) {
        ui_.file_answers.push_back(file("Indien.ort"));
        qobject_cast<QPushButton*>(dlg.control(id_setup_load_location))->click();
        loaded_zone = line_edit(dlg.control(id_setup_time_zone))->text();
        loaded_name = line_edit(dlg.control(id_setup_place_name))->text();
    }, id_dialog_ok);
    press(id_settings);
    EXPECT_EQ(loaded_zone, "5");
    EXPECT_EQ(loaded_name, "Indien");
    EXPECT_EQ(settings_on_disk().time_zone, 5.0);
    EXPECT_EQ(stored_place_name(settings_on_disk()), "Indien");
}

TEST_F(SheetDialogs, SetupOkWithBadInputStaysOpenUntilCorrected) {
    make_sheet();
    bool open_after_bad = false;
    ui_.modal_scripts.push_back([&](QDialog& d) {
        auto& dlg = dynamic_cast<CSetupDlg&>(d);
        line_edit(dlg.control(id_setup_longitude))->setText("zehn");
        qobject_cast<QPushButton*>(dlg.control(id_dialog_ok))->click();
        open_after_bad = dlg.isVisible();
        line_edit(dlg.control(id_setup_longitude))->setText("11");
        qobject_cast<QPushButton*>(dlg.control(id_dialog_ok))->click();
        return dlg.result();
    });
    press(id_settings);
    EXPECT_TRUE(open_after_bad);
    EXPECT_EQ(ui_.message_texts(), QStringList{"Please enter a number."});
    EXPECT_EQ(settings_on_disk().longitude, 11.0);
}

TEST_F(SheetDialogs, CalendarKeepsHourAndMinuteAndStopsTheClock) {
    make_sheet();
    ASSERT_EQ(state().current_time, (CivilDateTime{2026, 1, 15, 14, 37, 42}));
    ASSERT_EQ(state().clock_stopped, 0);
    ui_.modal_scripts.push_back([](QDialog& d) {
        auto& dlg = dynamic_cast<CKalenderDLG&>(d);
        dlg.calendar()->setSelectedDate(QDate(1969, 7, 20));  // outside 1970-2038: accepted
        qobject_cast<QPushButton*>(dlg.control(id_dialog_ok))->click();
        return dlg.result();
    });
    press(id_calendar);
    ASSERT_EQ(ui_.modal_dialogs.size(), 1u);
    EXPECT_EQ(ui_.modal_dialogs[0], "CKalenderDLG");
    EXPECT_EQ(state().current_time, (CivilDateTime{1969, 7, 20, 14, 37, 0}));
    EXPECT_EQ(state().clock_stopped, 1);
    // The fields are written as plain decimal and survive the repaint.
    paint();
    EXPECT_EQ(text(id_day), "20");
    EXPECT_EQ(text(id_month), "7");
    EXPECT_EQ(text(id_year), "1969");
    EXPECT_EQ(text(id_hour), "14");
    EXPECT_EQ(text(id_minute), "37");
    EXPECT_TRUE(text(id_status).startsWith(">>Zeitmessung angehalten"));
    clock_.set(CivilDateTime{2026, 1, 15, 15, 0, 0});
    sheet_->tick();
    EXPECT_EQ(state().current_time, (CivilDateTime{1969, 7, 20, 14, 37, 0})) << "the stopped clock stays";
}

TEST_F(SheetDialogs, CalendarOpensOnTheDeviceClocksDate) {
    clock_.set(CivilDateTime{2031, 5, 10, 12, 0, 0});
    make_sheet();
    QDate shown;
    bool chosen = true;
    ui_.modal_scripts.push_back([&](QDialog& d) {
        auto& dlg = dynamic_cast<CKalenderDLG&>(d);
        shown = dlg.calendar()->selectedDate();
        chosen = dlg.date_selected();
        return QDialog::Rejected;
    });
    press(id_calendar);
    EXPECT_EQ(shown, QDate(2031, 5, 10));
    EXPECT_FALSE(chosen) << "opening is no choice";
}

TEST_F(SheetDialogs, CalendarCancelOrOkWithoutChoiceChangesNothing) {
    make_sheet();
    const CivilDateTime before = state().current_time;
    ui_.modal_scripts.push_back([](QDialog& d) {
        auto& dlg = dynamic_cast<CKalenderDLG&>(d);
        dlg.calendar()->setSelectedDate(QDate(2030, 5, 5));
        qobject_cast<QPushButton*>(dlg.control(id_dialog_cancel))->click();
        return dlg.result();
    });
    ui_.modal_scripts.push_back([](QDialog& d) {
        qobject_cast<QPushButton*>(dynamic_cast<CKalenderDLG&>(d).control(id_dialog_ok))->click();
        return d.result();
    });
    press(id_calendar);
    press(id_calendar);
    EXPECT_EQ(ui_.modal_dialogs.size(), 2u);
    EXPECT_EQ(state().current_time, before);
    EXPECT_EQ(state().clock_stopped, 0);
}

}  // namespace
}  // namespace orbant
