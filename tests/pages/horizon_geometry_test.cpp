// SPDX-License-Identifier: GPL-3.0-or-later
// The horizon view's projection, layout and grid.
//
// Expected pixels are worked by hand from closed forms of the tangent-point
// projection at 45 degrees: the horizon maps to Y = -1 and the line through
// the zenith perpendicular to the view (cos H = 0) to Y = +1, so a circle of
// altitude a meets the top at H = 90; it meets the side edge of a field of
// half width F where sin(H - F) = sin F tan a; a vertical at offset H leaves
// the side at tan d = sin H / tan F - cos H. Points on a straight-ahead
// meridian at altitude a have Y = tan(a - 45). Cases whose pixel depends on
// the last bits of a value lying exactly on an edge are named as such.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "astro/constants.h"
#include "astro/services/format.h"
#include "pages/horizon_geometry.h"

namespace orbant {
namespace {

constexpr double sqrt2 = 1.4142135623730951;
// A few ulps of a value near 1 or 2.
constexpr double few_ulps = 1e-15;

struct LayoutCase {
    const char* name;
    int width, height;
    bool landscape;
    int right, horizon;
    double half_field_deg;
    int label_altitude_deg;
    int offset_x, offset_y;
};

class HorizonLayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(HorizonLayoutTest, FieldFitsTheHorizonEdgesAndTheZenith) {
    const LayoutCase& c = GetParam();
    const HorizonLayout l = horizon_layout(c.width, c.height, c.landscape);
    EXPECT_EQ(l.left, 1);
    EXPECT_EQ(l.top, 2);
    EXPECT_EQ(l.right, c.right);
    EXPECT_EQ(l.horizon, c.horizon);
    EXPECT_EQ(l.half_field_deg, c.half_field_deg);
    EXPECT_EQ(l.azimuth_label_altitude_deg, c.label_altitude_deg);
    EXPECT_EQ(l.view_altitude_deg, 45.0);

    // X1, X2 = -+sqrt2 tan(half field), Y0 = -1, Yz = 1.
    const double edge = sqrt2 * std::tan(c.half_field_deg * radians_per_degree);
    EXPECT_NEAR(horizon_projection(45.0, 0.0, c.half_field_deg).x, -edge, few_ulps);
    EXPECT_NEAR(horizon_projection(45.0, 0.0, -c.half_field_deg).x, edge, few_ulps);
    EXPECT_NEAR(horizon_projection(45.0, 0.0, 0.0).y, -1.0, few_ulps);
    EXPECT_NEAR(horizon_projection(45.0, 90.0, 0.0).y, 1.0, few_ulps);
    EXPECT_NEAR(l.scale_x, (c.right - 1) / (2.0 * edge), 1e-12);
    EXPECT_NEAR(l.scale_y, (2 - c.horizon) / 2.0, 1e-12);
    EXPECT_EQ(l.offset_x, c.offset_x);
    EXPECT_EQ(l.offset_y, c.offset_y);

    // The horizon straight ahead falls one row above the line (Y0 lies a
    // hair above -1 and truncation goes toward zero); the zenith on the top
    // edge, which is outside.
    const ScenePoint ahead = horizon_screen_point(l, 0.0, 0.0);
    EXPECT_EQ(ahead, (ScenePoint{c.offset_x, c.horizon - 1}));
    EXPECT_TRUE(inside_field(l, ahead));
    const ScenePoint zenith = horizon_screen_point(l, 90.0, 0.0);
    EXPECT_EQ(zenith, (ScenePoint{c.offset_x, 2}));
    EXPECT_FALSE(inside_field(l, zenith));

