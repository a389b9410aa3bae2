// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/events_texts.h"

#include <cmath>
#include <cstdio>

#include "astro/constants.h"
#include "astro/services/format.h"
#include "astro/time_scales.h"
#include "astro/calendar.h"

namespace orbant {

namespace {

inline constexpr std::string_view column_separator = "  ";
// MJD of 1970-01-01, the origin of the civil-from-days conversion.
inline constexpr long long mjd_unix_epoch = 40587;
// The new Moon of 2000-01-06 18:14 UT as an MJD, and the mean synodic month
// in days: the origin and unit of the lunation numbers.
inline constexpr double lunation_origin_mjd = 51549.7597;
inline constexpr double synodic_month_days = 29.530588853;

// Fraction of a lunation at which each kind of event falls.
double lunation_fraction(EventKind kind) noexcept {
    switch (kind) {
        case EventKind::first_quarter: return 0.25;
        case EventKind::full_moon:
        case EventKind::lunar_eclipse: return 0.5;
        case EventKind::last_quarter: return 0.75;
        case EventKind::new_moon:
        case EventKind::solar_eclipse: break;
    }
    return 0.0;
}

std::string_view kind_slug(EventKind kind) noexcept {
    switch (kind) {
        case EventKind::new_moon: return "new-moon";
        case EventKind::first_quarter: return "first-quarter";
        case EventKind::full_moon: return "full-moon";
        case EventKind::last_quarter: return "last-quarter";
        case EventKind::solar_eclipse: return "solar-eclipse";
        case EventKind::lunar_eclipse: return "lunar-eclipse";
    }
    return "event";
}

std::string_view trim_trailing_blanks(std::string_view s) {
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

void append_csv_field(std::string& out, std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += field;
        return;
    }
    out += '"';
    for (char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

// "UTC+01:00" of a zone offset in hours.
std::string zone_text(double zone_hours) {
    const long long minutes = std::llround(std::fabs(zone_hours) * minutes_per_hour);
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "UTC%c%02lld:%02lld", zone_hours < 0.0 ? '-' : '+',
                  minutes / whole_minutes_per_hour, minutes % whole_minutes_per_hour);
    return buffer;
}

}  // namespace

int weekday_from_mjd(double mjd) noexcept {
    const long long day = static_cast<long long>(std::floor(mjd));
    const long long w = (day + 3) % 7;
    return static_cast<int>(w < 0 ? w + 7 : w);
}

EventRow event_row(double local_mjd, std::string_view text) {
    int year = 0, month = 0, day = 0;
    double hours = 0.0;
    date_from_mjd(local_mjd, year, month, day, hours);
    EventRow row;
    row.weekday = weekday_texts[static_cast<std::size_t>(weekday_from_mjd(local_mjd))];
    row.date = date_text(day, month, year);
    row.time = clock_text(hours);
    row.text = text;
    return row;
}

std::string event_line(const EventRow& row) {
    std::string line;
    line.reserve(row.weekday.size() + row.date.size() + row.time.size() + row.text.size() + 6);
    line += row.weekday;
    line += column_separator;
    line += row.date;
    line += column_separator;
    line += row.time;
    line += column_separator;
    line += row.text;
    return line;
}

std::string event_year_range_message(std::int32_t year) {
    if (year >= first_dated_year && year <= last_dated_year) return {};
    return "Please enter an integer between " + std::to_string(first_dated_year) + " and " +
           std::to_string(last_dated_year) + ".";
}

std::string events_clipboard_text(const std::vector<EventRow>& rows) {
    std::string text;
    for (const EventRow& row : rows) {
        text += event_line(row);
        text += '\n';
    }
    return text;
}

bool visit_events(int first_year, int last_year, double zone_hours, bool eclipses,
                  const std::function<ListAnswer(const EventEntry&)>& visit) {
    const auto add = [&visit](const EventHit& hit) {
        return visit(EventEntry{event_row(hit.local_mjd, hit.text), hit.local_mjd, hit.ut_mjd, hit.kind});
    };
    const auto ignore_progress = [](int, int) { return ListAnswer::go_on; };
    return eclipses ? fill_eclipse_list(first_year, last_year, zone_hours, add, ignore_progress)
                    : fill_phase_list(first_year, last_year, zone_hours, add, ignore_progress);
}

bool collect_events(int first_year, int last_year, double zone_hours, bool eclipses,
                    std::vector<EventEntry>& entries) {
    return visit_events(first_year, last_year, zone_hours, eclipses,
                        [&entries](const EventEntry& e) {
                            entries.push_back(e);
                            return ListAnswer::go_on;
                        });
}

std::string events_csv_header() { return "weekday,date,time,event,local_mjd\n"; }

std::string events_csv_line(const EventEntry& e) {
    std::string out;
    append_csv_field(out, trim_trailing_blanks(e.row.weekday));
    out += ',';
    append_csv_field(out, e.row.date);
    out += ',';
    append_csv_field(out, e.row.time);
    out += ',';
    append_csv_field(out, e.row.text);
    char mjd[64];
    std::snprintf(mjd, sizeof mjd, ",%.6f\n", e.local_mjd);
    out += mjd;
    return out;
}

std::string events_csv(const std::vector<EventEntry>& entries) {
    std::string out = events_csv_header();
    for (const EventEntry& e : entries) out += events_csv_line(e);
    return out;
}

UtcStamp utc_stamp_from_mjd(double mjd) noexcept {
    const long long seconds = std::llround(mjd * seconds_per_day);
    const long long days = floor_div(seconds, whole_seconds_per_day);
    const long long second_of_day = seconds - days * whole_seconds_per_day;
    std::int64_t year = 0, month = 0, day = 0;
    civil_from_days(days - mjd_unix_epoch, year, month, day);
    UtcStamp s;
    s.day = static_cast<int>(day);
    s.month = static_cast<int>(month);
    s.year = year;
    s.hour = static_cast<int>(second_of_day / whole_seconds_per_hour);
    s.minute = static_cast<int>(second_of_day / whole_seconds_per_minute % whole_minutes_per_hour);
    s.second = static_cast<int>(second_of_day % whole_seconds_per_minute);
    return s;
}

std::string ical_utc_text(const UtcStamp& s) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04lld%02d%02dT%02d%02d%02dZ", s.year, s.month, s.day, s.hour, s.minute,
                  s.second);
    return buffer;
}

