#include "stars/sky_table.h"

#include <algorithm>

namespace orbant {

namespace {

// True for a byte that continues a UTF-8 character (10xxxxxx).
constexpr bool continues_character(char c) noexcept {
    return (static_cast<unsigned char>(c) & 0xC0u) == 0x80u;
}

}  // namespace

void SkyObject::set_name(std::string_view text) noexcept {
    std::size_t n = std::min(text.size(), sky_name_capacity - 1);
    if (n < text.size()) {
        while (n > 0 && continues_character(text[n])) --n;
    }
    std::copy_n(text.data(), n, name_.data());
    name_[n] = '\0';
    name_size_ = n;
}

void fill_body_and_star_table(SkyTable& table, FigureList& figures) noexcept {
    const auto& rows = catalogue_rows();
    for (std::size_t i = 0; i < sky_object_count; ++i) {
        SkyObject& o = table[i];
        o.set_name(rows[i].name);
        o.magnitude = rows[i].magnitude;
        o.right_ascension = rows[i].ra_deg;
        o.declination = rows[i].dec_deg;
    }
    figures = catalogue_figures();
}

}  // namespace orbant
