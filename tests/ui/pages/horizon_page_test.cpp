// SPDX-License-Identifier: GPL-3.0-or-later
// The horizon page driven offscreen: the control row under the horizon
// line, the sky read back from the canvas, and the XOR scheme: after ticks,
// turns and a tap the canvas equals a fresh full redraw of the same instant.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <algorithm>
#include <QImage>
#include <QPushButton>
#include <QWheelEvent>
#include <cmath>

#include "ui/pages/cseite6.h"
#include "tests/app/sheet_fixture.h"

namespace orbant {
namespace {

constexpr int horizon_tab = 1;
constexpr QRgb rgb_bits = 0x00FFFFFFu;

QRgb bits(Rgb c) { return (static_cast<QRgb>(c.red) << 16) | (static_cast<QRgb>(c.green) << 8) | c.blue; }

class HorizonPage : public testing::SheetFixture {
protected:
    CSeite6& page() { return sheet->seite6(); }

    void click(int id) {
        auto* button = page().control_as<QAbstractButton>(id);
        ASSERT_NE(button, nullptr) << id;
        QTest::mouseClick(button, Qt::LeftButton);
        settle();
    }

    // One clock tick after the clock moved on by `minutes`.
    void tick_after(int minutes) {
        CivilDateTime t = state().current_time;
        t.minute += minutes;
        while (t.minute >= 60) {
            t.minute -= 60;
            ++t.hour;
        }
        clock.set(t);
        sheet->tick();
        settle();
    }

