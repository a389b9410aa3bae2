// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/window_size_file.h"

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/config_dir.h"

namespace orbant {

bool read_window_size(const std::string& folder, ScreenSize& size) {
    std::vector<std::uint8_t> bytes;
    std::string why;
    // One byte more than a size may take tells a longer file apart.
    if (read_file_prefix(path_in_folder(folder, window_size_file_name), window_size_file_max_bytes + 1, bytes,
                         why) != ReadStatus::read ||
        bytes.size() > window_size_file_max_bytes)
        return false;
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (text.ends_with('\n')) text.remove_suffix(1);
    return parse_screen_size(text, size);
}

bool save_window_size(const std::string& folder, ScreenSize size, std::string& error) {
    if (!ensure_folder(folder, error)) return false;
    const std::string text = std::to_string(size.width) + "x" + std::to_string(size.height) + "\n";
    return write_file_atomically(path_in_folder(folder, window_size_file_name),
                                 reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), error);
}

}  // namespace orbant