    // The field spans 2 F of azimuth at the horizon.
    const double f = c.half_field_deg;
    EXPECT_TRUE(inside_field(l, horizon_screen_point(l, 0.0, f - 1.0)));
    EXPECT_TRUE(inside_field(l, horizon_screen_point(l, 0.0, -(f - 1.0))));
    EXPECT_FALSE(inside_field(l, horizon_screen_point(l, 0.0, f + 1.0)));
    EXPECT_FALSE(inside_field(l, horizon_screen_point(l, 0.0, -(f + 1.0))));
}

// offset_x is (left + right) / 2 up to the last bits; at 640 x 480 the sine
// form gives 319.99999999999994 and so 319 (the tangent form gives 320).
// offset_y = int((horizon + top) / 2) with Yz, Y0 an ulp off +-1.
INSTANTIATE_TEST_SUITE_P(
    PortraitAndLandscape, HorizonLayoutTest,
    testing::Values(LayoutCase{"landscape_320x240", 320, 240, true, 319, 211, 50.0, 50, 160, 106},
                    LayoutCase{"portrait_240x320", 240, 320, false, 239, 294, 30.0, 70, 120, 148},
                    LayoutCase{"landscape_640x480", 640, 480, true, 639, 422, 50.0, 50, 319, 212},
                    LayoutCase{"portrait_480x640", 480, 640, false, 479, 588, 30.0, 70, 240, 295},
                    // A square screen counts as landscape.
                    LayoutCase{"landscape_300x300", 300, 300, screen_is_landscape(300, 300), 299, 264, 50.0, 50,
                               150, 133}),
    [](const testing::TestParamInfo<LayoutCase>& i) { return std::string(i.param.name); });

TEST(HorizonScreenPoint, ObjectsArePlacedByTheirNorthBasedAzimuthOffset) {
    const HorizonLayout l = horizon_layout(320, 240, true);
    const double deg = radians_per_degree;
    struct Case {
        const char* what;
        double view_deg, azimuth_from_south_deg, altitude_deg;
        ScenePoint expected;
    };
    // On the middle meridian y = int(-104.5 tan(a - 45)) + 106; on the
    // horizon at offset H, x = int(-94.34 sqrt2 tan H) + 160 (H = 20: -48.56).
    const Case cases[] = {
        {"south at 80 degrees, facing south", 180.0, 0.0, 80.0, {160, 33}},
        {"north at 80 degrees, facing north as 0", 0.0, 180.0, 80.0, {160, 33}},
        {"north at 80 degrees, facing north as 360", 360.0, 180.0, 80.0, {160, 33}},
        {"on the horizon straight ahead", 180.0, 0.0, 0.0, {160, 210}},
        {"20 degrees left of the view is left of the middle", 180.0, 340.0, 0.0, {112, 210}},
        {"offset -340 wraps to the left by its sine", 10.0, 170.0, 0.0, {112, 210}},
        {"offset 340 wraps to the right", 350.0, 190.0, 0.0, {208, 210}},
        {"just below the horizon", 180.0, 0.0, -0.01, no_position},
    };
    for (const Case& c : cases)
        EXPECT_EQ(object_screen_point(l, c.view_deg, c.azimuth_from_south_deg * deg, c.altitude_deg * deg),
                  c.expected)
            << c.what;
}

TEST(HorizonScreenPoint, PointsBehindTheObserverAreNeverInsideTheField) {
    const HorizonLayout l = horizon_layout(320, 240, true);
    // 0.05 degrees above the horizon straight behind: s < 0, and the raw
    // projection mirrors it to Y = -1.0017, which truncates onto row 210,
    // the row of the horizon in front.
    const TangentPlanePoint mirrored = horizon_projection(45.0, 0.05, 180.0);
    ASSERT_LT(mirrored.s, 0.0);
    EXPECT_EQ(static_cast<int>(l.scale_y * mirrored.y) + l.offset_y, 210);
    EXPECT_EQ(horizon_screen_point(l, 0.05, 180.0), no_position);
    EXPECT_EQ(object_screen_point(l, 180.0, pi, 0.05 * radians_per_degree), no_position);

    // Anywhere more than 90 degrees off the view direction is above the top
    // (Y > 1 where cos H < 0) or behind: never inside, in either orientation.
    for (const bool landscape : {true, false}) {
        const HorizonLayout f = landscape ? l : horizon_layout(240, 320, false);
        for (int h = 91; h <= 269; ++h)
            for (const double a : {0.0, 0.01, 0.05, 0.1, 1.0, 10.0, 30.0, 60.0, 89.9})
                EXPECT_FALSE(inside_field(f, horizon_screen_point(f, a, h)))
                    << (landscape ? "landscape" : "portrait") << " H " << h << " altitude " << a;
    }
}

TEST(HorizonGrid, AltitudeCirclesCountTheirPointsUpToTheFieldEdge) {
    struct Case {
        int width, height;
        bool landscape;
        int altitude_deg;
        int count_left, count_right;
    };
    const Case cases[] = {
        // Side edge: 50 + asin(sin 50 tan 20) = 66.19, so H = 0..66.
        {320, 240, true, 20, 67, 67},
        // The top at H = 90: H = 0..89 inside, 90 on y = top.
        {320, 240, true, 60, 90, 90},
        {320, 240, true, 80, 90, 90},
        // 30 + asin(sin 30 tan 20) = 40.49; 30 + asin(sin 30 tan 40) = 54.81.
        {240, 320, false, 20, 41, 41},
        {240, 320, false, 40, 55, 55},
        {240, 320, false, 80, 90, 90},
        {640, 480, true, 20, 67, 67},
        // Corner case: the 40 degree circle meets the top and the side edge
        // together at H = 90 (sin 50 tan 40 = sin 40); on the right the bits
        // leave H = -90 at (638, 3) inside, so the step to -91 is the 92nd
        // point, the whole capacity.
        {640, 480, true, 40, 90, 91},
    };
    for (const Case& c : cases) {
        const HorizonLayout l = horizon_layout(c.width, c.height, c.landscape);
        const HorizonGrid g = horizon_grid(l);
        const auto index = static_cast<std::size_t>(2 * (c.altitude_deg / 20 - 1));
        for (const AltitudeCircle* circle : {&g.circles[index], &g.circles[index + 1]}) {
            const int expected = circle->sign > 0 ? c.count_left : c.count_right;
            SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " altitude " << c.altitude_deg
                                            << " sign " << circle->sign);
            EXPECT_EQ(circle->altitude_deg, c.altitude_deg);
            EXPECT_EQ(circle->count, expected);
            // The step that leaves the field is stored but not counted.
            EXPECT_EQ(circle->stored, expected + 1);
            EXPECT_LE(circle->stored, altitude_circle_capacity);
            EXPECT_FALSE(inside_field(l, circle->points[static_cast<std::size_t>(circle->stored - 1)]));
            EXPECT_EQ(circle->points[0], horizon_screen_point(l, c.altitude_deg, 0.0));
        }
    }
}

TEST(HorizonGrid, VerticalsStandAtTheNineOffsetsAndEndAtTheHorizonOrTheSide) {
    for (const auto& [w, h, landscape] : {std::tuple{320, 240, true}, std::tuple{240, 320, false},
                                         std::tuple{640, 480, true}, std::tuple{480, 640, false}}) {
        const HorizonGrid g = horizon_grid(horizon_layout(w, h, landscape));
        ASSERT_EQ(g.vertical_count, 9) << w << "x" << h;
        for (int i = 0; i < 9; ++i) EXPECT_EQ(g.verticals[static_cast<std::size_t>(i)].offset_deg, -80 + 20 * i);
    }

    struct Case {
        int width, height;
        bool landscape;
        int offset_deg;
        int end_altitude_deg;
    };
    // Side crossing at tan d = sin H / tan F - cos H; below 0 the segment
    // reaches the horizon and ends at the point of altitude 0.
    const Case cases[] = {
        {320, 240, true, 0, 0},   {320, 240, true, 20, 0},  {320, 240, true, 40, 0},
        {320, 240, true, 60, 13},  // d = 12.77
        {320, 240, true, 80, 34},  // d = 33.13
        {240, 320, false, 0, 0},  {240, 320, false, 20, 0},
        {240, 320, false, 40, 20},  // d = 19.15
        {240, 320, false, 80, 57},  // d = 56.86
    };
    for (const Case& c : cases) {
        const HorizonLayout l = horizon_layout(c.width, c.height, c.landscape);
        const HorizonGrid g = horizon_grid(l);
        for (const int h : {c.offset_deg, -c.offset_deg}) {
            const VerticalSegment& v = g.verticals[static_cast<std::size_t>((h + 80) / 20)];
            SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " H " << h);
            EXPECT_EQ(v.start, horizon_screen_point(l, 80.0, h));
            EXPECT_EQ(v.end_altitude_deg, c.end_altitude_deg);
            EXPECT_EQ(v.end, horizon_screen_point(l, c.end_altitude_deg, h));
            if (c.end_altitude_deg == 0) {
                EXPECT_EQ(v.end.y, l.horizon - 1);
            }
        }
    }
}