std::string ical_fold(std::string_view line) {
    std::string out;
    std::size_t limit = 75;  // octets on the first line; later ones hold the leading blank
    while (line.size() > limit) {
        std::size_t cut = limit;
        // Step back over UTF-8 continuation bytes so a character stays whole.
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
        // Nothing but continuation bytes up to the limit is not UTF-8: cut
        // at the limit rather than not at all.
        if (cut == 0) cut = limit;
        out.append(line.substr(0, cut));
        out += "\r\n ";
        line.remove_prefix(cut);
        limit = 74;
    }
    out.append(line);
    out += "\r\n";
    return out;
}

std::string ical_escape(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case ';': out += "\\;"; break;
            case ',': out += "\\,"; break;
            case '\n': out += "\\n"; break;
            default: out += c; break;
        }
    }
    return out;
}

long long lunation_number(double ut_mjd, EventKind kind) noexcept {
    return std::llround((ut_mjd - lunation_origin_mjd) / synodic_month_days - lunation_fraction(kind));
}

bool icalendar_representable(const EventEntry& entry) noexcept {
    const long long year = utc_stamp_from_mjd(entry.ut_mjd).year;
    return year >= icalendar_year_min && year <= icalendar_year_max;
}

bool icalendar_representable(const std::vector<EventEntry>& entries) noexcept {
    for (const EventEntry& e : entries)
        if (!icalendar_representable(e)) return false;
    return true;
}

std::string events_icalendar_head() {
    std::string out;
    out += ical_fold("BEGIN:VCALENDAR");
    out += ical_fold("VERSION:2.0");
    out += ical_fold("PRODID:-//Orbant//Orbant Ereignisse//DE");
    out += ical_fold("CALSCALE:GREGORIAN");
    out += ical_fold("METHOD:PUBLISH");
    return out;
}

std::string events_icalendar_event(const EventEntry& e, double created_ut_mjd, double zone_hours) {
    std::string out;
    out += ical_fold("BEGIN:VEVENT");
    out += ical_fold("UID:orbant-lunation" + std::to_string(lunation_number(e.ut_mjd, e.kind)) + "-" +
                     std::string(kind_slug(e.kind)) + "@orbant");
    out += ical_fold("DTSTAMP:" + ical_utc_text(utc_stamp_from_mjd(created_ut_mjd)));
    out += ical_fold("DTSTART:" + ical_utc_text(utc_stamp_from_mjd(e.ut_mjd)));
    out += ical_fold("SUMMARY:" + ical_escape(e.row.text));
    out += ical_fold("DESCRIPTION:" + ical_escape(event_line(e.row) + " (" + zone_text(zone_hours) + ")"));
    out += ical_fold("TRANSP:TRANSPARENT");
    out += ical_fold("END:VEVENT");
    return out;
}

std::string events_icalendar_tail() { return ical_fold("END:VCALENDAR"); }

std::string events_icalendar(const std::vector<EventEntry>& entries, double created_ut_mjd, double zone_hours) {
    std::string out = events_icalendar_head();
    for (const EventEntry& e : entries) out += events_icalendar_event(e, created_ut_mjd, zone_hours);
    out += events_icalendar_tail();
    return out;
}

}  // namespace orbant
