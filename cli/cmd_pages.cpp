// SPDX-License-Identifier: GPL-3.0-or-later
// orbant-cli time|moon|sun|planets: the texts of a page for a place and an
// instant, made by the same functions the window uses.
#include <ostream>
#include <string>

#include "cli/command.h"
#include "cli/context.h"
#include "cli/page_output.h"
#include "pages/moon_texts.h"
#include "pages/planets_texts.h"
#include "pages/sun_texts.h"
#include "pages/time_texts.h"

namespace orbant::cli {

namespace {

template <PageTexts (*page_texts)(const SheetState&)>
int run_page(const Args& args, std::ostream& out, std::ostream& err) {
    const SheetState state = sheet_state_from_args(args, &err);
    print_page(page_texts(state), args, out);
    return 0;
}

std::vector<std::string> page_options() { return with_place_time_options({"--json"}); }

// The usage of a page command: the shared options, then what it prints.
std::string page_usage(const std::string& name, const std::string& what) {
    const std::string indent(std::string("usage: orbant-cli ").size() + name.size() + 1, ' ');
    return "usage: orbant-cli " + name + " [--lat DEG] [--lon DEG] [--zone HOURS] [--summer 0|1]\n" + indent +
           "[--at \"YYYY-MM-DD HH:MM\"] [--config-dir DIR] [--json]\n" + what +
           "One \"label text\" line per value in page order; --json prints one object\n"
           "{\"page\": caption, \"controls\": {\"<id>\": text, ...}}.\n"
           "The place comes from Setup.dat in the settings folder (else Hamburg), the\n"
           "instant from --at (local civil time) or the clock.\n";
}

}  // namespace

std::vector<Command> page_commands() {
    return {
        {
            "time",
            "the texts of the time and place page (date, time, place, status)",
            page_usage("time",
                       "Prints what the page \"Zeit/Ort\" shows with a running clock: day, month, year,\n"
                       "hour, minute, latitude, longitude, the zone entry, the place name and the\n"
                       "status line.\n"),
            page_options(),
            run_page<time_page_texts>,
        },
        {
            "moon",
            "the Moon page: phase, direction, altitude, distance, moonrise, moonset",
            page_usage("moon", "Prints the texts of the page \"Mond\".\n"),
            page_options(),
            run_page<moon_page_texts>,
        },
        {
            "sun",
            "the Sun page: position, sunrise, sunset, day length, nautical twilight",
            page_usage("sun", "Prints the texts of the page \"Sonne\".\n"),
            page_options(),
            run_page<sun_page_texts>,
        },
        {
            "planets",
            "the planets page: direction, altitude, rising, setting and phase of each planet",
            page_usage("planets", "Prints the texts of the page \"Planeten\".\n"),
            page_options(),
            run_page<planets_page_texts>,
        },
    };
}

}  // namespace orbant::cli
