// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <ostream>
#include <string>

#include "cli/command.h"
#include "pages/page_texts.h"

namespace orbant::cli {

// Prints a page's texts, one "label text" line per control in page order
// (just the text when there is no label).
void print_page_text(const PageTexts& page, std::ostream& out);

// Prints {"page": caption, "controls": {"<id>": text, ...}} on one line,
// controls in page order.
void print_page_json(const PageTexts& page, std::ostream& out);

// JSON with --json, else text.
void print_page(const PageTexts& page, const Args& args, std::ostream& out);

// s right-aligned in a field of `width` characters (one byte a character:
// for ASCII texts).
std::string right_aligned(const std::string& s, std::size_t width);

}  // namespace orbant::cli
