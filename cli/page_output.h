#pragma once
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

// A UTF-8 text as a JSON string literal (quotes, backslash and control
// characters escaped).
std::string json_string(const std::string& text);

}  // namespace orbant::cli
