// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/location_file.h"

#include <filesystem>

#include <cmath>
#include <cstring>
#include <vector>

#include "core/value_ranges.h"
#include "platform/atomic_file.h"
#include "platform/little_endian.h"

namespace orbant {

namespace {

// Offsets of the fields inside the 32-byte record.
inline constexpr std::size_t longitude_offset = 8;
inline constexpr std::size_t latitude_offset = 16;
inline constexpr std::size_t time_zone_offset = 24;

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

// Why a record's place is refused.
constexpr const char* place_range_text =
    "Länge (-360 bis 360), Breite (-90 bis 90) oder Zeitzone (-14 bis 14 Stunden) liegt außerhalb des Bereichs";

}  // namespace

std::array<std::uint8_t, location_file_size> encode_location(const LocationRecord& record) {
    std::array<std::uint8_t, location_file_size> bytes{};
    std::memcpy(bytes.data(), record.reserved.data(), record.reserved.size());
    put_double_le(bytes.data() + longitude_offset, record.longitude);
    put_double_le(bytes.data() + latitude_offset, record.latitude);
    put_double_le(bytes.data() + time_zone_offset, record.time_zone);
    return bytes;
}

bool decode_location(std::span<const std::uint8_t> bytes, LocationRecord& record,
                     std::string& error) {
    if (bytes.size() < location_file_size) {
        error = "eine Standortdatei hat " + std::to_string(location_file_size) + " Bytes, diese nur " +
                std::to_string(bytes.size());
        return false;
    }
    LocationRecord decoded;
    std::memcpy(decoded.reserved.data(), bytes.data(), decoded.reserved.size());
    decoded.longitude = get_double_le(bytes.data() + longitude_offset);
    decoded.latitude = get_double_le(bytes.data() + latitude_offset);
    decoded.time_zone = get_double_le(bytes.data() + time_zone_offset);
    if (!place_in_range(decoded.longitude, decoded.latitude, decoded.time_zone)) {
        error = place_range_text;
        return false;
    }
    record = decoded;
    return true;
}

bool read_location_file(const std::string& path, LocationRecord& record, std::string& error) {
    std::vector<std::uint8_t> bytes;
    std::string why;
    switch (read_file_prefix(path, location_file_size, bytes, why)) {
    case ReadStatus::read: break;
    case ReadStatus::not_regular:
        error = "die Standortdatei " + quoted(path) + " ist keine gewöhnliche Datei";
        return false;
    case ReadStatus::missing:
    case ReadStatus::failed:
        error = "die Standortdatei " + quoted(path) + " kann nicht geöffnet werden: " + why;
        return false;
    }
    if (!decode_location(bytes, record, why)) {
        error = "die Standortdatei " + quoted(path) + " ist ungültig: " + why;
        return false;
    }
    return true;
}

bool write_location_file(const std::string& path, const LocationRecord& record,
                         std::string& error) {
    if (!place_in_range(record.longitude, record.latitude, record.time_zone)) {
        error = "die Standortdatei " + quoted(path) + " kann nicht geschrieben werden: " + place_range_text;
        return false;
    }
    const auto bytes = encode_location(record);
    std::string why;
    if (!write_file_atomically(path, bytes.data(), bytes.size(), why)) {
        error = "die Standortdatei wurde nicht gespeichert: " + why;
        return false;
    }
    return true;
}

std::string place_name_from_file_name(std::string_view path) {
    const auto slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const auto dot = name.find('.');
    if (dot == std::string_view::npos) return {};
    return std::string(name.substr(0, dot));
}

LocationRecord location_from_state(const SheetState& state) {
    LocationRecord record;
    record.longitude = state.observer_longitude;
    record.latitude = state.observer_latitude;
    record.time_zone = state.time_zone;
    return record;
}

bool load_location_into_state(const std::string& path, SheetState& state, std::string& error) {
    LocationRecord record;
    if (!read_location_file(path, record, error)) return false;
    // The name is taken only once the file has been read, so that a failed
    // load cannot leave a new name on the old coordinates.
    state.place_name = place_name_from_file_name(path);
    state.observer_latitude = record.latitude;
    state.observer_longitude = record.longitude;
    state.time_zone = record.time_zone;
    return true;
}

std::string location_path_with_extension(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    if (start >= path.size()) return path;  // a folder, not a file name
    if (path.find('.', start) != std::string::npos) return path;
    return path + "." + std::string(location_file_extension);
}

std::string replace_question_before_save(const std::string& chosen, const std::string& path) {
    std::error_code ec;
    if (path == chosen || !std::filesystem::exists(path, ec)) return {};
    const auto slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return "Die Datei \"" + name + "\" ist bereits vorhanden.\nSoll sie ersetzt werden?";
}

}  // namespace orbant
