// SPDX-License-Identifier: GPL-3.0-or-later
// The overview chart's layout, dots and background: the worked layout
// values, the compass rule for the dots, and the directions against what
// the Sun, Moon and planets pages show for the same instant.
#include <gtest/gtest.h>

#include <string>

#include "pages/moon_texts.h"
#include "pages/overview_scene.h"
#include "pages/planets_texts.h"
#include "pages/sun_texts.h"
#include "tests/pages/page_test_support.h"

namespace orbant {
namespace {

// Texts 6 pixels a character and 15 high; the compass letters 12 x 17.
class FixedMeasure final : public TextMeasure {
public:
    TextExtent measure(std::string_view utf8, SceneFont font) const override {
        if (font == overview_letter_font) return {12, 17};
        return {6 * static_cast<int>(utf8.size()), 15};
    }
};

struct LayoutCase {
    const char* name;
    int cx, cy;
    bool portrait;
    SceneRect disc;
    int half;
    ScenePoint centre;
    int unit, outer_radius;
    ScenePoint box;  // a 100 x 20 check box
};

// Portrait 240: the worked example. Landscape 320: left = top =
// int(64.0) = 64, right = bottom = int(64.0 + 44.8) = 108, half 22,
// unit int(4.884) = 4, outer 22 + 52 = 74. Both keep the rule. Portrait
// 480 x 640 runs off the page by the rule (centre 189, outer radius 211)
// and is fitted: half 55 (unit 12, reach int(12 * 12.98 + 55) + 4 = 214)
// needs its legend to end at 216 + 240 + 12 + 45 = 513 > 480; half 54
// (unit 11, outer 54 + 143 = 197, reach 196 + 4 = 200) ends it at 202 +
// 220 + 11 + 45 = 478. Landscape 1920 x 600 by the rule: half 134, unit
// 29, outer 511 about a centre 518 pixels down; fitted to the height:
// half 76, unit 16, outer 284, reach int(16 * 12.98 + 76) + 4 = 287, and
// 2 + 2 * 287 = 576 <= 600 (half 77, unit 17, reaches 301).
TEST(OverviewScene, LayoutFromTheWidthAndTheScreensShape) {
    const LayoutCase cases[] = {
        {"portrait", 240, 320, true, {67, 69, 122, 124}, 27, {94, 96}, 5, 92, {5, 290}},
        {"landscape", 320, 240, false, {64, 64, 108, 108}, 22, {86, 86}, 4, 74, {218, 218}},
        {"portrait 480", 480, 640, true, {148, 148, 256, 256}, 54, {202, 202}, 11, 197, {5, 610}},
        {"wide landscape", 1920, 600, false, {213, 213, 365, 365}, 76, {289, 289}, 16, 284, {1818, 578}},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        const OverviewLayout l = overview_layout(c.cx, c.cy, c.portrait);
        EXPECT_EQ(l.disc, c.disc);
        EXPECT_EQ(l.half, c.half);
        EXPECT_EQ(l.centre, c.centre);
        EXPECT_EQ(l.unit, c.unit);
        EXPECT_EQ(l.outer_radius, c.outer_radius);
        EXPECT_EQ(l.fitted, c.cx > 320);
        EXPECT_EQ(overview_check_box_place(c.cx, c.cy, 100, 20, c.portrait), c.box);
    }
}

// North is up and east to the right; the Sun's ring on the 240 page has
// radius int(5 * 1.4 + 27) = 34, Pluto's int(5 * 12.98 + 27) = 91.
TEST(OverviewScene, DotsStandOnTheirRingsByCompassDirection) {
    const OverviewLayout l = overview_layout(240, 320, true);
    struct Case {
        std::size_t body;
        double azimuth_deg;
        ScenePoint centre;
        int radius;
    };
    const Case cases[] = {
        {0, 0.0, {94, 62}, 6},   {0, 90.0, {128, 96}, 6}, {0, 180.0, {94, 130}, 6},
        {0, 270.0, {60, 96}, 6}, {9, 0.0, {94, 5}, 4},    {9, 45.0, {94 + 64, 96 - 64}, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.azimuth_deg);
        const OverviewDot dot = overview_dot(l, c.body, {c.azimuth_deg, 0.1}, true);
        EXPECT_EQ(dot.centre, c.centre);
        EXPECT_EQ(dot.radius, c.radius);
        EXPECT_TRUE(dot.drawn);
    }
    // "Nur nach Aufgang" hides a body on or below the horizon.
    EXPECT_FALSE(overview_dot(l, 1, {10.0, 0.0}, true).drawn);
    EXPECT_FALSE(overview_dot(l, 1, {10.0, -0.5}, true).drawn);
    EXPECT_TRUE(overview_dot(l, 1, {10.0, -0.5}, false).drawn);
}

// The chart and the pages compute the same directions: the Sun and Moon
// pages print the azimuth from north to 0.01°, the planets page to 0.1°
// with the altitude.
TEST(OverviewScene, DirectionsAgreeWithThePagesTexts) {
    const SheetState s = test::state_at(53.55, 10.0, 1.0, 0, {2024, 11, 5, 21, 40, 0});
    const OverviewDirections d = overview_directions(s);
    const auto number = [](const std::string& text) { return std::stod(text); };
    EXPECT_NEAR(d[0].azimuth_deg, number(test::text_of(sun_page_texts(s), sun_direction_id)), 0.005);
    MoonPicture picture;
    EXPECT_NEAR(d[1].azimuth_deg, number(test::text_of(moon_page_texts(s, picture), moon_direction_id)), 0.005);
    const PageTexts planets = planets_page_texts(s);
    for (std::size_t k = 0; k < planet_rows.size(); ++k) {
        SCOPED_TRACE(planet_rows[k].label);
        EXPECT_NEAR(d[2 + k].azimuth_deg, number(test::text_of(planets, planet_rows[k].direction_id)), 0.05);
        EXPECT_NEAR(d[2 + k].altitude * 57.29577951308232, number(test::text_of(planets, planet_rows[k].altitude_id)),
                    0.05);
    }
}

// The background: outer circle, disc, observer mark, four axis lines, four
// letters, and per body a legend dot and its name, 3 units apart from
// (centre + 20 units, 4 units) in portrait and (centre + 30, 7) otherwise.
// On the 240 page the legend moves left until its longest name ("Jupiter",
// 42 pixels) ends at the page's edge: x = 240 - 5 - 42 = 193.
// On the 320 page the letters at the rule's places would overlap (O from
// (91, 79), 12 x 17, reaches into S from (83, 90)), so each is centred on its
// axis one pixel inside the disc (64, 64, 108, 108), and the disc's outline
// is drawn again over their backgrounds.
TEST(OverviewScene, BackgroundAndLegend) {
    const FixedMeasure measure;
    Scene portrait;
    append_overview_background(portrait, overview_layout(240, 320, true), measure);
    ASSERT_EQ(portrait.items.size(), 3u + 4u + 4u + 2u * overview_body_count);
    EXPECT_EQ(portrait.items[0].rect, (SceneRect{2, 4, 186, 188}));
    EXPECT_EQ(portrait.items[2].rect, (SceneRect{92, 94, 96, 98}));
    EXPECT_EQ(portrait.items[3].points, (std::vector<ScenePoint>{{94, 75}, {94, 4}}));
    EXPECT_EQ(portrait.items[6].points, (std::vector<ScenePoint>{{115, 96}, {186, 96}}));
    EXPECT_EQ(portrait.items[8].text, "S");
    EXPECT_EQ(portrait.items[8].at, (ScenePoint{91, 106})) << "the rule's letters do not overlap here";
    const DrawItem& sun_dot = portrait.items[11];
    EXPECT_EQ(sun_dot.rect, (SceneRect{189, 16, 197, 24}));
    EXPECT_FALSE(sun_dot.pen.has_value());
    EXPECT_EQ(sun_dot.brush, (Rgb{242, 255, 4}));
    const DrawItem& pluto_name = portrait.items.back();
    EXPECT_EQ(pluto_name.text, "Pluto");
    EXPECT_EQ(pluto_name.at, (ScenePoint{198, 20 + 9 * 15 - 8}));
    EXPECT_EQ(pluto_name.font, (SceneFont{13, 200}));
    for (const DrawItem& item : portrait.items) EXPECT_EQ(item.mode, RasterMode::copy);

    Scene landscape;
    append_overview_background(landscape, overview_layout(320, 240, false), measure);
    EXPECT_EQ(landscape.items[11].rect, (SceneRect{86 + 120 - 4, 28 - 4, 86 + 120 + 4, 28 + 4}))
        << "the legend fits where the rule puts it";
    std::vector<ScenePoint> letters;
    for (std::size_t k = 7; k < 11; ++k) letters.push_back(landscape.items[k].at);
    EXPECT_EQ(letters, (std::vector<ScenePoint>{{80, 65}, {80, 90}, {65, 78}, {95, 78}}));
    EXPECT_EQ(landscape.items.size(), portrait.items.size() + 1);
    EXPECT_EQ(landscape.items.back().rect, (SceneRect{64, 64, 108, 108})) << "the disc's outline over the letters";
    EXPECT_FALSE(landscape.items.back().brush.has_value());
}

// A paint that is not full first draws the remembered dots (which removes
// them), then the new ones; with the box ticked only the risen bodies.
TEST(OverviewScene, AnUpdateErasesTheRememberedDotsFirst) {
    const SheetState s = test::state_at(53.55, 10.0, 1.0, 0, {2024, 11, 5, 21, 40, 0});
    const OverviewLayout l = overview_layout(240, 320, true);
    OverviewDirections remembered{};
    remembered.fill({123.0, 0.2});
    const OverviewPaint all = overview_paint(s, l, false, false, remembered, FixedMeasure());
    ASSERT_EQ(all.scene.items.size(), 2 * overview_body_count);
    // The Sun's dot at 123 degrees: x = 94 + int(34 sin 123°) = 94 + 28, y =
    // 96 - int(34 cos 123°) = 96 + 18, radius 6.
    EXPECT_EQ(all.scene.items.front().rect, (SceneRect{116, 108, 128, 120}));
    EXPECT_EQ(all.drawn, overview_directions(s));
    std::size_t risen = 0;
    for (const BodyDirection& b : all.drawn) risen += b.altitude > 0.0 ? 1 : 0;
    ASSERT_GT(risen, 0u);
    ASSERT_LT(risen, overview_body_count);
    EXPECT_EQ(overview_paint(s, l, false, true, remembered, FixedMeasure()).scene.items.size(), overview_body_count + risen);
}

}  // namespace
}  // namespace orbant
