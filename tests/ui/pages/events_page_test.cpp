// SPDX-License-Identifier: GPL-3.0-or-later
// The events page driven offscreen: its controls, the searches with their
// progress, the field checks and the copy to the (scripted) clipboard.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <algorithm>
#include <memory>
#include <vector>

#include "app/all_controls_sheet.h"
#include "astro/time_scales.h"
#include "ui/pages/cseite7.h"
#include "pages/events_texts.h"
#include "platform/clock.h"
#include "platform/qt/ui_services.h"

static void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace orbant {
namespace {

class EventsPage : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        sheet_ = std::make_unique<CAllControlsSheet>(clock_, ui_, dir_.filePath("config").toStdString());
        sheet_->show();
        sheet_->tabs()->setCurrentWidget(&page());
        QCoreApplication::processEvents();
        ui_.messages.clear();
        // Summer time is in effect at the fake clock's instant; the list
        // must still be in the zone's standard time.
        state().time_zone = 1.0;
        state().summer_time_active = 1;
    }

    CSeite7& page() { return sheet_->seite7(); }
    SheetState& state() { return sheet_->state(); }
    QTreeView* list() { return page().control_as<QTreeView>(events_list_id); }
    int row_count() { return list()->model()->rowCount(); }
    QProgressBar* bar() { return page().control_as<QProgressBar>(events_progress_id); }
    QLineEdit* edit(int id) { return page().control_as<QLineEdit>(id); }
    QRadioButton* radio(int id) { return page().control_as<QRadioButton>(id); }
    void press(int id) { page().control_as<QPushButton>(id)->click(); }
    void set_years(const QString& first, const QString& last) {
        edit(events_first_year_id)->setText(first);
        edit(events_last_year_id)->setText(last);
    }
    QString row_text(int row, int column) { return list()->model()->index(row, column).data().toString(); }

    // The clipboard text the library gives for the same search.
    static QString expected_text(int first, int last, double zone, bool eclipses) {
        std::vector<EventEntry> entries;
        EXPECT_TRUE(collect_events(first, last, zone, eclipses, entries));
        std::vector<EventRow> rows;
        for (const EventEntry& e : entries) rows.push_back(e.row);
        return QString::fromStdString(events_clipboard_text(rows));
    }

    QTemporaryDir dir_;
    FakeClock clock_{CivilDateTime{2024, 7, 15, 12, 0, 0}, true};
    ScriptedUiServices ui_;
    std::unique_ptr<CAllControlsSheet> sheet_;
};

TEST_F(EventsPage, ControlsAsBuilt) {
    EXPECT_EQ(page().caption(), "Ereignisse");
    EXPECT_EQ(edit(events_first_year_id)->text(), "2024") << "the device clock's year";
    EXPECT_EQ(edit(events_last_year_id)->text(), "2024");
    EXPECT_EQ(page().control_as<QPushButton>(events_search_id)->text(), "Suche Ereigenisse");
    EXPECT_EQ(page().control_as<QPushButton>(events_copy_id)->text(), "Copy");
    EXPECT_EQ(radio(events_phases_id)->text(), "Mondphasen");
    EXPECT_EQ(radio(events_eclipses_id)->text(), "Eclipse");
    EXPECT_EQ(radio(events_planets_id)->text(), "Planeten");
    EXPECT_TRUE(radio(events_phases_id)->isChecked());
    EXPECT_FALSE(radio(events_planets_id)->isEnabled());
    ASSERT_NE(bar(), nullptr);
    ASSERT_EQ(list()->model()->columnCount(), 4);
    const char* headings[4] = {"Tag", "Datum", "Zeit", "Ereignis"};
    const int widths[4] = {30, 70, 45, 300};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(list()->model()->headerData(c, Qt::Horizontal).toString(), headings[c]);
        EXPECT_EQ(list()->columnWidth(c), widths[c]) << c;
    }
    EXPECT_EQ(row_count(), 0);

    // A click on the disabled button does not choose it.
    QTest::mouseClick(radio(events_planets_id), Qt::LeftButton);
    EXPECT_TRUE(radio(events_phases_id)->isChecked());
    EXPECT_FALSE(radio(events_planets_id)->isChecked());
}

