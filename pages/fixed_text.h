#pragma once
#include <charconv>
#include <string>

namespace orbant {

// Fixed-point text of a value with the given number of decimals, exactly as
// printf("%.*f") prints it in the C locale (nearest, ties of the binary
// value to even), whatever the process locale: the window (whose toolkit
// sets the user's locale) and the text front end print the same characters.
inline std::string fixed_text(double value, int decimals) {
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc{}) return std::string();
    return std::string(buffer, result.ptr);
}

}  // namespace orbant
