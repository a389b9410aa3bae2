// SPDX-License-Identifier: GPL-3.0-or-later
// A whole sheet for widget tests: a fake clock, scripted UI services and a
// temporary settings folder, shown offscreen.
#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <optional>
#include <string>

#include "app/all_controls_sheet.h"
#include "ui/sheet_page.h"
#include "platform/clock.h"
#include "platform/qt/ui_services.h"
#include "tests/support/scoped_environment.h"

namespace orbant::testing {

class SheetFixture : public ::testing::Test {
protected:
    QTemporaryDir settings_dir;
    FakeClock clock{CivilDateTime{2026, 1, 15, 12, 0, 0}, false};
    ScriptedUiServices ui;
    std::unique_ptr<CAllControlsSheet> sheet;

    std::string folder() const { return settings_dir.path().toStdString(); }

    // Builds the sheet (its initialisation runs) and shows it offscreen.
    void open_sheet() {
        ASSERT_TRUE(settings_dir.isValid());
        sheet = std::make_unique<CAllControlsSheet>(clock, ui, folder());
        sheet->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet.get()));
        settle();
    }

    // Lets pending paints and other posted events run.
    static void settle() {
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
    }

    // Shows the tab `index` and lets it paint.
    void show_tab(int index) {
        sheet->tabs()->setCurrentIndex(index);
        settle();
    }

    SheetState& state() { return sheet->state(); }

    void TearDown() override {
        if (sheet) sheet->reject();
        sheet.reset();
    }
};

}  // namespace orbant::testing
