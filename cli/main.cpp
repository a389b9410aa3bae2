// orbant-cli: the text front end. Prints the texts of the program's pages,
// event lists and ephemerides for a place and an instant.
#include <algorithm>
#include <iostream>

#include "cli/command.h"

namespace orbant::cli {

namespace {
void print_general_usage(std::ostream& os) {
    os << "usage: orbant-cli [options] COMMAND [options]\n       orbant-cli --version\n\ncommands:\n";
    for (const auto& c : commands()) os << "  " << c.name << "  " << c.summary << "\n";
    os << "\nEvery option may stand before or after the command.\n"
          "'orbant-cli COMMAND --help' prints the options of a command.\n";
}
}  // namespace

}  // namespace orbant::cli

int main(int argc, char** argv) {
    using namespace orbant::cli;
    std::vector<std::string> words(argv + 1, argv + argc);
    Args args;
    try {
        args = parse_args(words);
    } catch (const UsageError& e) {
        std::cerr << "orbant-cli: " << e.what() << "\n";
        print_general_usage(std::cerr);
        return 2;
    }
    if (args.command.empty()) {
        if (args.flags.count("--help")) {
            print_general_usage(std::cout);
            return 0;
        }
        if (args.flags.count("--version")) {
            std::cout << "orbant-cli " << ORBANT_VERSION << "\n";
            return 0;
        }
        std::cerr << "orbant-cli: no command given\n";
        print_general_usage(std::cerr);
        return 2;
    }
    const auto& list = commands();
    auto it = std::find_if(list.begin(), list.end(), [&](const Command& c) { return c.name == args.command; });
    if (it == list.end()) {
        std::cerr << "orbant-cli: unknown command '" << args.command << "'\n";
        print_general_usage(std::cerr);
        return 2;
    }
    if (args.flags.count("--help")) {
        std::cout << it->usage;
        return 0;
    }
    auto accepted = [&](const std::string& name) {
        return std::find(it->options.begin(), it->options.end(), name) != it->options.end();
    };
    for (const auto& [name, value] : args.values) {
        if (!accepted(name)) {
            std::cerr << "orbant-cli: " << args.command << ": unknown option " << name << "\n" << it->usage;
            return 2;
        }
    }
    for (const auto& name : args.flags) {
        if (name != "--help" && !accepted(name)) {
            std::cerr << "orbant-cli: " << args.command << ": unknown option " << name << "\n" << it->usage;
            return 2;
        }
    }
    try {
        return it->run(args, std::cout, std::cerr);
    } catch (const UsageError& e) {
        std::cerr << "orbant-cli: " << args.command << ": " << e.what() << "\n" << it->usage;
        return 2;
    }
}
