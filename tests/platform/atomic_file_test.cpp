// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "platform/atomic_file.h"
#include "tests/support/file_bytes.h"
#include "tests/support/scoped_environment.h"

namespace fs = std::filesystem;
using namespace orbant;

namespace {

using namespace ::orbant::testing;  // temporary folders and file bytes

std::set<std::string> names_in(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
    return names;
}

}  // namespace

TEST(AtomicFile, RemovesTheTemporariesOfInterruptedWrites) {
    TempFolder dir;
    const std::string path = dir.file("Setup.dat");
    // Left by killed saves: empty and partly written. Beside them files
    // that only look alike and must stay.
    write_bytes(path + ".tmpAb3xY9", {});
    write_bytes(path + ".tmpQQQQQQ", {1, 2});
    write_bytes(path + ".tmp-notiz", {3});
    write_bytes(path + ".tmpAb3xY9x", {4});
    write_bytes(dir.file("Andere.ort.tmpAb3xY9"), {5});
    fs::create_directory(path + ".tmpFolder");
    const std::vector<std::uint8_t> bytes{9, 8, 7};
    std::string error;
    ASSERT_TRUE(write_file_atomically(path, bytes.data(), bytes.size(), error)) << error;
    EXPECT_EQ(file_bytes(path), bytes);
    EXPECT_EQ(names_in(dir.path()), (std::set<std::string>{"Setup.dat", "Setup.dat.tmp-notiz", "Setup.dat.tmpAb3xY9x",
                                                           "Andere.ort.tmpAb3xY9", "Setup.dat.tmpFolder"}));
}

TEST(AtomicFile, AWriteLeavesTheTemporaryOfAnotherProcesssRunningWriteAlone) {
    TempFolder dir;
    const std::string path = dir.file("Setup.dat");
    int paused[2], go[2];
    ASSERT_EQ(::pipe(paused), 0);
    ASSERT_EQ(::pipe(go), 0);
    const pid_t other = ::fork();
    ASSERT_GE(other, 0);
    if (other == 0) {
        // Another instance on the same folder: its write holds before the
        // rename until told to go on.
        ::close(go[1]);
        const ScopedAtomicWriteHook hold(AtomicWriteStep::rename, [&] {
            char c = 0;
            if (::write(paused[1], "p", 1) != 1 || ::read(go[0], &c, 1) != 1) ::_exit(3);
        });
        const std::vector<std::uint8_t> theirs{1, 1, 1};
        std::string error;
        ::_exit(write_file_atomically(path, theirs.data(), theirs.size(), error) ? 0 : 1);
    }
    ::close(paused[1]);
    char c = 0;
    const bool held = ::read(paused[0], &c, 1) == 1;
    const std::vector<std::uint8_t> ours{2, 2};
    std::string error;
    const bool written = held && write_file_atomically(path, ours.data(), ours.size(), error);
    const bool released = ::write(go[1], "g", 1) == 1;
    ::close(go[1]);
    int status = 0;
    ASSERT_EQ(::waitpid(other, &status, 0), other);
    ::close(paused[0]);
    ::close(go[0]);
    ASSERT_TRUE(held && released);
    EXPECT_TRUE(written) << error;
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the other write lost its temporary file";
    EXPECT_EQ(file_bytes(path), (std::vector<std::uint8_t>{1, 1, 1})) << "the later rename wins";
    EXPECT_EQ(names_in(dir.path()), std::set<std::string>{"Setup.dat"});
}

TEST(AtomicFile, WritesThroughASymbolicLink) {
    TempFolder dir;
    fs::create_directories(dir.file("echt/tief"));
    write_bytes(dir.file("echt/tief/Ort.ort"), {1});
    // A relative link to a relative link: both stay links.
    fs::create_symlink("tief/Ort.ort", dir.file("echt/zwischen.ort"));
    fs::create_symlink("echt/zwischen.ort", dir.file("Ort.ort"));
    const std::vector<std::uint8_t> bytes{4, 5, 6};
    std::string error;
    ASSERT_TRUE(write_file_atomically(dir.file("Ort.ort"), bytes.data(), bytes.size(), error)) << error;
    EXPECT_TRUE(fs::is_symlink(dir.file("Ort.ort")));
    EXPECT_TRUE(fs::is_symlink(dir.file("echt/zwischen.ort")));
    EXPECT_EQ(file_bytes(dir.file("echt/tief/Ort.ort")), bytes);
    EXPECT_EQ(names_in(dir.file("echt/tief")), std::set<std::string>{"Ort.ort"});

    // A dangling link gets its target made.
    fs::create_symlink("neu.ort", dir.file("Neu.ort"));
    ASSERT_TRUE(write_file_atomically(dir.file("Neu.ort"), bytes.data(), bytes.size(), error)) << error;
    EXPECT_TRUE(fs::is_symlink(dir.file("Neu.ort")));
    EXPECT_EQ(file_bytes(dir.file("neu.ort")), bytes);
}

TEST(AtomicFile, ReadsOnlyRegularFilesAndNeverWaits) {
    TempFolder dir;
    ASSERT_EQ(::mkfifo(dir.file("rohr").c_str(), 0600), 0);
    std::vector<std::uint8_t> bytes{42};
    std::string error;
    EXPECT_EQ(read_file_prefix(dir.file("rohr"), 8, bytes, error), ReadStatus::not_regular);
    EXPECT_EQ(read_file_prefix(dir.path(), 8, bytes, error), ReadStatus::not_regular);
    EXPECT_EQ(read_file_prefix("/dev/null", 8, bytes, error), ReadStatus::not_regular);
    EXPECT_EQ(bytes, std::vector<std::uint8_t>{42});
}
