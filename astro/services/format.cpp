// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/services/format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <system_error>

#include "astro/constants.h"
#include "astro/services/rise_set.h"

namespace orbant {

namespace {

// Degrees in half a turn.
inline constexpr double degrees_per_half_turn = 180.0;

// "%2d" of value: right-aligned in two characters, with the blank of a
// single digit already replaced by "0" (so "-1" stays "-1", 7 gives "07").
void append_two_digits(std::string& out, int value) {
    char buffer[16];
    const int n = std::snprintf(buffer, sizeof buffer, "%2d", value);
    for (int i = 0; i < n; ++i) {
        out.push_back(buffer[i] == ' ' ? '0' : buffer[i]);
    }
}

}  // namespace

std::string fixed_text(double value, int decimals) {
    char buffer[400];  // enough for every finite double in fixed notation
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) return std::string();
    return std::string(buffer, result.ptr);
}

std::string clock_text(double t) {
    const double h = std::floor(t);
    // The int conversion below is only defined for values int can hold.
    if (!std::isfinite(h) || h < static_cast<double>(std::numeric_limits<int>::min()) ||
        h > static_cast<double>(std::numeric_limits<int>::max())) {
        return no_clock_text;
    }
    int minutes = static_cast<int>((t - h) * minutes_per_hour);
    // t - h is below 1, but for a tiny negative t it rounds to exactly 1.0;
    // truncation then means the last minute of the hour, not minute 60.
    if (minutes > 59) {
        minutes = 59;
    }
    std::string text;
    append_two_digits(text, static_cast<int>(h));
    text.push_back(':');
    append_two_digits(text, minutes);
    return text;
}

std::string date_text(int day, int month, int year) {
    std::string text;
    append_two_digits(text, day);
    text.push_back('.');
    append_two_digits(text, month);
    text.push_back('.');
    text += std::to_string(year);
    return text;
}

double azimuth_from_north(double a) noexcept {
    const double b = a + degrees_per_half_turn;
    if (b >= full_turn_deg) {
        return b - full_turn_deg;
    }
    return b;
}

void rise_set_text(double t, int status, std::string& text) {
    switch (status) {
    case status_never_rises:
        text = "NoRises";
        break;
    case status_found:
        text = clock_text(t);
        break;
    case status_never_sets:
        text = "NoSet";
        break;
    default:
        break;
    }
}

std::string rise_set_text(double t, int status) {
    std::string text;
    rise_set_text(t, status, text);
    return text;
}

namespace {

// A compass sector after north, in the order the sectors are tried.
struct CompassSector {
    double from, to;    // compass_label: [from, to) degrees
    int first, last;    // compass_point: [first, last] whole degrees
    const char* label;  // compass_point's text; compass_label's in parentheses
};
inline constexpr std::array<CompassSector, 7> compass_sectors{{
    {10.0, 80.0, 1, 89, "NO"},
    {80.0, 100.0, 90, 90, "O"},
    {100.0, 170.0, 91, 179, "SO"},
    {170.0, 190.0, 180, 180, "S"},
    {190.0, 260.0, 181, 269, "SW"},
    {260.0, 280.0, 270, 270, "W"},
    {280.0, 350.0, 271, 359, "NW"},
}};

}  // namespace

std::string compass_label(double az) {
    if (az <= 10.0 || az >= 350.0) {
        return "(N)";
    }
    for (const CompassSector& sector : compass_sectors) {
        if (az >= sector.from && az < sector.to) {
            return std::string("(") + sector.label + ")";
        }
    }
    return no_direction_text;
}

std::string compass_point(int az) {
    if (az == 0 || az == 360) {
        return "N";
    }
    for (const CompassSector& sector : compass_sectors) {
        if (az >= sector.first && az <= sector.last) {
            return sector.label;
        }
    }
    return no_direction_text;
}

std::string degree_text(double degrees) {
    std::string text = fixed_text(degrees, 2);
    text += "\u00b0";
    return text;
}

std::string azimuth_text(double degrees_from_north) {
    std::string text = degree_text(degrees_from_north);
    text.push_back(' ');
    text += compass_label(degrees_from_north);
    return text;
}

std::string distance_text(double kilometres) {
    std::string text = fixed_text(kilometres, 0);
    text += " Km";
    return text;
}

}  // namespace orbant
