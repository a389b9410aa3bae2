// SPDX-License-Identifier: GPL-3.0-or-later
// The horizon view's drawing: the sky colour of the hour, the full redraw,
// the marks at pixels worked out from the projection, the figures'
// erase-and-redraw bookkeeping and the tap label.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "astro/constants.h"
#include "astro/services/format.h"
#include "astro/services/star_position.h"
#include "pages/horizon_scene.h"
#include "tests/pages/page_test_support.h"
#include "text/utf8.h"

namespace orbant {
namespace {

using Kind = DrawItem::Kind;

// Every character 7 pixels wide, lines as high as the font: enough to place
// texts; the window measures with its real fonts.
class FixedMeasure final : public TextMeasure {
public:
    TextExtent measure(std::string_view utf8, SceneFont font) const override {
        return {7 * static_cast<int>(utf8_character_count(utf8)), font.pixel_height};
    }
};

SheetState hamburg_at(CivilDateTime now) {
    SheetState s = test::state_at(53.55, 10.0, 1.0, 0, now);
    s.night_mode = 0;
    fill_body_and_star_table(s);
    return s;
}

std::size_t entry_named(const SheetState& s, std::string_view prefix) {
    for (std::size_t e = 0; e < s.sky_objects.size(); ++e)
        if (s.sky_objects[e].name().substr(0, prefix.size()) == prefix) return e;
    ADD_FAILURE() << "no entry " << prefix;
    return 0;
}

TEST(HorizonSky, PhaseOfTheHourAndItsGridColour) {
    // Sunrise 7:00, sunset 17:00, nautical twilight 5:30 to 18:30.
    const HorizonSunTimes sun{7.0, 17.0, 5.5, 18.5, 1, 1, 1, 1};
    struct Case {
        double hours;
        SkyPhase phase;
    };
    for (const Case c : {Case{0.0, SkyPhase::night}, Case{5.49, SkyPhase::night}, Case{5.5, SkyPhase::twilight},
                         Case{7.0, SkyPhase::day}, Case{16.99, SkyPhase::day}, Case{17.0, SkyPhase::twilight},
                         Case{18.5, SkyPhase::night}, Case{23.99, SkyPhase::night}})
        EXPECT_EQ(horizon_sky_phase(sun, c.hours), c.phase) << c.hours;
    HorizonSunTimes polar = sun;
    polar.has_sunset = 0;
    EXPECT_EQ(horizon_sky_phase(polar, 12.0), SkyPhase::twilight);

    EXPECT_EQ(horizon_grid_rgb(horizon_day_rgb), (Rgb{141, 121, 255}));
    EXPECT_EQ(horizon_grid_rgb(horizon_twilight_rgb), (Rgb{114, 119, 167}));
    EXPECT_EQ(horizon_grid_rgb(horizon_night_rgb), (Rgb{121, 122, 109}));
}

TEST(HorizonSky, SunTimesOfTheDayDecideTheColour) {
    // Hamburg, 15 January: sunrise about 8:30, sunset about 16:30 local.
    SheetState s = hamburg_at({2026, 1, 15, 12, 0, 0});
    const HorizonSunTimes winter = horizon_sun_times(s);
    EXPECT_NEAR(winter.sunrise, 8.5, 0.25);
    EXPECT_NEAR(winter.sunset, 16.4, 0.25);
    EXPECT_EQ(horizon_paint_sky(s, winter), horizon_day_rgb);
    s.night_mode = 1;
    EXPECT_EQ(horizon_paint_sky(s, winter), horizon_night_rgb) << "night mode at noon";

    // 56 degrees north on 13 July (summer time): nautical twilight ends at
    // 01:04, after local midnight; that end belongs to the evening, so noon
    // is day and 23:00 still twilight.
    SheetState july = test::state_at(56.0, 10.0, 1.0, 1, {2026, 7, 13, 12, 0, 0});
    july.night_mode = 0;
    const HorizonSunTimes summer = horizon_sun_times(july);
    ASSERT_TRUE(summer.has_evening && summer.has_morning);
    EXPECT_GT(summer.evening, 24.0);
    EXPECT_EQ(horizon_paint_sky(july, summer), horizon_day_rgb);
    july.current_time.hour = 23;
    EXPECT_EQ(horizon_paint_sky(july, summer), horizon_twilight_rgb);

    // Tromsoe at midsummer: the Sun never sets, twilight colour all day.
    SheetState polar = test::state_at(69.65, 18.96, 1.0, 1, {2026, 6, 21, 12, 0, 0});
    polar.night_mode = 0;
    EXPECT_EQ(horizon_paint_sky(polar, horizon_sun_times(polar)), horizon_twilight_rgb);
}

TEST(HorizonScene, FullRedrawThenAStarStraightAheadAtItsProjectedPixel) {
    SheetState s = hamburg_at({2026, 1, 15, 22, 0, 0});
    const std::size_t aldebaran = entry_named(s, "Aldebaran");
    const SkyObject& star = s.sky_objects[aldebaran];
    double altitude = 0.0, azimuth = 0.0;
    star_horizontal(s.current_time, s.observer_longitude, s.observer_latitude, s.time_offset_hours(),
                    star.right_ascension_deg, star.declination_deg, altitude, azimuth);
    ASSERT_GT(altitude, 0.3);

    // Face the star: H = 0, so X = 0 and Y = tan(altitude - 45 degrees).
    HorizonView view;
    view.azimuth_deg = azimuth_from_north(azimuth * degrees_per_radian);
    const HorizonFrame frame = horizon_frame(320, 240, true);
    const HorizonLayout& l = frame.layout;
    const ScenePoint expected{l.offset_x,
                              static_cast<int>(l.scale_y * std::tan(altitude - 45.0 * radians_per_degree)) + l.offset_y};

    HorizonMemory memory;
    const HorizonSunTimes sun = horizon_sun_times(s);
    const Scene scene = horizon_paint_scene(s, frame, view, sun, memory, FixedMeasure());
    const Rgb sky = horizon_night_rgb;
    ASSERT_FALSE(scene.items.empty());
    const DrawItem& field = scene.items.front();
    EXPECT_EQ(field.kind, Kind::rectangle);
    EXPECT_EQ(field.rect, (SceneRect{1, 2, 319, 211}));
    EXPECT_EQ(field.brush, sky);
    EXPECT_EQ(field.pen, (Rgb{121, 122, 109}));
    EXPECT_EQ(memory.current[aldebaran], expected);

    DrawItem probe;
    probe.mode = RasterMode::xor_pen;
    probe.pen = sky ^ horizon_white_rgb;
    probe.pattern = PixelPattern::square;
    probe.at = expected;
    int marks = 0;
    for (const DrawItem& item : scene.items) marks += item == probe;
    EXPECT_EQ(marks, 1) << "one 3 x 3 mark for a star of magnitude 0.87";

    // The tap label names it; the Moon put on the same place wins.
    // The tap rectangle's left and top edges are inside.
    const TapLabel tap = horizon_tap_label(s, frame, memory, sky, {expected.x - 5, expected.y - 5}, FixedMeasure());
    EXPECT_EQ(tap.entry, static_cast<int>(aldebaran));
    EXPECT_EQ(tap.lines, (TapLines{"Aldebaran (Hyaden)", "(0.87) Stier"}));

    s.sky_objects[moon_entry].right_ascension_deg = star.right_ascension_deg;
    s.sky_objects[moon_entry].declination_deg = star.declination_deg;
    s.sky_objects[moon_entry].set_name("Mond ( 45%)");
    s.active_page = 6;
    horizon_paint_scene(s, frame, view, sun, memory, FixedMeasure());
    const TapLabel moon = horizon_tap_label(s, frame, memory, sky, expected, FixedMeasure());
    EXPECT_EQ(moon.entry, 0);
    EXPECT_EQ(moon.lines, (TapLines{"", "Mond ( 45%)"}));
}

TEST(HorizonScene, TickRemovesEachMarkAtItsOldPlaceBeforeDrawingTheNew) {
    SheetState s = hamburg_at({2026, 1, 15, 22, 0, 0});
    const HorizonFrame frame = horizon_frame(240, 320, false);
    HorizonView view;
    view.figures = view.ecliptic = true;
    HorizonMemory memory;
    const HorizonSunTimes sun = horizon_sun_times(s);
    horizon_paint_scene(s, frame, view, sun, memory, FixedMeasure());
    s.active_page = 6;
    const HorizonMemory first = memory;
    const auto figures_first = horizon_drawn_figures(s, memory);
    ASSERT_FALSE(figures_first.empty());
    ASSERT_GT(horizon_drawn_ecliptic(frame, memory).size(), 1u);

    s.current_time.minute = 10;
    const Scene tick = horizon_paint_scene(s, frame, view, sun, memory, FixedMeasure());
    EXPECT_NE(tick.items.front().kind, Kind::rectangle) << "no full redraw on a tick";
    EXPECT_EQ(memory.earlier, first.current);
    // Each mark drawn once at its old place and once at its new one (the
    // discs of entries 0 and 1 aside), each figure of the first paint once
    // through its old points.
    const auto placed = [](const auto& positions) {
        return static_cast<std::size_t>(
            std::count_if(positions.begin() + 2, positions.end(), [](ScenePoint p) { return p != no_position; }));
    };
    std::size_t marks = 0, old_figures = 0;
    for (const DrawItem& item : tick.items) {
        marks += item.kind == Kind::pattern;
        if (item.kind == Kind::polyline)
            old_figures += std::find(figures_first.begin(), figures_first.end(), item.points) != figures_first.end();
    }
    EXPECT_EQ(marks, placed(first.current) + placed(memory.current));
    EXPECT_EQ(old_figures, figures_first.size());
}

TEST(HorizonScene, LabelTextsTruncateBeforeTheyWrap) {
    const HorizonFrame frame = horizon_frame(320, 240, true);
    HorizonView view;
    view.azimuth_deg = 22.5;
    const std::vector<std::string> labels = horizon_label_texts(frame, view);
    const std::vector<std::string> expected{"NW", "NO", "NO", "20°", "40°", "60°", "80°", "343°", "303°", "62°", "102°"};
    EXPECT_EQ(labels, expected);
    view.grid = false;
    EXPECT_EQ(horizon_label_texts(frame, view).size(), 3u) << "no grid labels without the grid";
}

TEST(HorizonScene, AltitudeLabelsStandTwoPixelsRightAndOneBelowTheirCirclePoint) {
    // 320 x 240: altitude 20 straight ahead at (160, 154) (Y = tan(-25)
    // degrees, y = 48 + 106), 80 at (160, 33); the labels' corners are
    // (162, 155) and (162, 34).
    const SheetState s = hamburg_at({2024, 1, 15, 22, 0, 0});
    const HorizonFrame frame = horizon_frame(320, 240, true);
    HorizonMemory memory;
    const Scene scene = horizon_paint_scene(s, frame, HorizonView{}, horizon_sun_times(s), memory, FixedMeasure());
    auto corner_of = [&](const std::string& text) {
        for (const DrawItem& item : scene.items)
            if (item.kind == Kind::text && item.text == text) return item.at;
        ADD_FAILURE() << "no label " << text;
        return ScenePoint{};
    };
    EXPECT_EQ(corner_of("20°"), (ScenePoint{162, 155}));
    EXPECT_EQ(corner_of("80°"), (ScenePoint{162, 34}));
}

TEST(HorizonTap, LinesSplitAtTheFirstParenthesisAndTheLabelStaysOnThePage) {
    struct Case {
        const char* name;
        TapLines lines;
    };
    for (const Case& c : {Case{"Vega (0.03) Lyra", {"Vega (0.03)", "Lyra"}},
                          Case{"7 Cet (4.44) [48]", {"7 Cet (4.44)", "[48]"}},
                          Case{"Sonne (-26.8)", {"", "Sonne (-26.8)"}}, Case{"Mond", {"", "Mond"}}})
        EXPECT_EQ(tap_lines(c.name), c.lines) << c.name;

    // A star placed by hand near the lower right corner of a 240 x 320
    // page: the label goes left of the tap (px > right / 2) and above it;
    // "Vega (0.03)" has more characters: w = 77, h = 13.
    SheetState s = hamburg_at({2026, 1, 15, 22, 0, 0});
    HorizonMemory memory;
    const std::size_t vega = entry_named(s, "Vega");
    memory.current[vega] = {236, 315};
    const TapLabel label =
        horizon_tap_label(s, horizon_frame(240, 320, false), memory, horizon_night_rgb, {238, 318}, FixedMeasure());
    ASSERT_EQ(label.entry, static_cast<int>(vega));
    EXPECT_EQ(label.rect, (SceneRect{161, 292, 238, 318}));
    // On a 100 x 150 page a tap at px = right / 2 puts the label right of
    // it, past the page's edge: it moves in. Near the top it goes below.
    memory.current[vega] = {49, 10};
    EXPECT_EQ(horizon_tap_label(s, horizon_frame(100, 150, false), memory, horizon_night_rgb, {49, 10}, FixedMeasure())
                  .rect,
              (SceneRect{23, 10, 100, 36}));
}

}  // namespace
}  // namespace orbant