TEST(HorizonGrid, LabelsSitAtTheirGridPoints) {
    const HorizonGrid g = horizon_grid(horizon_layout(320, 240, true));
    // Altitude 20 straight ahead: Y = tan(-25) = -0.4663, y = 48 + 106.
    EXPECT_EQ(g.altitude_label_corners[0], (ScenePoint{162, 155}));
    EXPECT_EQ(g.altitude_label_corners[3], (ScenePoint{162, 34}));
    // Altitude 50 at H = +-40: X = -+0.4643 (x = 160 -+ 43), Y = 0.2175
    // (y = -22 + 106).
    EXPECT_EQ(g.azimuth_label_centres[0], (ScenePoint{117, 84}));
    EXPECT_EQ(g.azimuth_label_centres[2], (ScenePoint{203, 84}));
}

TEST(HorizonLabels, DirectionWordsAndAzimuthLabelsTruncateBeforeTheyWrap) {
    struct Words {
        double view_deg, half_deg;
        int left, middle, right;
    };
    const Words words[] = {
        {180.0, 50.0, 130, 180, 230}, {22.5, 50.0, 333, 22, 72}, {345.0, 30.0, 315, 345, 15},
        {330.0, 30.0, 300, 330, 360},  // 360 stays: "N"
        {0.0, 50.0, 310, 0, 50},       {360.0, 30.0, 330, 360, 30},
        {49.5, 50.0, 0, 49, 99},  // int(-0.5) = 0, not wrapped
    };
    for (const Words& c : words) {
        const HorizonDirections d = horizon_direction_azimuths(c.view_deg, c.half_deg);
        EXPECT_EQ(d.left, c.left) << c.view_deg;
        EXPECT_EQ(d.middle, c.middle) << c.view_deg;
        EXPECT_EQ(d.right, c.right) << c.view_deg;
    }

    struct Label {
        double view_deg;
        int offset_deg;
        int degrees;
    };
    const Label labels[] = {
        {22.5, 40, 343}, {22.5, -40, 62}, {180.0, 80, 100}, {360.0, -80, 80},
        {320.0, -40, 360}, {39.5, 40, 0},  // int(-0.5) = 0, not 359
    };
    for (const Label& c : labels)
        EXPECT_EQ(azimuth_label_degrees(c.view_deg, c.offset_deg), c.degrees) << c.view_deg << " " << c.offset_deg;
}

