// orbant-cli time: the texts of the "Zeit/Ort" page.
#include "cli/context.h"
#include "cli/page_output.h"
#include "pages/time_texts.h"

namespace orbant::cli {

namespace {

int run_time(const Args& args, std::ostream& out, std::ostream& err) {
    const SheetState state = sheet_state_from_args(args, &err);
    print_page(time_page_texts(state), args, out);
    return 0;
}

std::vector<std::string> time_options() {
    std::vector<std::string> o = place_time_options;
    o.push_back("--json");
    return o;
}

const bool registered = register_command({
    "time",
    "the texts of the time and place page (date, time, place, status)",
    "usage: orbant-cli time [--lat DEG] [--lon DEG] [--zone HOURS] [--summer 0|1]\n"
    "                       [--at \"YYYY-MM-DD HH:MM\"] [--config-dir DIR] [--json]\n"
    "Prints what the page \"Zeit/Ort\" shows with a running clock: day, month, year,\n"
    "hour, minute, latitude, longitude, the zone entry, the place name and the\n"
    "status line, one \"label text\" line each; --json prints\n"
    "{\"page\": ..., \"controls\": {\"<id>\": text}}.\n"
    "The place comes from Setup.dat in the settings folder (else Hamburg), the\n"
    "instant from --at (local civil time) or the clock.\n",
    time_options(),
    run_time,
});

}  // namespace

}  // namespace orbant::cli
