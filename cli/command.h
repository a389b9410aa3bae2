// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <initializer_list>
#include <map>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace orbant::cli {

// The parsed command line: the command word and its options. Every option may
// stand before or after the command. Options listed in flag_options take no
// value; every other "--name" takes the next argument as its value, even one
// that starts with "-" (so "--lat -33.9" works).
struct Args {
    std::string command;
    std::map<std::string, std::string> values;  // "--lat" -> "-33.9"
    std::set<std::string> flags;                // "--json"

    bool has(const std::string& name) const { return values.count(name) || flags.count(name); }
    const std::string* value(const std::string& name) const {
        auto it = values.find(name);
        return it == values.end() ? nullptr : &it->second;
    }
};

// Options that take no value.
inline const std::set<std::string> flag_options = {"--json", "--eclipses", "--all", "--help", "--version"};

// Bad arguments: main prints the message, the command's usage, and exits 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The output stream failed while a command was writing; the command stops
// (run_cli reports it and exits 1).
struct OutputError : std::runtime_error {
    OutputError() : std::runtime_error("the output could not be written") {}
};

// Throws OutputError when `out` has failed: a long output stops at the
// first lost write.
void check_output(const std::ostream& out);

// The place and time options shared by the page commands.
inline const std::vector<std::string> place_time_options = {
    "--lat", "--lon", "--zone", "--summer", "--at", "--config-dir"};

struct Command {
    std::string name;
    std::string summary;                  // one line for the general usage
    std::string usage;                    // the command's own usage text
    std::vector<std::string> options;     // the options it accepts (besides --help)
    int (*run)(const Args& args, std::ostream& out, std::ostream& err) = nullptr;
};

// The commands, each made by its source file.
Command ephemeris_command();
Command events_command();
Command gps_command();
Command horizon_command();
Command overview_command();
std::vector<Command> page_commands();  // time, moon, sun, planets
Command stars_command();

// The table of all commands, sorted by name.
const std::vector<Command>& commands();

// place_time_options followed by `more`.
std::vector<std::string> with_place_time_options(std::initializer_list<const char*> more);

// Parses argv (without the program name). Throws UsageError on a missing
// value or a second command word.
Args parse_args(const std::vector<std::string>& argv);

// Strict number parsing for option values; the whole text must be a decimal
// number (sign, digits, point, exponent; an integer: sign and digits): no
// blanks, no hexadecimal, no "inf" or "nan". A double that underflows is
// taken as the nearest tiny value or zero; an overflow is refused. Throw
// UsageError naming the option otherwise.
double parse_double_option(const Args& args, const std::string& name);
long long parse_int_option(const Args& args, const std::string& name);

// An option of value 0 or 1, `fallback` when it is not given. Throws
// UsageError naming the option for any other value.
bool zero_one_option(const Args& args, const std::string& name, bool fallback);

// An option whose value is one of `choices`, `fallback` when it is not
// given. Throws UsageError naming the option and the choices otherwise.
std::string choice_option(const Args& args, const std::string& name, const std::string& fallback,
                          std::initializer_list<const char*> choices);

}  // namespace orbant::cli
