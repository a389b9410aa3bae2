// SPDX-License-Identifier: GPL-3.0-or-later
#include "stars/sky_table.h"

#include <algorithm>

#include "text/utf8.h"

namespace orbant {

void SkyObject::set_name(std::string_view text) noexcept {
    const std::size_t n = utf8_cut(text, sky_name_capacity - 1);
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
        o.right_ascension_deg = rows[i].ra_deg;
        o.declination_deg = rows[i].dec_deg;
    }
    figures = catalogue_figures();
}

}  // namespace orbant
