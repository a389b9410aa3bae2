// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/json.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

namespace orbant::cli {

std::string json_string(std::string_view text) {
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

std::string json_number(double value) {
    if (!std::isfinite(value)) return "null";
    char buf[32];
    const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, value);
    return r.ec == std::errc() ? std::string(buf, r.ptr) : std::string("null");
}

const char* json_bool(bool value) { return value ? "true" : "false"; }

}  // namespace orbant::cli
