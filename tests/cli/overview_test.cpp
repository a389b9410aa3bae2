// SPDX-License-Identifier: GPL-3.0-or-later
// Golden tests of "orbant-cli overview": the chart's layout and dots as
// JSON and text, against the worked layout and the Sun page's direction
// for the same place and instant.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/cli_runner.h"
#include "tests/support/scoped_environment.h"

namespace {

using ::orbant::testing::CliRun;
using ::orbant::testing::TempFolder;

// Hamburg (53.5 N, 10 E), zone +1 without summer time, 20 March 2024 22:00,
// when the Sun is below the horizon.
const std::vector<std::string> place_time = {"--lat", "53.5",   "--lon", "10", "--zone",
                                             "1",     "--summer", "0",   "--at", "2024-03-20 22:00"};

CliRun run_cli(const TempFolder& tmp, std::vector<std::string> args) {
    args.insert(args.begin(), {"--config-dir", tmp.file("config")});
    args.insert(args.end(), place_time.begin(), place_time.end());
    return ::orbant::testing::run_orbant_cli(args, tmp.file("stderr"));
}

// The text between `key` and the next ',' or '}' after it.
std::string field_after(const std::string& text, const std::string& key, std::size_t from = 0) {
    const std::size_t at = text.find(key, from);
    if (at == std::string::npos) return "<no " + key + ">";
    const std::size_t start = at + key.size();
    return text.substr(start, text.find_first_of(",}", start) - start);
}

TEST(CliOverview, JsonGivesTheLayoutAndTheTenDots) {
    TempFolder tmp;
    const CliRun r = run_cli(tmp, {"overview", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"page\": \"Uebersicht\", \"size\": [240, 320], \"portrait\": true, \"disc\": [67, 69, "
                          "122, 124], \"centre\": [94, 96], \"half\": 27, \"unit\": 5, \"outer_radius\": 92, "
                          "\"dots\": [{\"body\": \"Sonne\", \"azimuth_deg\": ",
                          0),
              0u)
        << r.out;
    EXPECT_EQ(r.out.back(), '\n');
    const std::size_t sun = r.out.find("\"Sonne\""), pluto = r.out.find("\"Pluto\"");
    EXPECT_LT(sun, r.out.find("\"Mond\""));
    EXPECT_LT(r.out.find("\"Neptun\""), pluto);
    EXPECT_EQ(field_after(r.out, "\"drawn\": ", sun), "false") << "the Sun has set";
    EXPECT_EQ(field_after(r.out, "\"radius\": ", sun), "6");
    EXPECT_EQ(field_after(r.out, "\"radius\": ", pluto), "4");

    // The Sun page shows the same direction, to 0.01 degrees.
    const CliRun page = run_cli(tmp, {"sun", "--json"});
    ASSERT_EQ(page.status, 0) << page.err;
    const double shown = std::stod(field_after(page.out, "\"1034\": \""));
    EXPECT_NEAR(std::stod(field_after(r.out, "\"azimuth_deg\": ", sun)), shown, 0.005);

    // --all draws it below the horizon; a landscape screen uses the smaller
    // factors of its width.
    const CliRun all = run_cli(tmp, {"overview", "--json", "--all", "--size", "320x240"});
    ASSERT_EQ(all.status, 0) << all.err;
    EXPECT_NE(all.out.find("\"portrait\": false, \"disc\": [64, 64, 108, 108], \"centre\": [86, 86], \"half\": 22, "
                           "\"unit\": 4, \"outer_radius\": 74"),
              std::string::npos)
        << all.out;
    EXPECT_EQ(all.out.find("\"drawn\": false"), std::string::npos);
}

TEST(CliOverview, TextListsTheBodiesAndBadSizesAreRefused) {
    TempFolder tmp;
    const CliRun r = run_cli(tmp, {"overview"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n', r.out.find('\n') + 1) + 1),
              "Uebersicht 240x320 portrait\ndisc 67 69 122 124  centre 94 96  half 27  unit 5  outer radius 92\n");
    EXPECT_NE(r.out.find("\nSonne    317.19  -28.17   71   72  6 hidden\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(" hidden\n"), std::string::npos);

    for (const char* size : {"240", "0x320", "240x", "240x320x1"}) {
        const CliRun bad = run_cli(tmp, {"overview", "--size", size});
        EXPECT_EQ(bad.status, 2) << size;
        EXPECT_NE(bad.err.find("--size"), std::string::npos) << bad.err;
        EXPECT_TRUE(bad.out.empty());
    }
}

}  // namespace
