// SPDX-License-Identifier: GPL-3.0-or-later
// The Moon, Sun and planets pages driven offscreen: their texts, their
// refresh on paint and tick, and the Moon picture read back from the
// page's canvas.
#include <gtest/gtest.h>

#include <QImage>
#include <QSize>
#include <cmath>
#include <QLabel>
#include <string>
#include <vector>

#include "ui/pages/cseite2.h"
#include "ui/canvas.h"
#include "ui/pages/cseite3.h"
#include "ui/pages/cseite4.h"
#include "pages/moon_texts.h"
#include "pages/planets_texts.h"
#include "pages/sun_texts.h"
#include "tests/app/sheet_fixture.h"

namespace orbant {
namespace {

// Tab positions of the pages.
constexpr int moon_tab = 2;
constexpr int sun_tab = 3;
constexpr int planets_tab = 4;

constexpr QRgb rgb_bits = 0x00FFFFFFu;
constexpr QRgb shadow_bits = 0x00494D68u;

std::string label_text(const SheetPage& page, int id) {
    auto* label = page.control_as<QLabel>(id);
    return label ? label->text().toStdString() : "<no label " + std::to_string(id) + ">";
}

class AstroPages : public testing::SheetFixture {
protected:
    // Holds the sheet at a fixed instant and place.
    void hold(CivilDateTime at, double latitude = 53.55, double longitude = 10.0, double zone = 1.0,
              int summer = 0) {
        state().clock_stopped = 1;
        state().current_time = at;
        state().observer_latitude = latitude;
        state().observer_longitude = longitude;
        state().time_zone = zone;
        state().summer_time_active = summer;
    }

    void expect_page_shows(const SheetPage& page, const PageTexts& texts) {
        for (const PageText& t : texts.texts) EXPECT_EQ(label_text(page, t.id), t.text) << t.id;
    }

