// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace orbant::cli {

// The text front end: runs the command line `arguments` (without the
// program name), printing results to `out` and messages to `err`. Returns
// the exit status: 0 done, 1 failed (a message on `err`; also when `out`
// could not be written), 2 bad arguments (a one-line message and the usage
// on `err`).
int run_cli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace orbant::cli
