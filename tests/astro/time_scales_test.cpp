// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/time_scales.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>

#include "astro/constants.h"

namespace orbant {
namespace {

constexpr double one_microsecond_in_days = 1e-6 / 86400.0;
constexpr double one_millisecond_in_hours = 1e-3 / 3600.0;

TEST(HoursFromHms, AnyNegativeFieldMakesTheWholeValueNegative) {
    EXPECT_DOUBLE_EQ(hours_from_hms(12, 30, 36.0), 12.51);
    EXPECT_DOUBLE_EQ(hours_from_hms(-12, 30, 36.0), -12.51);
    EXPECT_DOUBLE_EQ(hours_from_hms(12, -30, 36.0), -12.51);
    EXPECT_DOUBLE_EQ(hours_from_hms(0, 0, -36.0), -0.01);
    EXPECT_DOUBLE_EQ(hours_from_hms(0, -30, 0.0), -0.5);
}

TEST(MjdFromDate, FixedEpochs) {
    EXPECT_EQ(mjd_from_date(2000, 1, 1, 12, 0, 0), 51544.5);
    EXPECT_EQ(mjd_from_date(1858, 11, 17, 0, 0, 0), 0.0);
    EXPECT_EQ(mjd_from_date(1970, 1, 1, 0, 0, 0), 40587.0);
}

TEST(MjdFromDate, JulianAndGregorianCalendarsMeetWithoutGap) {
    EXPECT_EQ(mjd_from_date(1582, 10, 4, 0, 0, 0), -100841.0);
    EXPECT_EQ(mjd_from_date(1582, 10, 15, 0, 0, 0), -100840.0);
    // Julian leap day in a year that is not Gregorian leap.
    EXPECT_EQ(mjd_from_date(1500, 3, 1, 0, 0, 0) - mjd_from_date(1500, 2, 28, 0, 0, 0), 2.0);
    EXPECT_EQ(mjd_from_date(1900, 3, 1, 0, 0, 0) - mjd_from_date(1900, 2, 28, 0, 0, 0), 1.0);
    EXPECT_EQ(mjd_from_date(2000, 3, 1, 0, 0, 0) - mjd_from_date(2000, 2, 28, 0, 0, 0), 2.0);
}

TEST(MjdFromDate, OutOfRangeAndNegativeTimeFieldsEnterTheArithmetic) {
    EXPECT_NEAR(mjd_from_date(2000, 1, 1, 0, -30, 0), 51543.979166666664, one_microsecond_in_days);
    EXPECT_DOUBLE_EQ(mjd_from_date(2000, 1, 1, 10, 60, 0), mjd_from_date(2000, 1, 1, 11, 0, 0));
    EXPECT_DOUBLE_EQ(mjd_from_date(2000, 1, 1, 24, 0, 0), mjd_from_date(2000, 1, 2, 0, 0, 0));
}

TEST(DateFromMjd, InvertsTheEpochs) {
    const CalendarDate d = date_from_mjd(51544.5);
    EXPECT_EQ(d.year, 2000);
    EXPECT_EQ(d.month, 1);
    EXPECT_EQ(d.day, 1);
    EXPECT_DOUBLE_EQ(d.hours, 12.0);
    const CalendarDate z = date_from_mjd(-0.25);
    EXPECT_EQ(z.year, 1858);
    EXPECT_EQ(z.month, 11);
    EXPECT_EQ(z.day, 16);
    EXPECT_DOUBLE_EQ(z.hours, 18.0);
    int y = 0, m = 0, day = 0;
    double h = 0;
    date_from_mjd(-100841.0, y, m, day, h);
    EXPECT_EQ(y * 10000 + m * 100 + day, 15821004);
    date_from_mjd(-100840.0, y, m, day, h);
    EXPECT_EQ(y * 10000 + m * 100 + day, 15821015);
}

int days_in_month(int year, int month, bool gregorian) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month != 2) return days[month - 1];
    const bool leap = gregorian ? (year % 4 == 0 && (year % 100 != 0 || year % 400 == 0)) : (year % 4 == 0);
    return leap ? 29 : 28;
}

