// SPDX-License-Identifier: GPL-3.0-or-later
// orbant-cli gps: the GPS dialog's texts from gpsd, refreshed once a second,
// made by the same function the dialog uses.
#include <chrono>
#include <ostream>
#include <string>
#include <thread>

#include "cli/command.h"
#include "cli/page_output.h"
#include "pages/gps_texts.h"
#include "platform/gps.h"

namespace orbant::cli {

namespace {

constexpr long long max_seconds = 86400;

int run_gps(const Args& args, std::ostream& out, std::ostream& err) {
    GpsdEndpoint endpoint;
    if (const std::string* host = args.value("--host")) {
        if (host->empty()) throw UsageError("option --host: the host is empty");
        endpoint.host = *host;
    }
    if (args.value("--port")) {
        const long long port = parse_int_option(args, "--port");
        if (port < 1 || port > 65535) throw UsageError("option --port: '" + *args.value("--port") +
                                                       "' is not a port from 1 to 65535");
        endpoint.port = static_cast<std::uint16_t>(port);
    }
    long long seconds = 1;
    if (args.value("--seconds")) {
        seconds = parse_int_option(args, "--seconds");
        if (seconds < 1 || seconds > max_seconds)
            throw UsageError("option --seconds: '" + *args.value("--seconds") + "' is not from 1 to 86400");
    }

    LibgpsDriver driver(endpoint);
    const auto device = driver.open_device();
    if (!device) {
        err << gps_not_found_message << "\n";
        return 1;
    }
    // As in the dialog: each refresh comes one second after the previous
    // one, the first one second after opening, so gpsd has sent a report.
    GpsPosition record;
    GpsDialogView view = gps_dialog_opening_view();
    auto next = std::chrono::steady_clock::now();
    for (long long k = 0; k < seconds; ++k) {
        next += std::chrono::seconds(1);
        std::this_thread::sleep_until(next);
        device->get_position(record, gps_max_report_age);
        view = gps_dialog_refresh(view, record);
        if (k > 0) out << "\n";
        print_page_text(view.texts, out);
        out.flush();
    }
    return 0;
}

}  // namespace

Command gps_command() {
    return {
        "gps",
        "the GPS dialog's texts from gpsd: position, UTC time, speed, altitude, satellites",
        "usage: orbant-cli gps [--host H] [--port P] [--seconds N]\n"
        "Connects to gpsd (default localhost:2947) and prints what the dialog \"GPS\"\n"
        "shows, one block of lines per refresh, once a second for N seconds\n"
        "(default 1); blocks are separated by an empty line. Without gpsd it prints\n"
        "\"Kein GPS gefunden.\" on standard error and exits with status 1.\n",
        {"--host", "--port", "--seconds"},
        run_gps,
    };
}

}  // namespace orbant::cli
