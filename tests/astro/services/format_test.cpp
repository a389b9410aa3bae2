// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/services/format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

#include "tests/support/scoped_environment.h"

namespace orbant {
namespace {

struct ClockCase {
    const char* name;
    double hours;
    const char* text;
};

class ClockText : public ::testing::TestWithParam<ClockCase> {};

TEST_P(ClockText, TruncatesMinutesAndFillsBlanksWithZeros) {
    EXPECT_EQ(clock_text(GetParam().hours), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Times, ClockText,
    ::testing::Values(ClockCase{"Midnight", 0.0, "00:00"}, ClockCase{"HalfPastSeven", 7.5, "07:30"},
                      ClockCase{"QuarterPastNine", 9.25, "09:15"}, ClockCase{"TwoDigitHour", 13.75, "13:45"},
                      ClockCase{"LastMinuteOfDay", 23.9999, "23:59"},
                      ClockCase{"MinutesTruncatedNotRounded", 6.999, "06:59"},
                      ClockCase{"PastMidnightNoWrap", 24.25, "24:15"},
                      ClockCase{"BeforeMidnightNegativeHour", -0.25, "-1:45"},
                      ClockCase{"TwoHoursBefore", -1.5, "-2:30"},
                      ClockCase{"TenHoursBefore", -9.75, "-10:15"},
                      ClockCase{"FiveMinutesPastSevenInBinary", 7.0 + 5.0 / 60.0, "07:04"},
                      ClockCase{"TinyNegativeStaysInLastMinute", -1e-20, "-1:59"}),
    [](const ::testing::TestParamInfo<ClockCase>& case_info) { return std::string(case_info.param.name); });

TEST(ClockText, NonFiniteOrHugeHoursGiveThePlaceholder) {
    EXPECT_EQ(clock_text(std::numeric_limits<double>::quiet_NaN()), no_clock_text);
    EXPECT_EQ(clock_text(std::numeric_limits<double>::infinity()), no_clock_text);
    EXPECT_EQ(clock_text(-std::numeric_limits<double>::infinity()), no_clock_text);
    EXPECT_EQ(clock_text(1e12), no_clock_text);
}

TEST(DateText, FillsDayAndMonthWithZeros) {
    EXPECT_EQ(date_text(1, 12, 2024), "01.12.2024");
    EXPECT_EQ(date_text(31, 1, 1999), "31.01.1999");
    EXPECT_EQ(date_text(5, 6, 800), "05.06.800");
}

struct AzimuthCase {
    const char* name;
    double from_south;
    double from_north;
};

class AzimuthFromNorth : public ::testing::TestWithParam<AzimuthCase> {};

TEST_P(AzimuthFromNorth, TurnsTheOriginByHalfATurn) {
    EXPECT_EQ(azimuth_from_north(GetParam().from_south), GetParam().from_north);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, AzimuthFromNorth,
    ::testing::Values(AzimuthCase{"SouthBecomes180", 0.0, 180.0}, AzimuthCase{"WestBecomes270", 90.0, 270.0},
                      AzimuthCase{"NorthIsZeroNever360", 180.0, 0.0}, AzimuthCase{"EastBecomes90", 270.0, 90.0},
                      AzimuthCase{"JustBeforeNorth", 179.5, 359.5}, AzimuthCase{"JustAfterNorth", 180.5, 0.5},
                      AzimuthCase{"JustBeforeSouthFromEast", 359.75, 179.75}),
    [](const ::testing::TestParamInfo<AzimuthCase>& case_info) { return std::string(case_info.param.name); });

TEST(RiseSetText, StatusSelectsTheText) {
    EXPECT_EQ(rise_set_text(5.5, 1), "05:30");
    EXPECT_EQ(rise_set_text(5.5, 0), "NoRises");
    EXPECT_EQ(rise_set_text(5.5, 2), "NoSet");
    // A time outside the day is printed as it comes.
    EXPECT_EQ(rise_set_text(24.5, 1), "24:30");
    EXPECT_EQ(rise_set_text(-0.5, 1), "-1:30");
}

TEST(RiseSetText, SetColumnOfANeverRisingBodyReadsNoRises) {
    std::string set_column = "old";
    rise_set_text(19.0, 0, set_column);
    EXPECT_EQ(set_column, "NoRises");
}

TEST(RiseSetText, UnknownStatusLeavesTheTextAlone) {
    std::string text = "18:02";
    rise_set_text(3.0, 3, text);
    EXPECT_EQ(text, "18:02");
    rise_set_text(3.0, -1, text);
    EXPECT_EQ(text, "18:02");
    EXPECT_EQ(rise_set_text(3.0, 7), "");
}

struct LabelCase {
    const char* name;
    double azimuth;
    const char* label;
};

class CompassLabel : public ::testing::TestWithParam<LabelCase> {};

TEST_P(CompassLabel, SectorBoundariesFollowTheTestOrder) {
    EXPECT_EQ(compass_label(GetParam().azimuth), GetParam().label);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, CompassLabel,
    ::testing::Values(
        LabelCase{"Zero", 0.0, "(N)"}, LabelCase{"TenIsNorthFirstTestWins", 10.0, "(N)"},
        LabelCase{"JustAboveTen", 10.01, "(NO)"}, LabelCase{"JustBelow80", 79.99, "(NO)"},
        LabelCase{"Eighty", 80.0, "(O)"}, LabelCase{"JustBelow100", 99.99, "(O)"},
        LabelCase{"Hundred", 100.0, "(SO)"}, LabelCase{"JustBelow170", 169.99, "(SO)"},
        LabelCase{"OneSeventy", 170.0, "(S)"}, LabelCase{"JustBelow190", 189.99, "(S)"},
        LabelCase{"OneNinety", 190.0, "(SW)"}, LabelCase{"JustBelow260", 259.99, "(SW)"},
        LabelCase{"TwoSixty", 260.0, "(W)"}, LabelCase{"JustBelow280", 279.99, "(W)"},
        LabelCase{"TwoEighty", 280.0, "(NW)"}, LabelCase{"JustBelow350", 349.99, "(NW)"},
        LabelCase{"ThreeFifty", 350.0, "(N)"}, LabelCase{"JustBelow360", 359.99, "(N)"},
        LabelCase{"NegativeIsNorth", -5.0, "(N)"}, LabelCase{"AboveFullTurnIsNorth", 400.0, "(N)"},
        LabelCase{"NotANumber", std::numeric_limits<double>::quiet_NaN(), "--"}),
    [](const ::testing::TestParamInfo<LabelCase>& case_info) { return std::string(case_info.param.name); });

struct PointCase {
    const char* name;
    int azimuth;
    const char* point;
};

class CompassPoint : public ::testing::TestWithParam<PointCase> {};

TEST_P(CompassPoint, WholeDegreesMapToEightPoints) {
    EXPECT_EQ(compass_point(GetParam().azimuth), GetParam().point);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, CompassPoint,
    ::testing::Values(PointCase{"Zero", 0, "N"}, PointCase{"One", 1, "NO"}, PointCase{"FortyFive", 45, "NO"},
                      PointCase{"EightyNine", 89, "NO"}, PointCase{"Ninety", 90, "O"},
                      PointCase{"NinetyOne", 91, "SO"}, PointCase{"OneSeventyNine", 179, "SO"},
                      PointCase{"OneEighty", 180, "S"}, PointCase{"OneEightyOne", 181, "SW"},
                      PointCase{"TwoSixtyNine", 269, "SW"}, PointCase{"TwoSeventy", 270, "W"},
                      PointCase{"TwoSeventyOne", 271, "NW"}, PointCase{"ThreeFiftyNine", 359, "NW"},
                      PointCase{"ThreeSixty", 360, "N"}, PointCase{"ThreeSixtyOneNotWrapped", 361, "--"},
                      PointCase{"MinusOneNotWrapped", -1, "--"}),
    [](const ::testing::TestParamInfo<PointCase>& case_info) { return std::string(case_info.param.name); });

TEST(AngleTexts, DegreesTwoDecimalsWithDegreeSign) {
    EXPECT_EQ(degree_text(12.345678), "12.35\u00b0");
    EXPECT_EQ(degree_text(-0.5), "-0.50\u00b0");
    EXPECT_EQ(degree_text(0.0), "0.00\u00b0");
    EXPECT_EQ(degree_text(90.0), "90.00\u00b0");
}

TEST(AngleTexts, AzimuthCarriesTheCompassLabel) {
    EXPECT_EQ(azimuth_text(185.5), "185.50\u00b0 (S)");
    EXPECT_EQ(azimuth_text(0.0), "0.00\u00b0 (N)");
    EXPECT_EQ(azimuth_text(271.004), "271.00\u00b0 (W)");
}

TEST(AngleTexts, DistanceInWholeKilometres) {
    EXPECT_EQ(distance_text(384400.4), "384400 Km");
    EXPECT_EQ(distance_text(152098232.6), "152098233 Km");
}

// The window's toolkit sets the process locale from the environment; the
// texts must not pick up a decimal comma from it. The German locale is built
// into a temporary folder (localedef, from Debian's locales) and found there
// through LOCPATH, so the test needs no locale installed system-wide.
TEST(AngleTexts, IgnoreTheProcessLocale) {
    testing::TempFolder folder;
    const std::string target = folder.path() + "/de_DE.UTF-8";
    const std::string command = "localedef -i de_DE -f UTF-8 '" + target + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << "localedef could not build de_DE.UTF-8";
    testing::ScopedEnv locpath("LOCPATH", folder.path().c_str());

    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous != nullptr ? previous : "C";
    ASSERT_NE(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"), nullptr);
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.2f", 1.25);
    const std::string degrees = degree_text(1.25);
    const std::string km = distance_text(1234.0);
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_STREQ(probe, "1,25") << "the German locale is in effect";
    EXPECT_EQ(degrees, "1.25\u00b0");
    EXPECT_EQ(km, "1234 Km");
}

}  // namespace
}  // namespace orbant