    // Leaves the page and comes back: a full redraw of the same instant.
    QImage fresh_redraw() {
        show_tab(0);
        show_tab(horizon_tab);
        return page().canvas().image().copy();
    }
};

TEST_F(HorizonPage, ControlsStandInOneRowUnderTheHorizonLine) {
    open_sheet();
    for (const QSize size : {QSize(240, 320), QSize(320, 240)}) {
        sheet->resize(size);
        show_tab(horizon_tab);
        EXPECT_EQ(page().pixel_scale(), 1.0) << "the hand-held's pages draw as they always did";
        const HorizonFrame& f = page().frame();
        EXPECT_EQ(f.layout.landscape, size.width() >= size.height());
        const int w = page().control(horizon_left_15_id)->width();
        const int row = f.layout.horizon + 3;
        EXPECT_EQ(page().control(horizon_left_15_id)->pos(), QPoint(2, row));
        EXPECT_EQ(page().control(horizon_right_90_id)->pos(), QPoint(3 * w + 8, row));
        EXPECT_EQ(page().control(horizon_figures_id)->pos(), QPoint(4 * w + 12, row));
        const QWidget* grid = page().control(horizon_grid_id);
        EXPECT_EQ(page().control(horizon_ecliptic_id)->pos(), QPoint(grid->x() + grid->width() + 2, row));
    }
}

TEST_F(HorizonPage, NightSkyAndGridColoursOnTheCanvas) {
    clock.set({2026, 1, 15, 12, 0, 0});
    open_sheet();
    state().night_mode = 1;
    show_tab(horizon_tab);
    const HorizonLayout& l = page().frame().layout;
    const QImage& canvas = page().canvas().image();
    EXPECT_EQ(canvas.pixel(l.left, l.horizon - 1) & rgb_bits, bits({121, 122, 109})) << "outline in the grid colour";
    EXPECT_EQ(canvas.pixel(l.left + 1, l.horizon - 2) & rgb_bits, bits({61, 62, 109})) << "night sky at noon";
}

TEST_F(HorizonPage, TicksTurnsAndTapsLeaveWhatAFreshRedrawDraws) {
    clock.set({2026, 1, 15, 21, 0, 0});
    open_sheet();
    state().night_mode = 0;
    sheet->resize(320, 240);
    show_tab(horizon_tab);
    click(horizon_figures_id);
    click(horizon_ecliptic_id);
    ASSERT_TRUE(page().view().figures && page().view().ecliptic);

    click(horizon_right_15_id);
    click(horizon_left_90_id);
    EXPECT_EQ(page().view().azimuth_deg, 180.0);
    for (int i = 0; i < 4; ++i) tick_after(7);
    const HorizonMemory& m = page().memory();
    ASSERT_TRUE(std::any_of(m.earlier.begin(), m.earlier.end(), [](ScenePoint p) { return p != no_position; }))
        << "the ticks moved the marks without a full redraw";
    ASSERT_FALSE(horizon_drawn_figures(state(), m).empty());
    const QImage after_ticks = page().canvas().image().copy();
    EXPECT_EQ(after_ticks, fresh_redraw()) << "after four ticks";

    // A tap on a star shows its label; lifting the stylus removes it.
    std::size_t star = first_star_entry;
    while (star < sky_object_count && page().memory().current[star] == no_position) ++star;
    ASSERT_LT(star, sky_object_count);
    const ScenePoint at = page().memory().current[star];
    const QImage before = page().canvas().image().copy();
    QTest::mousePress(&page(), Qt::LeftButton, {}, QPoint(at.x, at.y));
    settle();
    EXPECT_EQ(state().view_busy, 1);
    EXPECT_GE(page().tap_label().entry, 0);
    EXPECT_NE(page().canvas().image(), before) << "label drawn";
    sheet->tick();  // skipped while the stylus is down
    QTest::mouseRelease(&page(), Qt::LeftButton, {}, QPoint(at.x, at.y));
    settle();
    EXPECT_EQ(state().view_busy, 0);
    tick_after(9);
    tick_after(9);
    const QImage after_tap = page().canvas().image().copy();
    EXPECT_EQ(after_tap, fresh_redraw()) << "after the tap and two ticks";
}

// On a page grown by its factor the marks, fonts and gaps grow with it while
// the positions stay those of the page's pixels; ticks, turns and a tap
// still end on exactly the pixels of a fresh redraw.
TEST_F(HorizonPage, GrownPagesEraseByRedrawExactly) {
    struct Case {
        QSize window;
        double factor;
    };
    clock.set({2026, 1, 15, 21, 0, 0});
    open_sheet();
    state().night_mode = 0;
    show_tab(horizon_tab);
    click(horizon_figures_id);
    click(horizon_ecliptic_id);
    for (const Case& c : {Case{{366, 432}, 1.5}, Case{{488, 576}, 2.0}, Case{{732, 864}, 3.0}}) {
        SCOPED_TRACE(c.factor);
        sheet->resize(c.window);
        settle();
        EXPECT_NEAR(page().pixel_scale(), c.factor, 0.02);
        click(horizon_left_90_id);
        for (int i = 0; i < 3; ++i) tick_after(7);
        const HorizonMemory& m = page().memory();
        ASSERT_TRUE(std::any_of(m.earlier.begin(), m.earlier.end(), [](ScenePoint p) { return p != no_position; }));
        ASSERT_FALSE(horizon_drawn_figures(state(), m).empty());
        std::size_t star = first_star_entry;
        while (star < sky_object_count && page().memory().current[star] == no_position) ++star;
        ASSERT_LT(star, sky_object_count);
        // Canvas pixels are window pixels here (the offscreen screen's ratio is 1).
        const ScenePoint at = page().memory().current[star];
        QTest::mousePress(&page(), Qt::LeftButton, {}, QPoint(at.x, at.y));
        settle();
        EXPECT_GE(page().tap_label().entry, 0);
        QTest::mouseRelease(&page(), Qt::LeftButton, {}, QPoint(at.x, at.y));
        settle();
        tick_after(9);
        const QImage after = page().canvas().image().copy();
        EXPECT_EQ(after, fresh_redraw());
    }
}

// Turning by hand: a drag past the threshold turns the view with the
// pointer and a drag back restores the canvas; the wheel turns by notches
// and fine scrolling adds up; the arrow keys turn as the buttons.
TEST_F(HorizonPage, DragWheelAndKeysTurnTheView) {
    clock.set({2026, 1, 15, 21, 0, 0});
    open_sheet();
    state().night_mode = 0;
    sheet->resize(240, 320);
    show_tab(horizon_tab);
    click(horizon_figures_id);
    const QImage before = page().canvas().image().copy();
    const double per_degree = horizon_pixels_per_degree(page().frame().layout);
    const int threshold = static_cast<int>(std::lround(drag_threshold_px * page().built().scale()));
    // The press lands on a star: its label shows until the drag begins.
    std::size_t star = first_star_entry;
    while (star < sky_object_count && page().memory().current[star] == no_position) ++star;
    ASSERT_LT(star, sky_object_count);
    const QPoint start(page().memory().current[star].x, page().memory().current[star].y);

    QTest::mousePress(&page(), Qt::LeftButton, {}, start);
    EXPECT_EQ(page().window()->focusWidget(), &page()) << "a click takes the keyboard";
    QTest::mouseMove(&page(), start + QPoint(threshold, 0));
    settle();
    EXPECT_EQ(page().view().azimuth_deg, 180.0) << "within the threshold a press stays a tap";
    EXPECT_GE(page().tap_label().entry, 0);
    QTest::mouseMove(&page(), start + QPoint(threshold + 1, 0));
    settle();
    EXPECT_LT(page().tap_label().entry, 0) << "the drag removes the label";
    const int dx = static_cast<int>(std::lround(10 * per_degree));
    QTest::mouseMove(&page(), start + QPoint(dx, 0));
    settle();
    EXPECT_EQ(page().view().azimuth_deg, 170.0) << "moving right turns the view left";
    EXPECT_EQ(state().view_busy, 1);
    QTest::mouseMove(&page(), start - QPoint(dx, 0));
    settle();
    EXPECT_EQ(page().view().azimuth_deg, 190.0);
    QTest::mouseMove(&page(), start + QPoint(1, 0));
    settle();
    QTest::mouseRelease(&page(), Qt::LeftButton, {}, start + QPoint(1, 0));
    settle();
    EXPECT_EQ(state().view_busy, 0);
    EXPECT_EQ(page().view().azimuth_deg, 180.0);
    EXPECT_EQ(page().canvas().image(), before) << "back where the drag began";

    // A swipe on a touch screen is a drag.
    static QPointingDevice* const touch_screen = QTest::createTouchDevice();
    QTest::touchEvent(&page(), touch_screen).press(0, start);
    QTest::touchEvent(&page(), touch_screen).move(0, start + QPoint(dx, 0));
    settle();
    EXPECT_EQ(page().view().azimuth_deg, 170.0) << "swiped";
    QTest::touchEvent(&page(), touch_screen).release(0, start + QPoint(dx, 0));
    settle();
    EXPECT_EQ(state().view_busy, 0);
    QTest::touchEvent(&page(), touch_screen).press(0, start + QPoint(dx, 0));
    QTest::touchEvent(&page(), touch_screen).move(0, start);
    QTest::touchEvent(&page(), touch_screen).release(0, start);
    settle();
    EXPECT_EQ(page().view().azimuth_deg, 180.0) << "swiped back";

    struct Wheel {
        int delta;
        double azimuth_deg;
    };
    for (const Wheel w : {Wheel{120, 165.0}, Wheel{-240, 195.0}, Wheel{-60, 195.0}, Wheel{-60, 210.0}}) {
        const QPointF at(start);
        QWheelEvent wheel(at, page().mapToGlobal(at), QPoint(), QPoint(0, w.delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&page(), &wheel);
        EXPECT_EQ(page().view().azimuth_deg, w.azimuth_deg) << w.delta;
    }

    QTest::keyClick(&page(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(page().view().azimuth_deg, 270.0);
    QTest::keyClick(&page(), Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(&page(), Qt::Key_Left);
    EXPECT_EQ(page().view().azimuth_deg, 165.0);
    QTest::keyClick(&page(), Qt::Key_Right);
    settle();
    const QImage south = page().canvas().image().copy();
    for (int i = 0; i < 24; ++i) QTest::keyClick(&page(), Qt::Key_Right);
    settle();
    EXPECT_EQ(page().view().azimuth_deg, 180.0);
    EXPECT_EQ(page().canvas().image(), south) << "twenty-four presses of Right are a full turn";
}

}  // namespace
}  // namespace orbant
