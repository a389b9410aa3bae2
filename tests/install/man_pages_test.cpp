// SPDX-License-Identifier: GPL-3.0-or-later
// The manual pages against the programs themselves: every option that
// `orbant --help`, `orbant-cli --help` and `orbant-cli COMMAND --help` list
// is described in the page, every command has its section, and no page
// describes an option that the program no longer has. Also the version the
// programs print, and that `orbant` answers --help and --version without a
// display, and that it renders every page as PNG without one.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/cli_runner.h"
#include "tests/support/scoped_environment.h"

namespace {

using orbant::testing::CliRun;
using orbant::testing::file_text;
using orbant::testing::run_command;
using orbant::testing::shell_quoted;
using orbant::testing::TempFolder;

// Runs program with args through the shell with no display at all: no X11 or
// Wayland connection and no platform chosen in the environment. A program
// that waits for a user is stopped after two minutes (status 124).
CliRun run_without_display(const std::string& program, const std::vector<std::string>& args) {
    const TempFolder scratch;
    return run_command(
        "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 120 " + shell_quoted(program), args,
        scratch.file("stderr"));
}

// The page's source as a reader sees the words: "\-" is a dash, font
// changes (\fB, \fI, \fR, \fP) vanish.
std::string page_words(const std::string& name) {
    const std::string roff = file_text(std::string(ORBANT_SOURCE_DIR) + "/man/" + name + ".1.in");
    std::string s = std::regex_replace(roff, std::regex(R"(\\f[BIRP])"), "");
    return std::regex_replace(s, std::regex(R"(\\-)"), "-");
}

// The option words in a text: "-h", "--config-dir", each at the start of a
// word (after a blank, a bracket, "|" or ",").
std::set<std::string> option_words(const std::string& text, bool long_only) {
    std::set<std::string> words;
    const std::regex option(long_only ? R"((?:^|[\s\[(|,"])(--[A-Za-z][A-Za-z0-9-]*))"
                                      : R"((?:^|[\s\[(|,"])(--?[A-Za-z][A-Za-z0-9-]*))");
    for (std::sregex_iterator it(text.begin(), text.end(), option), end; it != end; ++it)
        words.insert((*it)[1].str());
    return words;
}

// Whether word stands in text as a whole option word (not as the start of a
// longer one: "--to" is not found in "--topic").
bool mentions(const std::string& text, const std::string& word) {
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
        const std::size_t after = at + word.size();
        const bool ends = after == text.size() || !(std::isalnum(static_cast<unsigned char>(text[after])) ||
                                                    text[after] == '-' || text[after] == '_');
        const bool starts = at == 0 || !(std::isalnum(static_cast<unsigned char>(text[at - 1])) ||
                                         text[at - 1] == '-');
        if (starts && ends) return true;
    }
    return false;
}

// The command names of the general usage: the lines of its "commands:" block.
std::vector<std::string> cli_commands(const std::string& general_usage) {
    std::vector<std::string> names;
    std::istringstream in(general_usage);
    std::string line;
    bool in_block = false;
    while (std::getline(in, line)) {
        if (line == "commands:") {
            in_block = true;
        } else if (in_block) {
            std::smatch m;
            if (!std::regex_match(line, m, std::regex(R"(  ([a-z][a-z0-9-]*)  .*)"))) break;
            names.push_back(m[1].str());
        }
    }
    return names;
}

// One section of a page: its ".SH" or ".SS" line and what follows up to the
// next one.
struct Section {
    std::string heading;
    std::string text;
};

std::vector<Section> sections(const std::string& page) {
    std::vector<Section> list(1);
    std::istringstream lines(page);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(".SH", 0) == 0 || line.rfind(".SS", 0) == 0) list.push_back({line, std::string()});
        list.back().text += line + "\n";
    }
    return list;
}

// A help text and the part of the page that must describe its options.
struct HelpText {
    std::string what;  // "orbant-cli sun --help"
    std::string help;
    std::string where;
};

// Every option in each help text is described where it belongs, and every
// long option in the page is in one of the help texts.
void expect_page_matches_help(const std::string& page_name, const std::string& page,
                              const std::vector<HelpText>& helps) {
    std::set<std::string> all;
    for (const HelpText& h : helps) {
        const std::set<std::string> words = option_words(h.help, false);
        EXPECT_FALSE(words.empty()) << h.what << " lists no options:\n" << h.help;
        for (const std::string& w : words) {
            EXPECT_TRUE(mentions(h.where, w)) << page_name << "(1) does not describe " << w << " of " << h.what;
            all.insert(w);
        }
    }
    for (const std::string& w : option_words(page, true))
        EXPECT_TRUE(all.count(w)) << page_name << "(1) describes " << w << ", which no --help lists";
}

