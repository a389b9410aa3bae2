// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "core/screen_size.h"

namespace orbant {

// The window's size as it was closed, kept in a file of its own in the
// settings folder ("Setup.dat" is not touched for it): one line "WxH" of
// pixels (the form --size takes) and a line feed.
inline constexpr const char* window_size_file_name = "window-size";

// Longest file taken for a size: "10000x10000\n" and some room. Anything
// longer is not a size written by the program.
inline constexpr std::size_t window_size_file_max_bytes = 32;

// Reads the size from the file in `folder`. Returns false, leaving `size`
// as it was, when the file is missing, not a regular file, unreadable,
// longer than window_size_file_max_bytes, or holds anything but one size
// of the form "WxH" (a final line feed allowed) with sides in
// min_screen_side_px..max_screen_side_px.
bool read_window_size(const std::string& folder, ScreenSize& size);

// Writes the size atomically to the file in `folder` (created when
// missing). Returns false with `error` set on failure; the old file is
// then left as it was.
bool save_window_size(const std::string& folder, ScreenSize size, std::string& error);

}  // namespace orbant
