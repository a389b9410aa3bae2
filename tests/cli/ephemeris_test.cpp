// SPDX-License-Identifier: GPL-3.0-or-later
// Golden tests of "orbant-cli ephemeris": run the binary and compare its output.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "astro/constants.h"
#include "astro/moon.h"
#include "astro/planets.h"
#include "astro/sun.h"
#include "tests/support/cli_runner.h"

namespace {

using CliResult = ::orbant::testing::CliRun;

// Runs the front end's ephemeris command; standard error is discarded, the
// exit status is kept.
CliResult run_ephemeris(const std::vector<std::string>& args) {
    std::vector<std::string> all = {"ephemeris"};
    all.insert(all.end(), args.begin(), args.end());
    return ::orbant::testing::run_orbant_cli(all, "");
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<double> fields_of(const std::string& line) {
    std::vector<double> v;
    std::istringstream in(line);
    for (std::string f; std::getline(in, f, ',');) v.push_back(std::stod(f));
    return v;
}

TEST(EphemerisCommand, MoonAtJ2000) {
    const CliResult r = run_ephemeris({"--body", "moon", "--start", "51544.5", "--end", "51544.5", "--step", "1"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "mjd,lon_deg,lat_deg,radius\n51544.5,223.318907284,5.17092086798,402437.959465\n");
    const std::vector<std::string> lines = lines_of(r.out);
    ASSERT_EQ(lines.size(), 2u);
    const std::vector<double> f = fields_of(lines[1]);
    ASSERT_EQ(f.size(), 4u);
    // The worked example of the lunar theory at T = 0.
    EXPECT_NEAR(f[1], 223.3189, 0.00005);
    EXPECT_NEAR(f[2], 5.1709, 0.00005);
    EXPECT_NEAR(f[3], 402438.0, 0.5);
}

TEST(EphemerisCommand, RowsFromStartToEndInclusive) {
    const CliResult r = run_ephemeris({"--body", "sun", "--start", "51544.5", "--end", "51544.8", "--step", "0.1"});
    EXPECT_EQ(r.status, 0);
    const std::vector<std::string> lines = lines_of(r.out);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "mjd,lon_deg,lat_deg,radius");
    EXPECT_EQ(lines[1].substr(0, 8), "51544.5,");
    EXPECT_EQ(lines[4].substr(0, 8), "51544.8,");
    // Every row is the engine's own value to 12 significant digits.
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::vector<double> f = fields_of(lines[i]);
        ASSERT_EQ(f.size(), 4u);
        const orbant::Vector3 s = orbant::sun_position((f[0] - 51544.5) / 36525.0);
        EXPECT_NEAR(f[1], s.polar(0) * orbant::degrees_per_radian, 1e-9);
        EXPECT_NEAR(f[3], s.polar(2), 1e-11);
    }
}

TEST(EphemerisCommand, EveryBodyInBothFrames) {
    const char* bodies[] = {"sun", "moon", "mercury", "venus", "earth", "mars",
                            "jupiter", "saturn", "uranus", "neptune", "pluto"};
    for (const char* body : bodies) {
        const CliResult ecl = run_ephemeris({"--body", body, "--start", "51544.5", "--end", "51545", "--step", "0.5"});
        EXPECT_EQ(ecl.status, 0) << body;
        EXPECT_EQ(lines_of(ecl.out).size(), 3u) << body;
    }
    // Earth: heliocentric, opposite the Sun.
    const CliResult earth = run_ephemeris({"--body", "earth", "--start", "51544.5", "--end", "51544.5", "--step", "1"});
    const std::vector<double> e = fields_of(lines_of(earth.out).at(1));
    EXPECT_NEAR(e[1], 100.377465, 0.000001);
    // Mars equatorial: geocentric right ascension and declination, distance in AU.
    const CliResult mars = run_ephemeris(
        {"--body", "mars", "--frame", "equatorial", "--start", "51544.5", "--end", "51544.5", "--step", "1"});
    EXPECT_EQ(mars.status, 0);
    const std::vector<double> m = fields_of(lines_of(mars.out).at(1));
    const orbant::Vector3 geo = orbant::ecliptic_to_equatorial_matrix(0.0) *
                                (orbant::planet_position(4, 0.0) - orbant::planet_position(3, 0.0));
    EXPECT_NEAR(m[1], geo.polar(0) * orbant::degrees_per_radian, 1e-9);
    EXPECT_NEAR(m[2], geo.polar(1) * orbant::degrees_per_radian, 1e-9);
    EXPECT_NEAR(m[3], 1.84959357732, 1e-10);
    // Moon equatorial: of date with nutation, distance in km.
    const CliResult moon = run_ephemeris(
        {"--body", "moon", "--frame", "equatorial", "--start", "51544.5", "--end", "51544.5", "--step", "1"});
    const std::vector<double> q = fields_of(lines_of(moon.out).at(1));
    const orbant::Vector3 meq = orbant::moon_equatorial_of_date(0.0);
    EXPECT_NEAR(q[1], meq.polar(0) * orbant::degrees_per_radian, 1e-9);
    EXPECT_NEAR(q[3], 402437.959465, 1e-6);
}

TEST(EphemerisCommand, BadArgumentsExitWithStatusTwoAndPrintNothing) {
    const std::vector<std::vector<std::string>> bad = {
        {"--body", "vulcan", "--start", "0", "--end", "1", "--step", "1"},
        {"--body", "sun", "--start", "10", "--end", "9", "--step", "1"},
        {"--body", "sun", "--start", "0", "--end", "1", "--step", "0"},
        {"--body", "sun", "--start", "0", "--end", "1", "--step", "-1"},
        {"--body", "sun", "--start", "0", "--end", "1000000", "--step", "1"},
        {"--body", "sun", "--frame", "galactic", "--start", "0", "--end", "1", "--step", "1"},
        {"--body", "earth", "--frame", "equatorial", "--start", "0", "--end", "1", "--step", "1"},
        {"--body", "sun", "--start", "x", "--end", "1", "--step", "1"},
        {"--start", "0", "--end", "1", "--step", "1"},
        // Only the years -4000 to 8000: MJD -2139943 up to 2243365.
        {"--body", "sun", "--start", "1e300", "--end", "1e300", "--step", "1"},
        {"--body", "sun", "--start", "1e9", "--end", "1e9", "--step", "1"},
        {"--body", "moon", "--start", "-1e15", "--end", "0", "--step", "1e14"},
        {"--body", "sun", "--start", "-2139943.5", "--end", "-2139943", "--step", "1"},
        {"--body", "sun", "--start", "2243364", "--end", "2243365", "--step", "1"},
    };
    for (const auto& args : bad) {
        const CliResult r = run_ephemeris(args);
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        EXPECT_EQ(r.status, 2) << joined;
        EXPECT_EQ(r.out, "") << joined;
    }
    const CliResult edges = run_ephemeris({"--body", "moon", "--start", "-2139943", "--end", "2243364.9", "--step", "2191653.9"});
    EXPECT_EQ(edges.status, 0);
    EXPECT_EQ(lines_of(edges.out).size(), 4u) << edges.out;
    // Exactly 1,000,000 rows are allowed: 0 .. 999999.
    const CliResult most = run_ephemeris({"--body", "sun", "--start", "0", "--end", "0.999999", "--step", "0.000001"});
    EXPECT_EQ(most.status, 0);
    EXPECT_EQ(lines_of(most.out).size(), 1000001u);
}

}  // namespace
