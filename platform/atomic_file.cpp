// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace orbant {

namespace {

std::atomic<AtomicWriteStep> injected_step{AtomicWriteStep::none};
std::atomic<int> injected_error{EIO};
std::atomic<int> injected_read_error{0};  // 0: reads are not failed

AtomicWriteStep hooked_step = AtomicWriteStep::none;
std::function<void()> step_hook;

// Runs the test hook of `step`, if any.
void run_hook(AtomicWriteStep step) {
    if (hooked_step == step && step_hook) step_hook();
}

// True (with errno set) when the test seam makes `step` fail; runs the
// step's test hook first.
bool injected_failure(AtomicWriteStep step) {
    run_hook(step);
    if (injected_step.load() != step) return false;
    errno = injected_error.load();
    return true;
}

std::string reason() { return std::strerror(errno); }

// The permission bits the written file is to have.
mode_t permissions_for(const struct stat* existing) {
    if (existing) return existing->st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

std::string folder_of(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string name_of(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// True for the six characters mkstemp puts in place of "XXXXXX".
bool is_mkstemp_suffix(const char* s) {
    for (int i = 0; i < 6; ++i) {
        const char c = s[i];
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!ok) return false;
    }
    return s[6] == '\0';
}

// An advisory lock on a folder, held from construction to destruction.
// Creating and locking a temporary file and removing stale ones happen only
// under it, so that a temporary that exists while the lock is held is
// either locked by its running write or stale.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder)
        : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd_ < 0) return;
        int r = 0;
        while ((r = ::flock(fd_, LOCK_EX)) != 0 && errno == EINTR) {}
        held_ = r == 0;
    }
    ~FolderLock() {
        if (fd_ >= 0) ::close(fd_);  // releases the lock
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    bool held() const { return held_; }

private:
    int fd_;
    bool held_ = false;
};

// Removes the file `name` of the folder `dir_fd` when it is a regular file
// that no running write holds locked. The lock taken to find out is
// dropped with the descriptor.
void remove_if_unowned(int dir_fd, const char* name) {
    const int fd = ::openat(dir_fd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return;
    struct stat opened {}, named {};
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
        ::fstatat(dir_fd, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && named.st_dev == opened.st_dev &&
        named.st_ino == opened.st_ino) {
        ::unlinkat(dir_fd, name, 0);
    }
    ::close(fd);
}

// Removes the regular files "<name>.tmpXXXXXX" beside `target` that an
// interrupted earlier write left, that is those no running write holds
// locked; `keep` is the one being written now. Called with the folder lock
// held.
void remove_stale_temporaries(const std::string& target, const std::string& keep) {
    const std::string folder = folder_of(target);
    const std::string prefix = name_of(target) + ".tmp";
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const int dir_fd = ::dirfd(dir);
    const std::string keep_name = name_of(keep);
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (std::strncmp(name, prefix.c_str(), prefix.size()) != 0) continue;
        if (!is_mkstemp_suffix(name + prefix.size()) || keep_name == name) continue;
        struct stat st {};
        if (::fstatat(dir_fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)) continue;
        remove_if_unowned(dir_fd, name);
    }
    ::closedir(dir);
}

}  // namespace

ScopedAtomicWriteFault::ScopedAtomicWriteFault(AtomicWriteStep step, int error_number)
    : previous_step_(injected_step.exchange(step)), previous_error_(injected_error.exchange(error_number)) {}

ScopedAtomicWriteFault::~ScopedAtomicWriteFault() {
    injected_step.store(previous_step_);
    injected_error.store(previous_error_);
}

ScopedAtomicWriteHook::ScopedAtomicWriteHook(AtomicWriteStep step, std::function<void()> hook) {
    hooked_step = step;
    step_hook = std::move(hook);
}

ScopedAtomicWriteHook::~ScopedAtomicWriteHook() {
    hooked_step = AtomicWriteStep::none;
    step_hook = nullptr;
}

ScopedFileReadFault::ScopedFileReadFault(int error_number)
    : previous_error_(injected_read_error.exchange(error_number)) {}

ScopedFileReadFault::~ScopedFileReadFault() { injected_read_error.store(previous_error_); }