TEST(ManPages, OrbantPageDescribesEveryOptionOfItsHelp) {
    const CliRun help = run_without_display(ORBANT_APP_PATH, {"--help"});
    ASSERT_EQ(help.status, 0) << "orbant --help needs no display";
    ASSERT_NE(help.out.find("--config-dir"), std::string::npos) << help.out;
    ASSERT_NE(help.out.find("--platform"), std::string::npos) << "Qt's options are listed too:\n" << help.out;
    EXPECT_EQ(help.out.find("qmljsdebugger"), std::string::npos) << "no QML in this program:\n" << help.out;
    const std::string page = page_words("orbant");
    expect_page_matches_help("orbant", page, {{"orbant --help", help.out, page}});
}

// Each command has a subsection ".SS "orbant-cli NAME ..."" (one may serve
// several commands); its options are described there or in a section of
// options that all commands share (".SH ... OPTIONS").
TEST(ManPages, OrbantCliPageHasEveryCommandAndEveryOption) {
    const CliRun general = run_without_display(ORBANT_CLI_PATH, {"--help"});
    ASSERT_EQ(general.status, 0);
    const std::vector<std::string> commands = cli_commands(general.out);
    ASSERT_GE(commands.size(), 6u) << general.out;
    const std::string page = page_words("orbant-cli");
    const std::vector<Section> parts = sections(page);

    std::string shared;
    for (const Section& p : parts)
        if (p.heading.rfind(".SH", 0) == 0 && p.heading.find("OPTIONS") != std::string::npos) shared += p.text;
    std::vector<HelpText> helps = {{"orbant-cli --help", general.out, shared}};
    for (const std::string& c : commands) {
        std::string own;
        for (const Section& p : parts)
            if (p.heading.rfind(".SS", 0) == 0 && mentions(p.heading, c)) own += p.text;
        EXPECT_FALSE(own.empty()) << "orbant-cli(1) has no section for the command " << c;
        const CliRun usage = run_without_display(ORBANT_CLI_PATH, {c, "--help"});
        EXPECT_EQ(usage.status, 0) << c;
        helps.push_back({"orbant-cli " + c + " --help", usage.out, own + shared});
    }
    expect_page_matches_help("orbant-cli", page, helps);
}

TEST(Version, BothProgramsPrintTheProjectVersionWithoutDisplay) {
    const std::string version = ORBANT_VERSION;
    const CliRun app = run_without_display(ORBANT_APP_PATH, {"--version"});
    EXPECT_EQ(app.status, 0);
    EXPECT_EQ(app.out, "orbant " + version + "\n");
    const CliRun cli = run_without_display(ORBANT_CLI_PATH, {"--version"});
    EXPECT_EQ(cli.status, 0);
    EXPECT_EQ(cli.out, "orbant-cli " + version + "\n");
    // The release history names this version: the AppStream metadata and the
    // package's changelog (its first entry).
    const std::string metainfo =
        file_text(std::string(ORBANT_SOURCE_DIR) + "/desktop/org.orbant.Orbant.metainfo.xml");
    EXPECT_NE(metainfo.find("<release version=\"" + version + "\""), std::string::npos);
    const std::string changelog = file_text(std::string(ORBANT_SOURCE_DIR) + "/packaging/changelog");
    EXPECT_EQ(changelog.rfind("orbant (" + version + ") ", 0), 0u);
}

// Width and height of a PNG file from its IHDR chunk; {0, 0} when the file
// is not a PNG.
std::pair<unsigned, unsigned> png_size(const std::string& path) {
    const std::string data = file_text(path);
    if (data.size() < 24 || data.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) return {0, 0};
    const auto be32 = [&](std::size_t at) {
        unsigned v = 0;
        for (std::size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(data[at + i]);
        return v;
    };
    return {be32(16), be32(20)};
}

TEST(Options, EveryBadOptionExitsWithTwoAndTheUsageWithoutDisplay) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--bogus"}, {"-x"}, {"--config-dir"}, {"--size", "7"}, {"--clock", "gestern"}}) {
        const CliRun r = run_without_display(ORBANT_APP_PATH, args);
        EXPECT_EQ(r.status, 2) << args[0] << "\n" << r.err;
        EXPECT_TRUE(r.out.empty()) << args[0];
        EXPECT_NE(r.err.find("orbant: "), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("--config-dir <DIR>"), std::string::npos) << "usage:\n" << r.err;
    }
}

