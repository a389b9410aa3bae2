// SPDX-License-Identifier: GPL-3.0-or-later
// Test helpers shared by the test executables: a whole file read into bytes
// and bytes written as a whole file.
#pragma once
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace orbant::testing {

// The bytes of the file at `path`; empty when it cannot be read.
inline std::vector<std::uint8_t> file_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Writes `bytes` as the whole file at `path`, replacing what was there.
inline void write_bytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace orbant::testing
