#include "cli/page_output.h"

#include <cstdio>

namespace orbant::cli {

std::string json_string(const std::string& text) {
    std::string out = "\"";
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += ch;
            }
        }
    }
    out += '"';
    return out;
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
