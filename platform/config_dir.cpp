// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/config_dir.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace orbant {

namespace {
std::optional<std::string> env(const char* name) {
    const char* v = std::getenv(name);
    if (!v || !*v) return std::nullopt;
    return std::string(v);
}
}  // namespace

std::string settings_folder(const std::optional<std::string>& explicit_dir) {
    if (explicit_dir && !explicit_dir->empty()) return *explicit_dir;
    if (auto d = env("ORBANT_CONFIG_DIR")) return *d;
    if (auto d = env("XDG_CONFIG_HOME")) return *d + "/orbant";
    if (auto h = env("HOME")) return *h + "/.config/orbant";
    return ".config/orbant";
}

bool ensure_folder(const std::string& folder, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec || !std::filesystem::is_directory(folder, ec)) {
        error = "cannot create the settings folder \"" + folder + "\": " + (ec ? ec.message() : "not a folder");
        return false;
    }
    return true;
}

std::string path_in_folder(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

}  // namespace orbant
