#include "platform/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orbant {

namespace {
std::string reason() { return std::strerror(errno); }

// The permission bits the written file is to have.
mode_t permissions_for(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}
}  // namespace

bool write_file_atomically(const std::string& path, const std::uint8_t* bytes, std::size_t size,
                           std::string& error) {
    // The temporary file sits beside the target so that rename stays within
    // one file system and replaces the target in one step.
    std::string temp = path + ".tmpXXXXXX";
    int fd = mkstemp(temp.data());
    if (fd < 0) {
        error = "cannot create a file beside \"" + path + "\": " + reason();
        return false;
    }
    auto fail = [&](const std::string& what) {
        error = what + " \"" + path + "\": " + reason();
        ::close(fd);
        ::unlink(temp.c_str());
        return false;
    };
    std::size_t done = 0;
    while (done < size) {
        ssize_t n = ::write(fd, bytes + done, size - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail("cannot write");
        }
        done += static_cast<std::size_t>(n);
    }
    // mkstemp makes the file 0600. A replaced file keeps its permissions; a
    // new one gets those of any file the user makes (0666 less the umask).
    ::fchmod(fd, permissions_for(path));
    if (::fsync(fd) != 0) return fail("cannot write");
    if (::close(fd) != 0) {
        error = "cannot write \"" + path + "\": " + reason();
        ::unlink(temp.c_str());
        return false;
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        error = "cannot replace \"" + path + "\": " + reason();
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

bool read_file_prefix(const std::string& path, std::size_t max_size, std::vector<std::uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::vector<std::uint8_t> buf(max_size);
    std::size_t n = std::fread(buf.data(), 1, max_size, f);
    const bool bad = std::ferror(f) != 0;
    std::fclose(f);
    if (bad) return false;
    buf.resize(n);
    bytes = std::move(buf);
    return true;
}

}  // namespace orbant
