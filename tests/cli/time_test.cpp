// SPDX-License-Identifier: GPL-3.0-or-later
// Golden tests of "orbant-cli time": run the binary and compare its output.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/settings_file.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/cli_runner.h"

namespace fs = std::filesystem;

namespace {

using ::orbant::testing::TempFolder;

using ::orbant::testing::CliRun;
using ::orbant::testing::shell_quoted;

// Runs the front end under the given TZ with the settings folder `config`.
CliRun run_cli(const TempFolder& tmp, const std::string& config, const std::vector<std::string>& args,
               const std::string& zone = "UTC") {
    std::vector<std::string> all;
    if (!config.empty()) all = {"--config-dir", config};
    all.insert(all.end(), args.begin(), args.end());
    return ::orbant::testing::run_orbant_cli(all, tmp.file("stderr"), "TZ=" + shell_quoted(zone));
}

TEST(CliTime, DefaultsWithoutSettingsFile) {
    TempFolder tmp;
    const std::string config = tmp.file("config");
    const CliRun r = run_cli(tmp, config, {"time", "--at", "2026-03-07 09:05"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "Tag: 07\n"
              "Monat: 03\n"
              "Jahr: 2026\n"
              "Stunde: 09\n"
              "Minute: 05\n"
              "Geo.Breite: 53.50\n"
              "Geo.Länge: 10.00\n"
              "Zeitzone: +1\n"
              "Ort: Hamburg\n"
              "Status: >>Laufende Zeitmessung (Winterzeit)<<\n");
    EXPECT_TRUE(r.err.empty()) << r.err;
    EXPECT_FALSE(fs::exists(config)) << "the front end must not create the settings folder";
}

TEST(CliTime, JsonWithPlaceOptions) {
    TempFolder tmp;
    const CliRun r = run_cli(tmp, tmp.file("config"),
                             {"--json", "time", "--lat", "-33.925", "--lon", "151.2", "--zone", "5.5", "--summer", "1",
                              "--at", "2038-12-31 23:59"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\"page\": \"Zeit/Ort\", \"controls\": {\"1000\": \"31\", \"1001\": \"12\", \"1002\": \"2038\", "
              "\"1003\": \"23\", \"1004\": \"59\", \"1007\": \"-33.92\", \"1008\": \"151.20\", \"1009\": \"+5\", "
              "\"1082\": \"Hamburg\", \"1016\": \">>Laufende Zeitmessung (Sommerzeit)<<\"}}\n");
}

TEST(CliTime, StoredSettingsAreReadButNeverWritten) {
    TempFolder tmp;
    const std::string config = tmp.file("config");
    orbant::SettingsRecord rec = orbant::default_settings();
    rec.latitude = 48.1372;
    rec.longitude = 11.5756;
    rec.time_zone = -13.0;
    rec.auto_summer_time = 0;
    orbant::store_place_name(rec, "München \"Mitte\"");
    std::string error;
    ASSERT_TRUE(orbant::save_settings(config, rec, error)) << error;
    const auto before = fs::last_write_time(config + "/Setup.dat");
    const CliRun r = run_cli(tmp, config, {"time", "--at", "2026-07-01 12:00", "--json"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"1007\": \"48.14\", \"1008\": \"11.58\", \"1009\": \"\", \"1082\": \"München \\\"Mitte\\\"\", "
                         "\"1016\": \">>Laufende Zeitmessung<<\""),
              std::string::npos)
        << r.out;
    EXPECT_EQ(fs::last_write_time(config + "/Setup.dat"), before);
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(config)) names.push_back(e.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"Setup.dat"});
}

TEST(CliTime, DamagedSettingsFileIsLeftAloneWithAWarning) {
    TempFolder tmp;
    const std::string config = tmp.file("config");
    fs::create_directories(config);
    { std::ofstream(config + "/Setup.dat") << "kurz"; }
    const CliRun r = run_cli(tmp, config, {"time", "--at", "2026-01-01 00:00"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Ort: Hamburg\n"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("Setup.dat"), std::string::npos) << r.err;
    EXPECT_EQ(fs::file_size(config + "/Setup.dat"), 4u);
    EXPECT_FALSE(fs::exists(config + "/Setup.dat.bad"));
}

TEST(CliTime, SummerTimeFollowsTheRulesAtTheInstant) {
    TempFolder tmp;
    const std::string config = tmp.file("config");
    const CliRun summer = run_cli(tmp, config, {"time", "--at", "2026-07-01 12:00"}, "Europe/Berlin");
    EXPECT_NE(summer.out.find("Status: >>Laufende Zeitmessung (Sommerzeit)<<\n"), std::string::npos) << summer.out;
    const CliRun winter = run_cli(tmp, config, {"time", "--at", "2026-12-01 12:00"}, "Europe/Berlin");
    EXPECT_NE(winter.out.find("(Winterzeit)<<"), std::string::npos) << winter.out;
    const CliRun forced = run_cli(tmp, config, {"time", "--at", "2026-12-01 12:00", "--summer", "1"}, "Europe/Berlin");
    EXPECT_NE(forced.out.find("(Sommerzeit)<<"), std::string::npos) << forced.out;
    // 02:30 does not exist on the spring-forward day; the rules move it on.
    const CliRun gap = run_cli(tmp, config, {"time", "--at", "2026-03-29 02:30"}, "Europe/Berlin");
    EXPECT_NE(gap.out.find("Stunde: 03\nMinute: 30\n"), std::string::npos) << gap.out;
}

TEST(CliTime, BadArgumentsExitWithUsage) {
    TempFolder tmp;
    const std::string config = tmp.file("config");
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        {{"time", "--at", "2026-02-30 10:00"}, "--at"},
        {{"time", "--at", "2026-01-01"}, "--at"},
        {{"time", "--at", "2026-01-01 10:00:00"}, "--at"},
        {{"time", "--lat", "91"}, "--lat"},
        {{"time", "--lon", "east"}, "--lon"},
        {{"time", "--zone", "25"}, "--zone"},
        {{"time", "--summer", "2"}, "--summer"},
        {{"time", "--bogus", "1"}, "--bogus"},
        {{"time", "--lat"}, "--lat"},
        // Decimal numbers only, within the program's ranges.
        {{"time", "--lat", "0x10"}, "--lat"},
        {{"time", "--lat", " 5"}, "--lat"},
        {{"time", "--lat", "5 "}, "--lat"},
        {{"time", "--lat", "1e"}, "--lat"},
        {{"time", "--lat", "."}, "--lat"},
        {{"time", "--zone", "inf"}, "--zone"},
        {{"time", "--zone", "nan"}, "--zone"},
        {{"time", "--zone", "1e400"}, "--zone"},
        {{"time", "--lon", "360.5"}, "--lon"},
        {{"time", "--summer", " 1"}, "--summer"},
        {{"time", "--summer", "0x1"}, "--summer"},
        {{"time", "--at", "1899-12-31 23:59"}, "from 1900 on"},
    };
    for (const Case& c : cases) {
        const CliRun r = run_cli(tmp, config, c.args);
        EXPECT_EQ(r.status, 2) << c.message;
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("usage:"), std::string::npos) << r.err;
    }
    EXPECT_FALSE(fs::exists(config));
}

TEST(CliTime, DecimalNumbersAtTheLimitsAreTaken) {
    TempFolder tmp;
    const CliRun r = run_cli(tmp, "", {"time", "--lat", "-90", "--lon", "+360", "--zone", "1e-320", "--summer", "+0",
                                       "--at", "1900-01-01 00:00"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Breite: -90.00\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Länge: 360.00\n"), std::string::npos) << r.out;
}

TEST(CliTime, SpecialOrAbsurdSettingsFilesGiveTheDefaults) {
    TempFolder tmp;
    const std::string fifo = tmp.file("fifo"), absurd = tmp.file("absurd");
    fs::create_directories(fifo);
    ASSERT_EQ(::mkfifo((fifo + "/Setup.dat").c_str(), 0600), 0);
    fs::create_directories(absurd);
    orbant::SettingsRecord record = orbant::default_settings();
    record.time_zone = 1e300;
    const auto image = orbant::encode_settings(record);
    std::ofstream(absurd + "/Setup.dat", std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    for (const std::string& config : {fifo, absurd}) {
        for (const char* page : {"time", "sun", "moon"}) {
            // A FIFO used to block the open for ever; the timeout ends such a run.
            const CliRun r = ::orbant::testing::run_orbant_cli({"--config-dir", config, page, "--at", "2026-01-01 00:00"},
                                                               tmp.file("stderr"), "TZ=UTC timeout 20");
            EXPECT_EQ(r.status, 0) << config << " " << page;
            EXPECT_NE(r.err.find("Setup.dat"), std::string::npos) << r.err;
            EXPECT_EQ(r.out.find("nan"), std::string::npos) << r.out;
            EXPECT_EQ(r.out.find("-2147483648"), std::string::npos) << r.out;
        }
    }
    EXPECT_TRUE(fs::is_fifo(fifo + "/Setup.dat"));
    EXPECT_EQ(fs::file_size(absurd + "/Setup.dat"), 64u);
}

TEST(CliTime, HelpNamesTheOptions) {
    TempFolder tmp;
    const CliRun r = run_cli(tmp, "", {"time", "--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* option : {"--lat", "--lon", "--zone", "--summer", "--at", "--config-dir", "--json"})
        EXPECT_NE(r.out.find(option), std::string::npos) << option;
}

}  // namespace
