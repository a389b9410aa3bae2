// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/events_texts.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "astro/time_scales.h"

namespace orbant {
namespace {

double local_mjd(int y, int mo, int d, int h, int mi, double s) { return mjd_from_date(y, mo, d, h, mi, s); }

TEST(Weekday, FollowsTheDayCountOnBothCalendars) {
    EXPECT_EQ(weekday_texts[static_cast<std::size_t>(weekday_from_mjd(local_mjd(2000, 1, 1, 0, 0, 0)))], "Sa. ");
    EXPECT_EQ(weekday_from_mjd(0.0), 3) << "1858-11-17 was a Wednesday";
    EXPECT_EQ(weekday_from_mjd(0.999), 3);
    EXPECT_EQ(weekday_from_mjd(-0.001), 2) << "the day before, a Tuesday";
    EXPECT_EQ(weekday_from_mjd(local_mjd(2024, 4, 8, 23, 59, 0)), 1) << "Monday";
    // The calendar reform: Thursday 4 October (Julian) was followed by
    // Friday 15 October (Gregorian).
    EXPECT_EQ(weekday_from_mjd(local_mjd(1582, 10, 4, 12, 0, 0)), 4);
    EXPECT_EQ(weekday_from_mjd(local_mjd(1582, 10, 15, 12, 0, 0)), 5);
    // Seven consecutive days give each weekday once.
    std::set<int> seen;
    for (int i = 0; i < 7; ++i) seen.insert(weekday_from_mjd(-40000.5 + i));
    EXPECT_EQ(seen.size(), 7u);
}

TEST(EventRow, ColumnsOfTheLocalInstant) {
    const EventRow r = event_row(local_mjd(2024, 1, 25, 23, 59, 40), "Vollmond");
    EXPECT_EQ(r.weekday, "Do. ");
    EXPECT_EQ(r.date, "25.01.2024") << "a full Moon at 23:59:40 stays on its day";
    EXPECT_EQ(r.time, "23:59") << "minutes are truncated";
    EXPECT_EQ(r.text, "Vollmond");

    const EventRow early = event_row(local_mjd(2024, 12, 1, 7, 5, 30), "Neumond");
    EXPECT_EQ(early.weekday, "So. ");
    EXPECT_EQ(early.date, "01.12.2024");
    EXPECT_EQ(early.time, "07:05");

    const EventRow midnight = event_row(local_mjd(2000, 1, 1, 0, 0, 10), "Neumond");
    EXPECT_EQ(midnight.date, "01.01.2000");
    EXPECT_EQ(midnight.time, "00:00");
}

TEST(ClipboardText, LinesJoinedByTwoBlanksEndedByALineFeed) {
    EXPECT_EQ(events_clipboard_text({}), "");
    const std::vector<EventRow> rows = {
        event_row(local_mjd(2024, 1, 25, 18, 54, 30), "Vollmond"),
        event_row(local_mjd(2024, 4, 8, 19, 21, 0), "Zentrale Sonnenfinsternis sicher (S\u00fcdhalbkugel)")};
    EXPECT_EQ(events_clipboard_text(rows),
              "Do.   25.01.2024  18:54  Vollmond\n"
              "Mo.   08.04.2024  19:21  Zentrale Sonnenfinsternis sicher (S\u00fcdhalbkugel)\n");
    EXPECT_EQ(event_line(rows[0]), "Do.   25.01.2024  18:54  Vollmond");
}

TEST(EventsCsv, HeaderAndOneLinePerEntryWithTheLocalMjd) {
    std::vector<EventEntry> entries;
    const double m = local_mjd(2024, 1, 25, 18, 54, 30);
    entries.push_back(EventEntry{event_row(m, "Vollmond"), m, m - 1.0 / 24.0, EventKind::full_moon});
    entries.push_back(EventEntry{event_row(m, "a,\"b\""), m, m, EventKind::full_moon});
    EXPECT_EQ(events_csv(entries),
              "weekday,date,time,event,local_mjd\n"
              "Do.,25.01.2024,18:54,Vollmond,60334.787847\n"
              "Do.,25.01.2024,18:54,\"a,\"\"b\"\"\",60334.787847\n");
    EXPECT_EQ(events_csv({}), "weekday,date,time,event,local_mjd\n");
}

TEST(UtcStamp, GregorianDateAndTimeToTheNearestSecond) {
    const UtcStamp j2000 = utc_stamp_from_mjd(51544.5);
    EXPECT_EQ(ical_utc_text(j2000), "20000101T120000Z");
    EXPECT_EQ(ical_utc_text(utc_stamp_from_mjd(0.0)), "18581117T000000Z");
    // 23:59:59.6 rounds into the next day.
    EXPECT_EQ(ical_utc_text(utc_stamp_from_mjd(local_mjd(2023, 12, 31, 23, 59, 59.6))), "20240101T000000Z");
    EXPECT_EQ(ical_utc_text(utc_stamp_from_mjd(local_mjd(2024, 2, 29, 17, 54, 12.4))), "20240229T175412Z");
    // Before the reform the list shows Julian dates; the calendar file is
    // always Gregorian: Julian 1582-10-04 is Gregorian 1582-10-14.
    EXPECT_EQ(ical_utc_text(utc_stamp_from_mjd(local_mjd(1582, 10, 4, 6, 0, 0))), "15821014T060000Z");
    EXPECT_EQ(ical_utc_text(utc_stamp_from_mjd(-678575.0)), "00010101T000000Z");
    // Round trip with the Gregorian dates of mjd_from_date over many days.
    for (double d = -50000.0; d < 100000.0; d += 997.25) {
        const UtcStamp s = utc_stamp_from_mjd(d);
        EXPECT_NEAR(mjd_from_date(static_cast<int>(s.year), s.month, s.day, s.hour, s.minute, s.second), d, 1e-6)
            << d;
    }
}

// Joins folded lines again (RFC 5545, 3.1).
std::string unfold(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 3, "\r\n ") == 0) {
            i += 2;
            continue;
        }
        out += text[i];
    }
    return out;
}

