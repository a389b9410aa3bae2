// SPDX-License-Identifier: GPL-3.0-or-later
// Golden tests of "orbant-cli gps": against a real gpsd fed with the test
// log, and without gpsd.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/support/cli_runner.h"
#include "tests/support/gpsd_harness.h"
#include "tests/support/scoped_environment.h"

namespace {

using ::orbant::testing::CliRun;
using ::orbant::testing::TempFolder;

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(CliGps, PrintsTheDialogTextsOfEachRefresh) {
    ::orbant::testing::GpsdHarness gpsd;
    std::string error;
    ASSERT_TRUE(gpsd.start(error)) << error;
    TempFolder tmp;
    // gpsd knows the device after the log's first pass; until then a run
    // may see no data yet.
    CliRun r;
    std::vector<std::string> lines;
    const auto& expected = ::orbant::testing::log_dialog_texts();
    for (int attempt = 0; attempt < 10; ++attempt) {
        r = ::orbant::testing::run_orbant_cli(
            {"gps", "--host", "localhost", "--port", std::to_string(gpsd.port()), "--seconds", "2"},
            tmp.file("stderr"));
        lines = lines_of(r.out);
        // The second block's satellite line tells that gpsd had the fix.
        if (lines.size() == 2 * expected.size() + 1 && lines[expected.size() + 1 + 4] == expected[4]) break;
    }
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(lines.size(), 2 * expected.size() + 1) << r.out;
    EXPECT_EQ(lines[expected.size()], "");  // blocks are separated by an empty line
    // The second block: the log's texts; the feeder runs on, so the time
    // is any of its epochs.
    const std::vector<std::string> block(lines.begin() + static_cast<long>(expected.size()) + 1, lines.end());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (i == 2)
            EXPECT_TRUE(block[i].rfind("UTC-Time = 07.03.2026, 09:05:0", 0) == 0) << block[i];
        else
            EXPECT_EQ(block[i], expected[i]) << "line " << i;
    }
}

TEST(CliGps, WithoutGpsdSaysSoAndFails) {
    TempFolder tmp;
    // Port 1 on the loopback: nothing listens there.
    const CliRun none = ::orbant::testing::run_orbant_cli({"gps", "--port", "1"}, tmp.file("stderr"));
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, "Kein GPS gefunden.\n");

    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"gps", "--port", "0"}, {"gps", "--port", "65536"}, {"gps", "--port", "x"},
             {"gps", "--seconds", "0"}, {"gps", "--host", ""}, {"gps", "--lat", "3"}}) {
        const CliRun r = ::orbant::testing::run_orbant_cli(bad, tmp.file("stderr"));
        EXPECT_EQ(r.status, 2) << bad[1] << " " << bad[2];
        EXPECT_NE(r.err.find("usage: orbant-cli gps"), std::string::npos) << r.err;
    }
}

}  // namespace
