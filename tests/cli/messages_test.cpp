// SPDX-License-Identifier: GPL-3.0-or-later
// The front end's own failures: output that cannot be written, and
// messages that repeat what was typed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/cli_runner.h"
#include "tests/support/scoped_environment.h"

namespace {

using ::orbant::testing::CliRun;
using ::orbant::testing::shell_quoted;
using ::orbant::testing::TempFolder;

// A full disk and a closed standard output lose the output: exit 1 with a
// one-line message, not success. The events list, written row by row, ends
// its search at the failed write with the same report.
TEST(CliMessages, LostOutputIsAFailure) {
    const TempFolder tmp;
    for (const char* command_args : {"stars", "events --from 1 --to 300", "events --from 1 --to 3 --format ics"}) {
        for (const char* redirection : {">/dev/full", ">&-"}) {
            const std::string command = shell_quoted(ORBANT_CLI_PATH) + " " + command_args + " --config-dir " +
                                        shell_quoted(tmp.file("config")) + " " + redirection + " 2>" +
                                        shell_quoted(tmp.file("stderr"));
            const int raw = std::system(command.c_str());
            ASSERT_TRUE(WIFEXITED(raw)) << command_args << redirection;
            EXPECT_EQ(WEXITSTATUS(raw), 1) << command_args << redirection;
            std::ifstream in(tmp.file("stderr"));
            std::stringstream err;
            err << in.rdbuf();
            EXPECT_EQ(err.str(), "orbant-cli: the output could not be written\n") << command_args << redirection;
        }
    }
}

// Control characters typed on the command line come back escaped: the
// message stays one line and no escape sequence reaches the terminal.
TEST(CliMessages, ControlCharactersAreEscaped) {
    const TempFolder tmp;
    struct Case {
        std::vector<std::string> args;
        std::string first_line;
    };
    const std::vector<Case> cases = {
        {{"ti\x1b[2Jme"}, "orbant-cli: unknown command 'ti\\x1b[2Jme'"},
        {{"time", "--lat", "1\n2"}, "orbant-cli: time: option --lat: '1\\n2' is not a number"},
        {{"sun", "--a\tb", "1"}, "orbant-cli: sun: unknown option --a\\tb"},
        {{"events", "--from", "1", "--to", "2", "--format", "x\x7f\r"},
         "orbant-cli: events: option --format: 'x\\x7f\\r' is not one of text, csv, ics"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"--config-dir", tmp.file("config")};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliRun r = ::orbant::testing::run_orbant_cli(args, tmp.file("stderr"));
        EXPECT_EQ(r.status, 2) << c.first_line;
        EXPECT_EQ(r.err.substr(0, r.err.find('\n')), c.first_line);
        EXPECT_EQ(r.err.find('\x1b'), std::string::npos) << c.first_line;
    }
}

}  // namespace
