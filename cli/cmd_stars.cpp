// SPDX-License-Identifier: GPL-3.0-or-later
// orbant-cli stars: the body and star table and the constellation figures
// as the program holds them after start-up, as text or CSV.
#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "astro/services/format.h"
#include "cli/command.h"
#include "cli/context.h"
#include "cli/page_output.h"
#include "stars/sky_table.h"
#include "text/utf8.h"

namespace orbant::cli {

namespace {

// Width of the name column of the text form, in characters: the longest
// name of the table.
constexpr std::size_t name_column = 36;
constexpr int magnitude_decimals = 2;   // the catalogue's V magnitudes have two
constexpr int coordinate_decimals = 4;  // the catalogue places have four

// A CSV field in double quotes, inner quotes doubled.
std::string quoted_field(std::string_view text) {
    std::string q = "\"";
    for (char c : text) {
        if (c == '"') q += '"';
        q += c;
    }
    return q + "\"";
}

void print_csv(const SkyTable& table, std::ostream& out) {
    out << "index,name,magnitude,ra_deg,dec_deg\n";
    for (std::size_t i = 0; i < table.size(); ++i) {
        const SkyObject& o = table[i];
        out << i << ',' << quoted_field(o.name()) << ',' << fixed_text(o.magnitude, magnitude_decimals) << ','
            << fixed_text(o.right_ascension_deg, coordinate_decimals) << ','
            << fixed_text(o.declination_deg, coordinate_decimals) << '\n';
    }
}

// One line per entry in aligned columns, then the figure list, one
// polyline (ended by its 0) per line.
void print_text(const SkyTable& table, const FigureList& figures, std::ostream& out) {
    out << "index  " << "name" << std::string(name_column - 4, ' ') << "    mag    ra_deg   dec_deg\n";
    for (std::size_t i = 0; i < table.size(); ++i) {
        const SkyObject& o = table[i];
        const std::size_t n = utf8_character_count(o.name());
        out << right_aligned(std::to_string(i), 5) << "  " << o.name()
            << std::string(n < name_column ? name_column - n : 0, ' ')
            << right_aligned(fixed_text(o.magnitude, magnitude_decimals), 7)
            << right_aligned(fixed_text(o.right_ascension_deg, coordinate_decimals), 10)
            << right_aligned(fixed_text(o.declination_deg, coordinate_decimals), 10) << '\n';
    }
    out << "\nfigures (table indices, 0 ends a polyline):\n";
    bool line_start = true;
    for (int v : figures) {
        out << (line_start ? "" : " ") << v;
        line_start = v == 0;
        if (line_start) out << '\n';
    }
}

int run_stars(const Args& args, std::ostream& out, std::ostream& err) {
    const std::string format = choice_option(args, "--format", "text", {"text", "csv"});

    const SheetState state = sheet_state_from_args(args, &err);
    if (format == "csv")
        print_csv(state.sky_objects, out);
    else
        print_text(state.sky_objects, state.figure_list, out);
    return 0;
}

}  // namespace

Command stars_command() {
    return {
        "stars",
        "The body and star table and the constellation figures, as text or CSV",
        "usage: orbant-cli stars [--format text|csv] [--config-dir DIR]\n"
        "Prints the 1088 entries of the body and star table as the program holds\n"
        "them after start-up: 0 the Moon, 1 the Sun, 2..9 the planets (with their\n"
        "start values; the sky pages compute their places), 10..1087 the stars\n"
        "with their stored magnitude and catalogue place (J2000, degrees).\n"
        "  text  aligned columns index, name, mag, ra_deg, dec_deg, then the\n"
        "        constellation figures, one polyline per line ending in 0\n"
        "  csv   index,name,magnitude,ra_deg,dec_deg\n",
        {"--format", "--config-dir"},
        run_stars,
    };
}

}  // namespace orbant::cli
