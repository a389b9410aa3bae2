// SPDX-License-Identifier: GPL-3.0-or-later
// orbant-cli overview: the compass chart "Uebersicht" for a place and an
// instant, from the same layout and dots the page draws.
#include <cstddef>
#include <ostream>
#include <string>

#include "astro/constants.h"
#include "astro/services/format.h"
#include "cli/command.h"
#include "cli/context.h"
#include "cli/json.h"
#include "cli/page_output.h"
#include "core/screen_size.h"
#include "pages/overview_scene.h"

namespace orbant::cli {

namespace {

constexpr ScreenSize default_screen{240, 320};
constexpr int text_decimals = 2;  // degrees in the text form

constexpr std::size_t name_column = 8;  // the longest name, "Jupiter", and a blank

void print_json(const OverviewLayout& l, const OverviewDirections& d, bool only_risen, std::ostream& out) {
    out << "{\"page\": " << json_string(overview_page_caption) << ", \"size\": [" << l.width << ", " << l.height
        << "], \"portrait\": " << json_bool(l.portrait) << ", \"disc\": [" << l.disc.left << ", " << l.disc.top
        << ", " << l.disc.right << ", " << l.disc.bottom << "], \"centre\": [" << l.centre.x << ", " << l.centre.y
        << "], \"half\": " << l.half << ", \"unit\": " << l.unit << ", \"outer_radius\": " << l.outer_radius
        << ", \"dots\": [";
    for (std::size_t body = 0; body < overview_body_count; ++body) {
        const OverviewDot dot = overview_dot(l, body, d[body], only_risen);
        out << (body ? ", " : "") << "{\"body\": " << json_string(overview_bodies[body].name)
            << ", \"azimuth_deg\": " << json_number(d[body].azimuth_deg)
            << ", \"altitude_deg\": " << json_number(d[body].altitude * degrees_per_radian) << ", \"x\": "
            << dot.centre.x << ", \"y\": " << dot.centre.y << ", \"radius\": " << dot.radius
            << ", \"drawn\": " << json_bool(dot.drawn) << "}";
    }
    out << "]}\n";
}

// The layout on two lines, then one line per body: name, azimuth from
// north and altitude in degrees, the dot's centre and radius, and whether
// it is drawn.
void print_text(const OverviewLayout& l, const OverviewDirections& d, bool only_risen, std::ostream& out) {
    out << overview_page_caption << ' ' << l.width << 'x' << l.height << ' '
        << (l.portrait ? "portrait" : "landscape") << '\n'
        << "disc " << l.disc.left << ' ' << l.disc.top << ' ' << l.disc.right << ' ' << l.disc.bottom << "  centre "
        << l.centre.x << ' ' << l.centre.y << "  half " << l.half << "  unit " << l.unit << "  outer radius "
        << l.outer_radius << '\n';
    for (std::size_t body = 0; body < overview_body_count; ++body) {
        const OverviewDot dot = overview_dot(l, body, d[body], only_risen);
        std::string name = overview_bodies[body].name;
        name.resize(name_column, ' ');
        out << name << right_aligned(fixed_text(d[body].azimuth_deg, text_decimals), 7)
            << right_aligned(fixed_text(d[body].altitude * degrees_per_radian, text_decimals), 8)
            << right_aligned(std::to_string(dot.centre.x), 5) << right_aligned(std::to_string(dot.centre.y), 5)
            << right_aligned(std::to_string(dot.radius), 3) << ' ' << (dot.drawn ? "drawn" : "hidden") << '\n';
    }
}

int run_overview(const Args& args, std::ostream& out, std::ostream& err) {
    const ScreenSize screen = size_option(args, default_screen);
    const bool only_risen = !args.flags.count("--all");
    const SheetState state = sheet_state_from_args(args, &err);
    // The page's first paint: the whole chart, the dots at the instant.
    const OverviewLayout layout = overview_layout(screen.width, screen.height, screen.portrait());
    const OverviewDirections directions = overview_directions(state);
    if (args.flags.count("--json"))
        print_json(layout, directions, only_risen, out);
    else
        print_text(layout, directions, only_risen, out);
    return 0;
}

}  // namespace

Command overview_command() {
    return {
        "overview",
        "the overview chart: the compass direction of the Sun, the Moon and the planets",
        "usage: orbant-cli overview [--size WxH] [--all] [--json] [--lat DEG] [--lon DEG]\n"
        "                           [--zone HOURS] [--summer 0|1] [--at \"YYYY-MM-DD HH:MM\"]\n"
        "                           [--config-dir DIR]\n"
        "Prints the chart of the page \"Uebersicht\" as it paints first: the layout\n"
        "(inner disc, centre, half width, ring unit, outer radius, pixels) and for\n"
        "the Sun, the Moon and the planets Mercury to Pluto the azimuth from north\n"
        "and the altitude (degrees), the dot's centre and radius on the body's ring,\n"
        "and whether it is drawn.\n"
        "  --size WxH  the screen the page fills (default 240x320; portrait when W < H)\n"
        "  --all       unticks \"Nur nach Aufgang\": bodies below the horizon are drawn\n"
        "  --json      {\"page\": \"Uebersicht\", \"size\": [W, H], \"portrait\": bool,\n"
        "              \"disc\": [l, t, r, b], \"centre\": [x, y], \"half\": n, \"unit\": n,\n"
        "              \"outer_radius\": n, \"dots\": [{\"body\": \"Sonne\", \"azimuth_deg\": A,\n"
        "              \"altitude_deg\": h, \"x\": x, \"y\": y, \"radius\": d, \"drawn\": bool}, ...]}\n"
        "Without --json: two lines of layout, then one line per body in columns\n"
        "name, azimuth, altitude, x, y, radius, drawn|hidden.\n"
        "The place comes from Setup.dat in the settings folder (else Hamburg), the\n"
        "instant from --at (local civil time) or the clock.\n",
        with_place_time_options({"--size", "--all", "--json"}),
        run_overview,
    };
}

}  // namespace orbant::cli