TEST(IcalFold, LinesOfAtMost75OctetsWithoutSplittingCharacters) {
    EXPECT_EQ(ical_fold("SUMMARY:Vollmond"), "SUMMARY:Vollmond\r\n");
    const std::string exact(75, 'x');
    EXPECT_EQ(ical_fold(exact), exact + "\r\n");
    const std::string longer(76, 'x');
    EXPECT_EQ(ical_fold(longer), std::string(75, 'x') + "\r\n x\r\n");

    // "ü" is two octets: placed across the limit it moves to the next line.
    std::string line = "DESCRIPTION:" + std::string(62, 'a') + "\u00fc" + std::string(100, 'b');
    const std::string folded = ical_fold(line);
    std::istringstream in(folded);
    std::string l;
    int count = 0;
    while (std::getline(in, l)) {
        ASSERT_FALSE(l.empty());
        ASSERT_EQ(l.back(), '\r') << "every line ends in CRLF";
        l.pop_back();
        EXPECT_LE(l.size(), 75u);
        if (count > 0) {
            EXPECT_EQ(l.front(), ' ');
        }
        // No line starts or ends inside a UTF-8 sequence.
        const std::string body = count > 0 ? l.substr(1) : l;
        EXPECT_NE(static_cast<unsigned char>(body.front()) & 0xC0, 0x80);
        EXPECT_NE(static_cast<unsigned char>(body.back()) & 0xE0, 0xC0);
        ++count;
    }
    EXPECT_EQ(count, 3);
    EXPECT_EQ(unfold(folded), line + "\r\n");

    // Bytes that are not UTF-8 (a long run of continuation bytes) cannot be
    // kept whole: they are cut at the limit instead of never ending.
    const std::string stray(160, '\x80');
    const std::string cut = ical_fold(stray);
    EXPECT_EQ(cut, std::string(75, '\x80') + "\r\n " + std::string(74, '\x80') + "\r\n " +
                       std::string(11, '\x80') + "\r\n");
}

TEST(IcalEscape, TextSpecials) {
    EXPECT_EQ(ical_escape("a,b;c\\d\ne"), "a\\,b\\;c\\\\d\\ne");
    EXPECT_EQ(ical_escape("Partielle Sonnenfinsternis sicher (S\u00fcdhalbkugel)"),
              "Partielle Sonnenfinsternis sicher (S\u00fcdhalbkugel)");
}

