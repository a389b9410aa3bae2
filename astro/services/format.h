// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

// Display texts of clock times, dates, angles, distances and compass
// directions, shared by every page and by the text front end. All texts are
// UTF-8 and independent of the process locale (the decimal point is always
// "."), so the window and orbant-cli print the same characters.
//
// Unlike the rest of the engine and its services, the text helpers here
// return std::string (or assign one) and so may allocate; they are not
// noexcept, since the allocation may throw std::bad_alloc. The promise that
// astro/ and its services allocate nothing does not cover them; only
// azimuth_from_north, a plain number, is allocation-free and noexcept here.

namespace orbant {

// Shown in place of a rise or set time that does not exist on the day.
inline constexpr const char* missing_time_text = "--------";
// Shown by compass_label and compass_point for a value outside every sector.
inline constexpr const char* no_direction_text = "--";
// Shown by clock_text for a time that is not a finite number of hours.
inline constexpr const char* no_clock_text = "--:--";

// Clock time of a time of day given in fractional hours.
//
// Given:    t: hours after local midnight; any value, also below 0 or
//           above 24 (the rise and set services do not wrap their times).
// Returned: "%2d:%2d" of h = floor(t) and m = trunc((t - h) * 60), with
//           every blank replaced by "0": 0 -> "00:00", 7.5 -> "07:30",
//           23.9999 -> "23:59", 24.25 -> "24:15", -0.25 -> "-1:45".
// Notes:    minutes are truncated, never rounded, and never carried into
//           the hour: 6.999 gives "06:59". In double precision 7 + 5/60.0
//           lies just below 7 h 5 min and gives "07:04". A tiny negative t
//           whose fraction rounds up to a whole hour still shows minute 59,
//           never 60. A NaN, an infinity or a value beyond the range of
//           int gives no_clock_text. Returns a std::string (may allocate).
// Reference: 24-hour clock notation.
// Accuracy: exact (truncation of the double value).
std::string clock_text(double t);

// Calendar date text of day, month and year.
//
// Given:    day, month, year as the calendar fields.
// Returned: "%2d.%2d.%d" with every blank replaced by "0":
//           (1, 12, 2024) -> "01.12.2024".
// Notes:    fields are printed as they come, without range checks: a
//           negative field keeps its sign ("-1"). Returns a std::string
//           (may allocate).
// Reference: German date notation.
// Accuracy: exact.
std::string date_text(int day, int month, int year);

// Azimuth counted from north through east.
//
// Given:    a: azimuth in degrees counted from the south point through
//           west, as the position services give it after conversion to
//           degrees; [0, 360).
// Returned: b = a + 180, less 360 when b >= 360: 180 -> 0 (never 360),
//           0 -> 180. Output in [0, 360) for input in [0, 360).
// Notes:    every page applies it before compass_label and before printing
//           a direction. A plain number: allocates nothing.
// Reference: change of origin of the azimuth.
// Accuracy: one rounding of the addition.
double azimuth_from_north(double a) noexcept;

// Text of a rising, meridian or setting time found by planet_rise_set.
//
// Given:    t: hours after local midnight; status: 0 never rises, 1 time
//           found, 2 never sets; text: the text shown so far.
// Returned: text = "NoRises" for status 0 (also on a set column),
//           clock_text(t) for status 1, "NoSet" for status 2; any other
//           status leaves text unchanged.
// Notes:    the two-argument form returns an empty text for any other
//           status. The texts are std::string: the three-argument form
//           assigns into the caller's string (which may allocate), the
//           two-argument form returns a new one.
// Reference: -
// Accuracy: as clock_text.
void rise_set_text(double t, int status, std::string& text);
std::string rise_set_text(double t, int status);

// Compass label of an azimuth, eight sectors of unequal width.
//
// Given:    azimuth: degrees counted from north through east.
// Returned: tested in this order: az <= 10 or az >= 350 "(N)";
//           10 <= az < 80 "(NO)"; 80 <= az < 100 "(O)"; 100 <= az < 170
//           "(SO)"; 170 <= az < 190 "(S)"; 190 <= az < 260 "(SW)";
//           260 <= az < 280 "(W)"; 280 <= az < 350 "(NW)"; a value in none
//           of them (only NaN) gives "--".
// Notes:    O is east (Ost). The cardinal sectors are 20 degrees wide, the
//           intermediate ones 70 degrees; a negative value is "(N)".
//           Returns a std::string (may allocate).
// Reference: -
// Accuracy: exact comparisons.
std::string compass_label(double azimuth);

// Compass point of a whole-degree azimuth, for labels on the horizon view.
//
// Given:    azimuth: whole degrees from north through east.
// Returned: 0 or 360 "N"; 1..89 "NO"; 90 "O"; 91..179 "SO"; 180 "S";
//           181..269 "SW"; 270 "W"; 271..359 "NW"; anything else "--".
// Notes:    values outside 0..360 are not wrapped. Returns a std::string
//           (may allocate).
// Reference: -
// Accuracy: exact.
std::string compass_point(int azimuth);

// Fixed-point text of a value with a given number of decimals.
//
// Given:    value: any double; decimals: digits after the point.
// Returned: exactly what printf("%.*f", decimals, value) prints in the C
//           locale: the decimal value of the binary double rounded to
//           nearest, ties to even ("-0.00" for -0.001 with 2 decimals;
//           "nan", "-nan", "inf" for the special values). A negative
//           decimals count means 6, as in printf.
// Notes:    independent of the process locale, so the window (whose toolkit
//           sets the user's locale) and the text front end print the same
//           characters. A text longer than 400 characters (only with a huge
//           value and many decimals) comes back empty. Returns a
//           std::string (may allocate).
// Reference: the C library's %f conversion.
// Accuracy: exact (correctly rounded decimal conversion).
std::string fixed_text(double value, int decimals);

// Angle text of degrees, as the Moon and Sun pages print altitudes and
// other angles.
//
// Given:    degrees: any value.
// Returned: fixed_text(degrees, 2) followed by "°" (UTF-8): 12.345 ->
//           "12.35°", -0.5 -> "-0.50°".
// Notes:    no wrapping and no sign rule of its own. Returns a std::string
//           (may allocate).
// Reference: -
// Accuracy: as fixed_text.
std::string degree_text(double degrees);

// Azimuth text with its compass label.
//
// Given:    degrees_from_north: azimuth in degrees counted from north
//           through east (after azimuth_from_north).
// Returned: degree_text of the value, a blank and compass_label of the
//           value: 185.5 -> "185.50° (S)".
// Notes:    the label is taken from the unrounded value, so 9.999 shows as
//           "10.00° (N)" and 10.001 as "10.00° (NO)". Returns a std::string
//           (may allocate).
// Reference: -
// Accuracy: as fixed_text; the label as compass_label.
std::string azimuth_text(double degrees_from_north);

// Distance text of kilometres.
//
// Given:    kilometres: any value.
// Returned: fixed_text(kilometres, 0) followed by " Km": 384400.4 ->
//           "384400 Km", 152098232.6 -> "152098233 Km".
// Notes:    rounded to the nearest kilometre, ties to even. Returns a
//           std::string (may allocate).
// Reference: -
// Accuracy: as fixed_text.
std::string distance_text(double kilometres);

}  // namespace orbant
