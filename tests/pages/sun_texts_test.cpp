// SPDX-License-Identifier: GPL-3.0-or-later
// The Sun page's texts at fixed places and instants.
//
// Reference times and positions come from PyEphem 4.1.4 (Debian package
// python3-ephem; tools/make_page_references.py prints them): sunrise and
// sunset with the Sun's centre at -50' (upper limb at -34', no refraction
// model), nautical twilight with the centre at -12 degrees, positions
// apparent with no refraction, the distance geocentric. The page uses short
// solar formulas and an hourly parabola; a computed time within one minute
// of the reference is accepted (the shown minute is the computed time
// truncated, so the text may read up to two minutes before the reference).
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "pages/sun_texts.h"
#include "tests/pages/page_test_support.h"

namespace orbant {
namespace {

using namespace test;  // the page text test helpers

// Altitude and azimuth differ from the reference by the short series and
// the neglected aberration of the display position.
inline constexpr double sun_angle_tolerance_deg = 0.02;
// The page's distance is the solar series' radius times 149597870 km.
inline constexpr double sun_distance_relative_tolerance = 1e-5;

// "HH:MM - HH:MM" split at " - ".
std::pair<std::string, std::string> split_span(const std::string& text) {
    const auto at = text.find(" - ");
    if (at == std::string::npos) return {text, ""};
    return {text.substr(0, at), text.substr(at + 3)};
}

TEST(SunPageTexts, HamburgMidsummerPositionRiseSetAndTwilight) {
    // 21 June 2024, 14:00 CEST.
    const PageTexts page = sun_page_texts(state_at(53.55, 10.0, 1.0, 1, {2024, 6, 21, 14, 0, 0}));
    EXPECT_EQ(page.caption, "Sonne");
    EXPECT_NEAR(leading_number(text_of(page, sun_altitude_id)), 59.039, sun_angle_tolerance_deg);
    const std::string direction = text_of(page, sun_direction_id);
    EXPECT_NEAR(leading_number(direction), 197.156, sun_angle_tolerance_deg);
    EXPECT_EQ(direction.substr(direction.size() - 6), "°(SW)") << "label follows without a blank";
    const std::string distance = text_of(page, sun_distance_id);
    EXPECT_NEAR(leading_number(distance), 152026609.0, 152026609.0 * sun_distance_relative_tolerance);
    EXPECT_EQ(distance.substr(distance.size() - 3), " Km");

    EXPECT_TRUE(clock_near(text_of(page, sun_rise_id), "04:50:29", one_minute_of_time));
    EXPECT_TRUE(clock_near(text_of(page, sun_set_id), "21:53:18", one_minute_of_time));
    // The evening twilight that ends at 00:23 belongs to the evening before;
    // the page shows what falls on the civil day.
    const auto [dawn, morning_rise] = split_span(text_of(page, sun_twilight_morning_id));
    EXPECT_TRUE(clock_near(dawn, "02:19:40", one_minute_of_time));
    EXPECT_EQ(morning_rise, text_of(page, sun_rise_id));
    const auto [evening_set, dusk] = split_span(text_of(page, sun_twilight_evening_id));
    EXPECT_EQ(evening_set, text_of(page, sun_set_id));
    EXPECT_TRUE(clock_near(dusk, "00:23:56", one_minute_of_time));
}

TEST(SunPageTexts, DayLengthAndDifferenceFromTheWinterSolsticeInSpring) {
    // 20 March 2024, Hamburg, CET: sunrise 06:21:35, sunset 18:34:07 (12:12:32);
    // 21 December 2024: 08:34:29 to 16:02:04 (7:27:35). Days grow, so the
    // difference is from the winter solstice: +4:44:57.
    const PageTexts page = sun_page_texts(state_at(53.55, 10.0, 1.0, 0, {2024, 3, 20, 12, 0, 0}));
    EXPECT_TRUE(clock_near(text_of(page, sun_rise_id), "06:21:35", one_minute_of_time));
    EXPECT_TRUE(clock_near(text_of(page, sun_set_id), "18:34:07", one_minute_of_time));
    const std::string length = text_of(page, sun_day_length_id);
    EXPECT_TRUE(clock_near(length, "12:12:32", 2 * one_minute_of_time));
    EXPECT_EQ(length.substr(5), " Std.");
    const std::string difference = text_of(page, sun_day_difference_id);
    ASSERT_EQ(difference.size(), 8u) << difference;
    EXPECT_EQ(difference.substr(0, 2), "(+");
    EXPECT_TRUE(clock_near(difference.substr(2, 5), "04:44:57", 3 * one_minute_of_time)) << difference;
    EXPECT_EQ(difference.back(), ')');
}

TEST(SunPageTexts, SouthernAutumnMeasuresFromTheJuneSolstice) {
    // Sydney, 15 March 2024 10:30 AEDT (zone +10, summer time): the days
    // shrink (14 March 12:20:44, 15 March 12:18:36), so the reference is
    // 21 June, the southern winter (9:53:48): +2:24:48.
    const PageTexts page = sun_page_texts(state_at(-33.87, 151.21, 10.0, 1, {2024, 3, 15, 10, 30, 0}));
    EXPECT_NEAR(leading_number(text_of(page, sun_altitude_id)), 41.991, sun_angle_tolerance_deg);
    const std::string direction = text_of(page, sun_direction_id);
    EXPECT_NEAR(leading_number(direction), 56.863, sun_angle_tolerance_deg);
    EXPECT_NE(direction.find("°(NO)"), std::string::npos) << direction;
    EXPECT_TRUE(clock_near(text_of(page, sun_rise_id), "06:54:28", one_minute_of_time));
    EXPECT_TRUE(clock_near(text_of(page, sun_set_id), "19:13:04", one_minute_of_time));
    const std::string difference = text_of(page, sun_day_difference_id);
    ASSERT_EQ(difference.size(), 8u) << difference;
    EXPECT_EQ(difference.substr(0, 2), "(+");
    EXPECT_TRUE(clock_near(difference.substr(2, 5), "02:24:48", 3 * one_minute_of_time)) << difference;
    const auto [dawn, rise] = split_span(text_of(page, sun_twilight_morning_id));
    EXPECT_TRUE(clock_near(dawn, "06:00:12", one_minute_of_time));
    const auto [set, dusk] = split_span(text_of(page, sun_twilight_evening_id));
    EXPECT_TRUE(clock_near(dusk, "20:07:12", one_minute_of_time));
}

TEST(SunPageTexts, DayLengthMinutesAreTruncated) {
    // At 50.975 N, 10 E on 21 June 2024 the day lasts 16:32:26 to 16:32:33
    // (references at 50.97 and 50.98 N); the text shows 16:32, never 16:33.
    const PageTexts page = sun_page_texts(state_at(50.975, 10.0, 1.0, 1, {2024, 6, 21, 12, 0, 0}));
    EXPECT_EQ(text_of(page, sun_day_length_id), "16:32 Std.");
}

TEST(SunPageTexts, NauticalTwilightAllNightReadsAlwaysLight) {
    // Oslo at midsummer: the Sun sets, but never sinks 12 degrees below the
    // horizon.
    const PageTexts page = sun_page_texts(state_at(59.91, 10.75, 1.0, 1, {2024, 6, 21, 12, 0, 0}));
    EXPECT_TRUE(clock_near(text_of(page, sun_rise_id), "03:53:57", one_minute_of_time));
    EXPECT_TRUE(clock_near(text_of(page, sun_set_id), "22:43:49", one_minute_of_time));
    expect_texts(page, {{sun_twilight_morning_id, "immer hell"}, {sun_twilight_evening_id, "immer hell"}});
}

TEST(SunPageTexts, MidnightSunShowsDashesAndNoDifference) {
    const PageTexts page = sun_page_texts(state_at(69.65, 18.96, 1.0, 1, {2024, 6, 21, 12, 0, 0}));
    expect_texts(page, {{sun_rise_id, "--------"},
                        {sun_set_id, "--------"},
                        {sun_day_length_id, "--------"},
                        {sun_day_difference_id, ""},
                        {sun_twilight_morning_id, "immer hell"},
                        {sun_twilight_evening_id, "immer hell"}});
}

TEST(SunPageTexts, PolarNightWithTwilightAroundNoon) {
    // Tromsø, 21 December 2024: the Sun stays below the horizon but rises
    // above -12 degrees from 07:46:57 to 15:37:53.
    const PageTexts page = sun_page_texts(state_at(69.65, 18.96, 1.0, 0, {2024, 12, 21, 12, 0, 0}));
    expect_texts(page, {{sun_rise_id, "--------"}, {sun_day_length_id, "--------"}, {sun_day_difference_id, ""}});
    const auto [dawn, rise] = split_span(text_of(page, sun_twilight_morning_id));
    EXPECT_TRUE(clock_near(dawn, "07:46:57", one_minute_of_time));
    EXPECT_EQ(rise, "--------");
    const auto [set, dusk] = split_span(text_of(page, sun_twilight_evening_id));
    EXPECT_EQ(set, "--------");
    EXPECT_TRUE(clock_near(dusk, "15:37:53", one_minute_of_time));
}

TEST(SunPageTexts, DeepPolarNightReadsAlwaysDark) {
    const PageTexts page = sun_page_texts(state_at(85.0, 0.0, 0.0, 0, {2024, 12, 21, 12, 0, 0}));
    expect_texts(page, {{sun_twilight_morning_id, "immer dunkel"},
                        {sun_twilight_evening_id, "immer dunkel"},
                        {sun_day_difference_id, ""}});
}

TEST(SunPageTexts, NoDifferenceWhenTheReferenceSolsticeHasNoSunrise) {
    // At 68 N the Sun does not rise on 21 December, while 19 and 20 March
    // have sunrise and sunset (06:02:24-18:14:49, 05:58:12-18:18:27): the
    // day length is shown, the difference from the winter solstice cannot
    // be, and stays empty rather than a number from a day without length.
    const PageTexts page = sun_page_texts(state_at(68.0, 15.0, 1.0, 0, {2024, 3, 20, 12, 0, 0}));
    EXPECT_TRUE(clock_near(text_of(page, sun_day_length_id), "12:20:14", 2 * one_minute_of_time));
    EXPECT_EQ(text_of(page, sun_day_difference_id), "");
    // At 66 N the December day exists (10:34:57-13:21:36, 2:46:39), so the
    // difference +9:31:57 is shown.
    const PageTexts south = sun_page_texts(state_at(66.0, 15.0, 1.0, 0, {2024, 3, 20, 12, 0, 0}));
    const std::string difference = text_of(south, sun_day_difference_id);
    ASSERT_EQ(difference.size(), 8u) << difference;
    EXPECT_TRUE(clock_near(difference.substr(2, 5), "09:31:57", 3 * one_minute_of_time)) << difference;
}

TEST(SunPageTexts, SolsticeSunsetAfterMidnightStillGivesItsDayLength) {
    // Reykjavik (64.15 N, 21.94 W, zone 0), 10 July 2024: 03:28:02-23:36:15
    // (20:08:13), shorter than 9 July (03:25:19-23:38:44), so the reference
    // is 21 June, whose sunset falls after midnight: the set found on that
    // day is 00:03:51, the one of 20 June, and the rise 02:55:19, a day of
    // 21:08:32. The difference is -1:00:19.
    const PageTexts page = sun_page_texts(state_at(64.15, -21.94, 0.0, 0, {2024, 7, 10, 12, 0, 0}));
    EXPECT_TRUE(clock_near(text_of(page, sun_day_length_id), "20:08:13", 2 * one_minute_of_time));
    const std::string difference = text_of(page, sun_day_difference_id);
    ASSERT_EQ(difference.size(), 8u) << difference;
    EXPECT_EQ(difference.substr(0, 2), "(-");
    EXPECT_TRUE(clock_near(difference.substr(2, 5), "01:00:19", 3 * one_minute_of_time)) << difference;
}

TEST(SunPageTexts, TextsInPageOrderWithLabels) {
    const PageTexts page = sun_page_texts(state_at(53.55, 10.0, 1.0, 0, {2024, 3, 20, 12, 0, 0}));
    const int ids[] = {1033, 1034, 1035, 1036, 1037, 1038, 1080, 1039, 1040};
    const char* labels[] = {"Höhe:", "Richtung:", "Entfernung:", "Aufgang:", "Untergang:", "Dauer:", "",
                            "Aufgang:", "Untergang:"};
    ASSERT_EQ(page.texts.size(), std::size(ids));
    for (std::size_t i = 0; i < std::size(ids); ++i) {
        EXPECT_EQ(page.texts[i].id, ids[i]);
        EXPECT_EQ(page.texts[i].label, labels[i]);
    }
}

TEST(DayDifferenceText, SignAndTruncatedMinutesOfWholeAndPartHours) {
    EXPECT_EQ(day_difference_text(-2.0), "(-02:00)");
    EXPECT_EQ(day_difference_text(2.0), "(+02:00)");
    EXPECT_EQ(day_difference_text(0.0), "(+00:00)");
    EXPECT_EQ(day_difference_text(1.75), "(+01:45)");
    EXPECT_EQ(day_difference_text(-0.5), "(-00:30)") << "a part hour keeps its minus sign";
    EXPECT_EQ(day_difference_text(-9.25), "(-09:15)");
    EXPECT_EQ(day_difference_text(10.0 + 59.99 / 60.0), "(+10:59)");
}

}  // namespace
}  // namespace orbant
