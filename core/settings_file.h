// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <ostream>
#include <span>
#include <string>

namespace orbant {

// The stored settings: the in-memory form of the 64-byte file "Setup.dat"
// (little-endian, IEEE 754 doubles). Offsets: 0 reserved (8 bytes, ignored),
// 8 longitude (deg, east +), 16 latitude (deg, north +), 24 time zone (h east
// of Greenwich, without summer time), 32 timer period (s), 36 auto summer
// time (0/1), 40 night mode (0/1), 44 place name (Windows-1252, NUL-terminated,
// at most 19 characters).
struct SettingsRecord {
    std::array<std::uint8_t, 8> reserved{};
    double longitude = 0.0;
    double latitude = 0.0;
    double time_zone = 0.0;
    std::int32_t timer_period = 0;
    std::int32_t auto_summer_time = 0;
    std::int32_t night_mode = 0;
    std::array<std::uint8_t, 20> place_name{};
};

inline constexpr std::size_t settings_file_size = 64;  // bytes of "Setup.dat"
inline constexpr std::size_t place_name_max_chars = 19;  // room for the NUL
inline constexpr const char* settings_file_name = "Setup.dat";
inline constexpr const char* bad_settings_suffix = ".bad";  // kept copy of an unreadable file

// The built-in settings of a first start: Hamburg, zone +1, tick 10 s,
// "Auto-Sommerzeit" and "Nachtmodus" on.
inline constexpr double default_latitude = 53.5;    // degrees north
inline constexpr double default_longitude = 10.0;   // degrees east
inline constexpr double default_time_zone = 1.0;    // hours east of Greenwich
inline constexpr int default_timer_period = 10;     // seconds
inline constexpr int default_auto_summer_time = 1;
inline constexpr int default_night_mode = 1;
inline constexpr const char* default_place_name = "Hamburg";

// The 64-byte little-endian image of a record (reserved bytes as held).
std::array<std::uint8_t, settings_file_size> encode_settings(const SettingsRecord& record);

// The record of a 64-byte image.
SettingsRecord decode_settings(const std::array<std::uint8_t, settings_file_size>& bytes);

// True when the image's doubles are all finite.
bool settings_values_finite(const SettingsRecord& record);

// True when longitude, latitude, zone and timer period lie within the
// ranges of core/value_ranges.h (a record fit to use).
bool settings_values_in_range(const SettingsRecord& record);

// UTF-8 text to Windows-1252 bytes, one byte per character; a character the
// code page cannot represent (or an invalid UTF-8 sequence) becomes '?'.
std::string utf8_to_windows1252(const std::string& utf8);

// Windows-1252 bytes to UTF-8; the five unassigned bytes become U+FFFD.
std::string windows1252_to_utf8(const std::string& bytes);

// Stores a UTF-8 place name into the record's name field as Windows-1252,
// cut to 19 characters, with its terminating NUL. The bytes after the NUL
// keep what the record held before.
void store_place_name(SettingsRecord& record, const std::string& utf8_name);

// The record's place name (bytes up to the NUL, or all 20 when there is
// none) as UTF-8.
std::string stored_place_name(const SettingsRecord& record);

// A record with the built-in defaults of a first start.
SettingsRecord default_settings();

enum class SettingsReadStatus {
    read,         // a full, finite 64-byte record was read
    missing,      // there is no file
    unreadable,   // damaged: shorter than 64 bytes or a value out of range
    not_regular,  // a FIFO, device or folder: not read, and never to be replaced
    cannot_read,  // a regular file that cannot be opened or read (permissions, I/O error)
};

// The record of a file's bytes (its first 64; more are ignored): read, or
// unreadable when shorter or out of range. `record` changes only when read.
SettingsReadStatus settings_from_file_bytes(std::span<const std::uint8_t> bytes, SettingsRecord& record);

// Reads the file at `path` into `record` without touching the disk
// otherwise. `record` changes only when the status is read; `why`, when
// given, gets the system's reason of cannot_read.
SettingsReadStatus read_settings_file(const std::string& path, SettingsRecord& record,
                                      std::string* why = nullptr);

// The name of the `number`th kept copy of a damaged file: "Setup.dat.bad",
// then "Setup.dat.bad.1", "Setup.dat.bad.2", ...
std::string damaged_copy_name(const std::string& path, int number);

// Loads "Setup.dat" of the settings folder into `record` and returns how it
// went. A damaged file (unreadable) is first kept under the first free name
// of damaged_copy_name (nothing lost, earlier copies stay) and a warning
// naming it goes to `warnings`. A file that cannot be read (cannot_read)
// and something that is not a regular file are left where they are, with
// a warning. `record` changes only when the status is read.
SettingsReadStatus load_settings_file(const std::string& folder, SettingsRecord& record, std::ostream& warnings);

// load_settings_file, true when the file was read.
bool load_settings(const std::string& folder, SettingsRecord& record, std::ostream& warnings);

// Whether the start-up writes the defaults after a load with this status:
// when the file is missing or was damaged (and kept aside), and when it is
// no regular file (so that the failure is reported); never over a file
// that exists but cannot be read.
bool defaults_to_be_written(SettingsReadStatus status);

// Writes the record as "Setup.dat" of the settings folder (created when
// missing), atomically: a temporary file in the same folder, then rename, so
// a failed write never leaves a short or mixed file. Returns false with a
// message in `error` on failure; the old file is then left as it was.
bool save_settings(const std::string& folder, const SettingsRecord& record, std::string& error);

}  // namespace orbant
