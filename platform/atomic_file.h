// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cerrno>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace orbant {

// Writes `bytes` to `path` atomically: into a temporary file beside it,
// flushed to disk, then renamed over `path`. A symbolic link at `path` is
// followed: the file it points to is replaced and the link stays. A target
// that exists but is not a regular file (a FIFO, a device, a folder) is
// refused and left alone. Temporary files of earlier writes of the same
// file that were interrupted ("<name>.tmpXXXXXX") are removed, but never
// one that a running write (of this or another process) still owns: each
// write holds an advisory lock (flock) on its temporary file until it has
// been renamed, and the temporary is created and locked, and stale ones are
// looked for, only while an advisory lock on the folder is held. On failure
// the temporary file is removed, the target is left as it was, false is
// returned and `error` names the file and the reason.
bool write_file_atomically(const std::string& path, const std::uint8_t* bytes, std::size_t size,
                           std::string& error);

// The file `path` stands for once symbolic links are followed (relative
// link targets taken from the link's folder); `path` itself when it is no
// link. A dangling link gives the path it points to. More than 40 links in
// a row give `path`.
std::string resolve_symbolic_links(const std::string& path);

enum class ReadStatus {
    read,         // the bytes were read
    missing,      // there is no such file
    not_regular,  // a FIFO, device, socket or folder: not opened for reading
    failed,       // it exists but cannot be opened or read
};

// Reads at most `max_size` bytes of the regular file at `path`. The file is
// opened without blocking and anything but a regular file is refused, so a
// FIFO never hangs the caller. `bytes` changes only when the status is read;
// `error` gets the system's reason otherwise.
ReadStatus read_file_prefix(const std::string& path, std::size_t max_size, std::vector<std::uint8_t>& bytes,
                            std::string& error);

// Renames `from` to `to` unless `to` exists (of any type, also a dangling
// link). Returns 0, EEXIST when `to` exists, or the system's error number.
int rename_without_replacing(const std::string& from, const std::string& to);

// The steps of an atomic write, for the test seam below.
enum class AtomicWriteStep { none, create, write, sync, rename };

// Test seam: while an object lives, the given step of every atomic write
// fails as the system would with `error_number` (EIO unless given), so that
// each failure path can be tested also by the super-user, whom permissions
// do not stop. Not for concurrent use.
class ScopedAtomicWriteFault {
public:
    explicit ScopedAtomicWriteFault(AtomicWriteStep step, int error_number = EIO);
    ~ScopedAtomicWriteFault();
    ScopedAtomicWriteFault(const ScopedAtomicWriteFault&) = delete;
    ScopedAtomicWriteFault& operator=(const ScopedAtomicWriteFault&) = delete;

private:
    AtomicWriteStep previous_step_;
    int previous_error_;
};

// Test seam: while an object lives, `hook` runs just before the given step
// of every atomic write, so that a test can hold a write half done. Not for
// concurrent use.
class ScopedAtomicWriteHook {
public:
    ScopedAtomicWriteHook(AtomicWriteStep step, std::function<void()> hook);
    ~ScopedAtomicWriteHook();
    ScopedAtomicWriteHook(const ScopedAtomicWriteHook&) = delete;
    ScopedAtomicWriteHook& operator=(const ScopedAtomicWriteHook&) = delete;
};

// Test seam: while an object lives, read_file_prefix cannot open any file,
// as the system would refuse it with `error_number` (EACCES unless given),
// so that an unreadable file can be tested also by the super-user, whom
// permissions do not stop. Not for concurrent use.
class ScopedFileReadFault {
public:
    explicit ScopedFileReadFault(int error_number = EACCES);
    ~ScopedFileReadFault();
    ScopedFileReadFault(const ScopedFileReadFault&) = delete;
    ScopedFileReadFault& operator=(const ScopedFileReadFault&) = delete;

private:
    int previous_error_;
};

}  // namespace orbant
