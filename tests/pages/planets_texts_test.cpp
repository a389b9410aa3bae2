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

#include <set>
#include <string>
#include <utility>

#include "pages/planets_texts.h"
#include "tests/pages/page_test_support.h"

namespace orbant {
namespace {

using test::clock_near;
using test::leading_number;
using test::one_minute_of_time;
using test::state_at;
using test::text_of;

inline constexpr double planet_angle_tolerance_deg = 0.1;
inline constexpr double planet_rise_set_tolerance = 3 * one_minute_of_time;
inline constexpr double planet_phase_tolerance_percent = 1.0;

struct PlanetReference {
    const char* name;
    double altitude_deg, azimuth_deg, phase_percent;
    const char* rise;  // "HH:MM:SS", or the text shown
    const char* set;
};

// 21 June 2024, 14:00 CEST at Hamburg (53.55 N, 10 E).
constexpr PlanetReference hamburg[] = {
    {"Merkur:", 61.300, 180.848, 94.50, "05:15:18", "22:40:41"},
    {"Venus:", 60.187, 188.260, 99.67, "05:08:35", "22:15:29"},
    {"Mars:", 26.687, 256.138, 91.07, "02:28:23", "17:07:41"},
    {"Jupiter:", 47.260, 233.772, 99.82, "03:30:50", "19:43:34"},
    {"Saturn:", -16.149, 282.066, 99.73, "01:14:10", "12:14:46"},
    {"Uranus:", 39.923, 244.869, 99.98, "02:58:30", "18:45:04"},
    {"Neptun:", -6.756, 277.165, 99.97, "01:25:44", "13:18:22"},
    {"Pluto:", -54.229, 319.381, 99.99, "23:50:28", "07:24:14"},
};
// The same instant at 80 N: the planets north of +10.6 degrees declination
// never set, Pluto (-22.9) never rises.
constexpr PlanetReference north80[] = {
    {"Merkur:", 34.851, 180.496, 94.50, "NoSet", "NoSet"},
    {"Venus:", 33.895, 184.936, 99.67, "NoSet", "NoSet"},
    {"Mars:", 17.864, 245.698, 91.07, "NoSet", "NoSet"},
    {"Jupiter:", 28.614, 218.581, 99.82, "NoSet", "NoSet"},
    {"Saturn:", -9.183, 287.914, 99.73, "02:55:23", "10:33:32"},
    {"Uranus:", 25.436, 230.250, 99.98, "NoSet", "NoSet"},
    {"Neptun:", -2.875, 279.410, 99.97, "01:37:19", "13:06:47"},
    {"Pluto:", -31.924, 333.360, 99.99, "NoRises", "NoRises"},
};

void expect_rows(const PageTexts& page, const PlanetReference (&reference)[8]) {
    for (std::size_t i = 0; i < planet_rows.size(); ++i) {
        const PlanetRow& row = planet_rows[i];
        const PlanetReference& ref = reference[i];
        SCOPED_TRACE(ref.name);
        ASSERT_STREQ(row.label, ref.name);
        const std::string direction = text_of(page, row.direction_id);
        EXPECT_NEAR(leading_number(direction), ref.azimuth_deg, planet_angle_tolerance_deg) << direction;
        EXPECT_NE(direction.find("°("), std::string::npos) << direction;
        EXPECT_NEAR(leading_number(text_of(page, row.altitude_id)), ref.altitude_deg, planet_angle_tolerance_deg);
        const std::string phase = text_of(page, row.phase_id);
        EXPECT_NEAR(leading_number(phase), ref.phase_percent, planet_phase_tolerance_percent) << phase;
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
    const std::pair<double, const PlanetReference (*)[8]> places[] = {{53.55, &hamburg}, {80.0, &north80}};
    for (const auto& [latitude, reference] : places) {
        SCOPED_TRACE(latitude);
        const PageTexts page = planets_page_texts(state_at(latitude, 10.0, 1.0, 1, {2024, 6, 21, 14, 0, 0}));
        EXPECT_EQ(page.caption, "Planeten");
        expect_rows(page, *reference);
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
