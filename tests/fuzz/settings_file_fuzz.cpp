// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target of the settings reader: any bytes as "Setup.dat". A record
// that is taken must hold values within the program's ranges, encode back
// to the bytes it came from and give a place name that is valid UTF-8.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>

#include "core/settings_file.h"
#include "core/value_ranges.h"

namespace {

bool valid_utf8(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const std::size_t len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
        if (len == 0 || i + len > s.size()) return false;
        for (std::size_t k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += len;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orbant;
    SettingsRecord record = default_settings();
    const SettingsReadStatus status = settings_from_file_bytes(std::span<const std::uint8_t>(data, size), record);
    if (status != SettingsReadStatus::read) return 0;
    if (!place_in_range(record.longitude, record.latitude, record.time_zone) ||
        !timer_period_in_range(record.timer_period))
        std::abort();
    const auto image = encode_settings(record);
    if (std::memcmp(image.data(), data, settings_file_size) != 0) std::abort();
    const std::string name = stored_place_name(record);
    if (!valid_utf8(name)) std::abort();
    // The name survives a store into a fresh record up to its 19 characters.
    SettingsRecord again = default_settings();
    store_place_name(again, name);
    if (!valid_utf8(stored_place_name(again))) std::abort();
    return 0;
}
