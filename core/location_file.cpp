#include "core/location_file.h"

#include <filesystem>

#include "platform/atomic_file.h"
#include "platform/little_endian.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace orbant {

namespace {

// Offsets of the fields inside the 32-byte record.
inline constexpr std::size_t longitude_offset = 8;
inline constexpr std::size_t latitude_offset = 16;
inline constexpr std::size_t time_zone_offset = 24;

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

std::string errno_text(int err) { return std::strerror(err); }

// Reads up to `size` bytes; returns the count read, or -1 with `err` set.
ssize_t read_up_to(int fd, std::uint8_t* data, std::size_t size, int& err) {
    std::size_t total = 0;
    while (total < size) {
        const ssize_t n = ::read(fd, data + total, size - total);
        if (n < 0) {
            if (errno == EINTR) continue;
            err = errno;
            return -1;
        }
        if (n == 0) break;
        total += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(total);
}

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
    if (!std::isfinite(decoded.longitude) || !std::isfinite(decoded.latitude) ||
        !std::isfinite(decoded.time_zone)) {
        error = "Länge, Breite oder Zeitzone ist keine endliche Zahl";
        return false;
    }
    record = decoded;
    return true;
}

bool read_location_file(const std::string& path, LocationRecord& record, std::string& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = "die Standortdatei " + quoted(path) + " kann nicht geöffnet werden: " + errno_text(errno);
        return false;
    }
    std::array<std::uint8_t, location_file_size> bytes{};
    int err = 0;
    const ssize_t n = read_up_to(fd, bytes.data(), bytes.size(), err);
    ::close(fd);
    if (n < 0) {
        error = "die Standortdatei " + quoted(path) + " kann nicht gelesen werden: " + errno_text(err);
        return false;
    }
    std::string why;
    if (!decode_location(std::span<const std::uint8_t>(bytes.data(), static_cast<std::size_t>(n)),
                         record, why)) {
        error = "die Standortdatei " + quoted(path) + " ist ungültig: " + why;
        return false;
    }
    return true;
}

bool write_location_file(const std::string& path, const LocationRecord& record,
                         std::string& error) {
    if (!std::isfinite(record.longitude) || !std::isfinite(record.latitude) ||
        !std::isfinite(record.time_zone)) {
        error = "die Standortdatei " + quoted(path) +
                " kann nicht geschrieben werden: Länge, Breite oder Zeitzone ist keine endliche Zahl";
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
