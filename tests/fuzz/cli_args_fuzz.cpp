// Fuzz target of the text front end's argument handling: the input, split
// at NUL bytes, is the argument list. Parsing either refuses it with a
// usage error or gives options whose numbers are finite; for the page
// commands the sheet state is built (with a fixed clock) and must hold the
// place within the program's ranges, and the time page's texts are made.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/context.h"
#include "core/value_ranges.h"
#include "pages/time_texts.h"
#include "platform/clock.h"

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

bool is_page_command(const std::string& name) {
    return name == "time" || name == "sun" || name == "moon" || name == "planets";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orbant;
    using namespace orbant::cli;
    if (size > 4096) return 0;
    Args args;
    try {
        args = parse_args(split_at_nul(data, size));
    } catch (const UsageError&) {
        return 0;
    }
    // The numbers of every option the commands read.
    for (const char* name : {"--lat", "--lon", "--zone", "--start", "--end", "--step"}) {
        if (!args.value(name)) continue;
        try {
            if (!std::isfinite(parse_double_option(args, name))) std::abort();
        } catch (const UsageError&) {
        }
    }
    for (const char* name : {"--from", "--to", "--summer"}) {
        if (!args.value(name)) continue;
        try {
            parse_int_option(args, name);
        } catch (const UsageError&) {
        }
    }
    if (!is_page_command(args.command)) return 0;
    // Reading only: a stray --config-dir cannot change anything on disk.
    FakeClock clock;
    std::ostringstream warnings;
    SheetState state;
    try {
        state = sheet_state_from_args(args, clock, &warnings);
    } catch (const UsageError&) {
        return 0;
    }
    if (!place_in_range(state.observer_longitude, state.observer_latitude, state.time_zone)) std::abort();
    const PageTexts texts = time_page_texts(state);
    if (texts.texts.empty()) std::abort();
    return 0;
}
