// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <string_view>
#include <tuple>

namespace {

using namespace orbant;

// Decoding takes a whole valid sequence and rejects each kind of malformed
// one byte at a time; cutting keeps whole characters and counting counts
// them, whatever their length.
TEST(Utf8, CutsAtCharacterStartsAndRejectsMalformedSequences) {
    constexpr char32_t replacement = 0xFFFD;
    const struct {
        std::string_view text;
        std::size_t at;
        char32_t code;
        std::size_t length;
        bool valid;
    } decoded[] = {
        {"A", 0, 0x41, 1, true},
        {"a\xC3\xA4", 1, 0xE4, 2, true},                  // ä after an ASCII letter
        {"\xE2\x82\xAC", 0, 0x20AC, 3, true},             // €
        {"\xF0\x9F\x8C\x99", 0, 0x1F319, 4, true},        // the crescent Moon
        {"\xF4\x8F\xBF\xBF", 0, 0x10FFFF, 4, true},       // the last code point
        {"\x80", 0, replacement, 1, false},               // stray continuation byte
        {"\xC3", 0, replacement, 1, false},               // cut short at the end
        {"\xE2\x82", 0, replacement, 1, false},           // cut short at the end
        {"\xC3\x41", 0, replacement, 1, false},           // broken by an ASCII byte
        {"\xC0\xAF", 0, replacement, 1, false},           // overlong '/'
        {"\xE0\x80\xAF", 0, replacement, 1, false},       // overlong '/'
        {"\xED\xA0\x80", 0, replacement, 1, false},       // a surrogate
        {"\xF4\x90\x80\x80", 0, replacement, 1, false},   // above U+10FFFF
        {"\xF8\x88\x80\x80\x80", 0, replacement, 1, false},  // lead byte above 0xF7
    };
    for (const auto& c : decoded) {
        const Utf8Character d = utf8_decode(c.text, c.at);
        EXPECT_EQ(std::tie(d.code, d.length, d.valid), std::tie(c.code, c.length, c.valid)) << c.text;
    }

    const struct {
        std::string_view text;
        std::size_t max_bytes;
        std::size_t cut;
        std::size_t characters;
    } cut[] = {
        {"", 0, 0, 0},
        {"Mond", 10, 4, 4},
        {"Mond", 3, 3, 4},
        {"x\xC3\xA4", 2, 1, 2},               // would split ä
        {"x\xC3\xA4", 3, 3, 2},
        {"\xC3\xA4", 1, 0, 1},                // nothing fits
        {"a\xF0\x9F\x8C\x99" "b", 4, 1, 3},   // would split the 4-byte character
        {"a\xF0\x9F\x8C\x99" "b", 5, 5, 3},
    };
    for (const auto& c : cut) {
        EXPECT_EQ(utf8_cut(c.text, c.max_bytes), c.cut) << c.text << " in " << c.max_bytes;
        EXPECT_EQ(utf8_character_count(c.text), c.characters) << c.text;
    }
}

}  // namespace