TEST_F(EventsPage, PhaseSearchFillsTheListWithProgressAndCopies) {
    std::vector<int> values;
    std::vector<int> rows_at_value;
    std::vector<bool> button_enabled;
    QObject::connect(bar(), &QProgressBar::valueChanged, [&](int v) {
        values.push_back(v);
        rows_at_value.push_back(row_count());
        button_enabled.push_back(page().control(events_search_id)->isEnabled());
    });
    press(events_search_id);

    ASSERT_EQ(row_count(), 56);
    EXPECT_EQ(row_text(0, 1).mid(2), ".12.2023") << "starts in December of the year before";
    EXPECT_EQ(row_text(0, 3), "Neumond");
    EXPECT_EQ(row_text(55, 3), "Letztes Mondviertel");
    EXPECT_EQ(row_text(55, 1).mid(6), "2025");
    // The bar starts at 0, advances (at most every 50 ms) with the rows so
    // far already in the list, four per lunation, is shown full (13 of
    // 0..13, the fourteenth lunation) and goes back to 0.
    ASSERT_GE(values.size(), 3u);
    EXPECT_EQ(values.front(), 0);
    EXPECT_EQ(rows_at_value.front(), 0);
    const std::size_t full = values.size() - 2;
    for (std::size_t i = 1; i <= full; ++i) {
        EXPECT_GT(values[i], values[i - 1]);
        EXPECT_EQ(rows_at_value[i], 4 * values[i]);
        EXPECT_FALSE(button_enabled[i]);
    }
    EXPECT_EQ(values[full], 13);
    EXPECT_EQ(values.back(), 0);
    EXPECT_EQ(bar()->value(), 0);
    EXPECT_EQ(bar()->maximum(), 13);
    EXPECT_TRUE(page().control(events_search_id)->isEnabled());

    // Standard time of the zone (+1), although summer time is active: the
    // full Moon of 2024-01-25 17:54 UT (dynamical time 17:55) is listed 18:55.
    bool found = false;
    for (int r = 0; r < 56; ++r) {
        if (row_text(r, 1) == "25.01.2024" && row_text(r, 3) == "Vollmond") {
            found = true;
            EXPECT_EQ(row_text(r, 0), "Do. ");
            EXPECT_EQ(row_text(r, 2), "18:55");
        }
    }
    EXPECT_TRUE(found);

    ui_.clipboard = "stale";
    press(events_copy_id);
    EXPECT_EQ(ui_.clipboard, expected_text(2024, 2024, 1.0, false));
    EXPECT_TRUE(ui_.clipboard.startsWith(row_text(0, 0) + "  " + row_text(0, 1) + "  " + row_text(0, 2) +
                                         "  Neumond\n"));
    EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(EventsPage, EclipseSearchKeepsTheGermanLettersOnTheClipboard) {
    set_years("2024", "2024");
    radio(events_eclipses_id)->click();
    press(events_search_id);
    ASSERT_EQ(row_count(), 4);
    EXPECT_EQ(row_text(1, 1), "08.04.2024");
    EXPECT_EQ(row_text(1, 3), "Zentrale Sonnenfinsternis sicher (Nordhalbkugel)");
    EXPECT_EQ(row_text(3, 3), QString::fromUtf8("Zentrale Sonnenfinsternis sicher (S\u00fcdhalbkugel)"));
    press(events_copy_id);
    EXPECT_EQ(ui_.clipboard, expected_text(2024, 2024, 1.0, true));
    EXPECT_TRUE(ui_.clipboard.contains(QChar(0x00FC)));
    EXPECT_EQ(page().selection(), EventListKind::eclipses);
}

TEST_F(EventsPage, CopyOfAnEmptyListIsAnEmptyText) {
    ui_.clipboard = "stale";
    press(events_copy_id);
    EXPECT_EQ(ui_.clipboard, "");
}

TEST_F(EventsPage, AYearThatIsNotANumberKeepsItsPreviousValue) {
    set_years("abc", "2025");
    press(events_search_id);
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_EQ(ui_.messages[0].text, "Please enter an integer.");
    EXPECT_EQ(page().first_year(), 2024);
    EXPECT_EQ(page().last_year(), 2025);
    EXPECT_EQ(edit(events_first_year_id)->text(), "abc") << "the field is left as it was";
    EXPECT_EQ(row_count(), 26 * 4) << "the search ran with 2024..2025";

    // Years whose rows would show impossible dates are refused like the
    // text front end refuses them; the range's ends are taken.
    for (const char* year : {"6700", "-4712"}) {
        ui_.messages.clear();
        set_years("2024", year);
        press(events_search_id);
        ASSERT_EQ(ui_.messages.size(), 1u) << year;
        EXPECT_EQ(ui_.messages[0].text, "Please enter an integer between -4711 and 6699.");
        EXPECT_EQ(page().last_year(), 2025);
        EXPECT_EQ(row_count(), 26 * 4);
    }
    ui_.messages.clear();
    set_years("-4711", "-4711");
    press(events_search_id);
    EXPECT_TRUE(ui_.messages.empty());
    EXPECT_EQ(page().first_year(), -4711);
    ASSERT_EQ(row_count(), 56);
    EXPECT_EQ(row_text(0, 1).mid(2), ".12.-4712") << "from Julian day 0 on";
}

TEST_F(EventsPage, ShortAndReversedSpans) {
    set_years("2024", "2023");
    press(events_search_id);
    EXPECT_EQ(row_count(), 8) << "two lunations";
    set_years("2024", "2022");
    press(events_search_id);
    EXPECT_EQ(row_count(), 0) << "the old rows are cleared";
    EXPECT_EQ(bar()->value(), 0);
    EXPECT_LT(bar()->minimum(), bar()->maximum()) << "no busy animation for an empty span";
}

TEST_F(EventsPage, PressesDuringTheSearchAreIgnored) {
    int nested_presses = 0;
    QObject::connect(bar(), &QProgressBar::valueChanged, [&](int v) {
        if (v > 0 && nested_presses == 0) {
            ++nested_presses;
            page().search();  // as if the handler were entered again
            press(events_copy_id);
        }
    });
    ui_.clipboard = "untouched";
    press(events_search_id);
    EXPECT_EQ(nested_presses, 1);
    EXPECT_EQ(row_count(), 56) << "neither cleared nor doubled";
    EXPECT_EQ(ui_.clipboard, "untouched") << "the copy button was disabled during the search";
}

TEST_F(EventsPage, EscapeEndsALongSearchKeepingItsRows) {
    set_years("1", "3000");
    int typed = 0;
    QObject::connect(bar(), &QProgressBar::valueChanged, [&](int v) {
        if (v >= 5 && typed++ == 0) {
            QTest::keyClicks(edit(events_first_year_id), "9");  // dropped while the search runs
            QTest::keyClick(list(), Qt::Key_Escape);
        }
    });
    press(events_search_id);
    EXPECT_FALSE(page().searching());
    // The bar showed lunation 5 or later (it is repainted at most every
    // 50 ms): the rows found until the Escape was seen are kept, far fewer
    // than the 3000 years' list.
    const int rows = row_count();
    EXPECT_GE(rows, 20);
    EXPECT_LE(rows, 4 * (bar()->maximum() / 10));
    EXPECT_EQ(bar()->value(), bar()->minimum());
    EXPECT_EQ(edit(events_first_year_id)->text(), "1");
    EXPECT_TRUE(page().control_as<QPushButton>(events_search_id)->isEnabled());
    press(events_copy_id);
    EXPECT_EQ(ui_.clipboard.count(QLatin1Char('\n')), rows);
    EXPECT_TRUE(sheet_->isVisible()) << "Escape went to the search, not to the sheet";
}

TEST_F(EventsPage, EventColumnHoldsTheLongestTextAndANewSearchStartsAtTheLeft) {
    radio(events_eclipses_id)->setChecked(true);
    set_years("2024", "2026");
    press(events_search_id);
    ASSERT_GT(row_count(), 0);
    int longest = 0;
    for (int r = 0; r < row_count(); ++r)
        longest = std::max(longest, list()->fontMetrics().horizontalAdvance(row_text(r, 3)));
    EXPECT_GT(list()->columnWidth(3), longest);
    list()->horizontalScrollBar()->setValue(list()->horizontalScrollBar()->maximum());
    ASSERT_GT(list()->horizontalScrollBar()->value(), 0);
    radio(events_phases_id)->setChecked(true);
    press(events_search_id);
    EXPECT_EQ(list()->horizontalScrollBar()->value(), 0) << "the next result shows from its first column";
    EXPECT_EQ(list()->columnWidth(3), 300) << "phase texts fit the column's own width";
}

// A page larger than the template, at its factor, gives the list the room to its right
// and down to the progress bar, which sits at the page's bottom; the event
// column takes the rest of the width. A device's screen keeps the
// template's places, also after a larger window.
TEST_F(EventsPage, TheListTakesTheRoomOfALargerPage) {
    set_years("2024", "2025");
    press(events_search_id);
    ASSERT_EQ(row_count(), 104);
    struct Placed {
        QRect list, bar;
        int last_row_shown;
    };
    const auto at = [&](int w, int h) {
        sheet_->resize(w, h);
        QCoreApplication::processEvents();
        return Placed{list()->geometry(), bar()->geometry(),
                      list()->indexAt(QPoint(1, list()->viewport()->height() - 1)).row()};
    };
    for (const QSize device : {QSize(240, 320), QSize(320, 240)}) {
        const Placed first = at(device.width(), device.height());
        // As the template places it: where the copy button ends (158 dialog
        // units, either edge rounded to pixels).
        EXPECT_NEAR(first.list.right(), page().control(events_copy_id)->geometry().right(), 1) << device.width();
        EXPECT_EQ(first.bar.right(), first.list.right());
        EXPECT_GT(page().height() - first.bar.bottom(), 0);
        // Both pages are as wide, so the template's factor (set by the width)
        // is the same; only the height differs.
        const Placed wide = at(600, 900);
        const Placed tall = at(600, 1500);
        EXPECT_EQ(tall.list.topLeft(), wide.list.topLeft());
        EXPECT_NEAR(page().width() - 1 - tall.list.right(), tall.list.left(), 1) << "the template's margin";
        EXPECT_EQ(tall.bar.right(), tall.list.right());
        EXPECT_LT(page().height() - tall.bar.bottom(), 2 * tall.bar.height()) << "the bar at the bottom";
        EXPECT_EQ(tall.bar.top() - tall.list.bottom(), wide.bar.top() - wide.list.bottom());
        EXPECT_LT(tall.bar.top() - tall.list.bottom(), tall.bar.height());
        EXPECT_GT(tall.last_row_shown, wide.last_row_shown + 10) << "a taller page shows more rows";
        EXPECT_GT(wide.last_row_shown, first.last_row_shown);
        for (const QSize size : {QSize(600, 1500), QSize(1400, 900)}) {
            at(size.width(), size.height());
            int others = 0;
            for (int c = 0; c < 3; ++c) others += list()->columnWidth(c);
            if (size.width() > 1000) {  // room beyond the longest text
                EXPECT_EQ(list()->columnWidth(3), list()->viewport()->width() - others) << "the rest";
            }
            for (int r = 0; r < row_count(); ++r)
                for (int c = 0; c < 4; ++c)
                    EXPECT_GT(list()->columnWidth(c), list()->fontMetrics().horizontalAdvance(row_text(r, c)))
                        << size.width() << ": " << r << c;
        }
        const Placed again = at(device.width(), device.height());
        EXPECT_EQ(again.list, first.list) << device.width();
        EXPECT_EQ(again.bar, first.bar);
    }
}

TEST_F(EventsPage, PlanetSelectionListsNothing) {
    press(events_search_id);
    ASSERT_EQ(row_count(), 56);
    radio(events_planets_id)->setChecked(true);  // only the program can check it
    press(events_search_id);
    EXPECT_EQ(page().selection(), EventListKind::planets);
    EXPECT_EQ(row_count(), 0);
}

TEST_F(EventsPage, AddEventRowColumns) {
    page().add_event_row(mjd_from_date(2000, 1, 1, 23, 59, 40.0), "Vollmond");
    page().add_event_row(mjd_from_date(2024, 12, 1, 7, 5, 30.0), "Neumond");
    ASSERT_EQ(row_count(), 2);
    EXPECT_EQ(row_text(0, 0), "Sa. ");
    EXPECT_EQ(row_text(0, 1), "01.01.2000");
    EXPECT_EQ(row_text(0, 2), "23:59");
    EXPECT_EQ(row_text(1, 0), "So. ");
    EXPECT_EQ(row_text(1, 2), "07:05");
    press(events_copy_id);
    EXPECT_EQ(ui_.clipboard, "Sa.   01.01.2000  23:59  Vollmond\nSo.   01.12.2024  07:05  Neumond\n");
}

}  // namespace
}  // namespace orbant
