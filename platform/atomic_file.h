#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace orbant {

// Writes `bytes` to `path` atomically: into a temporary file beside it,
// flushed to disk, then renamed over `path`. On failure the temporary file
// is removed, `path` is left as it was, false is returned and `error` names
// the file and the reason.
bool write_file_atomically(const std::string& path, const std::uint8_t* bytes, std::size_t size,
                           std::string& error);

// Reads at most `max_size` bytes of the file at `path`. Returns false when
// the file cannot be opened or read.
bool read_file_prefix(const std::string& path, std::size_t max_size, std::vector<std::uint8_t>& bytes);

}  // namespace orbant
