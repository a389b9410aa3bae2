// SPDX-License-Identifier: GPL-3.0-or-later
// Golden tests of "orbant-cli sun", "moon" and "planets": run the binary for
// a fixed place and instant and compare what it prints with the stored
// output and with the page text functions the window uses.
#include <gtest/gtest.h>
#include <dirent.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "pages/moon_texts.h"
#include "pages/planets_texts.h"
#include "pages/sun_texts.h"
#include "tests/support/cli_runner.h"
#include "tests/support/scoped_environment.h"

namespace {

using namespace orbant;

struct PageRun : ::orbant::testing::CliRun {
    std::string config;  // the settings folder handed to the front end
    std::shared_ptr<::orbant::testing::TempFolder> scratch;  // removed with the last copy
};

// Runs the front end with a fresh, empty settings folder (kept as long as
// the result, so that a test can look into it).
PageRun run_cli(const std::vector<std::string>& args) {
    PageRun r;
    r.scratch = std::make_shared<::orbant::testing::TempFolder>();
    const std::string folder = r.scratch->path();
    r.config = folder + "/config";
    std::vector<std::string> all = {"--config-dir", r.config};
    all.insert(all.end(), args.begin(), args.end());
    static_cast<::orbant::testing::CliRun&>(r) = ::orbant::testing::run_orbant_cli(all, folder + "/stderr");
    return r;
}

// Hamburg (53.55 N, 10 E), zone +1 with summer time.
const std::vector<std::string> hamburg_summer = {"--lat", "53.55", "--lon", "10", "--zone", "1", "--summer", "1"};

std::vector<std::string> args_of(const char* command, const char* at, std::vector<std::string> extra = {}) {
    std::vector<std::string> a = {command};
    a.insert(a.end(), hamburg_summer.begin(), hamburg_summer.end());
    a.push_back("--at");
    a.push_back(at);
    a.insert(a.end(), extra.begin(), extra.end());
    return a;
}

SheetState hamburg_state(CivilDateTime at) {
    SheetState s;
    s.observer_latitude = 53.55;
    s.observer_longitude = 10.0;
    s.time_zone = 1.0;
    s.summer_time_active = 1;
    s.current_time = at;
    return s;
}

// The lines the text form prints for a page: "label text", or the text alone.
std::string expected_lines(const PageTexts& page) {
    std::string s;
    for (const PageText& t : page.texts) s += (t.label.empty() ? t.text : t.label + " " + t.text) + "\n";
    return s;
}

bool folder_is_empty_or_missing(const std::string& path) {
    DIR* d = opendir(path.c_str());
    if (!d) return true;
    int entries = 0;
    while (dirent* e = readdir(d))
        if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") ++entries;
    closedir(d);
    return entries == 0;
}

TEST(CliPages, SunAndMoonPrintThePageTexts) {
    struct Case {
        const char* command;
        const char* at;
        CivilDateTime instant;
        PageTexts (*texts)(const SheetState&);
        const char* golden;
    };
    const Case cases[] = {
        {"sun", "2024-06-21 14:00", {2024, 6, 21, 14, 0, 0}, sun_page_texts,
         "Höhe: 59.04°\n"
         "Richtung: 197.15°(SW)\n"
         "Entfernung: 152026659 Km\n"
         "Aufgang: 04:50\n"
         "Untergang: 21:53\n"
         "Dauer: 17:03 Std.\n"
         "(+00:00)\n"
         "Aufgang: 02:19 - 04:50\n"
         "Untergang: 21:53 - 00:23\n"},
        {"moon", "2024-06-21 22:00", {2024, 6, 21, 22, 0, 0}, moon_page_texts,
         "Mondphase: 100 % (Zunehmend)\n"
         "Richtung: 139.52° (SO)\n"
         "Höhe: -1.59°\n"
         "Entfernung: 380889 Km\n"
         "Aufgang: 22:19\n"
         "Untergang: 03:26\n"},
    };
    for (const Case& c : cases) {
        const PageRun r = run_cli(args_of(c.command, c.at));
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.golden);
        EXPECT_EQ(r.out, expected_lines(c.texts(hamburg_state(c.instant))));
        EXPECT_TRUE(folder_is_empty_or_missing(r.config)) << c.command << ": the front end writes no settings";
    }
}