std::string resolve_symbolic_links(const std::string& path) {
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
        std::string target(4096, '\0');
        const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= target.size()) return path;
        target.resize(static_cast<std::size_t>(n));
        if (target.front() != '/') {
            const auto slash = current.find_last_of('/');
            if (slash != std::string::npos) target = current.substr(0, slash + 1) + target;
        }
        current = target;
    }
    return path;
}

bool write_file_atomically(const std::string& path, const std::uint8_t* bytes, std::size_t size,
                           std::string& error) {
    // Through a symbolic link the write lands beside the link's target, so
    // that the link stays and the file it names is replaced.
    const std::string target = resolve_symbolic_links(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) {
        error = "cannot replace \"" + path + "\": it is not a regular file";
        return false;
    }
    // The temporary file sits beside the target so that rename stays within
    // one file system and replaces the target in one step.
    std::string temp = target + ".tmpXXXXXX";
    int fd = -1;
    {
        const FolderLock folder_lock(folder_of(target));
        fd = injected_failure(AtomicWriteStep::create) ? -1 : ::mkostemp(temp.data(), O_CLOEXEC);
        if (fd < 0) {
            error = "cannot create a file beside \"" + path + "\": " + reason();
            return false;
        }
        // The lock marks the temporary as owned until the descriptor is
        // closed after the rename; other writes then leave it alone.
        ::flock(fd, LOCK_EX);
        // Without the folder lock a temporary just created by another write
        // might not be locked yet: then none is removed.
        if (folder_lock.held()) remove_stale_temporaries(target, temp);
    }
    auto fail = [&](const std::string& what, bool open) {
        error = what + " \"" + path + "\": " + reason();
        if (open) ::close(fd);
        ::unlink(temp.c_str());
        return false;
    };
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = injected_failure(AtomicWriteStep::write) ? -1 : ::write(fd, bytes + done, size - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail("cannot write", true);
        }
        done += static_cast<std::size_t>(n);
    }
    // mkstemp makes the file 0600. A replaced file keeps its permissions; a
    // new one gets those of any file the user makes (0666 less the umask).
    ::fchmod(fd, permissions_for(exists ? &existing : nullptr));
    if (injected_failure(AtomicWriteStep::sync) || ::fsync(fd) != 0) return fail("cannot write", true);
    // The descriptor, and with it the lock, stays open until the rename.
    if (injected_failure(AtomicWriteStep::rename) || std::rename(temp.c_str(), target.c_str()) != 0)
        return fail("cannot replace", true);
    // The data reached the disk with fsync; a late error of close changes
    // nothing in the file that now stands at the target.
    ::close(fd);
    return true;
}

int rename_without_replacing(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    // A file system without the no-replace rename: look first, then rename.
    struct stat st {};
    if (::lstat(to.c_str(), &st) == 0) return EEXIST;
    if (std::rename(from.c_str(), to.c_str()) == 0) return 0;
    return errno;
}

ReadStatus read_file_prefix(const std::string& path, std::size_t max_size, std::vector<std::uint8_t>& bytes,
                            std::string& error) {
    // O_NONBLOCK: opening a FIFO with no writer returns at once instead of
    // waiting; the file type is checked before anything is read.
    const int injected = injected_read_error.load();
    if (injected != 0) errno = injected;
    const int fd = injected != 0 ? -1 : ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        error = std::strerror(err);
        if (err == ENOENT || err == ENOTDIR) return ReadStatus::missing;
        // A socket cannot be opened at all; it is no file either.
        struct stat st {};
        if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
            error = "not a regular file";
            return ReadStatus::not_regular;
        }
        return ReadStatus::failed;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        error = reason();
        ::close(fd);
        return ReadStatus::failed;
    }
    if (!S_ISREG(st.st_mode)) {
        error = "not a regular file";
        ::close(fd);
        return ReadStatus::not_regular;
    }
    std::vector<std::uint8_t> buf(max_size);
    std::size_t total = 0;
    while (total < max_size) {
        const ssize_t n = ::read(fd, buf.data() + total, max_size - total);
        if (n < 0) {
            if (errno == EINTR) continue;
            error = reason();
            ::close(fd);
            return ReadStatus::failed;
        }
        if (n == 0) break;
        total += static_cast<std::size_t>(n);
    }
    ::close(fd);
    buf.resize(total);
    bytes = std::move(buf);
    return ReadStatus::read;
}

}  // namespace orbant
