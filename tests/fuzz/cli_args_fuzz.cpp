// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target of the text front end: the input, split at NUL bytes, is the
// argument list, run through the real dispatch (run_cli). The exit status
// is 0, 1 or 2; a refusal (2) starts with one message line free of control
// characters. The commands that wait on gpsd or may search for minutes (gps,
// events, ephemeris) are left to their number parsing: their numbers must
// come out finite or be refused with a usage error.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/run_cli.h"

namespace {

std::vector<std::string> split_at_nul(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> words(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            words.emplace_back();
        else
            words.back() += static_cast<char>(data[i]);
    }
    return words;
}

bool has_control_character(const std::string& line) {
    for (char c : line)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orbant::cli;
    if (size > 4096) return 0;
    const std::vector<std::string> words = split_at_nul(data, size);
    Args args;
    try {
        args = parse_args(words);
    } catch (const UsageError&) {
    }
    if (args.command == "gps" || args.command == "events" || args.command == "ephemeris") {
        for (const char* name : {"--start", "--end", "--step"}) {
            if (!args.value(name)) continue;
            try {
                if (!std::isfinite(parse_double_option(args, name))) std::abort();
            } catch (const UsageError&) {
            }
        }
        for (const char* name : {"--from", "--to", "--port", "--seconds"}) {
            if (!args.value(name)) continue;
            try {
                parse_int_option(args, name);
            } catch (const UsageError&) {
            }
        }
        return 0;
    }
    // Reading only: a stray --config-dir cannot change anything on disk.
    std::ostringstream out, err;
    const int status = run_cli(words, out, err);
    if (status < 0 || status > 2) std::abort();
    if (status == 2) {
        const std::string text = err.str();
        const std::size_t end = text.find('\n');
        if (end == std::string::npos || has_control_character(text.substr(0, end))) std::abort();
    }
    return 0;
}