TEST(HorizonTurning, ButtonsTurnByFifteenOrToTheNextQuarter) {
    struct Case {
        double from_deg;
        ViewTurn turn;
        double to_deg;
    };
    const Case cases[] = {
        {345.0, ViewTurn::right_15, 0.0},   {15.0, ViewTurn::left_15, 360.0},  {0.0, ViewTurn::left_15, 345.0},
        {360.0, ViewTurn::right_15, 15.0},  {195.0, ViewTurn::right_90, 270.0}, {195.0, ViewTurn::left_90, 180.0},
        {180.0, ViewTurn::right_90, 270.0}, {180.0, ViewTurn::left_90, 90.0},  {90.0, ViewTurn::left_90, 360.0},
        {270.0, ViewTurn::right_90, 0.0},   {360.0, ViewTurn::left_90, 270.0}, {22.5, ViewTurn::left_90, 360.0},
        {22.5, ViewTurn::right_90, 90.0},
    };
    for (const Case& c : cases) {
        const double to = turned_view_azimuth(c.from_deg, c.turn);
        EXPECT_EQ(to, c.to_deg) << c.from_deg << " turn " << static_cast<int>(c.turn);
    }
    // North after either small turn is labelled "N" in the middle.
    for (const double north : {turned_view_azimuth(345.0, ViewTurn::right_15),
                               turned_view_azimuth(15.0, ViewTurn::left_15)})
        EXPECT_EQ(compass_point(horizon_direction_azimuths(north, half_field_landscape_deg).middle), "N");
}


