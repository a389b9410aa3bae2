// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

// The text front end's JSON writer: the pieces every --json form is built
// from.
namespace orbant::cli {

// A UTF-8 text as a JSON string literal (quotes, backslash and control
// characters escaped).
std::string json_string(std::string_view text);

// A finite double as the shortest decimal text that reads back as the same
// double (std::to_chars); "null" for infinities and NaN, which JSON cannot
// hold.
std::string json_number(double value);

// "true" or "false".
const char* json_bool(bool value);

}  // namespace orbant::cli