// Every day from 0100-01-01 to 3000-12-31 on the calendar in force: the MJD
// grows by exactly one per day across the switch, and date_from_mjd gives the
// date and time of day back.
TEST(DateFromMjd, RoundTripsEveryDayOnBothCalendars) {
    double previous = mjd_from_date(99, 12, 31, 0, 0, 0);
    int failures = 0;
    for (int year = 100; year <= 3000; ++year) {
        for (int month = 1; month <= 12; ++month) {
            const bool gregorian = year > 1582 || (year == 1582 && month > 10);
            for (int day = 1; day <= days_in_month(year, month, gregorian); ++day) {
                if (year == 1582 && month == 10 && day > 4 && day < 15) continue;
                const int hour = (year + day) % 24, minute = (month * 7 + day) % 60;
                const double mjd0 = mjd_from_date(year, month, day, 0, 0, 0);
                const double mjd = mjd_from_date(year, month, day, hour, minute, 0);
                if (mjd0 != previous + 1.0 && failures++ < 5) {
                    ADD_FAILURE() << year << "-" << month << "-" << day << " is not the day after the previous one";
                }
                previous = mjd0;
                const CalendarDate d = date_from_mjd(mjd);
                if ((d.year != year || d.month != month || d.day != day ||
                     std::fabs(d.hours - (hour + minute / 60.0)) > one_millisecond_in_hours) &&
                    failures++ < 5) {
                    ADD_FAILURE() << year << "-" << month << "-" << day << " came back as " << d.year << "-"
                                  << d.month << "-" << d.day << " " << d.hours;
                }
            }
        }
    }
    EXPECT_EQ(failures, 0);
}

TEST(DateFromMjd, AnInstantJustBeforeMidnightStaysOnItsDay) {
    // 59999 is 2023-02-24. The largest doubles below 60000 lie closer to
    // midnight than the spacing of doubles near the Julian day number, so
    // a day taken from the sum mjd + 2400001 would already be the 25th.
    for (double mjd = std::nextafter(60000.0, 0.0); mjd > 60000.0 - 1e-9; mjd = std::nextafter(mjd, 0.0)) {
        const CalendarDate d = date_from_mjd(mjd);
        EXPECT_EQ(d.year, 2023);
        EXPECT_EQ(d.month, 2);
        EXPECT_EQ(d.day, 24) << std::setprecision(17) << mjd;
        EXPECT_GT(d.hours, 23.99);
    }
    const CalendarDate next = date_from_mjd(60000.0);
    EXPECT_EQ(next.day, 25);
    EXPECT_EQ(next.hours, 0.0);
}

TEST(Gmst, AtJ2000) {
    const double hours = gmst(51544.5) * 12.0 / pi;
    EXPECT_NEAR(hours, 18.697374558, 1e-9);
    EXPECT_NEAR(gmst(51544.5), 4.894961213, 1e-9);
}

TEST(Gmst, StaysInOneTurnAndAdvancesBySiderealRate) {
    for (double mjd = 15000.0; mjd < 88000.0; mjd += 123.4567) {
        const double g = gmst(mjd);
        ASSERT_GE(g, 0.0);
        ASSERT_LT(g, two_pi);
        // One hour of universal time is 1.0027379 hours of sidereal time.
        const double step = std::remainder(gmst(mjd + 1.0 / 24.0) - g, two_pi);
        ASSERT_NEAR(step, two_pi / 24.0 * 1.0027379093, 1e-9) << mjd;
    }
}

TEST(DeltaT, TableValuesAndTheCoveredSpan) {
    EXPECT_NEAR(delta_t(-1.0).seconds, -2.6, 1e-12);
    EXPECT_NEAR(delta_t(0.0).seconds, 65.97, 0.005);
    EXPECT_NEAR(delta_t(0.0).seconds, 65.9671875, 1e-9);
    EXPECT_NEAR(delta_t(-1.75).seconds, 10.4, 1e-12);
    const DeltaT end = delta_t(0.05);
    EXPECT_TRUE(end.valid);
    EXPECT_NEAR(end.seconds, 74.0559, 1e-9);
    const DeltaT after = delta_t(0.0501);
    EXPECT_FALSE(after.valid);
    EXPECT_EQ(after.seconds, 0.0);
    const DeltaT before = delta_t(-1.7501);
    EXPECT_FALSE(before.valid);
    EXPECT_EQ(before.seconds, 0.0);
    EXPECT_TRUE(delta_t(-1.0).valid);
}

TEST(DeltaT, PiecesJumpAtQuarterCenturyBoundaries) {
    // End of 1825-1850 (7.13 s) against the start of 1850-1875 (6.6 s).
    EXPECT_NEAR(delta_t(-1.5 - 1e-12).seconds, 7.13, 0.01);
    EXPECT_NEAR(delta_t(-1.5).seconds, 6.6, 1e-9);
}

}  // namespace
}  // namespace orbant
