// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/message_text.h"

namespace orbant {

std::string printable_text(std::string_view text) {
    std::string s;
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\n') {
            s += "\\n";
        } else if (c == '\r') {
            s += "\\r";
        } else if (c == '\t') {
            s += "\\t";
        } else if (c < 0x20 || c == 0x7f) {
            constexpr char hex[] = "0123456789abcdef";
            s += "\\x";
            s += hex[c >> 4];
            s += hex[c & 0xf];
        } else {
            s += ch;
        }
    }
    return s;
}

}  // namespace orbant
