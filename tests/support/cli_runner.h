// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the text front end (the binary at ORBANT_CLI_PATH) from the golden
// tests and captures what it prints.
#pragma once
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace orbant::testing {

struct CliRun {
    std::string out;     // standard output
    std::string err;     // standard error (empty when it was discarded)
    int status = -1;     // exit status, -1 when the program did not exit normally
};

// s in single quotes for the shell.
inline std::string shell_quoted(const std::string& s) {
    std::string q = "'";
    for (char c : s) {
        if (c == '\'')
            q += "'\\''";
        else
            q += c;
    }
    return q + "'";
}

// The whole content of the file at path; empty when it cannot be read.
inline std::string file_text(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs `command args...` through the shell and captures its standard output.
// Standard error goes to stderr_path and is read back, or is discarded when
// the path is empty. The arguments are quoted; command is used as it is.
inline CliRun run_command(std::string command, const std::vector<std::string>& args, const std::string& stderr_path) {
    for (const std::string& a : args) {
        command += ' ';
        command += shell_quoted(a);
    }
    command += " 2>";
    command += stderr_path.empty() ? std::string("/dev/null") : shell_quoted(stderr_path);
    CliRun r;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return r;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) r.out.append(buffer, n);
    const int raw = pclose(pipe);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    if (!stderr_path.empty()) r.err = file_text(stderr_path);
    return r;
}

// Runs `environment orbant-cli args...` through the shell. Standard error
// goes to stderr_path and is read back, or is discarded when the path is
// empty. environment is prepended as it is ("TZ='UTC'", or empty).
inline CliRun run_orbant_cli(const std::vector<std::string>& args, const std::string& stderr_path,
                             const std::string& environment = std::string()) {
    std::string command = environment;
    if (!command.empty()) command += ' ';
    return run_command(command + shell_quoted(ORBANT_CLI_PATH), args, stderr_path);
}

}  // namespace orbant::testing
