// SPDX-License-Identifier: GPL-3.0-or-later
// The text front end's dispatch: parses the command line, finds the command
// in the table, checks its options and runs it.
#include "cli/run_cli.h"

#include <algorithm>

#include "cli/command.h"
#include "core/message_text.h"

namespace orbant::cli {

namespace {

void print_general_usage(std::ostream& os) {
    os << "usage: orbant-cli [options] COMMAND [options]\n       orbant-cli --version\n\ncommands:\n";
    for (const auto& c : commands()) os << "  " << c.name << "  " << c.summary << "\n";
    os << "\nEvery option may stand before or after the command.\n"
          "'orbant-cli COMMAND --help' prints the options of a command.\n";
}

// Runs the command line up to the end of the command's output; the caller
// checks that the output was written.
int dispatch(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    Args args;
    try {
        args = parse_args(arguments);
    } catch (const UsageError& e) {
        err << "orbant-cli: " << printable_text(e.what()) << "\n";
        print_general_usage(err);
        return 2;
    }
    if (args.command.empty()) {
        if (args.flags.count("--help")) {
            print_general_usage(out);
            return 0;
        }
        if (args.flags.count("--version")) {
            out << "orbant-cli " << ORBANT_VERSION << "\n";
            return 0;
        }
        err << "orbant-cli: no command given\n";
        print_general_usage(err);
        return 2;
    }
    const auto& list = commands();
    auto it = std::find_if(list.begin(), list.end(), [&](const Command& c) { return c.name == args.command; });
    if (it == list.end()) {
        err << "orbant-cli: unknown command '" << printable_text(args.command) << "'\n";
        print_general_usage(err);
        return 2;
    }
    if (args.flags.count("--help")) {
        out << it->usage;
        return 0;
    }
    auto accepted = [&](const std::string& name) {
        return name == "--help" || std::find(it->options.begin(), it->options.end(), name) != it->options.end();
    };
    std::vector<std::string> given;
    for (const auto& [name, value] : args.values) given.push_back(name);
    given.insert(given.end(), args.flags.begin(), args.flags.end());
    for (const std::string& name : given) {
        if (!accepted(name)) {
            err << "orbant-cli: " << args.command << ": unknown option " << printable_text(name) << "\n" << it->usage;
            return 2;
        }
    }
    try {
        return it->run(args, out, err);
    } catch (const UsageError& e) {
        err << "orbant-cli: " << args.command << ": " << printable_text(e.what()) << "\n" << it->usage;
        return 2;
    } catch (const OutputError&) {
        return 1;  // reported below
    }
}

}  // namespace

int run_cli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    int status = dispatch(arguments, out, err);
    // A full disk, a closed pipe or a closed standard output: the output is
    // lost, which must not pass for success.
    if (!out.flush()) {
        err << "orbant-cli: the output could not be written\n";
        status = 1;
    }
    return status;
}

}  // namespace orbant::cli
