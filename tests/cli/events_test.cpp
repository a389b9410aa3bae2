// SPDX-License-Identifier: GPL-3.0-or-later
// Golden tests of "orbant-cli events": run the binary and compare its output.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "pages/events_texts.h"
#include "tests/support/cli_runner.h"
#include "tests/support/scoped_environment.h"

namespace {

using ::orbant::testing::CliRun;

// Runs the front end with an empty settings folder, so that no stored
// settings of the machine enter the result.
CliRun run_cli(const std::vector<std::string>& args) {
    const ::orbant::testing::TempFolder folder;
    std::vector<std::string> all = {"--config-dir", folder.file("config")};
    all.insert(all.end(), args.begin(), args.end());
    return ::orbant::testing::run_orbant_cli(all, folder.file("stderr"));
}

TEST(CliEvents, EclipseTextOfAYear) {
    const CliRun r = run_cli({"events", "--from", "2024", "--to", "2024", "--eclipses", "--zone", "1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "Mo.   25.03.2024  08:01  Partielle Mondfinsternis moeglich\n"
              "Mo.   08.04.2024  19:22  Zentrale Sonnenfinsternis sicher (Nordhalbkugel)\n"
              "Mi.   18.09.2024  03:35  Partielle Mondfinsternis moeglich\n"
              "Mi.   02.10.2024  19:50  Zentrale Sonnenfinsternis sicher (S\u00fcdhalbkugel)\n");
}

TEST(CliEvents, TextIsTheClipboardTextOfTheList) {
    const CliRun r = run_cli({"events", "--from", "1999", "--to", "2000", "--zone", "-5"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<orbant::EventEntry> entries;
    ASSERT_TRUE(orbant::collect_events(1999, 2000, -5.0, false, entries));
    std::vector<orbant::EventRow> rows;
    for (const auto& e : entries) rows.push_back(e.row);
    EXPECT_EQ(r.out, orbant::events_clipboard_text(rows));
    // 26 lunations of four phases, from December 1998.
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 26 * 4);
    EXPECT_EQ(r.out.substr(8, 8), ".12.1998");
}

TEST(CliEvents, CsvAddsTheLocalMjd) {
    const CliRun r = run_cli({"events", "--from", "2025", "--to", "2025", "--eclipses", "--format", "csv",
                           "--zone", "0"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream in(r.out);
    std::string header, first;
    std::getline(in, header);
    std::getline(in, first);
    EXPECT_EQ(header, "weekday,date,time,event,local_mjd");
    EXPECT_EQ(first.rfind("Fr.,14.03.2025,06:55,Totale Mondfinsternis sicher,60748.28", 0), 0u) << first;
}

TEST(CliEvents, CalendarFileGolden) {
    const CliRun r = run_cli({"events", "--from", "2025", "--to", "2025", "--eclipses", "--format", "ics", "--zone",
                           "1", "--summer", "0", "--at", "2026-12-08 02:30"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string expected =
        "BEGIN:VCALENDAR\r\n"
        "VERSION:2.0\r\n"
        "PRODID:-//Orbant//Orbant Ereignisse//DE\r\n"
        "CALSCALE:GREGORIAN\r\n"
        "METHOD:PUBLISH\r\n"
        "BEGIN:VEVENT\r\n"
        "UID:orbant-lunation311-lunar-eclipse@orbant\r\n"
        "DTSTAMP:20261208T013000Z\r\n"
        "DTSTART:20250314T065547Z\r\n"
        "SUMMARY:Totale Mondfinsternis sicher\r\n"
        "DESCRIPTION:Fr.   14.03.2025  07:55  Totale Mondfinsternis sicher (UTC+01:0\r\n"
        " 0)\r\n"
        "TRANSP:TRANSPARENT\r\n"
        "END:VEVENT\r\n";
    EXPECT_EQ(r.out.substr(0, expected.size()), expected);
    // Structure of the whole file: CRLF everywhere, lines of at most 75
    // octets, one UID per event, all different.
    std::size_t start = 0, events = 0;
    std::vector<std::string> uids;
    while (start < r.out.size()) {
        const std::size_t end = r.out.find("\r\n", start);
        ASSERT_NE(end, std::string::npos) << "unterminated last line";
        const std::string line = r.out.substr(start, end - start);
        EXPECT_EQ(line.find('\n'), std::string::npos);
        EXPECT_LE(line.size(), 75u);
        if (line == "BEGIN:VEVENT") ++events;
        if (line.rfind("UID:", 0) == 0) {
            for (const auto& u : uids) EXPECT_NE(u, line);
            uids.push_back(line);
        }
        start = end + 2;
    }
    EXPECT_EQ(events, 4u) << "two lunar and two solar eclipses in 2025";
    EXPECT_EQ(uids.size(), events);
    EXPECT_EQ(r.out.substr(r.out.size() - 15), "END:VCALENDAR\r\n");
}

TEST(CliEvents, BadArgumentsExitWithStatusTwo) {
    const std::vector<std::vector<std::string>> bad = {
        {"events", "--to", "2024"},
        {"events", "--from", "2024"},
        {"events", "--from", "20x4", "--to", "2024"},
        {"events", "--from", "2024", "--to", "2024.5"},
        {"events", "--from", "2024", "--to", "2024", "--format", "pdf"},
        {"events", "--from", "2024", "--to", "99999999999"},
        {"events", "--from", "-1", "--to", "0", "--format", "ics"},
        {"events", "--from", "9999", "--to", "10000", "--format", "ics"},
        {"events", "--from", "2026", "--to", "2025"},
        {"events", "--from", "2024", "--to", "2022", "--eclipses"},
    };
    for (const auto& args : bad) {
        const CliRun r = run_cli(args);
        EXPECT_EQ(r.status, 2) << args[2] << " " << (args.size() > 3 ? args[3] : "");
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find("usage: orbant-cli events"), std::string::npos) << r.err;
    }
}

TEST(CliEvents, CalendarTakesTheFirstAndLastFourDigitYears) {
    // The list starts in December of the year before --from and ends early
    // in the year after --to; what a four-digit year cannot hold is left out.
    for (const char* year : {"1", "6699"}) {
        const CliRun r = run_cli({"events", "--from", year, "--to", year, "--format", "ics", "--at", "2026-01-01 00:00"});
        EXPECT_EQ(r.status, 0) << year << r.err;
        const std::string first_start = r.out.substr(r.out.find("DTSTART:") + 8, 4);
        EXPECT_EQ(first_start, year[0] == '1' ? "0001" : "6698") << year;
        EXPECT_EQ(r.out.find("DTSTART:0000"), std::string::npos);
    }
}

// The rows are written as they are found: a list of 800 years fits in
// 16 MiB of address space in every form (held whole it did not).
TEST(CliEvents, LongListsStreamInLittleMemory) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit";
#endif
#endif
    const ::orbant::testing::TempFolder folder;
    for (const auto& [format, last] : std::vector<std::pair<std::string, std::string>>{
             {"text", ".01.801  "}, {"csv", ".01.801,"}, {"ics", "DTSTART:0801"}}) {
        const CliRun r = ::orbant::testing::run_orbant_cli(
            {"events", "--config-dir", folder.file("config"), "--from", "1", "--to", "800", "--format", format,
             "--at", "2026-01-01 00:00"},
            folder.file("stderr"), "ulimit -v 16384;");
        EXPECT_EQ(r.status, 0) << format << ": " << r.err;
        EXPECT_NE(r.out.find(last), std::string::npos) << format;
    }
}

// The years are refused where the rows' dates would be wrong: before the
// list of -4711, which starts at Julian day number 0 (1 January -4712), and
// after the list of 6699, which ends before 1 March 6700 (shown as 29
// February). At the ends taken, every date has a day of 1..31 and a month
// of 1..12, and the years run on.
TEST(CliEvents, YearsWithRightDatesOnly) {
    struct Case {
        const char* from;
        const char* to;
        int status;
    };
    for (const Case& c : {Case{"-4712", "-4712", 2}, Case{"-4711", "-4711", 0}, Case{"6699", "6699", 0},
                          Case{"6699", "6700", 2}, Case{"-5000", "-4999", 2}}) {
        const CliRun r = run_cli({"events", "--from", c.from, "--to", c.to, "--zone", "-14"});
        EXPECT_EQ(r.status, c.status) << c.from << ".." << c.to << "\n" << r.err;
        if (c.status != 0) continue;
        std::istringstream lines(r.out);
        std::string line;
        long last_key = std::numeric_limits<long>::min();
        while (std::getline(lines, line)) {
            // "Wd.   dd.mm.yyyy  hh:mm  text"
            const int day = std::stoi(line.substr(6, 2)), month = std::stoi(line.substr(9, 2));
            const long year = std::stol(line.substr(12, line.find(' ', 12) - 12));
            EXPECT_TRUE(day >= 1 && day <= 31 && month >= 1 && month <= 12) << line;
            const long key = (year * 100 + month) * 100 + day;
            EXPECT_GE(key, last_key) << line;
            last_key = key;
        }
    }
}

}  // namespace
