// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/page_output.h"

#include "cli/json.h"

namespace orbant::cli {

std::string right_aligned(const std::string& s, std::size_t width) {
    return s.size() >= width ? s : std::string(width - s.size(), ' ') + s;
}

void print_page_text(const PageTexts& page, std::ostream& out) {
    for (const PageText& t : page.texts) {
        if (t.label.empty())
            out << t.text << "\n";
        else
            out << t.label << " " << t.text << "\n";
    }
}

void print_page_json(const PageTexts& page, std::ostream& out) {
    out << "{\"page\": " << json_string(page.caption) << ", \"controls\": {";
    bool first = true;
    for (const PageText& t : page.texts) {
        if (!first) out << ", ";
        first = false;
        out << json_string(std::to_string(t.id)) << ": " << json_string(t.text);
    }
    out << "}}\n";
}

void print_page(const PageTexts& page, const Args& args, std::ostream& out) {
    if (args.flags.count("--json"))
        print_page_json(page, out);
    else
        print_page_text(page, out);
}

}  // namespace orbant::cli
