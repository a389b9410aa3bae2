// SPDX-License-Identifier: GPL-3.0-or-later
// orbant-cli: the text front end. Prints the texts of the program's pages,
// event lists and ephemerides for a place and an instant.
#include <iostream>
#include <string>
#include <vector>

#include "cli/run_cli.h"

int main(int argc, char** argv) {
    return orbant::cli::run_cli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
