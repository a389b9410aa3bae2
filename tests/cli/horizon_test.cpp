// SPDX-License-Identifier: GPL-3.0-or-later
// Golden tests of "orbant-cli horizon": the layout values of a landscape
// page, the direction labels, the tap label of a star found in the text
// form, and the rejection of bad option values.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/support/cli_runner.h"
#include "tests/support/scoped_environment.h"

namespace {

using ::orbant::testing::CliRun;
using ::orbant::testing::TempFolder;

CliRun run_horizon(const TempFolder& tmp, const std::vector<std::string>& args) {
    std::vector<std::string> all = {"horizon", "--config-dir", tmp.file("config"), "--lat",  "53.55", "--lon",
                                    "10",      "--zone",       "1",                "--summer", "0",   "--at",
                                    "2026-01-15 22:00"};
    all.insert(all.end(), args.begin(), args.end());
    return ::orbant::testing::run_orbant_cli(all, tmp.file("stderr"));
}

TEST(CliHorizon, LandscapeFieldLabelsAndTheTapOnAStar) {
    TempFolder tmp;
    const CliRun text = run_horizon(tmp, {"--size", "320x240", "--view", "200"});
    ASSERT_EQ(text.status, 0) << text.err;
    // "index name x y": find Aldebaran's mark.
    std::istringstream lines(text.out);
    std::string line, xy;
    while (std::getline(lines, line))
        if (line.rfind("24 Aldebaran (Hyaden) (0.87) Stier ", 0) == 0) xy = line.substr(35);
    ASSERT_FALSE(xy.empty()) << text.out;
    xy[xy.find(' ')] = ',';

    const CliRun json = run_horizon(tmp, {"--size", "320x240", "--view", "200", "--night", "1", "--tap", xy, "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    for (const char* part :
         {"{\"page\": \"Horizont\", \"size\": [320, 240], \"landscape\": true, \"field\": [1, 2, 319, 211], "
          "\"half_field_deg\": 50, ",
          "\"sky\": [61, 62, 109]", "\"labels\": [\"SO\", \"SW\", \"SW\", \"20°\", \"40°\", \"60°\", \"80°\", "
          "\"160°\", \"120°\", \"240°\", \"280°\"]",
          "\"tap\": [\"Aldebaran (Hyaden)\", \"(0.87) Stier\"]}", "{\"altitude\": 80, \"sign\": -1, \"points\": ["})
        EXPECT_NE(json.out.find(part), std::string::npos) << part << "\n" << json.out;
    EXPECT_NE(json.out.find("{\"index\": 24, \"name\": \"Aldebaran (Hyaden) (0.87) Stier\""), std::string::npos);
}

TEST(CliHorizon, BadValuesAreRejectedWithUsage) {
    TempFolder tmp;
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"--view", "361"}, {"--view", "nan"}, {"--tap", "10"}, {"--tap", "-1,5"}, {"--grid", "2"},
             {"--size", "320"}, {"--tap", "99999999999,5"}, {"--tap", " 1,2"}, {"--tap", "+1,+2"},
             {"--tap", "1,2,3"}, {"--tap", "1,"}}) {
        const CliRun r = run_horizon(tmp, bad);
        EXPECT_EQ(r.status, 2) << bad[0] << ' ' << bad[1];
        EXPECT_NE(r.err.find(bad[0]), std::string::npos) << r.err;
    }
}

}  // namespace
