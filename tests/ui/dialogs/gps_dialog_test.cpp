// SPDX-License-Identifier: GPL-3.0-or-later
// The GPS dialog and the time page's "GPS" button: with a fake receiver,
// and end to end with a real gpsd fed by the test log.
#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "app/all_controls_sheet.h"
#include "core/settings_file.h"
#include "ui/dialogs/cgps_dialog.h"
#include "ui/pages/cseite1.h"
#include "platform/gps.h"
#include "tests/support/gpsd_harness.h"
#include "tests/app/sheet_fixture.h"

namespace orbant {
namespace {

// The texts of the dialog's labels, in dialog order.
std::vector<std::string> shown_texts(const QDialog& dialog) {
    std::vector<std::string> texts;
    for (const ControlSpec& c : cgps_dialog_controls) {
        if (c.kind != ControlKind::text) continue;
        auto* label = dialog.findChild<QLabel*>(QString::number(c.id));
        texts.push_back(label ? label->text().toStdString() : "<missing>");
    }
    return texts;
}

std::string shown(const QDialog& dialog, int id) {
    auto* label = dialog.findChild<QLabel*>(QString::number(id));
    return label ? label->text().toStdString() : "<missing>";
}

void press(QDialog& dialog, int id) {
    auto* button = dialog.findChild<QPushButton*>(QString::number(id));
    ASSERT_TRUE(button);
    button->click();
}

class GpsButton : public testing::SheetFixture {
protected:
    FakeGpsDriver fake;

    void SetUp() override {
        open_sheet();
        sheet->set_gps_driver(fake);
        state().observer_latitude = 53.5;
        state().observer_longitude = 10.0;
        state().time_zone = 1.0;
        state().place_name = "Hamburg";
    }

    // Presses "GPS"; the dialog shows one refresh and then ends with the
    // button `ending`. Returns the texts it showed.
    std::vector<std::string> run_dialog(int ending) {
        std::vector<std::string> texts;
        ui.modal_scripts.push_back([&](QDialog& d) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return shown(d, gps_satellite_count_id) != "0"; }, 10000));
            texts = shown_texts(d);
            press(d, ending);
            return d.result();
        });
        sheet->seite1().findChild<QPushButton*>(QString::number(id_gps))->click();
        settle();
        return texts;
    }
};

TEST_F(GpsButton, WithoutReceiverSaysSoStaysOpenAndHandsNothingOver) {
    fake.receiver_present = false;
    const auto stored = encode_settings(state().stored_settings);
    const auto texts = run_dialog(id_gps_take);
    EXPECT_EQ(ui.message_texts(), QStringList{"Kein GPS gefunden."});
    ASSERT_EQ(texts.size(), 17u);
    EXPECT_EQ(texts[0], "Geogr. Länge = Suche Daten...");
    EXPECT_EQ(texts[1], "Geogr. Breite = Suche Daten...");
    EXPECT_EQ(texts[4], "0 Satelliten erfasst  (0D)");
    EXPECT_EQ(texts[16], "Sat. 11  ..........");
    EXPECT_EQ(state().observer_latitude, 53.5);
    EXPECT_EQ(state().observer_longitude, 10.0);
    EXPECT_EQ(encode_settings(state().stored_settings), stored);
}

TEST_F(GpsButton, TakesThePositionOnlyFromARefreshWithSatellitesAndOnUebernehmen) {
    const auto stored = encode_settings(state().stored_settings);
    fake.has_report = true;
    fake.report.latitude_deg = -33.9;
    fake.report.longitude_deg = 18.42;
    fake.report.fix_type = gps_fix_2d;

    fake.report.satellites_used = 0;  // searching
    run_dialog(id_gps_take);
    EXPECT_EQ(state().observer_latitude, 53.5);
    EXPECT_EQ(state().observer_longitude, 10.0);

    fake.report.satellites_used = 4;
    run_dialog(id_gps_cancel);
    EXPECT_EQ(state().observer_latitude, 53.5);

    const auto texts = run_dialog(id_gps_take);
    EXPECT_EQ(texts[0], "Geogr. Länge = 18.420000° Ost");
    EXPECT_EQ(texts[1], "Geogr. Breite = -33.900000° Süd");
    EXPECT_EQ(texts[4], "4 Satelliten erfasst  (2D)");
    EXPECT_EQ(state().observer_latitude, -33.9);
    EXPECT_EQ(state().observer_longitude, 18.42);
    EXPECT_EQ(state().time_zone, 1.0);
    EXPECT_EQ(state().place_name, "Hamburg");
    EXPECT_EQ(encode_settings(state().stored_settings), stored);
    // The page shows the new place.
    EXPECT_EQ(sheet->seite1().findChild<QLineEdit*>(QString::number(id_latitude))->text(), "-33.90");
    EXPECT_EQ(fake.open_devices(), 0);
}

