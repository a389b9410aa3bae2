// SPDX-License-Identifier: GPL-3.0-or-later
// The "Uebersicht" page driven offscreen: the chart on the page's canvas
// after the first paint, after ticks, after the check box and after the
// window turns, compared pixel for pixel with a fresh drawing of the chart.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QImage>
#include <QTest>

#include "ui/scene_painter.h"
#include "ui/pages/cseite5.h"
#include "tests/app/sheet_fixture.h"

namespace orbant {
namespace {

constexpr int overview_tab = 5;
constexpr int events_tab = 6;
constexpr std::size_t sun = 0;
constexpr QRgb rgb_bits = 0x00FFFFFFu;

QRgb bits(Rgb c) { return (static_cast<QRgb>(c.red) << 16) | (static_cast<QRgb>(c.green) << 8) | c.blue; }

// The whole chart drawn afresh for the sheet's state on a blank canvas of
// the page's size.
QImage fresh_chart(const CSeite5& page, const SheetState& s, bool only_risen) {
    Canvas c;
    c.ensure_size(page.canvas().size(), CSeite5::page_background());
    ScenePainter().paint(c, overview_paint(s, page.layout(), true, only_risen, {}, CanvasTextMeasure()).scene);
    return c.image();
}

class OverviewPage : public testing::SheetFixture {
protected:
    CSeite5& page() { return sheet->seite5(); }

    // Opens the sheet (Hamburg defaults, 53.5 N, 10 E, zone +1, no summer
    // time) with its clock at `at` and shows the overview.
    void open_at(CivilDateTime at) {
        clock.set(at);
        open_sheet();
        show_tab(overview_tab);
        ASSERT_EQ(state().active_page, 5);
        ASSERT_EQ(state().chart_stale, 0) << "the paint clears it";
    }

