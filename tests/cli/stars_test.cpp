// SPDX-License-Identifier: GPL-3.0-or-later
// Golden tests of "orbant-cli stars": run the binary and compare its output.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/cli_runner.h"
#include "tests/support/scoped_environment.h"

namespace {

using ::orbant::testing::CliRun;
using ::orbant::testing::TempFolder;

CliRun run_stars(const TempFolder& tmp, const std::vector<std::string>& args) {
    std::vector<std::string> all = {"stars", "--config-dir", tmp.file("config")};
    all.insert(all.end(), args.begin(), args.end());
    return ::orbant::testing::run_orbant_cli(all, tmp.file("stderr"));
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// index, name, magnitude, ra, dec of a CSV line whose name is quoted.
std::vector<std::string> csv_fields(const std::string& line) {
    const std::size_t open = line.find('"'), close = line.rfind('"');
    std::vector<std::string> f = {line.substr(0, open - 1), line.substr(open + 1, close - open - 1)};
    std::istringstream rest(line.substr(close + 2));
    for (std::string v; std::getline(rest, v, ',');) f.push_back(v);
    return f;
}

// The CSV lists the 1088 entries with the names and values of the carried
// data (the data's last column, the catalogue number, is left out).
TEST(CliStars, CsvListsTheEntriesAsTheDataHasThem) {
    TempFolder tmp;
    const CliRun r = run_stars(tmp, {"--format", "csv"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = lines_of(r.out);
    ASSERT_EQ(lines.size(), 1089u);
    EXPECT_EQ(lines[0], "index,name,magnitude,ra_deg,dec_deg");
    EXPECT_EQ(lines[1], "0,\"Mond\",-12.70,0.0000,0.0000");
    EXPECT_EQ(lines[12], "11,\"Sirius (-1.14) Gr. Hund\",-1.44,101.2875,-16.7161");
    EXPECT_EQ(lines[14], "13,\"Polaris (1.90) Kl. Bär\",1.90,37.9530,89.2642");
    EXPECT_EQ(lines[1088], "1087,\"2 Cet (4.55) [9098]\",4.55,0.9345,-17.3361");

    std::ifstream data(std::string(ORBANT_SOURCE_DIR) + "/data/stars/stars.csv");
    std::string line;
    std::getline(data, line);
    for (std::size_t i = 1; i < lines.size() && std::getline(data, line); ++i) {
        const std::vector<std::string> got = csv_fields(lines[i]), want = csv_fields(line);
        ASSERT_EQ(got.size(), 5u) << lines[i];
        EXPECT_EQ(got[0], want[0]);
        EXPECT_EQ(got[1], want[1]);
        for (std::size_t k = 2; k < 5; ++k) EXPECT_EQ(std::stod(got[k]), std::stod(want[k])) << lines[i];
    }
}

TEST(CliStars, TextAlignsTheColumnsAndAddsTheFigures) {
    TempFolder tmp;
    const CliRun r = run_stars(tmp, {});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = lines_of(r.out);
    ASSERT_EQ(lines.size(), 1 + 1088 + 2 + 52u);
    EXPECT_EQ(lines[0], "index  name                                    mag    ra_deg   dec_deg");
    // Columns count characters, so the umlaut does not shift them.
    EXPECT_EQ(lines[14], "   13  Polaris (1.90) Kl. Bär                 1.90   37.9530   89.2642");
    EXPECT_EQ(lines[575], "  574  Stern (4.39) [3145]                    4.39  120.5655    2.3344");
    EXPECT_EQ(lines[1090], "figures (table indices, 0 ends a polyline):");
    EXPECT_EQ(lines[1091], "37 36 35 34 33 32 31 34 0");
    EXPECT_EQ(lines[1103], "0");
    EXPECT_EQ(lines.back(), "262 263 264 265 266 267 268 269 270 271 272 273 0");
}

TEST(CliStars, UnknownFormatIsAUsageError) {
    TempFolder tmp;
    const CliRun r = run_stars(tmp, {"--format", "json"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("option --format: 'json' is not one of text, csv"), std::string::npos) << r.err;
}

}  // namespace
