// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "astro/events/lunation_search.h"

// Texts of the events list: the four columns of a row, the clipboard text
// of the whole list, and the list as the text front end writes it (text,
// CSV, iCalendar). Qt-free, so that the page and orbant-cli agree.

namespace orbant {

// Weekday texts, index 0 = Sunday; each ends in a blank.
inline constexpr std::array<std::string_view, 7> weekday_texts = {"So. ", "Mo. ", "Di. ", "Mi. ",
                                                                  "Do. ", "Fr. ", "Sa. "};
static_assert(weekday_texts.size() == 7);

// Column headings and widths (pixels) of the list.
struct EventColumn {
    std::string_view heading;
    int width;
};
inline constexpr std::array<EventColumn, 4> event_columns = {
    EventColumn{"Tag", 30}, EventColumn{"Datum", 70}, EventColumn{"Zeit", 45}, EventColumn{"Ereignis", 300}};
static_assert(event_columns.size() == 4);

// Day of the week of the civil day holding an MJD: 0 = Sunday .. 6 =
// Saturday. MJD 0 (1858-11-17) was a Wednesday. The weekday follows the day
// count, so it is right on the Julian calendar as well.
int weekday_from_mjd(double mjd) noexcept;

// The four columns of one list row.
struct EventRow {
    std::string weekday;  // "So. " .. "Sa. "
    std::string date;     // "dd.mm.yyyy"
    std::string time;     // "hh:mm", minutes truncated
    std::string text;     // the event text
};

// The row of an event at a local MJD (the zone's standard time): the date
// and time of date_from_mjd, the date as date_text, the time as clock_text.
EventRow event_row(double local_mjd, std::string_view text);

// One clipboard line: the four columns joined by two blanks, no line end.
std::string event_line(const EventRow& row);

// The clipboard text of a list: every row's line followed by a line feed;
// an empty list gives an empty text.
std::string events_clipboard_text(const std::vector<EventRow>& rows);

// The years whose lists carry right dates, which the events page and the
// text front end take. The rows' calendar conversion (date_from_mjd) holds
// from Julian day number 0, 1 January -4712 (Julian calendar), where the
// list of -4711 starts in December; before it days and months of 0 or less
// appear. It holds up to 28 February 6700, for which it gives 1 March as
// 29 February (and so again in later centurial years); the list of 6699
// ends early in 6700, before March.
inline constexpr int first_dated_year = -4711;
inline constexpr int last_dated_year = 6699;
static_assert(first_dated_year >= event_year_min && last_dated_year <= event_year_max);

// The data-exchange message for a year typed into the events page that lies
// outside first_dated_year..last_dated_year ("Please enter an integer
// between -4711 and 6699."); empty for a year inside.
std::string event_year_range_message(std::int32_t year);

// An event with its row, as the text front end keeps it.
struct EventEntry {
    EventRow row;
    double local_mjd = 0.0;  // zone's standard time
    double ut_mjd = 0.0;     // as found by the search (universal time)
    EventKind kind = EventKind::new_moon;
};

// Runs the phase list (eclipses false) or the eclipse list and hands each
// entry to `visit` as it is found, so that a long list need not be held;
// `visit` answers whether to go on, and a stop ends the search. False
// (nothing visited) when a year lies outside event_year_min..event_year_max.
// `visit` must not throw (the list loops are noexcept).
bool visit_events(int first_year, int last_year, double zone_hours, bool eclipses,
                  const std::function<ListAnswer(const EventEntry&)>& visit);

// Runs the phase list (eclipses false) or the eclipse list and collects the
// rows. False when a year lies outside event_year_min..event_year_max.
bool collect_events(int first_year, int last_year, double zone_hours, bool eclipses,
                    std::vector<EventEntry>& entries);

// The CSV form: a header line "weekday,date,time,event,local_mjd" and one
// line per entry, the weekday without its trailing blank and the local MJD
// with six decimals; fields holding a comma or a quote are quoted.
std::string events_csv(const std::vector<EventEntry>& entries);

// The header line of the CSV form, with its line feed.
std::string events_csv_header();

// One entry's line of the CSV form, with its line feed.
std::string events_csv_line(const EventEntry& entry);

// A proleptic Gregorian date and time in universal time, to the second.
struct UtcStamp {
    long long year = 0;
    int month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// The Gregorian calendar date and clock time of an MJD rounded to the
// nearest second (the iCalendar forms are always Gregorian).
UtcStamp utc_stamp_from_mjd(double mjd) noexcept;

// "YYYYMMDDTHHMMSSZ", the iCalendar form of a UTC date-time.
std::string ical_utc_text(const UtcStamp& stamp);

// A content line folded to lines of at most 75 octets, each ended by CRLF;
// continuation lines begin with one blank. UTF-8 sequences are never split.
std::string ical_fold(std::string_view line);

// A TEXT value with backslash, semicolon, comma and line feed escaped.
std::string ical_escape(std::string_view text);

// The lunation number of an event: the count of mean lunations from the
// new Moon of 2000-01-06, by the phase its kind belongs to. It does not
// depend on the search start, the zone or small timing differences, so it
// makes a stable identifier.
long long lunation_number(double ut_mjd, EventKind kind) noexcept;

// The iCalendar file: one VEVENT per entry with a UID from the lunation
// number and the kind, DTSTAMP from created_ut_mjd, DTSTART from the
// entry's own MJD to the second in UTC, SUMMARY the event text and
// DESCRIPTION the list line with the zone; CRLF line ends, folded.
// zone_hours is the zone's standard offset named in the descriptions.
std::string events_icalendar(const std::vector<EventEntry>& entries, double created_ut_mjd, double zone_hours);

// The iCalendar file in its three parts, for writing it event by event:
// the lines before the first VEVENT, one entry's VEVENT (as in
// events_icalendar), and the closing line.
std::string events_icalendar_head();
std::string events_icalendar_event(const EventEntry& entry, double created_ut_mjd, double zone_hours);
std::string events_icalendar_tail();

// The years an iCalendar date can hold: four digits.
inline constexpr int icalendar_year_min = 1;
inline constexpr int icalendar_year_max = 9999;

// True when every entry's UTC year can be written as four digits (1..9999).
bool icalendar_representable(const std::vector<EventEntry>& entries) noexcept;

// True when the entry's UTC year can be written as four digits.
bool icalendar_representable(const EventEntry& entry) noexcept;

}  // namespace orbant