TEST(CliPages, PlanetsJsonHoldsEveryControlInPageOrder) {
    const PageRun r = run_cli(args_of("planets", "2024-06-21 14:00", {"--json"}));
    ASSERT_EQ(r.status, 0) << r.err;
    const PageTexts page = planets_page_texts(hamburg_state({2024, 6, 21, 14, 0, 0}));
    std::string expected = "{\"page\": \"Planeten\", \"controls\": {";
    for (std::size_t i = 0; i < page.texts.size(); ++i) {
        if (i) expected += ", ";
        expected += '"';
        expected += std::to_string(page.texts[i].id);
        expected += "\": \"";
        expected += page.texts[i].text;
        expected += '"';
    }
    expected += "}}\n";
    EXPECT_EQ(r.out, expected);
    EXPECT_NE(r.out.find("\"1067\": \"180.8°(S)\", \"1068\": \"61.3°\", \"1069\": \"05:15\", \"1070\": "
                         "\"22:40\", \"1071\": \"94%\""),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\"1082\": \"319.4°(NW)\", \"1088\": \"-54.2°\""), std::string::npos) << r.out;
}

TEST(CliPages, PlanetsTextLabelsNameRowAndColumn) {
    const PageRun r = run_cli(args_of("planets", "2024-06-21 14:00", {"--lat", "80"}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Jupiter: Aufg. NoSet\nJupiter: Untg. NoSet\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Pluto: Aufg. NoRises\nPluto: Untg. NoRises\n"), std::string::npos) << r.out;
}

TEST(CliPages, PolarDayShowsTheFixedTexts) {
    const PageRun r =
        run_cli({"sun", "--lat", "69.65", "--lon", "18.96", "--zone", "1", "--summer", "1", "--at", "2024-06-21 12:00"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Aufgang: --------\nUntergang: --------\nDauer: --------\n\nAufgang: immer hell\n"
                         "Untergang: immer hell\n"),
              std::string::npos)
        << r.out;
}

TEST(CliPages, SameMomentAsSummerTimeGivesTheSamePositions) {
    const PageRun winter = run_cli({"moon", "--lat", "53.55", "--lon", "10", "--zone", "1", "--summer", "0", "--at",
                                    "2024-03-17 12:00"});
    const PageRun summer = run_cli({"moon", "--lat", "53.55", "--lon", "10", "--zone", "1", "--summer", "1", "--at",
                                    "2024-03-17 13:00"});
    ASSERT_EQ(winter.status, 0);
    ASSERT_EQ(summer.status, 0);
    // Phase, direction, altitude and distance: the first four lines.
    auto first_lines = [](const std::string& s) {
        std::size_t at = 0;
        for (int i = 0; i < 4; ++i) at = s.find('\n', at) + 1;
        return s.substr(0, at);
    };
    EXPECT_EQ(first_lines(winter.out), first_lines(summer.out));
}

TEST(CliPages, BadPlaceOrTimeIsAUsageError) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"sun", "--lat", "north"}, {"moon", "--at", "2024-02-30 12:00"}, {"planets", "--zone"},
             {"sun", "--unknown", "1"}}) {
        const PageRun r = run_cli(args);
        EXPECT_EQ(r.status, 2) << args[1];
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_NE(r.err.find("usage:"), std::string::npos) << r.err;
    }
}

TEST(CliPages, HelpDescribesTheOptions) {
    for (const char* command : {"sun", "moon", "planets"}) {
        const PageRun r = run_cli({command, "--help"});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out.rfind(std::string("usage: orbant-cli ") + command, 0), 0u) << r.out;
        EXPECT_NE(r.out.find("--json"), std::string::npos);
    }
}

}  // namespace
