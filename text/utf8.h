// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <string_view>

// Reading UTF-8 text: character starts, counts, cuts and decoding. Header
// only, standard library only, no allocation, so that every layer may use it.

namespace orbant {

// True for a byte that continues a UTF-8 character (10xxxxxx).
constexpr bool is_utf8_continuation(char c) noexcept { return (static_cast<unsigned char>(c) & 0xC0u) == 0x80u; }

// Characters of a UTF-8 text: the bytes that do not continue one.
constexpr std::size_t utf8_character_count(std::string_view text) noexcept {
    std::size_t n = 0;
    for (char c : text) n += is_utf8_continuation(c) ? 0 : 1;
    return n;
}

// Bytes of the longest head of text that has at most max_bytes bytes and
// ends at a character start, so a cut never splits a UTF-8 sequence.
constexpr std::size_t utf8_cut(std::string_view text, std::size_t max_bytes) noexcept {
    if (text.size() <= max_bytes) return text.size();
    std::size_t n = max_bytes;
    while (n > 0 && is_utf8_continuation(text[n])) --n;
    return n;
}

// One decoded character: its code point and the bytes it took.
struct Utf8Character {
    char32_t code = 0;
    std::size_t length = 0;
    bool valid = false;
};

// Decodes the character that starts at text[at] (at < text.size()). A
// malformed sequence (a stray continuation byte or a lead byte above 0xF7,
// a sequence cut short or broken by a byte that does not continue it, an
// overlong form, a surrogate, a code point above U+10FFFF) gives U+FFFD,
// one byte long, not valid.
constexpr Utf8Character utf8_decode(std::string_view text, std::size_t at) noexcept {
    constexpr Utf8Character malformed{0xFFFD, 1, false};
    const auto b0 = static_cast<unsigned char>(text[at]);
    const std::size_t length = b0 < 0x80                ? 1
                               : (b0 >> 5) == 0x6u     ? 2
                               : (b0 >> 4) == 0xEu     ? 3
                               : (b0 >> 3) == 0x1Eu    ? 4
                                                       : 0;
    if (length == 0 || text.size() - at < length) return malformed;
    char32_t code = length == 1 ? b0 : length == 2 ? (b0 & 0x1Fu) : length == 3 ? (b0 & 0x0Fu) : (b0 & 0x07u);
    for (std::size_t k = 1; k < length; ++k) {
        if (!is_utf8_continuation(text[at + k])) return malformed;
        code = (code << 6) | (static_cast<unsigned char>(text[at + k]) & 0x3Fu);
    }
    constexpr char32_t smallest_of_length[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest_of_length[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return malformed;
    return {code, length, true};
}

}  // namespace orbant
