// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <string>

namespace orbant {

// The settings folder in which bare file names such as "Setup.dat" are
// resolved: the explicit folder when given (--config-dir), else
// $ORBANT_CONFIG_DIR, else $XDG_CONFIG_HOME/orbant, else ~/.config/orbant.
// Empty environment variables count as unset. Does not touch the disk.
std::string settings_folder(const std::optional<std::string>& explicit_dir);

// Creates the folder (and its parents) when missing. Returns false and sets
// `error` to a message naming the folder when it cannot be created.
bool ensure_folder(const std::string& folder, std::string& error);

// folder + "/" + name.
std::string path_in_folder(const std::string& folder, const std::string& name);

}  // namespace orbant