    // Shows the Moon page for an instant and returns it after it painted.
    CSeite2& moon_page_at(CivilDateTime at, int summer = 0) {
        hold(at, 53.55, 10.0, 1.0, summer);
        show_tab(moon_tab);
        CSeite2& page = sheet->seite2();
        page.invalidate(true);
        settle();
        return page;
    }
};

TEST_F(AstroPages, ValueTextsShowPlaceholdersUntilTheFirstUpdate) {
    open_sheet();
    EXPECT_EQ(label_text(sheet->seite3(), sun_direction_id), "360.99° (SO)  ");
    EXPECT_EQ(label_text(sheet->seite3(), sun_day_difference_id), "(+00:00)");
    EXPECT_EQ(label_text(sheet->seite4(), 1067), "360.0°(NW)");
    EXPECT_EQ(label_text(sheet->seite4(), 1107), "100%");
    EXPECT_EQ(label_text(sheet->seite2(), moon_phase_id), "Statisch");
    EXPECT_EQ(sheet->seite4().control(1099), nullptr);
}

TEST_F(AstroPages, EachPageShowsItsPureTextsAndBecomesActive) {
    open_sheet();
    hold({2024, 6, 21, 14, 0, 0}, 53.55, 10.0, 1.0, 1);
    state().chart_stale = 0;
    show_tab(sun_tab);
    EXPECT_EQ(state().chart_stale, 1) << "activation marks the overview chart stale";
    EXPECT_EQ(state().active_page, 3);
    expect_page_shows(sheet->seite3(), sun_page_texts(state()));
    EXPECT_EQ(label_text(sheet->seite3(), sun_rise_id), "04:50");

    state().chart_stale = 0;
    show_tab(planets_tab);
    EXPECT_EQ(state().chart_stale, 1);
    EXPECT_EQ(state().active_page, 4);
    expect_page_shows(sheet->seite4(), planets_page_texts(state()));

    state().chart_stale = 0;
    show_tab(moon_tab);
    EXPECT_EQ(state().chart_stale, 1);
    EXPECT_EQ(state().active_page, 2);
    expect_page_shows(sheet->seite2(), moon_page_texts(state()));
}

TEST_F(AstroPages, TickRefreshesThePageThatPaintedLast) {
    clock.set({2024, 3, 20, 8, 0, 0});
    open_sheet();
    show_tab(sun_tab);
    ASSERT_EQ(state().active_page, 3);
    clock.set({2024, 3, 20, 9, 30, 0});
    sheet->tick();
    EXPECT_EQ(state().current_time, (CivilDateTime{2024, 3, 20, 9, 30, 0}));
    expect_page_shows(sheet->seite3(), sun_page_texts(state()));

    show_tab(planets_tab);
    clock.set({2024, 3, 21, 23, 0, 0});
    sheet->tick();
    expect_page_shows(sheet->seite4(), planets_page_texts(state()));

    // With the clock stopped a tick changes nothing.
    const std::string before = label_text(sheet->seite4(), 1068);
    state().clock_stopped = 1;
    clock.set({2024, 7, 1, 3, 0, 0});
    sheet->tick();
    EXPECT_EQ(state().current_time, (CivilDateTime{2024, 3, 21, 23, 0, 0}));
    EXPECT_EQ(label_text(sheet->seite4(), 1068), before);
}

TEST_F(AstroPages, PaintWhileTheClockRunsReadsTheClockFirst) {
    clock.set({2024, 3, 20, 8, 0, 0});
    open_sheet();
    show_tab(sun_tab);
    clock.set({2024, 3, 20, 8, 45, 0});
    sheet->seite3().invalidate(false);
    settle();
    EXPECT_EQ(state().current_time, (CivilDateTime{2024, 3, 20, 8, 45, 0}));
    expect_page_shows(sheet->seite3(), sun_page_texts(state()));
}

TEST_F(AstroPages, MaskImageAtNewHalfAndFullMoon) {
    constexpr int size = 100;
    // The shadow mask as the Moon scene draws it: onto a lit square.
    const auto mask = [](int q, int waxing) {
        Canvas c;
        c.ensure_size(QSize(size, size), QColor(moon_lit_rgb.red, moon_lit_rgb.green, moon_lit_rgb.blue));
        Scene scene;
        append_moon_mask(scene, q, waxing, size);
        ScenePainter().paint(c, scene);
        return c.image();
    };
    const QImage none = mask(0, 1);
    const QImage half = mask(50, 1);
    const QImage full = mask(100, 1);
    const QImage half_waning = mask(50, 0);
    for (int x : {10, 30, 49, 50, 70, 90}) {
        SCOPED_TRACE(x);
        EXPECT_EQ(none.pixel(x, 50) & rgb_bits, shadow_bits);
        EXPECT_EQ(full.pixel(x, 50) & rgb_bits, rgb_bits);
        EXPECT_EQ(half.pixel(x, 50) & rgb_bits, x < 50 ? shadow_bits : rgb_bits) << "lit on the right";
        EXPECT_EQ(half_waning.pixel(x, 50) & rgb_bits, x < 50 ? rgb_bits : shadow_bits);
    }
    // Outside the disc the shapes leave their traces: the first square's
    // one-pixel black border where nothing covers it, the half shadow in the
    // corners the terminator does not reach.
    EXPECT_EQ(full.pixel(size - 1, 0) & rgb_bits, 0u);
    EXPECT_EQ(full.pixel(size - 1, size - 1) & rgb_bits, 0u);
    EXPECT_EQ(full.pixel(size - 5, 4) & rgb_bits, rgb_bits);
    EXPECT_EQ(full.pixel(0, 0) & rgb_bits, shadow_bits);
}

TEST_F(AstroPages, MoonPictureFollowsThePhaseOnTheCanvas) {
    open_sheet();
    const auto centre_row_pixel_of = [](const Canvas& canvas, const MoonPictureLayout& at, double across) {
        return canvas.pixel(at.left + static_cast<int>(across * at.size), at.top + at.size / 2) & rgb_bits;
    };
    const auto centre_row_pixel = [&](const CSeite2& page, double across) {
        return centre_row_pixel_of(page.canvas(), page.layout(), across);
    };
    // Full Moon, 22 June 2024 01:08 UT: the lit disc is the picture itself,
    // pixel for pixel (bitmap 141 stretched onto the layout's square).
    CSeite2& full = moon_page_at({2024, 6, 22, 3, 0, 0}, 1);
    ASSERT_EQ(label_text(full, moon_phase_id).substr(0, 5), "100 %");
    const MoonPictureLayout l = full.layout();
    Canvas picture;
    picture.ensure_size(full.canvas().size(), Qt::black);
    picture.draw_image(QRect(l.left, l.top, l.size, l.size), QImage(QStringLiteral(":/bitmaps/141")), RasterMode::copy);
    // Every pixel of the disc (one pixel in from the mask's ellipse).
    const double r = l.size / 2.0;
    int compared = 0;
    for (int y = 0; y < l.size; ++y)
        for (int x = 0; x < l.size; ++x) {
            if (std::hypot(x + 0.5 - r, y + 0.5 - r) > r - 1.5) continue;
            ++compared;
            ASSERT_EQ(full.canvas().pixel(l.left + x, l.top + y) & rgb_bits,
                      picture.pixel(l.left + x, l.top + y) & rgb_bits)
                << x << ", " << y;
        }
    EXPECT_GT(compared, 7000) << "the disc of a 99-pixel square";
    EXPECT_EQ(QImage(QStringLiteral(":/bitmaps/146")).size(), QSize(512, 512)) << "the large picture is compiled in";
    std::vector<QRgb> lit;
    for (double across : {0.25, 0.4, 0.5, 0.6, 0.75}) {
        lit.push_back(centre_row_pixel(full, across));
        EXPECT_GT(qGray(lit.back()), 40) << "the Moon is bright";
    }

    // New Moon, 10 March 2024 09:00 UT: each channel of every disc pixel is
    // scaled by the shadow colour's 73/255, 77/255, 104/255, rounded.
    CSeite2& none = moon_page_at({2024, 3, 10, 10, 0, 0});
    ASSERT_EQ(label_text(none, moon_phase_id).substr(0, 3), "0 %");
    ASSERT_EQ(none.layout().left, l.left);
    const auto scaled = [](QRgb c) {
        return qRgb((qRed(c) * 73 + 127) / 255, (qGreen(c) * 77 + 127) / 255, (qBlue(c) * 104 + 127) / 255) &
               rgb_bits;
    };
    std::size_t k = 0;
    for (double across : {0.25, 0.4, 0.5, 0.6, 0.75}) {
        const QRgb p = centre_row_pixel(none, across);
        EXPECT_EQ(p, scaled(lit[k++])) << across;
        EXPECT_LT(qGray(p), 60) << "darkened to a bluish grey, not a bright negative";
    }

    // First quarter, 17 March 2024 04:11 UT: dark on the left, lit on the right.
    CSeite2& quarter = moon_page_at({2024, 3, 17, 5, 11, 0});
    ASSERT_EQ(quarter.waxing(), 1);
    ASSERT_EQ(quarter.layout().left, l.left);
    EXPECT_EQ(centre_row_pixel(quarter, 0.25), scaled(centre_row_pixel_of(picture, l, 0.25)));
    EXPECT_EQ(centre_row_pixel(quarter, 0.75), centre_row_pixel_of(picture, l, 0.75));
}

TEST_F(AstroPages, FrameMarginsFollowTheSheetsShape) {
    open_sheet();
    const QColor background = sheet->seite2().palette().color(QPalette::Window);
    const auto check_margin = [&](int side) {
        CSeite2& page = sheet->seite2();
        const MoonPictureLayout& l = page.layout();
        const int y = l.top + l.size / 2;
        EXPECT_EQ(l.left - l.frame_left, side);
        EXPECT_EQ(l.frame_right - l.right, side);
        EXPECT_EQ(page.canvas().pixel(l.left - side, y) & rgb_bits, 0u) << "frame";
        EXPECT_EQ(page.canvas().pixel(l.left - 1, y) & rgb_bits, 0u) << "frame";
        if (l.left - side - 1 >= 0) {
            EXPECT_EQ(page.canvas().pixel(l.left - side - 1, y) & rgb_bits, background.rgb() & rgb_bits)
                << "outside the frame";
        }
        EXPECT_EQ(page.canvas().pixel(l.left, l.top - 10) & rgb_bits, 0u);
        EXPECT_EQ(page.canvas().pixel(l.left, l.top - 11) & rgb_bits, background.rgb() & rgb_bits);
    };
    // The window stands for the device's screen; the page gets the area the
    // tab bar leaves, in either orientation.
    const auto expect_page_fills_the_window = [&] {
        const QSize page = sheet->seite2().size();
        EXPECT_GE(page.width(), sheet->width() - 8);
        EXPECT_LT(page.height(), sheet->height());
        EXPECT_GE(page.height(), sheet->height() - 60);
        EXPECT_LE(sheet->seite2().layout().frame_right, page.width());
    };
    sheet->resize(240, 320);
    moon_page_at({2024, 3, 17, 12, 0, 0});
    ASSERT_LT(sheet->width(), sheet->height());
    expect_page_fills_the_window();
    const int portrait_left = sheet->seite2().layout().left;
    check_margin(40);

    sheet->resize(320, 240);
    settle();
    ASSERT_GT(sheet->width(), sheet->height());
    expect_page_fills_the_window();
    EXPECT_GT(sheet->seite2().layout().left, portrait_left) << "the picture moves to the right";
    check_margin(10);
}

TEST_F(AstroPages, TickRedrawsTheMoonOnlyWhenTheRoundedPercentChanges) {
    clock.set({2024, 3, 17, 12, 0, 0});
    open_sheet();
    show_tab(moon_tab);
    CSeite2& page = sheet->seite2();
    ASSERT_EQ(state().active_page, 2);
    EXPECT_DOUBLE_EQ(page.last_drawn_percent(), -1.0);

    sheet->tick();  // the first tick always repaints
    EXPECT_TRUE(page.paint_pending());
    EXPECT_DOUBLE_EQ(page.last_drawn_percent(), page.percent());
    settle();
    ASSERT_FALSE(page.paint_pending());

    clock.set({2024, 3, 17, 12, 1, 0});  // a minute later: the same rounded percentage
    sheet->tick();
    EXPECT_FALSE(page.paint_pending());

    clock.set({2024, 3, 18, 12, 0, 0});  // a day later: about 12 % more
    const double before = page.last_drawn_percent();
    sheet->tick();
    EXPECT_TRUE(page.paint_pending());
    EXPECT_GT(page.last_drawn_percent(), before + 5.0);
    expect_page_shows(page, moon_page_texts(state()));
}

}  // namespace
}  // namespace orbant
