// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/sheet_state.h"

namespace orbant {

// One observer place as stored in a location file (".ort"): 32 bytes,
// little-endian, IEEE 754 doubles. Offsets: 0 reserved (8 bytes, written as
// zeros, ignored on reading), 8 longitude (deg, east +), 16 latitude (deg,
// north +), 24 time zone (h east of Greenwich, may have a fraction). This is
// the layout of the first 32 bytes of "Setup.dat". The place's name is not
// stored: it is the file's own name (place_name_from_file_name).
struct LocationRecord {
    std::array<std::uint8_t, 8> reserved{};
    double longitude = 0.0;
    double latitude = 0.0;
    double time_zone = 0.0;
};

inline constexpr std::size_t location_file_size = 32;  // bytes of a location file

// Extension, file-open and file-save filters and initial names of the
// location-file dialogs, in the filter form "Text|pattern|...||".
inline constexpr std::string_view location_file_extension = "ort";
inline constexpr std::string_view location_open_filter =
    "ORB-Dateien (*.ort)|*.ort|Alle Dateien (*.*)|*.*||";
inline constexpr std::string_view location_save_filter =
    "Orb-Daten (*.ort)|*.ort|Alle Dateien (*.*)|*.*||";
inline constexpr std::string_view location_open_initial_name = "*.ort";
inline constexpr std::string_view location_save_initial_name = "Standort1.ort";

// The 32 bytes of `record`; the reserved bytes are copied as they are.
std::array<std::uint8_t, location_file_size> encode_location(const LocationRecord& record);

// Decodes the first 32 bytes of `bytes` into `record`. Refuses (returns false,
// `record` untouched, `error` set) fewer than 32 bytes and a longitude,
// latitude or time zone outside the ranges of core/value_ranges.h (also
// one that is not a number). Bytes after the 32nd are ignored.
bool decode_location(std::span<const std::uint8_t> bytes, LocationRecord& record,
                     std::string& error);

// Reads the location file at `path` (UTF-8), opened without blocking; a
// FIFO, device or folder is refused. On any failure (cannot open, cannot
// read, not a regular file, too short, out of range) returns false, leaves `record` as it
// was and sets `error` to a message naming the file.
bool read_location_file(const std::string& path, LocationRecord& record, std::string& error);

// Writes `record` to `path` atomically: a temporary file in the same folder
// is written, flushed to disk and renamed over `path`, so that `path` holds
// either its old contents or all 32 new bytes; through a symbolic link the
// file it names is replaced. Refuses values out of range (a file that could
// not be read back). On failure returns false, removes the
// temporary file and sets `error` to a message naming the file.
bool write_location_file(const std::string& path, const LocationRecord& record,
                         std::string& error);

// The place name a location file stands for: the file's name without its
// folder, cut before its first "."; a name without any "." gives "".
// "/home/u/Nord.Ost.ort" -> "Nord", "Standort1.ort" -> "Standort1".
std::string place_name_from_file_name(std::string_view path);

// The record of the working place of `state` (longitude, latitude, zone).
LocationRecord location_from_state(const SheetState& state);

// Loads the location file at `path` into the working place of `state`:
// place_name from the file name, observer_latitude, observer_longitude and
// time_zone from the file (the zone keeps its fraction). The stored settings
// are not touched. On failure nothing changes, not even place_name, and
// `error` names the file.
bool load_location_into_state(const std::string& path, SheetState& state, std::string& error);

// A name typed into the save dialog without an extension gets ".ort"; a name
// whose last component already has one ("Nord.Ost", "x.txt") is kept.
std::string location_path_with_extension(const std::string& path);

// The question to ask before saving when the save dialog returned `chosen`
// and the file will be written at `path` (chosen with its extension): the
// dialog asked about the name it returned, so a name that only got its
// extension afterwards may hit another existing file. Empty when no
// question is needed (same name, or no file at `path`).
std::string replace_question_before_save(const std::string& chosen, const std::string& path);

}  // namespace orbant