TEST(Desktop, TheEntryValidatesWithoutHints) {
    const TempFolder scratch;
    const std::string entry = std::string(ORBANT_SOURCE_DIR) + "/desktop/orbant.desktop";
    const int raw = std::system(("desktop-file-validate " + shell_quoted(entry) + " >" +
                                 shell_quoted(scratch.file("out")) + " 2>&1").c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0);
    EXPECT_EQ(file_text(scratch.file("out")), "") << "one main category only";
}

TEST(Screenshot, EveryPageIsWrittenAsPngWithoutDisplay) {
    const TempFolder scratch;
    const std::string& folder = scratch.path();
    for (const char* page : {"zeit", "horizont", "mond", "sonne", "planeten", "uebersicht", "ereignisse"}) {
        const std::string out = folder + "/" + page + ".png";
        const CliRun r = run_without_display(
            ORBANT_APP_PATH, {"--config-dir", folder + "/config", "--clock", "2026-01-15 21:00:00", "--size",
                              "320x240", "--screenshot", page, "--out", out});
        EXPECT_EQ(r.status, 0) << page;
        EXPECT_EQ(png_size(out), (std::pair<unsigned, unsigned>{320, 240})) << page;
        EXPECT_EQ(r.err.find("propagateSizeHints"), std::string::npos) << r.err;
    }
    EXPECT_EQ(run_without_display(ORBANT_APP_PATH, {"--screenshot", "himmel", "--out", folder + "/x.png"}).status, 2);
    EXPECT_EQ(run_without_display(ORBANT_APP_PATH, {"--screenshot", "mond"}).status, 2) << "no --out";
    // A typed control character comes back escaped, not sent to the terminal.
    const CliRun escaped =
        run_without_display(ORBANT_APP_PATH, {"--screenshot", "mo\x1b[2J\nnd", "--out", folder + "/x.png"});
    EXPECT_EQ(escaped.status, 2);
    EXPECT_NE(escaped.err.find("'mo\\x1b[2J\\nnd' is not one of"), std::string::npos) << escaped.err;
    EXPECT_EQ(escaped.err.find('\x1b'), std::string::npos);
    // A FIFO is refused, not replaced by a plain file.
    const std::string fifo = folder + "/fifo.png";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(
        run_without_display(ORBANT_APP_PATH, {"--config-dir", folder + "/config", "--screenshot", "mond", "--out", fifo})
            .status,
        2);
    struct stat st {};
    EXPECT_TRUE(stat(fifo.c_str(), &st) == 0 && S_ISFIFO(st.st_mode));
}

// A first start that cannot write "Setup.dat" reports it on standard error
// and still writes the picture; nothing waits in a message box.
TEST(Screenshot, SettingsThatCannotBeWrittenAreReportedOnStandardError) {
    const TempFolder scratch;
    const std::string base = scratch.path();
    struct Case {
        const char* what;
        std::string config;
        std::string prepare;  // shell commands
    };
    const Case cases[] = {
        {"a FIFO", base + "/fifo", "mkdir fifo && mkfifo fifo/Setup.dat"},
        {"a folder", base + "/folder", "mkdir -p folder/Setup.dat"},
        {"a dangling link", base + "/link", "mkdir link && ln -s nirgends/Setup.dat link/Setup.dat"},
        {"a file as the folder", base + "/file", "touch file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(std::system(("cd " + shell_quoted(base) + " && " + c.prepare).c_str()), 0);
        const std::string out = c.config + ".png";
        const CliRun r = run_without_display(
            ORBANT_APP_PATH, {"--config-dir", c.config, "--clock", "2026-01-15 21:00:00", "--size", "240x320",
                              "--screenshot", "sonne", "--out", out});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(png_size(out), (std::pair<unsigned, unsigned>{240, 320}));
        EXPECT_NE(r.err.find("orbant: "), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(c.config), std::string::npos) << r.err;
    }
}

}  // namespace
