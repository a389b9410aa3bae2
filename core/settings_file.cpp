// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings_file.h"

#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/atomic_file.h"
#include "text/utf8.h"
#include "platform/config_dir.h"
#include "platform/little_endian.h"
#include "core/value_ranges.h"

namespace orbant {

namespace {

// Byte offsets of the fields in the image.
constexpr std::size_t offset_longitude = 8;
constexpr std::size_t offset_latitude = 16;
constexpr std::size_t offset_time_zone = 24;
constexpr std::size_t offset_timer_period = 32;
constexpr std::size_t offset_auto_summer_time = 36;
constexpr std::size_t offset_night_mode = 40;
constexpr std::size_t offset_place_name = 44;

using Image = std::array<std::uint8_t, settings_file_size>;

void put_double(Image& b, std::size_t at, double d) { put_double_le(b.data() + at, d); }
double get_double(const Image& b, std::size_t at) { return get_double_le(b.data() + at); }
void put_i32(Image& b, std::size_t at, std::int32_t v) { put_i32_le(b.data() + at, v); }
std::int32_t get_i32(const Image& b, std::size_t at) { return get_i32_le(b.data() + at); }

// Unicode code points of the Windows-1252 bytes 0x80..0x9F (0 = unassigned).
constexpr std::array<char32_t, 32> cp1252_high = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
static_assert(cp1252_high.size() == 32);

constexpr char unrepresentable = '?';

// The Windows-1252 byte of a code point, or -1.
int cp1252_byte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    for (std::size_t i = 0; i < cp1252_high.size(); ++i)
        if (cp1252_high[i] == c && c != 0) return static_cast<int>(0x80 + i);
    return -1;
}

void append_utf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

Image encode_settings(const SettingsRecord& r) {
    Image b{};
    std::memcpy(b.data(), r.reserved.data(), r.reserved.size());
    put_double(b, offset_longitude, r.longitude);
    put_double(b, offset_latitude, r.latitude);
    put_double(b, offset_time_zone, r.time_zone);
    put_i32(b, offset_timer_period, r.timer_period);
    put_i32(b, offset_auto_summer_time, r.auto_summer_time);
    put_i32(b, offset_night_mode, r.night_mode);
    std::memcpy(b.data() + offset_place_name, r.place_name.data(), r.place_name.size());
    return b;
}

SettingsRecord decode_settings(const Image& b) {
    SettingsRecord r;
    std::memcpy(r.reserved.data(), b.data(), r.reserved.size());
    r.longitude = get_double(b, offset_longitude);
    r.latitude = get_double(b, offset_latitude);
    r.time_zone = get_double(b, offset_time_zone);
    r.timer_period = get_i32(b, offset_timer_period);
    r.auto_summer_time = get_i32(b, offset_auto_summer_time);
    r.night_mode = get_i32(b, offset_night_mode);
    std::memcpy(r.place_name.data(), b.data() + offset_place_name, r.place_name.size());
    return r;
}

bool settings_values_finite(const SettingsRecord& r) {
    return std::isfinite(r.longitude) && std::isfinite(r.latitude) && std::isfinite(r.time_zone);
}

bool settings_values_in_range(const SettingsRecord& r) {
    return place_in_range(r.longitude, r.latitude, r.time_zone) && timer_period_in_range(r.timer_period);
}

std::string utf8_to_windows1252(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const Utf8Character c = utf8_decode(utf8, i);
        i += c.length;
        const int b = cp1252_byte(c.code);
        out += b < 0 ? unrepresentable : static_cast<char>(b);
    }
    return out;
}

std::string windows1252_to_utf8(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        char32_t c = b;
        if (b >= 0x80 && b < 0xA0) c = cp1252_high[b - 0x80] ? cp1252_high[b - 0x80] : 0xFFFD;
        append_utf8(out, c);
    }
    return out;
}

void store_place_name(SettingsRecord& r, const std::string& utf8_name) {
    std::string bytes = utf8_to_windows1252(utf8_name);
    // A NUL inside the name would end it there on reading anyway.
    if (auto nul = bytes.find('\0'); nul != std::string::npos) bytes.resize(nul);
    if (bytes.size() > place_name_max_chars) bytes.resize(place_name_max_chars);
    std::memcpy(r.place_name.data(), bytes.data(), bytes.size());
    r.place_name[bytes.size()] = 0;
}