TEST(LunationNumber, StableForTheSameEventWhateverTheSmallDifferences) {
    EXPECT_EQ(lunation_number(local_mjd(2000, 1, 6, 18, 14, 0), EventKind::new_moon), 0);
    EXPECT_EQ(lunation_number(local_mjd(2000, 1, 21, 4, 40, 0), EventKind::full_moon), 0);
    EXPECT_EQ(lunation_number(local_mjd(2000, 1, 21, 4, 40, 0), EventKind::lunar_eclipse), 0);
    EXPECT_EQ(lunation_number(local_mjd(2000, 1, 28, 7, 57, 0), EventKind::last_quarter), 0);
    const double eclipse = local_mjd(2024, 4, 8, 18, 21, 0);
    EXPECT_EQ(lunation_number(eclipse, EventKind::new_moon), 300);
    EXPECT_EQ(lunation_number(eclipse, EventKind::solar_eclipse), 300);
    // The real phases stray up to about 14 hours from the mean ones.
    EXPECT_EQ(lunation_number(eclipse + 0.8, EventKind::new_moon), 300);
    EXPECT_EQ(lunation_number(eclipse - 0.8, EventKind::new_moon), 300);
    EXPECT_EQ(lunation_number(local_mjd(1999, 12, 22, 17, 31, 0), EventKind::full_moon), -1);
}

TEST(EventsIcalendar, ValidStructureOneEventPerEntry) {
    std::vector<EventEntry> entries;
    ASSERT_TRUE(collect_events(2024, 2024, 1.0, true, entries));
    ASSERT_EQ(entries.size(), 4u);
    const double created = local_mjd(2026, 12, 8, 1, 2, 3);
    const std::string ics = events_icalendar(entries, created, 1.0);

    // Every line ends in CRLF, no bare LF, none longer than 75 octets.
    std::size_t start = 0;
    int vevents = 0, stamps = 0;
    std::set<std::string> uids;
    const std::string unfolded = unfold(ics);
    while (start < ics.size()) {
        const std::size_t end = ics.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        const std::string line = ics.substr(start, end - start);
        EXPECT_EQ(line.find('\n'), std::string::npos);
        EXPECT_LE(line.size(), 75u) << line;
        start = end + 2;
    }
    std::istringstream in(unfolded);
    std::string line;
    std::vector<std::string> starts;
    while (std::getline(in, line)) {
        line.pop_back();
        if (line == "BEGIN:VEVENT") ++vevents;
        if (line.rfind("UID:", 0) == 0) uids.insert(line);
        if (line == "DTSTAMP:20261208T010203Z") ++stamps;
        if (line.rfind("DTSTART:", 0) == 0) starts.push_back(line.substr(8));
    }
    EXPECT_EQ(unfolded.rfind("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:", 0), 0u);
    EXPECT_EQ(unfolded.substr(unfolded.size() - 15), "END:VCALENDAR\r\n");
    EXPECT_EQ(vevents, 4);
    EXPECT_EQ(stamps, 4);
    EXPECT_EQ(uids.size(), 4u) << "UIDs are unique";
    ASSERT_EQ(starts.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(starts[i], ical_utc_text(utc_stamp_from_mjd(entries[i].ut_mjd)));
    EXPECT_NE(unfolded.find("UID:orbant-lunation300-solar-eclipse@orbant\r\n"), std::string::npos);
    EXPECT_NE(unfolded.find("SUMMARY:Zentrale Sonnenfinsternis sicher (Nordhalbkugel)\r\n"), std::string::npos);

    // The same events from a search that starts years earlier get the same
    // UIDs, though their instants may differ by seconds.
    std::vector<EventEntry> wider;
    ASSERT_TRUE(collect_events(2021, 2024, 1.0, true, wider));
    const std::string ics_wider = unfold(events_icalendar(wider, created, 1.0));
    for (const std::string& uid : uids) EXPECT_NE(ics_wider.find(uid + "\r\n"), std::string::npos) << uid;
}

TEST(CollectEvents, RowsMatchTheListLoops) {
    std::vector<EventEntry> entries;
    ASSERT_TRUE(collect_events(2010, 2010, -3.0, false, entries));
    ASSERT_EQ(entries.size(), 56u);
    for (const EventEntry& e : entries) {
        const EventRow r = event_row(e.local_mjd, e.row.text);
        EXPECT_EQ(e.row.date, r.date);
        EXPECT_EQ(e.row.time, r.time);
        EXPECT_NEAR(e.local_mjd - e.ut_mjd, -3.0 / 24.0, 1e-9);
    }
    EXPECT_TRUE(icalendar_representable(entries));
    std::vector<EventEntry> none;
    EXPECT_FALSE(collect_events(event_year_max + 1, event_year_max + 1, 0.0, false, none));
    EXPECT_TRUE(none.empty());
}

}  // namespace
}  // namespace orbant