    QRgb pixel_at(ScenePoint p) { return page().canvas().pixel(p.x, p.y) & rgb_bits; }
    OverviewDot sun_dot(bool only_risen = true) {
        return overview_dot(page().layout(), sun, overview_directions(state())[sun], only_risen);
    }
};

// Each tick draws the old dots again (removing them) and the new ones, so
// after any number of ticks the canvas is the chart of the last instant:
// a body that set is gone, one that rose stands alone.
TEST_F(OverviewPage, TicksMoveTheDotsWithoutLeavingMarks) {
    struct Case {
        const char* name;
        CivilDateTime first, second, third;
        bool drawn_first, drawn_last;
    };
    const Case cases[] = {
        {"sunset", {2024, 3, 20, 18, 0, 0}, {2024, 3, 20, 18, 20, 0}, {2024, 3, 20, 18, 50, 0}, true, false},
        {"sunrise", {2024, 3, 20, 5, 50, 0}, {2024, 3, 20, 6, 10, 0}, {2024, 3, 20, 6, 40, 0}, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        open_at(c.first);
        ASSERT_EQ(sun_dot().drawn, c.drawn_first);
        EXPECT_EQ(page().canvas().image(), fresh_chart(page(), state(), true));
        const ScenePoint first_place = sun_dot().centre;
        EXPECT_EQ(pixel_at(first_place), c.drawn_first ? bits(overview_brushes[1]) : 0xFFFFFFu);
        for (CivilDateTime at : {c.second, c.third}) {
            clock.set(at);
            sheet->tick();
            settle();
            EXPECT_EQ(state().current_time, at);
            EXPECT_EQ(page().canvas().image(), fresh_chart(page(), state(), true));
        }
        ASSERT_EQ(sun_dot().drawn, c.drawn_last);
        if (!c.drawn_last) {
            EXPECT_NE(pixel_at(first_place), bits(overview_brushes[1])) << "the set Sun is erased";
        }
        TearDown();
    }
}

TEST_F(OverviewPage, UntickingDrawsTheBodiesBelowTheHorizon) {
    open_at({2024, 3, 20, 22, 0, 0});
    QCheckBox* box = page().only_risen_box();
    ASSERT_TRUE(box->isChecked()) << "ticked at start";
    ASSERT_FALSE(sun_dot().drawn);
    EXPECT_EQ(pixel_at(sun_dot().centre), 0xFFFFFFu);

    QTest::mouseClick(box, Qt::LeftButton);
    ASSERT_FALSE(box->isChecked());
    EXPECT_EQ(state().chart_stale, 1) << "the click asks for the whole chart";
    settle();
    EXPECT_EQ(state().chart_stale, 0);
    EXPECT_EQ(page().canvas().image(), fresh_chart(page(), state(), false));
    EXPECT_EQ(pixel_at(sun_dot(false).centre), bits(overview_brushes[1]));
}

// The box moves to the bottom left in portrait and to the bottom right in
// landscape; the chart follows the page's width with the factors of the
// window's shape.
TEST_F(OverviewPage, ChartAndBoxFollowTheWindowsShape) {
    open_at({2024, 3, 20, 12, 0, 0});
    for (bool portrait : {true, false}) {
        SCOPED_TRACE(portrait ? "portrait" : "landscape");
        sheet->resize(portrait ? QSize(240, 320) : QSize(320, 240));
        settle();
        ASSERT_EQ(sheet->width() < sheet->height(), portrait);
        const int cx = page().width(), cy = page().height();
        const QRect box = page().only_risen_box()->geometry();
        if (portrait)
            EXPECT_EQ(box.topLeft(), QPoint(5, cy - box.height() - 10));
        else
            EXPECT_EQ(box.topLeft(), QPoint(cx - box.width() - 2, cy - box.height() - 2));
        const OverviewLayout& l = page().layout();
        EXPECT_EQ(l.portrait, portrait);
        EXPECT_EQ(l.disc, overview_layout(cx, cy, portrait).disc);
        EXPECT_EQ(page().canvas().image(), fresh_chart(page(), state(), true));
        // Above the centre: white outside the outer circle, its outline,
        // then the north axis inside it.
        const ScenePoint top{l.centre.x, l.centre.y - l.outer_radius};
        EXPECT_EQ(pixel_at(top), 0xFFFFFFu);
        EXPECT_EQ(pixel_at({top.x, top.y + 1}), 0u);
        EXPECT_EQ(pixel_at({top.x + 1, top.y + 2}), 0xFFFFFFu);
        EXPECT_EQ(pixel_at({top.x, top.y + 2}), 0u);
    }
}

// Shown again after the events page (which leaves chart_stale clear), the
// page's erased canvas gets the whole chart, not only the dots.
TEST_F(OverviewPage, ShownAgainTheChartIsWhole) {
    open_at({2024, 3, 20, 12, 0, 0});
    show_tab(events_tab);
    EXPECT_EQ(state().chart_stale, 0);
    show_tab(overview_tab);
    EXPECT_EQ(page().canvas().image(), fresh_chart(page(), state(), true));
}

// Drawing the dots twice in NOT-XOR restores the background pixel for
// pixel, also where they overlap the outline, the axes and each other.
TEST(OverviewChart, DrawingTheDotsTwiceRestoresTheBackground) {
    const OverviewLayout l = overview_layout(240, 320, true);
    OverviewDirections d{};
    for (std::size_t body = 0; body < d.size(); ++body) d[body] = {body < 5 ? 0.0 : 3.0 * static_cast<double>(body), 0.3};
    Canvas c;
    c.ensure_size(QSize(l.width, l.height), CSeite5::page_background());
    Scene background;
    append_overview_background(background, l, CanvasTextMeasure());
    ScenePainter painter;
    painter.paint(c, background);
    const QImage bare = c.image().copy();
    Scene dots;
    append_overview_dots(dots, l, d, true);
    painter.paint(c, dots);
    EXPECT_NE(c.image(), bare);
    EXPECT_EQ(c.pixel(l.centre.x + 1, l.centre.y - 34) & rgb_bits, bits(overview_brushes[1])) << "on white";
    EXPECT_EQ(c.pixel(l.centre.x, l.centre.y - 34) & rgb_bits, ~bits(overview_brushes[1]) & rgb_bits)
        << "on the black axis";
    painter.paint(c, dots);
    EXPECT_EQ(c.image(), bare);
}

// At every size and aspect the chart stays inside its page, measured with
// the canvas's own fonts: the outer circle, every dot at every azimuth, the
// letters and the legend's names; no two letters overlap, and the legend
// stands right of the circle. Sizes where the width's rule already fits
// keep it (the worked values are in the pages' test); there only Pluto's
// dot, whose ring plus radius exceeds the outer radius by up to 3 pixels,
// is allowed past the circle.
TEST(OverviewChart, StaysInsideItsPageAtEverySize) {
    struct Case {
        int cx, cy;
        bool fitted;
    };
    const Case cases[] = {
        {240, 320, false},  {238, 296, false},  {320, 240, false}, {318, 214, false},  {480, 640, true},
        {800, 600, false},  {1280, 900, false}, {1920, 1080, false}, {1080, 1920, true}, {320, 480, true},
        {1920, 600, true},  {400, 1400, true},  {700, 690, false},  {3840, 2160, false}, {2160, 3840, true},
    };
    const CanvasTextMeasure measure;
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.cx << "x" << c.cy);
        const OverviewLayout l = overview_layout(c.cx, c.cy, c.cx < c.cy);
        EXPECT_EQ(l.fitted, c.fitted);
        const SceneRect page{0, 0, c.cx, c.cy};
        const auto inside = [&](SceneRect r) {
            return r.left >= page.left && r.top >= page.top && r.right <= page.right && r.bottom <= page.bottom;
        };
        const int r = l.outer_radius;
        EXPECT_TRUE(inside({l.centre.x - r, l.centre.y - r, l.centre.x + r, l.centre.y + r}));
        const int slack = l.fitted ? 0 : overview_chart_reach(l) - r;
        int dots_outside = 0;
        for (int a = 0; a < 360; a += 5)
            for (std::size_t body = 0; body < overview_body_count; ++body) {
                const OverviewDot d = overview_dot(l, body, {static_cast<double>(a), 1.0}, true);
                const int reach = d.radius - slack;
                if (!inside({d.centre.x - reach, d.centre.y - reach, d.centre.x + reach, d.centre.y + reach}))
                    ++dots_outside;
            }
        EXPECT_EQ(dots_outside, 0);

        Scene scene;
        append_overview_background(scene, l, measure);
        std::vector<SceneRect> letters;
        for (const DrawItem& item : scene.items) {
            if (item.kind == DrawItem::Kind::ellipse) {
                EXPECT_TRUE(inside(item.rect));
            }
            if (item.kind != DrawItem::Kind::text) continue;
            const TextExtent e = measure.measure(item.text, item.font);
            const SceneRect box{item.at.x, item.at.y, item.at.x + e.width, item.at.y + e.height};
            EXPECT_TRUE(inside(box)) << item.text;
            if (item.font == overview_letter_font) letters.push_back(box);
        }
        ASSERT_EQ(letters.size(), 4u);
        for (std::size_t i = 0; i < letters.size(); ++i)
            for (std::size_t j = i + 1; j < letters.size(); ++j)
                EXPECT_TRUE(letters[i].right <= letters[j].left || letters[j].right <= letters[i].left ||
                            letters[i].bottom <= letters[j].top || letters[j].bottom <= letters[i].top)
                    << i << " and " << j;
        EXPECT_GE(overview_labels(l, measure).legend.x - 4, l.centre.x + r) << "the legend beside the circle";
    }
}

}  // namespace
}  // namespace orbant