std::string stored_place_name(const SettingsRecord& r) {
    std::size_t n = 0;
    while (n < r.place_name.size() && r.place_name[n] != 0) ++n;
    return windows1252_to_utf8(std::string(reinterpret_cast<const char*>(r.place_name.data()), n));
}

SettingsRecord default_settings() {
    SettingsRecord r;
    r.longitude = default_longitude;
    r.latitude = default_latitude;
    r.time_zone = default_time_zone;
    r.timer_period = default_timer_period;
    r.auto_summer_time = default_auto_summer_time;
    r.night_mode = default_night_mode;
    store_place_name(r, default_place_name);
    return r;
}

SettingsReadStatus settings_from_file_bytes(std::span<const std::uint8_t> bytes, SettingsRecord& record) {
    if (bytes.size() < settings_file_size) return SettingsReadStatus::unreadable;
    Image image{};
    std::memcpy(image.data(), bytes.data(), settings_file_size);
    const SettingsRecord r = decode_settings(image);
    if (!settings_values_in_range(r)) return SettingsReadStatus::unreadable;
    record = r;
    return SettingsReadStatus::read;
}

SettingsReadStatus read_settings_file(const std::string& path, SettingsRecord& record, std::string* why) {
    std::vector<std::uint8_t> bytes;
    std::string reason;
    switch (read_file_prefix(path, settings_file_size, bytes, reason)) {
    case ReadStatus::read: break;
    case ReadStatus::missing: return SettingsReadStatus::missing;
    case ReadStatus::not_regular: return SettingsReadStatus::not_regular;
    // A file that exists but cannot be read is not known to be damaged.
    case ReadStatus::failed:
        if (why) *why = reason;
        return SettingsReadStatus::cannot_read;
    }
    return settings_from_file_bytes(bytes, record);
}

std::string damaged_copy_name(const std::string& path, int number) {
    std::string name = path + bad_settings_suffix;
    if (number > 0) {
        name += '.';
        name += std::to_string(number);
    }
    return name;
}

namespace {

// Renames `from` to the first free name of damaged_copy_name; never
// replaces an existing file. Returns the name used, or "" with `error` set.
std::string keep_damaged_copy(const std::string& from, std::string& error) {
    constexpr int max_copies = 1000;
    for (int number = 0; number < max_copies; ++number) {
        const std::string to = damaged_copy_name(from, number);
        const int err = rename_without_replacing(from, to);
        if (err == 0) return to;
        if (err == EEXIST) continue;
        error = std::strerror(err);
        return {};
    }
    error = "there are " + std::to_string(max_copies) + " damaged copies already";
    return {};
}

}  // namespace

SettingsReadStatus load_settings_file(const std::string& folder, SettingsRecord& record, std::ostream& warnings) {
    const std::string path = path_in_folder(folder, settings_file_name);
    std::string reason;
    const SettingsReadStatus status = read_settings_file(path, record, &reason);
    if (status == SettingsReadStatus::cannot_read) {
        warnings << "orbant: \"" << path << "\" cannot be read (" << reason
                 << "); it is left where it is and the built-in settings are used\n";
    } else if (status == SettingsReadStatus::not_regular) {
        warnings << "orbant: \"" << path
                 << "\" is not a regular file; it is left alone and the built-in settings are used\n";
    } else if (status == SettingsReadStatus::unreadable) {
        std::string why;
        const std::string kept = keep_damaged_copy(path, why);
        if (kept.empty())
            warnings << "orbant: \"" << path << "\" is damaged and cannot be kept as a copy (" << why
                     << "); the built-in settings are used\n";
        else
            warnings << "orbant: \"" << path << "\" is damaged (shorter than " << settings_file_size
                     << " bytes or a value out of range); kept as \"" << kept
                     << "\", the built-in settings are used\n";
    }
    return status;
}

bool load_settings(const std::string& folder, SettingsRecord& record, std::ostream& warnings) {
    return load_settings_file(folder, record, warnings) == SettingsReadStatus::read;
}

bool defaults_to_be_written(SettingsReadStatus status) {
    return status != SettingsReadStatus::read && status != SettingsReadStatus::cannot_read;
}

bool save_settings(const std::string& folder, const SettingsRecord& record, std::string& error) {
    if (!ensure_folder(folder, error)) return false;
    const Image image = encode_settings(record);
    return write_file_atomically(path_in_folder(folder, settings_file_name), image.data(), image.size(), error);
}

}  // namespace orbant
