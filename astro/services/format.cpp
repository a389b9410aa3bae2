#include "astro/services/format.h"

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

std::string compass_label(double az) {
    if (az <= 10.0 || az >= 350.0) {
        return "(N)";
    }
    if (az >= 10.0 && az < 80.0) {
        return "(NO)";
    }
    if (az >= 80.0 && az < 100.0) {
        return "(O)";
    }
    if (az >= 100.0 && az < 170.0) {
        return "(SO)";
    }
    if (az >= 170.0 && az < 190.0) {
        return "(S)";
    }
    if (az >= 190.0 && az < 260.0) {
        return "(SW)";
    }
    if (az >= 260.0 && az < 280.0) {
        return "(W)";
    }
    if (az >= 280.0 && az < 350.0) {
        return "(NW)";
    }
    return no_direction_text;
}

std::string compass_point(int az) {
    if (az == 0 || az == 360) {
        return "N";
    }
    if (az >= 1 && az <= 89) {
        return "NO";
    }
    if (az == 90) {
        return "O";
    }
    if (az >= 91 && az <= 179) {
        return "SO";
    }
    if (az == 180) {
        return "S";
    }
    if (az >= 181 && az <= 269) {
        return "SW";
    }
    if (az == 270) {
        return "W";
    }
    if (az >= 271 && az <= 359) {
        return "NW";
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
