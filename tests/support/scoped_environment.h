// SPDX-License-Identifier: GPL-3.0-or-later
// Test helpers shared by the test executables: a temporary folder, and
// environment variables (TZ among them) set for the life of an object.
#pragma once
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>
#include <unistd.h>

namespace orbant::testing {

// Sets an environment variable (or unsets it for nullptr) for the life of the
// object and restores the old value afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_)
            setenv(name_.c_str(), old_->c_str(), 1);
        else
            unsetenv(name_.c_str());
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};

// Sets TZ for the life of the object, so that the local-time rules follow
// that zone, and restores it afterwards.
class ScopedZone {
public:
    explicit ScopedZone(const char* zone) : env_("TZ", zone) { tzset(); }
    ScopedZone(const ScopedZone&) = delete;
    ScopedZone& operator=(const ScopedZone&) = delete;

private:
    // Members are destroyed in reverse order: TZ is restored first, then
    // the rules are read again.
    struct ReadRulesOnExit {
        ~ReadRulesOnExit() { tzset(); }
    } read_rules_;
    ScopedEnv env_;
};

// A fresh temporary folder, removed with everything in it afterwards (write
// permission is given back first, for tests that take it away).
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "orbant-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

}  // namespace orbant::testing
