// The setup and calendar dialogs and the time page's location and dialog
// buttons, driven offscreen with scripted file-dialog answers.
#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <fstream>
#include <iterator>
#include <vector>

#include "app/all_controls_sheet.h"
#include "app/dialog_texts.h"
#include "app/kalender_dlg.h"
#include "app/location_file.h"
#include "app/settings_file.h"
#include "app/setup_dlg.h"
#include "pages/cseite1.h"
#include "platform/clock.h"
#include "platform/qt/ddx.h"
#include "platform/qt/ui_services.h"

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

struct ExpectedControl {
    int id;
    const char* widget_class;
    const char* caption;
    int x, y, w, h;
};

TEST(SetupDialog, ControlsCaptionsGeometryAndFont) {
    ScriptedUiServices ui;
    CSetupDlg dlg(ui);
    EXPECT_EQ(dlg.windowTitle(), "Setup");
    EXPECT_EQ(dlg.font().family(), "Liberation Sans");
    EXPECT_EQ(dlg.font().pointSize(), 8);
    const DialogUnits& u = dlg.built().units();
    EXPECT_EQ(dlg.size(), QSize(u.x_px(162), u.y_px(150)));

    const ExpectedControl expected[] = {
        {1017, "QLineEdit", "", 90, 16, 40, 12},
        {1018, "QLineEdit", "", 90, 42, 40, 12},
        {1020, "QLineEdit", "", 90, 56, 40, 12},
        {1021, "QLineEdit", "", 90, 70, 40, 12},
        {1010, "QLineEdit", "", 90, 84, 40, 12},
        {1042, "QPushButton", "Standort laden", 48, 104, 61, 12},
        {1081, "QCheckBox", "Nachtmodus", 13, 124, 55, 10},
        {1031, "QCheckBox", "Auto-Sommerzeit", 13, 136, 71, 10},
        {1, "QPushButton", "OK", 104, 119, 39, 12},
        {2, "QPushButton", "Abbrechen", 104, 134, 39, 12},
    };
    for (const auto& e : expected) {
        QWidget* w = dlg.control(e.id);
        ASSERT_NE(w, nullptr) << e.id;
        EXPECT_TRUE(w->inherits(e.widget_class)) << e.id;
        EXPECT_EQ(w->objectName(), QString::number(e.id));
        EXPECT_EQ(w->geometry(), u.rect_px(e.x, e.y, e.w, e.h)) << e.id;
        if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            EXPECT_EQ(b->text(), QString::fromUtf8(e.caption)) << e.id;
        }
    }
    EXPECT_TRUE(qobject_cast<QPushButton*>(dlg.control(1))->isDefault());
    EXPECT_FALSE(qobject_cast<QPushButton*>(dlg.control(2))->isDefault());

    QStringList labels;
    for (auto* l : dlg.findChildren<QLabel*>()) labels << l->text();
    for (const char* t : {"Zeittakt (Sec.):", "Geograph. Breite:", "Geograph. Länge:", "Zeitzone:", "Standort:"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(t))) << t;
    QStringList groups;
    for (auto* g : dlg.findChildren<QGroupBox*>()) groups << g->title();
    EXPECT_TRUE(groups.contains("Timer"));
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

    dlg.fields().timer_period = -5;  // no range checks
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

    line_edit(dlg.control(1018))->setText(" 100.5 ");
    qobject_cast<QCheckBox*>(dlg.control(1081))->setChecked(true);
    qobject_cast<QCheckBox*>(dlg.control(1031))->setChecked(false);
    ASSERT_TRUE(dlg.read_fields());
    EXPECT_EQ(dlg.fields().latitude, 100.5) << "out of any sensible range, stored as entered";
    EXPECT_EQ(dlg.fields().night_mode, 1);
    EXPECT_EQ(dlg.fields().auto_summer_time, 0);
    EXPECT_EQ(dlg.fields().timer_period, -5);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(SetupDialog, PlaceNameEditTakesAtMost19Characters) {
    ScriptedUiServices ui;
    CSetupDlg dlg(ui);
    dlg.show();
    auto* name = line_edit(dlg.control(1010));
    name->setFocus();
    QTest::keyClicks(name, "Ein sehr langer Ortsname");
    EXPECT_EQ(name->text(), "Ein sehr langer Ort");
    ASSERT_TRUE(dlg.read_fields());
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
    const DialogUnits& u = dlg.built().units();
    QCalendarWidget* cal = dlg.calendar();
    ASSERT_NE(cal, nullptr);
    EXPECT_EQ(cal->objectName(), "1032");
    EXPECT_EQ(cal->geometry(), u.rect_px(9, 12, 144, 110));
    EXPECT_EQ(dlg.control(1)->geometry(), u.rect_px(37, 132, 39, 12));
    EXPECT_EQ(dlg.control(2)->geometry(), u.rect_px(85, 132, 39, 12));
    EXPECT_TRUE(qobject_cast<QPushButton*>(dlg.control(1))->isDefault());
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

}  // namespace
}  // namespace orbant
