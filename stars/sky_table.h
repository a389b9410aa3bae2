// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstddef>
#include <string_view>

#include "stars/star_catalogue.h"

// The sheet's own body and star table: what the sky pages draw and name.

namespace orbant {

// Bytes of a table entry's name buffer, the terminating zero included.
inline constexpr std::size_t sky_name_capacity = 48;

// One entry of the body and star table.
struct SkyObject {
    double magnitude = 0.0;        // stored visual magnitude; decides how the entry is drawn
    double right_ascension_deg = 0.0;  // right ascension, degrees (the bodies' too, once a page places them)
    double declination_deg = 0.0;      // declination, degrees

    // The display name, UTF-8.
    std::string_view name() const noexcept { return {name_.data(), name_size_}; }

    // Replaces the name. A text longer than the buffer holds is cut at the
    // last UTF-8 character start that fits, so the name stays valid UTF-8.
    void set_name(std::string_view text) noexcept;

private:
    std::array<char, sky_name_capacity> name_{};  // zero-terminated
    std::size_t name_size_ = 0;
};

// The body and star table, indexed as the constant table (star_catalogue.h).
using SkyTable = std::array<SkyObject, sky_object_count>;
// The constellation-figure list: table indices, 0 ending each polyline.
using FigureList = std::array<int, figure_list_length>;

// Fills the table and the figure list as the sheet does during its
// initialisation: every entry's name, stored magnitude and coordinates
// from the constant table (entries 0..9 with their start values, names
// such as "Mond" and "Sonne (-26.8)" and coordinates 0), and the figure list.
void fill_body_and_star_table(SkyTable& table, FigureList& figures) noexcept;

}  // namespace orbant
