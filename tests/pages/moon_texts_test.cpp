// SPDX-License-Identifier: GPL-3.0-or-later
// The Moon page's texts and the geometry of its picture.
//
// Reference values come from PyEphem 4.1.4 (Debian package python3-ephem;
// tools/make_page_references.py prints them): the illuminated fraction,
// the geocentric apparent direction turned to the horizon (the page applies
// no parallax), the geocentric distance, and moonrise and moonset of the
// upper limb at -34' seen from the place. The page finds rise and set with
// the short lunar formulas against a fixed geocentric threshold of +8',
// good to a few minutes; three minutes are accepted.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "pages/moon_texts.h"
#include "tests/pages/page_test_support.h"

namespace orbant {
namespace {

using namespace test;  // the page text test helpers

inline constexpr double moon_angle_tolerance_deg = 0.05;
inline constexpr double moon_distance_tolerance_km = 50.0;
inline constexpr double moon_rise_set_tolerance = 3 * one_minute_of_time;

TEST(MoonPageTexts, NearlyFullMoonRisingAtHamburg) {
    // 21 June 2024, 22:00 CEST, a few hours before full Moon: 99.77 % lit
    // and growing, 1.6 degrees below the horizon in the south-east.
    MoonPicture picture;
    const PageTexts page = moon_page_texts(state_at(53.55, 10.0, 1.0, 1, {2024, 6, 21, 22, 0, 0}), picture);
    EXPECT_EQ(page.caption, "Mond");
    EXPECT_EQ(text_of(page, moon_phase_id), "100 % (Zunehmend)");
    EXPECT_NEAR(picture.percent, 99.77, 0.05);
    EXPECT_EQ(picture.waxing, 1);
    const std::string direction = text_of(page, moon_direction_id);
    EXPECT_NEAR(leading_number(direction), 139.506, moon_angle_tolerance_deg);
    EXPECT_EQ(direction.substr(direction.size() - 7), "° (SO)") << "a blank before the label";
    EXPECT_NEAR(leading_number(text_of(page, moon_altitude_id)), -1.591, moon_angle_tolerance_deg);
    const std::string distance = text_of(page, moon_distance_id);
    EXPECT_NEAR(leading_number(distance), 380895.0, moon_distance_tolerance_km);
    EXPECT_EQ(distance.substr(distance.size() - 3), " Km");
    EXPECT_TRUE(clock_near(text_of(page, moon_rise_id), "22:19:22", moon_rise_set_tolerance));
    EXPECT_TRUE(clock_near(text_of(page, moon_set_id), "03:26:31", moon_rise_set_tolerance));
}

TEST(MoonPageTexts, FirstQuarterPhaseAndTimes) {
    // 17 March 2024, 12:00 CET: 53.14 % lit, waxing; set 03:28:12, rise 09:27:34.
    const PageTexts page = moon_page_texts(state_at(53.55, 10.0, 1.0, 0, {2024, 3, 17, 12, 0, 0}));
    EXPECT_EQ(text_of(page, moon_phase_id), "53 % (Zunehmend)");
    EXPECT_NEAR(leading_number(text_of(page, moon_altitude_id)), 16.908, moon_angle_tolerance_deg);
    EXPECT_NEAR(leading_number(text_of(page, moon_direction_id)), 64.631, moon_angle_tolerance_deg);
    EXPECT_NEAR(leading_number(text_of(page, moon_distance_id)), 389749.0, moon_distance_tolerance_km);
    EXPECT_TRUE(clock_near(text_of(page, moon_rise_id), "09:27:34", moon_rise_set_tolerance));
    EXPECT_TRUE(clock_near(text_of(page, moon_set_id), "03:28:12", moon_rise_set_tolerance));
}

TEST(MoonPageTexts, WaxingFlagTurnsAtFullAndNewMoon) {
    // Full Moon 22 June 2024 01:08 UT, new Moon 10 March 2024 09:00 UT.
    const auto phase_at = [](CivilDateTime t, int summer) {
        return text_of(moon_page_texts(state_at(53.55, 10.0, 1.0, summer, t)), moon_phase_id);
    };
    EXPECT_EQ(phase_at({2024, 6, 22, 1, 0, 0}, 1), "100 % (Zunehmend)");
    EXPECT_EQ(phase_at({2024, 6, 22, 5, 0, 0}, 1), "100 % (Abnehmend)");
    EXPECT_EQ(phase_at({2024, 3, 10, 8, 0, 0}, 0), "0 % (Abnehmend)");
    EXPECT_EQ(phase_at({2024, 3, 10, 12, 0, 0}, 0), "0 % (Zunehmend)");
}

TEST(MoonPageTexts, DayWithoutMoonsetShowsDashes) {
    // 17 January 2024 at Hamburg (CET): the Moon rises at 11:03:37 and sets
    // only at 01:01 the next morning; 3 January it sets at 11:45:47 and
    // rises only after midnight.
    const PageTexts no_set = moon_page_texts(state_at(53.55, 10.0, 1.0, 0, {2024, 1, 17, 12, 0, 0}));
    EXPECT_TRUE(clock_near(text_of(no_set, moon_rise_id), "11:03:37", moon_rise_set_tolerance));
    EXPECT_EQ(text_of(no_set, moon_set_id), "--------");
    const PageTexts no_rise = moon_page_texts(state_at(53.55, 10.0, 1.0, 0, {2024, 1, 3, 12, 0, 0}));
    EXPECT_EQ(text_of(no_rise, moon_rise_id), "--------");
    EXPECT_TRUE(clock_near(text_of(no_rise, moon_set_id), "11:45:47", moon_rise_set_tolerance));
}

TEST(MoonPageTexts, SummerTimeEntryOfTheSameMomentGivesTheSamePosition) {
    const PageTexts winter = moon_page_texts(state_at(53.55, 10.0, 1.0, 0, {2024, 3, 17, 12, 0, 0}));
    const PageTexts summer = moon_page_texts(state_at(53.55, 10.0, 1.0, 1, {2024, 3, 17, 13, 0, 0}));
    for (int id : {moon_phase_id, moon_direction_id, moon_altitude_id, moon_distance_id})
        EXPECT_EQ(text_of(winter, id), text_of(summer, id)) << id;
}

TEST(MoonPageTexts, TextsInPageOrderWithLabels) {
    const PageTexts page = moon_page_texts(state_at(53.55, 10.0, 1.0, 0, {2024, 3, 17, 12, 0, 0}));
    const int ids[] = {1023, 1024, 1025, 1026, 1027, 1028};
    const char* labels[] = {"Mondphase:", "Richtung:", "Höhe:", "Entfernung:", "Aufgang:", "Untergang:"};
    ASSERT_EQ(page.texts.size(), std::size(ids));
    for (std::size_t i = 0; i < std::size(ids); ++i) {
        EXPECT_EQ(page.texts[i].id, ids[i]);
        EXPECT_EQ(page.texts[i].label, labels[i]);
    }
}

TEST(MoonPictureLayout, BelowTheTextsInPortraitRightOfThemInLandscape) {
    struct Case {
        int width, height;
        bool portrait;
        double factor;
        int left, top, right, bottom, size;
        int side_margin, top_margin;  // between the picture and its frame
    };
    const Case cases[] = {
        // trunc(240 * 0.29), trunc(268 * 0.52), trunc(240 * 0.70), trunc(268 * 0.93); wide side margins.
        {240, 268, true, 0.99, 69, 139, 168, 249, 99, 40, 10},
        // trunc(320 * 0.64), trunc(188 * 0.15), trunc(320 * 0.95), trunc(188 * 0.78); narrow margins.
        {320, 188, false, 0.84, 204, 28, 304, 146, 100, 10, 10},
        // Enlarged: the box 139..336 x 320..573 holds a square of 197, centred
        // 28 below the box's top; margins twice the device's.
        {480, 617, true, 2.0, 139, 348, 336, 545, 197, 80, 20},
        // The box 819..1216 x 128..666: 397 wide, centred 70 below its top.
        {1280, 855, false, 3.8, 819, 198, 1216, 595, 397, 38, 38},
        // A wide box 1228..1824 x 60..312: the height decides, centred across.
        {1920, 400, false, 1.5, 1400, 60, 1652, 312, 252, 15, 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        const MoonPictureLayout l = moon_picture_layout(c.width, c.height, c.portrait, c.factor);
        EXPECT_EQ(std::tie(l.left, l.top, l.right, l.bottom, l.size), std::tie(c.left, c.top, c.right, c.bottom, c.size));
        EXPECT_EQ(l.left - l.frame_left, c.side_margin);
        EXPECT_EQ(l.frame_right - l.right, c.side_margin);
        EXPECT_EQ(l.top - l.frame_top, c.top_margin);
        EXPECT_EQ(l.frame_bottom - l.bottom, c.top_margin);
    }
}

using Kind = MaskShape::Kind;

// The shape's kind and fill, and its horizontal extent.
void expect_shape(const MaskShape& shape, Kind kind, MaskFill fill, int left, int right) {
    EXPECT_EQ(shape.kind, kind);
    EXPECT_EQ(shape.fill, fill);
    EXPECT_EQ(shape.left, left);
    EXPECT_EQ(shape.right, right);
}

TEST(MoonMaskShapes, WaxingCrescentShadesTheEllipseThenTheLeftHalf) {
    const auto s = moon_mask_shapes(30, 1, 100);
    EXPECT_EQ(s[0].kind, Kind::rectangle);
    EXPECT_EQ(s[0].fill, MaskFill::white);
    EXPECT_TRUE(s[0].outlined);
    EXPECT_EQ(s[0].right, 100);
    expect_shape(s[1], Kind::ellipse, MaskFill::shadow, 30, 70);
    EXPECT_EQ(s[1].bottom, 100);
    expect_shape(s[2], Kind::rectangle, MaskFill::shadow, 0, 50);
    EXPECT_FALSE(s[1].outlined || s[2].outlined);
}

TEST(MoonMaskShapes, WaxingGibbousShadesTheLeftHalfThenLightsTheEllipse) {
    const auto s = moon_mask_shapes(80, 1, 113);
    expect_shape(s[1], Kind::rectangle, MaskFill::shadow, 0, 56);
    // b = 80 * 113 / 100 = 90: the box from 113 - 90 = 23 to 90.
    expect_shape(s[2], Kind::ellipse, MaskFill::white, 23, 90);
}

TEST(MoonMaskShapes, WaningShadesTheRightHalf) {
    const auto crescent = moon_mask_shapes(20, 0, 100);
    EXPECT_EQ(crescent[1].kind, Kind::ellipse);
    EXPECT_EQ(crescent[2].left, 50);
    EXPECT_EQ(crescent[2].right, 100);
    EXPECT_EQ(crescent[2].fill, MaskFill::shadow);
    const auto gibbous = moon_mask_shapes(70, 0, 100);
    EXPECT_EQ(gibbous[1].kind, Kind::rectangle);
    EXPECT_EQ(gibbous[1].left, 50);
    EXPECT_EQ(gibbous[2].fill, MaskFill::white);
}

TEST(MoonMaskShapes, NewHalfAndFullMoon) {
    const auto full_new = moon_mask_shapes(0, 1, 100);
    EXPECT_EQ(full_new[1].fill, MaskFill::shadow);
    EXPECT_EQ(full_new[1].left, 0);
    EXPECT_EQ(full_new[1].right, 100);  // the whole square in shadow
    const auto half = moon_mask_shapes(50, 1, 100);
    EXPECT_EQ(half[1].kind, Kind::ellipse);
    EXPECT_EQ(half[1].left, half[1].right) << "a terminator of zero width";
    EXPECT_EQ(half[1].fill, MaskFill::shadow);
    const auto full = moon_mask_shapes(100, 0, 100);
    EXPECT_EQ(full[2].kind, Kind::ellipse);
    EXPECT_EQ(full[2].fill, MaskFill::white);
    EXPECT_EQ(full[2].left, 0);
    EXPECT_EQ(full[2].right, 100);
}

TEST(MoonPictureRepaintTest, RepaintsOnlyWhenTheRoundedPercentChanges) {
    double last = -1.0;
    EXPECT_TRUE(moon_picture_needs_repaint(0.2, last)) << "the first test always repaints";
    EXPECT_DOUBLE_EQ(last, 0.2);
    EXPECT_FALSE(moon_picture_needs_repaint(0.49, last));
    EXPECT_DOUBLE_EQ(last, 0.2) << "unchanged when no repaint";
    EXPECT_TRUE(moon_picture_needs_repaint(0.5, last));
    EXPECT_DOUBLE_EQ(last, 0.5);
    last = 49.4;
    EXPECT_FALSE(moon_picture_needs_repaint(48.6, last));
    EXPECT_TRUE(moon_picture_needs_repaint(49.5, last));
}

}  // namespace
}  // namespace orbant