// Turning by hand. Pixels per degree at the middle of the horizon, worked
// from the fitted field: (right - left) / (2 tan F) per radian, so 238 /
// (2 tan 30) pi / 180 = 3.5974 on a 240 x 320 portrait page and 318 /
// (2 tan 50) pi / 180 = 2.3286 on a 320 x 240 landscape one.
TEST(HorizonTurning, DragsWheelAndKeysTurnInWholeSteps) {
    const HorizonLayout portrait = horizon_layout(240, 320, false);
    const HorizonLayout landscape = horizon_layout(320, 240, true);
    EXPECT_NEAR(horizon_pixels_per_degree(portrait), 3.5974, 1e-4);
    EXPECT_NEAR(horizon_pixels_per_degree(landscape), 2.3286, 1e-4);

    struct Drag {
        const HorizonLayout* layout;
        double from_deg;
        int dx;
        double to_deg;
    };
    const Drag drags[] = {
        {&portrait, 180.0, 36, 170.0},   {&portrait, 180.0, -36, 190.0}, {&portrait, 180.0, 2, 179.0},
        {&portrait, 180.0, 1, 180.0},    {&portrait, 360.0, 0, 360.0},   {&portrait, 5.0, 36, 355.0},
        {&portrait, 10.0, 36, 360.0},    {&portrait, 355.0, -36, 5.0},   {&portrait, 350.0, -36, 0.0},
        {&portrait, 180.0, -1400, 209.0}, {&landscape, 180.0, 70, 150.0}, {&landscape, 180.0, -70, 210.0},
    };
    for (const Drag& d : drags) {
        const double to = dragged_view_azimuth(*d.layout, d.from_deg, d.dx);
        EXPECT_EQ(to, d.to_deg) << d.from_deg << " dragged by " << d.dx;
        if (std::abs(d.dx) > 40) continue;  // near the middle only
        // The horizon point that stood in the middle follows the pointer to
        // within half a degree's pixels.
        double turned = to - d.from_deg;
        if (turned > 180.0) turned -= 360.0;
        if (turned < -180.0) turned += 360.0;
        const int moved = horizon_screen_point(*d.layout, 0.0, turned).x - horizon_screen_point(*d.layout, 0.0, 0.0).x;
        EXPECT_LE(std::abs(moved - d.dx), horizon_pixels_per_degree(*d.layout) / 2 + 1) << d.dx;
    }

    struct Threshold {
        int dx, dy;
        double factor;
        bool drag;
    };
    const Threshold thresholds[] = {
        {4, 0, 1.0, false}, {3, 2, 1.0, true}, {0, -5, 1.0, true}, {-5, 3, 2.0, false},
        {6, -3, 2.0, true}, {2, 1, 0.5, true}, {1, 0, 0.1, false}, {1, -1, 0.1, true},
    };
    for (const Threshold& t : thresholds)
        EXPECT_EQ(drag_started(t.dx, t.dy, t.factor), t.drag) << t.dx << "," << t.dy << " at " << t.factor;

    // Wheel deltas in eighths of a degree, one after another: notches give
    // one step each, fine scrolling adds up, a reversal starts from the rest.
    struct Wheel {
        int delta, steps, pending;
    };
    const Wheel wheel[] = {{120, 1, 0}, {-120, -1, 0}, {40, 0, 40},  {40, 0, 80},   {40, 1, 0},
                           {100, 0, 100}, {-30, 0, 70}, {-250, -1, -60}, {-60, -1, 0}, {240, 2, 0}};
    int pending = 0;
    for (const Wheel& w : wheel) {
        EXPECT_EQ(wheel_steps(pending, w.delta), w.steps) << w.delta;
        EXPECT_EQ(pending, w.pending) << w.delta;
    }

    // Arrow keys turn as the buttons do; twenty-four presses of Right are a
    // full turn, Shift goes to the next quarter.
    for (const double start : {180.0, 7.0}) {
        double a = start;
        for (int i = 0; i < 24; ++i) a = turned_view_azimuth(a, arrow_key_turn(true, false));
        EXPECT_EQ(a, start);
    }
    EXPECT_EQ(turned_view_azimuth(195.0, arrow_key_turn(true, true)), 270.0);
    EXPECT_EQ(turned_view_azimuth(195.0, arrow_key_turn(false, true)), 180.0);
    EXPECT_EQ(turned_view_azimuth(15.0, arrow_key_turn(false, false)), 360.0);
}
}  // namespace
}  // namespace orbant