TEST(GpsDialog, HoweverItEndsTheTimerStopsAndTheReceiverCloses) {
    const std::vector<std::pair<const char*, std::function<void(CGPSDialog&)>>> endings = {
        {"Uebernehmen", [](CGPSDialog& d) { press(d, id_gps_take); }},
        {"Abbrechen", [](CGPSDialog& d) { press(d, id_gps_cancel); }},
        {"close message", [](CGPSDialog& d) { d.close(); }},
    };
    for (const auto& [name, end] : endings) {
        FakeGpsDriver fake;
        ScriptedUiServices ui;
        CGPSDialog dialog(fake, ui);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        EXPECT_TRUE(dialog.timer_running()) << name;
        EXPECT_EQ(fake.open_devices(), 1) << name;
        // Timer 2 asks for a refresh.
        const int before = fake.queries();
        EXPECT_TRUE(QTest::qWaitFor([&] { return fake.queries() > before; }, 10000)) << name;
        end(dialog);
        EXPECT_FALSE(dialog.timer_running()) << name;
        EXPECT_EQ(fake.open_devices(), 0) << name;
        EXPECT_FALSE(dialog.isVisible()) << name;
    }
}

// --- With a real gpsd ------------------------------------------------------

class GpsdDialog : public testing::SheetFixture {
protected:
    testing::GpsdHarness gpsd;
    std::unique_ptr<LibgpsDriver> driver;

    void SetUp() override {
        std::string error;
        ASSERT_TRUE(gpsd.start(error)) << error;
        driver = std::make_unique<LibgpsDriver>(GpsdEndpoint{"localhost", gpsd.port()});
    }

    // Waits until the dialog shows the log's data, lets the feeder stop on
    // the log's last epoch and waits until the dialog shows that one.
    void wait_for_last_epoch(QDialog& d) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return shown(d, gps_satellite_count_id) == "8 Satelliten erfasst  (3D)"; },
                                    30000));
        gpsd.hold_after_pass();
        ASSERT_TRUE(QTest::qWaitFor([&] { return shown_texts(d) == testing::log_dialog_texts(); }, 30000))
            << shown(d, gps_utc_time_id);
    }
};

TEST_F(GpsdDialog, ShowsTheLogAndHandsItsPositionOver) {
    open_sheet();
    sheet->set_gps_driver(*driver);
    ui.modal_scripts.push_back([&](QDialog& d) {
        wait_for_last_epoch(d);
        press(d, id_gps_take);
        return d.result();
    });
    sheet->seite1().findChild<QPushButton*>(QString::number(id_gps))->click();
    EXPECT_TRUE(ui.message_texts().isEmpty());
    EXPECT_DOUBLE_EQ(state().observer_latitude, testing::log_latitude_deg);
    EXPECT_DOUBLE_EQ(state().observer_longitude, testing::log_longitude_deg);
}

TEST_F(GpsdDialog, KeepsRunningWithTheLastTextsWhenGpsdStops) {
    ScriptedUiServices dialog_ui;
    CGPSDialog dialog(*driver, dialog_ui);
    dialog.show();
    wait_for_last_epoch(dialog);
    gpsd.stop_gpsd();
    // A few ticks, each trying to reach gpsd again.
    QTest::qWait(2500);
    EXPECT_EQ(shown_texts(dialog), testing::log_dialog_texts());
    EXPECT_TRUE(dialog.timer_running());
    EXPECT_TRUE(dialog.isVisible());
    press(dialog, id_gps_take);
    const auto place = gps_place_to_hand_over(dialog.view());
    ASSERT_TRUE(place);
    EXPECT_DOUBLE_EQ(place->latitude_deg, testing::log_latitude_deg);
    EXPECT_DOUBLE_EQ(place->longitude_deg, testing::log_longitude_deg);
}

}  // namespace
}  // namespace orbant
