// orbant-cli moon: the texts of the page, as the window shows them.
#include <ostream>

#include "cli/command.h"
#include "cli/context.h"
#include "cli/page_output.h"
#include "pages/moon_texts.h"

namespace orbant::cli {

namespace {

int run_moon(const Args& args, std::ostream& out, std::ostream& err) {
    const SheetState state = sheet_state_from_args(args, &err);
    print_page(moon_page_texts(state), args, out);
    return 0;
}

std::vector<std::string> page_options() {
    std::vector<std::string> options = place_time_options;
    options.push_back("--json");
    return options;
}

const bool registered = register_command({
    "moon",
    "the Moon page: phase, direction, altitude, distance, moonrise, moonset",
    "usage: orbant-cli moon [--lat DEG] [--lon DEG] [--zone HOURS] [--summer 0|1]\n"
    "       [--at \"YYYY-MM-DD HH:MM\"] [--config-dir DIR] [--json]\n"
    "Prints the texts of the page for the place and the instant (local civil\n"
    "time), one \"label text\" line per value in page order, or with --json one\n"
    "object {\"page\": caption, \"controls\": {\"<id>\": text, ...}}.\n",
    page_options(),
    run_moon,
});

}  // namespace

}  // namespace orbant::cli
