// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target of the location-file reader: any bytes as a ".ort" file. A
// record that is taken must be within the program's ranges and encode back
// to its first 32 bytes; a refused one leaves the output alone with a
// reason. The same bytes as a file name go through the name rules.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

#include "core/location_file.h"
#include "core/value_ranges.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orbant;
    LocationRecord record;
    record.latitude = 12.5;
    std::string error;
    if (decode_location(std::span<const std::uint8_t>(data, size), record, error)) {
        if (!place_in_range(record.longitude, record.latitude, record.time_zone)) std::abort();
        const auto bytes = encode_location(record);
        if (std::memcmp(bytes.data(), data, location_file_size) != 0) std::abort();
    } else if (record.latitude != 12.5 || error.empty()) {
        std::abort();
    }
    const std::string path(reinterpret_cast<const char*>(data), size);
    const std::string name = place_name_from_file_name(path);
    if (name.find('/') != std::string::npos || name.find('.') != std::string::npos) std::abort();
    const std::string with_extension = location_path_with_extension(path);
    if (with_extension.compare(0, path.size(), path) != 0) std::abort();
    return 0;
}
