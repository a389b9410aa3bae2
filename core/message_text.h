// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

namespace orbant {

// `text` for a one-line message of either program: control characters
// (below 0x20, and 0x7f) written as \n, \r, \t or \xHH, so that a value
// typed on the command line cannot split the message or send an escape
// sequence to the terminal. Everything else, UTF-8 included, stays as it is.
std::string printable_text(std::string_view text);

}  // namespace orbant
