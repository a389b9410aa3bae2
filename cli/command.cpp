// SPDX-License-Identifier: GPL-3.0-or-later
// The text front end's command registry and its argument and number
// parsing.
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "cli/command.h"

namespace orbant::cli {

namespace {

std::vector<Command> command_table() {
    std::vector<Command> list = page_commands();
    for (Command (*make)() :
         {ephemeris_command, events_command, gps_command, horizon_command, overview_command, stars_command})
        list.push_back(make());
    std::sort(list.begin(), list.end(), [](const Command& a, const Command& b) { return a.name < b.name; });
    return list;
}

}  // namespace

const std::vector<Command>& commands() {
    static const std::vector<Command> table = command_table();
    return table;
}

std::vector<std::string> with_place_time_options(std::initializer_list<const char*> more) {
    std::vector<std::string> options = place_time_options;
    options.insert(options.end(), more.begin(), more.end());
    return options;
}

Args parse_args(const std::vector<std::string>& argv) {
    Args args;
    for (std::size_t i = 0; i < argv.size(); ++i) {
        const std::string& a = argv[i];
        if (a.rfind("--", 0) == 0 && a.size() > 2) {
            std::string name = a, value;
            bool inline_value = false;
            if (auto eq = a.find('='); eq != std::string::npos) {
                name = a.substr(0, eq);
                value = a.substr(eq + 1);
                inline_value = true;
            }
            if (flag_options.count(name)) {
                if (inline_value) throw UsageError("option " + name + " takes no value");
                args.flags.insert(name);
                continue;
            }
            if (!inline_value) {
                if (i + 1 >= argv.size()) throw UsageError("option " + name + " needs a value");
                value = argv[++i];
            }
            args.values[name] = value;
        } else if (args.command.empty()) {
            args.command = a;
        } else {
            throw UsageError("unexpected argument '" + a + "'");
        }
    }
    return args;
}

namespace {

// True when `text` is a decimal number: an optional sign, digits with an
// optional decimal point (at least one digit), an optional exponent. No
// blanks, no hexadecimal, no "inf" or "nan".
bool is_decimal_number(const std::string& text) {
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t from = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
        return i - from;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t mantissa = digits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        if (digits() == 0) return false;
    }
    return i == text.size();
}

// True when `text` is an optional sign and decimal digits.
bool is_decimal_integer(const std::string& text) {
    std::size_t i = text.empty() || (text[0] != '+' && text[0] != '-') ? 0 : 1;
    if (i == text.size()) return false;
    for (; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

}  // namespace

double parse_double_option(const Args& args, const std::string& name) {
    const std::string* v = args.value(name);
    if (!v) throw UsageError("option " + name + " is missing");
    const auto refuse = [&] { return UsageError("option " + name + ": '" + *v + "' is not a number"); };
    if (!is_decimal_number(*v)) throw refuse();
    // The syntax is checked, so strtod (in the "C" locale of the front end)
    // reads exactly the decimal number. A range error is an overflow unless
    // the result is tiny: an underflow, whose result (zero or subnormal)
    // stands.
    errno = 0;
    const double d = std::strtod(v->c_str(), nullptr);
    if ((errno == ERANGE && std::fabs(d) >= 1.0) || !std::isfinite(d)) throw refuse();
    return d;
}

long long parse_int_option(const Args& args, const std::string& name) {
    const std::string* v = args.value(name);
    if (!v) throw UsageError("option " + name + " is missing");
    errno = 0;
    const long long n = is_decimal_integer(*v) ? std::strtoll(v->c_str(), nullptr, 10) : 0;
    if (!is_decimal_integer(*v) || errno == ERANGE)
        throw UsageError("option " + name + ": '" + *v + "' is not an integer");
    return n;
}

}  // namespace orbant::cli


namespace orbant::cli {

void check_output(const std::ostream& out) {
    if (!out) throw OutputError();
}

bool zero_one_option(const Args& args, const std::string& name, bool fallback) {
    if (!args.value(name)) return fallback;
    const long long v = parse_int_option(args, name);
    if (v != 0 && v != 1) throw UsageError("option " + name + ": '" + *args.value(name) + "' is not 0 or 1");
    return v == 1;
}

std::string choice_option(const Args& args, const std::string& name, const std::string& fallback,
                          std::initializer_list<const char*> choices) {
    const std::string* v = args.value(name);
    if (!v) return fallback;
    std::string list;
    for (const char* c : choices) {
        if (*v == c) return *v;
        list += list.empty() ? "" : ", ";
        list += c;
    }
    throw UsageError("option " + name + ": '" + *v + "' is not one of " + list);
}

}  // namespace orbant::cli
