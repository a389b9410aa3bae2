// SPDX-License-Identifier: GPL-3.0-or-later
// The planets page's texts.
//
// Reference values come from PyEphem 4.1.4 (Debian package python3-ephem;
// tools/make_page_references.py prints them): topocentric apparent altitude
// and azimuth without refraction, the illuminated percentage, and rising
// and setting of the centre at -34'. The page uses geometric geocentric
// directions without light time, aberration or nutation (up to about 0.02
// degree for these planets) and shows one decimal, so 0.1 degree is
// accepted; its rise and set iteration stops within 0.5 minute and
// interpolates the position linearly over the day: three minutes.
#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>
#include <utility>

#include "pages/planets_texts.h"
#include "tests/pages/page_test_support.h"

namespace orbant {
namespace {

using namespace test;  // the page text test helpers

inline constexpr double planet_angle_tolerance_deg = 0.1;
inline constexpr double planet_rise_set_tolerance = 3 * one_minute_of_time;
inline constexpr double planet_phase_tolerance_percent = 1.0;

// A planet seen from one place.
struct PlaceReference {
    double altitude_deg, azimuth_deg;
    const char* rise;  // "HH:MM:SS", or the text shown
    const char* set;
};

// The illuminated percentage is the same from both places.
struct PlanetReference {
    const char* name;
    double phase_percent;
    PlaceReference hamburg, north80;
};

// 21 June 2024, 14:00 CEST at Hamburg (53.55 N, 10 E), and the same instant
// at 80 N: there the planets north of +10.6 degrees declination never set,
// Pluto (-22.9) never rises.
constexpr PlanetReference planets[] = {
    {"Merkur:", 94.50, {61.300, 180.848, "05:15:18", "22:40:41"}, {34.851, 180.496, "NoSet", "NoSet"}},
    {"Venus:", 99.67, {60.187, 188.260, "05:08:35", "22:15:29"}, {33.895, 184.936, "NoSet", "NoSet"}},
    {"Mars:", 91.07, {26.687, 256.138, "02:28:23", "17:07:41"}, {17.864, 245.698, "NoSet", "NoSet"}},
    {"Jupiter:", 99.82, {47.260, 233.772, "03:30:50", "19:43:34"}, {28.614, 218.581, "NoSet", "NoSet"}},
    {"Saturn:", 99.73, {-16.149, 282.066, "01:14:10", "12:14:46"}, {-9.183, 287.914, "02:55:23", "10:33:32"}},
    {"Uranus:", 99.98, {39.923, 244.869, "02:58:30", "18:45:04"}, {25.436, 230.250, "NoSet", "NoSet"}},
    {"Neptun:", 99.97, {-6.756, 277.165, "01:25:44", "13:18:22"}, {-2.875, 279.410, "01:37:19", "13:06:47"}},
    {"Pluto:", 99.99, {-54.229, 319.381, "23:50:28", "07:24:14"}, {-31.924, 333.360, "NoRises", "NoRises"}},
};
static_assert(std::size(planets) == planet_rows.size());

void expect_rows(const PageTexts& page, PlaceReference PlanetReference::*place) {
    for (std::size_t i = 0; i < planet_rows.size(); ++i) {
        const PlanetRow& row = planet_rows[i];
        const PlanetReference& planet = planets[i];
        const PlaceReference& ref = planet.*place;
        SCOPED_TRACE(planet.name);
        ASSERT_STREQ(row.label, planet.name);
        const std::string direction = text_of(page, row.direction_id);
        EXPECT_NEAR(leading_number(direction), ref.azimuth_deg, planet_angle_tolerance_deg) << direction;
        EXPECT_NE(direction.find("°("), std::string::npos) << direction;
        EXPECT_NEAR(leading_number(text_of(page, row.altitude_id)), ref.altitude_deg, planet_angle_tolerance_deg);
        const std::string phase = text_of(page, row.phase_id);
        EXPECT_NEAR(leading_number(phase), planet.phase_percent, planet_phase_tolerance_percent) << phase;
        EXPECT_EQ(phase.back(), '%');
        for (auto [id, expected] : {std::pair{row.rise_id, ref.rise}, std::pair{row.set_id, ref.set}}) {
            const std::string shown = text_of(page, id);
            if (expected[0] == 'N')
                EXPECT_EQ(shown, expected);
            else
                EXPECT_TRUE(clock_near(shown, expected, planet_rise_set_tolerance));
        }
    }
}

// Hamburg at midsummer, and the same instant at 80 N with circumpolar and
// never-rising planets.
TEST(PlanetsPageTexts, RowsAtHamburgAndAtEightyNorth) {
    const std::pair<double, PlaceReference PlanetReference::*> places[] = {{53.55, &PlanetReference::hamburg},
                                                                          {80.0, &PlanetReference::north80}};
    for (const auto& [latitude, place] : places) {
        SCOPED_TRACE(latitude);
        const PageTexts page = planets_page_texts(state_at(latitude, 10.0, 1.0, 1, {2024, 6, 21, 14, 0, 0}));
        EXPECT_EQ(page.caption, "Planeten");
        expect_rows(page, place);
    }
}

TEST(PlanetsPageTexts, ARisingThatFallsOnTheNextDayIsNotShownOnThisOne) {
    // 53.387 N, 8.0736 E with zone -7: Mercury's rising after local midnight
    // of 23 September 2052 comes at 24:01:45, on the 24th (at 00:01:45);
    // the 23rd has none. The setting of each day is on its day.
    struct Day {
        int day;
        const char* rise;  // "HH:MM:SS", or the text shown
        const char* set;
    };
    for (const Day& d : {Day{23, "--------", "10:44:30"}, Day{24, "00:01:45", "10:42:13"}}) {
        SCOPED_TRACE(d.day);
        const PageTexts page = planets_page_texts(state_at(53.3870, 8.0736, -7.0, 0, {2052, 9, d.day, 4, 15, 0}));
        const PlanetRow& mercury = planet_rows[0];
        if (d.rise[0] == '-')
            EXPECT_EQ(text_of(page, mercury.rise_id), d.rise);
        else
            EXPECT_TRUE(clock_near(text_of(page, mercury.rise_id), d.rise, planet_rise_set_tolerance));
        EXPECT_TRUE(clock_near(text_of(page, mercury.set_id), d.set, planet_rise_set_tolerance));
        for (const PlanetRow& row : planet_rows) {
            for (int id : {row.rise_id, row.set_id}) {
                const std::string shown = text_of(page, id);
                if (shown == "NoRises" || shown == "NoSet" || shown == "--------") continue;
                const int minutes = test::clock_minutes(shown);
                EXPECT_TRUE(minutes >= 0 && minutes < 24 * 60) << row.label << " " << shown;
            }
        }
    }
}

TEST(PlanetsPageTexts, FortyTextsRowByRowWithRowAndColumnLabels) {
    const PageTexts page = planets_page_texts(state_at(53.55, 10.0, 1.0, 0, {2024, 1, 1, 0, 0, 0}));
    ASSERT_EQ(page.texts.size(), 40u);
    std::set<int> ids;
    for (const PageText& t : page.texts) ids.insert(t.id);
    EXPECT_EQ(ids.size(), 40u);
    EXPECT_EQ(ids.count(1099), 0u);
    EXPECT_EQ(page.texts[0].id, 1067);
    EXPECT_EQ(page.texts[0].label, "Merkur: Richtung");
    EXPECT_EQ(page.texts[11].id, 1083);
    EXPECT_EQ(page.texts[11].label, "Mars: Höhe");
    EXPECT_EQ(page.texts[33].id, 1100);
    EXPECT_EQ(page.texts[33].label, "Neptun: Untg.");
    EXPECT_EQ(page.texts[39].id, 1107);
    EXPECT_EQ(page.texts[39].label, "Pluto: Phase");
}

TEST(PlanetsPageTexts, RepeatedUpdatesOfAFixedInstantAgree) {
    const SheetState s = state_at(-33.87, 151.21, 10.0, 1, {2025, 2, 1, 21, 30, 0});
    const PageTexts a = planets_page_texts(s);
    const PageTexts b = planets_page_texts(s);
    ASSERT_EQ(a.texts.size(), b.texts.size());
    for (std::size_t i = 0; i < a.texts.size(); ++i) EXPECT_EQ(a.texts[i].text, b.texts[i].text);
}

}  // namespace
}  // namespace orbant
