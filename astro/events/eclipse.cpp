// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/events/eclipse.h"

#include <array>
#include <cmath>

namespace orbant {

namespace {

// Texts of the solar classes central certain .. partial possible; the
// hemisphere follows the sign.
inline constexpr std::array<std::string_view, 4> solar_texts_north = {
    "Zentrale Sonnenfinsternis sicher (Nordhalbkugel)",
    "Zentrale Sonnenfinsternis moeglich (Nordhalbkugel)",
    "Partielle Sonnenfinsternis sicher (Nordhalbkugel)",
    "Partielle Sonnenfinsternis moeglich (Nordhalbkugel)",
};
inline constexpr std::array<std::string_view, 4> solar_texts_south = {
    "Zentrale Sonnenfinsternis sicher (S\u00fcdhalbkugel)",
    "Zentrale Sonnenfinsternis moeglich (S\u00fcdhalbkugel)",
    "Partielle Sonnenfinsternis sicher (S\u00fcdhalbkugel)",
    "Partielle Sonnenfinsternis moeglich (S\u00fcdhalbkugel)",
};
static_assert(solar_texts_north.size() == 4 && solar_texts_south.size() == 4);

// Texts of the lunar classes 1..6.
inline constexpr std::array<std::string_view, 6> lunar_texts = {
    "Totale Mondfinsternis sicher",
    "Totale Mondfinsternis moeglich",
    "Partielle Mondfinsternis sicher",
    "Partielle Mondfinsternis moeglich",
    "Halbschatten Mondfinsternis sicher",
    "Halbschatten Mondfinsternis moeglich",
};
static_assert(lunar_texts.size() == 6);

}  // namespace

int solar_eclipse_class(double beta) noexcept {
    const double b = std::fabs(beta);
    int code;
    if (b > solar_limit_none) {
        return solar_class_none;
    } else if (b < solar_limit_central_certain) {
        code = solar_class_central_certain;
    } else if (b < solar_limit_central_possible) {
        code = solar_class_central_possible;
    } else if (b < solar_limit_partial_certain) {
        code = solar_class_partial_certain;
    } else {
        code = solar_class_partial_possible;
    }
    return beta < 0.0 ? -code : code;
}

int lunar_eclipse_class(double beta) noexcept {
    const double b = std::fabs(beta);
    if (b > lunar_limit_none) return 0;
    if (b < lunar_limit_total_certain) return 1;
    if (b < lunar_limit_total_possible) return 2;
    if (b < lunar_limit_partial_certain) return 3;
    if (b < lunar_limit_partial_possible) return 4;
    if (b < lunar_limit_penumbral_certain) return 5;
    return 6;
}

std::string_view solar_eclipse_text(int code) noexcept {
    constexpr int first = solar_class_central_certain;
    constexpr int last = solar_class_partial_possible;
    if (code >= first && code <= last) return solar_texts_north[static_cast<std::size_t>(code - first)];
    if (code <= -first && code >= -last) return solar_texts_south[static_cast<std::size_t>(-code - first)];
    return {};
}

std::string_view lunar_eclipse_text(int code) noexcept {
    if (code >= 1 && code <= 6) return lunar_texts[static_cast<std::size_t>(code - 1)];
    return {};
}

}  // namespace orbant
