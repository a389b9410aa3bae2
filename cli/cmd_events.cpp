// SPDX-License-Identifier: GPL-3.0-or-later
// orbant-cli events: the Moon phases or eclipses of a span of years, as the
// events page lists them, in text, CSV or iCalendar form.
#include <ostream>
#include <string>

#include "astro/constants.h"
#include "astro/events/lunation_search.h"
#include "astro/time_scales.h"
#include "cli/command.h"
#include "cli/context.h"
#include "pages/events_texts.h"

namespace orbant::cli {

namespace {

int year_option(const Args& args, const std::string& name) {
    const long long year = parse_int_option(args, name);
    if (year < first_dated_year || year > last_dated_year)
        throw UsageError("option " + name + ": year " + std::to_string(year) + " is outside " +
                         std::to_string(first_dated_year) + ".." + std::to_string(last_dated_year));
    return static_cast<int>(year);
}

int run_events(const Args& args, std::ostream& out, std::ostream& err) {
    const int first_year = year_option(args, "--from");
    const int last_year = year_option(args, "--to");
    if (last_year < first_year)
        throw UsageError("option --to: year " + std::to_string(last_year) + " lies before --from " +
                         std::to_string(first_year));
    const std::string format = choice_option(args, "--format", "text", {"text", "csv", "ics"});
    static_assert(last_dated_year <= icalendar_year_max);
    if (format == "ics" && first_year < icalendar_year_min)
        throw UsageError("option --format ics: the calendar form takes --from and --to in the years " +
                         std::to_string(icalendar_year_min) + " to " + std::to_string(last_dated_year));

    const SheetState state = sheet_state_from_args(args, &err);
    const double zone = state.time_zone;
    // Each row is written as the search finds it, so the memory does not
    // grow with the span; a failed write ends the search, and the lost
    // output is reported below.
    const auto write = [&out](const std::string& text) {
        out << text;
        return out ? ListAnswer::go_on : ListAnswer::stop;
    };
    const bool eclipses = args.flags.count("--eclipses") > 0;
    if (format == "text") {
        visit_events(first_year, last_year, zone, eclipses,
                     [&](const EventEntry& e) { return write(event_line(e.row) + '\n'); });
    } else if (format == "csv") {
        if (write(events_csv_header()) == ListAnswer::go_on)
            visit_events(first_year, last_year, zone, eclipses, [&](const EventEntry& e) { return write(events_csv_line(e)); });
    } else {
        const CivilDateTime& t = state.current_time;
        const double created =
            mjd_from_date(t.year, t.month, t.day, t.hour, t.minute, t.second) - state.time_offset_hours() / hours_per_day;
        // The list's leading December of year 0 cannot be written as a
        // four-digit year; the asked years always can.
        if (write(events_icalendar_head()) == ListAnswer::go_on) {
            visit_events(first_year, last_year, zone, eclipses, [&](const EventEntry& e) {
                return icalendar_representable(e) ? write(events_icalendar_event(e, created, zone)) : ListAnswer::go_on;
            });
        }
        write(events_icalendar_tail());
    }
    check_output(out);
    return 0;
}

}  // namespace

Command events_command() {
    return {
        "events",
        "Moon phases or eclipses of a span of years, as text, CSV or iCalendar",
        "usage: orbant-cli events --from YEAR --to YEAR [--eclipses] [--format text|csv|ics]\n"
        "       [--zone HOURS] [--at \"YYYY-MM-DD HH:MM\"] [--config-dir DIR]\n"
        "Searches the lunations from 1 December of the year before --from, as the\n"
        "events page does: at least (to - from) * 12 + 14 of them and on until the\n"
        "end of --to, so the list starts in that December and ends early in the\n"
        "year after --to. Without --eclipses\n"
        "it lists the four principal phases, with it the eclipse classes at new\n"
        "and full Moon. Times are in the standard time of the zone (no summer\n"
        "time).\n"
        "  text  exactly the text the page's \"Copy\" button puts on the clipboard\n"
        "  csv   weekday,date,time,event,local_mjd\n"
        "  ics   an iCalendar file (RFC 5545), one event per row, start in UTC to\n"
        "        the second; DTSTAMP is the instant of --at (else the clock);\n"
        "        --from and --to in the years 1 to 6699, events outside them left out\n"
        "--from and --to lie in the years -4711 to 6699 (where the dates of the rows\n"
        "are right); --to must not lie before --from.\n",
        with_place_time_options({"--from", "--to", "--eclipses", "--format"}),
        run_events,
    };
}

}  // namespace orbant::cli
