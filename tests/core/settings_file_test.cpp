// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <bit>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/settings_file.h"
#include "platform/atomic_file.h"
#include "tests/support/file_bytes.h"
#include "tests/support/scoped_environment.h"

namespace fs = std::filesystem;
using namespace orbant;

namespace {

using namespace ::orbant::testing;  // temporary folders and file bytes

double double_at(const std::vector<std::uint8_t>& b, std::size_t at) {
    std::uint64_t u = 0;
    for (int i = 0; i < 8; ++i) u |= static_cast<std::uint64_t>(b[at + i]) << (8 * i);
    return std::bit_cast<double>(u);
}

std::int32_t int_at(const std::vector<std::uint8_t>& b, std::size_t at) {
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(b[at + i]) << (8 * i);
    return static_cast<std::int32_t>(u);
}

}  // namespace

TEST(SettingsFile, FirstStartDefaultsGiveTheDocumentedBytes) {
    TempFolder dir;
    std::string error;
    ASSERT_TRUE(save_settings(dir.path(), default_settings(), error)) << error;
    const auto b = file_bytes(dir.file("Setup.dat"));
    ASSERT_EQ(b.size(), 64u);
    EXPECT_EQ(double_at(b, 8), 10.0);
    EXPECT_EQ(double_at(b, 16), 53.5);
    EXPECT_EQ(double_at(b, 24), 1.0);
    EXPECT_EQ(int_at(b, 32), 10);
    EXPECT_EQ(int_at(b, 36), 1);
    EXPECT_EQ(int_at(b, 40), 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[44]), 8), std::string("Hamburg\0", 8));
    // Little-endian IEEE 754: 10.0 is 0x4024000000000000.
    const std::vector<std::uint8_t> ten(b.begin() + 8, b.begin() + 16);
    EXPECT_EQ(ten, (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 0x24, 0x40}));
}

TEST(SettingsFile, RecordRoundTripsThroughTheFile) {
    TempFolder dir;
    SettingsRecord r = default_settings();
    r.longitude = -122.4194;
    r.latitude = -33.925;
    r.time_zone = 5.5;
    r.timer_period = 86400;
    r.auto_summer_time = 0;
    r.night_mode = 0;
    store_place_name(r, "Köln-Müngersdorf");
    std::string error;
    ASSERT_TRUE(save_settings(dir.path(), r, error)) << error;
    SettingsRecord back;
    std::ostringstream warnings;
    ASSERT_TRUE(load_settings(dir.path(), back, warnings));
    EXPECT_EQ(back.longitude, r.longitude);
    EXPECT_EQ(back.latitude, r.latitude);
    EXPECT_EQ(back.time_zone, 5.5);
    EXPECT_EQ(back.timer_period, 86400);
    EXPECT_EQ(back.auto_summer_time, 0);
    EXPECT_EQ(back.night_mode, 0);
    EXPECT_EQ(stored_place_name(back), "Köln-Müngersdorf");
    EXPECT_TRUE(warnings.str().empty());
}

TEST(SettingsFile, UmlautIsOneLatin1Byte) {
    SettingsRecord r;
    store_place_name(r, "Lübeck ä");
    const auto b = encode_settings(r);
    EXPECT_EQ(b[44 + 1], 0xFC);  // ü
    EXPECT_EQ(b[44 + 7], 0xE4);  // ä
    EXPECT_EQ(b[44 + 8], 0);
    EXPECT_EQ(stored_place_name(decode_settings(b)), "Lübeck ä");
}

TEST(SettingsFile, NamesBeyondLatin1UseWindows1252) {
    SettingsRecord r;
    store_place_name(r, "€ „Ort“ Łódź");
    const auto b = encode_settings(r);
    EXPECT_EQ(b[44], 0x80);       // € in Windows-1252
    EXPECT_EQ(b[44 + 2], 0x84);   // „
    EXPECT_EQ(b[44 + 6], 0x93);   // “
    EXPECT_EQ(b[44 + 8], '?');    // Ł is not in the code page
    EXPECT_EQ(stored_place_name(r), "€ „Ort“ ?ód?");
}

TEST(SettingsFile, NameIsCutTo19CharactersAndTheNulFits) {
    SettingsRecord r;
    r.place_name.fill(0xAA);
    store_place_name(r, "Neunzehn-Zeichen-Ab");  // exactly 19
    EXPECT_EQ(r.place_name[19], 0);
    EXPECT_EQ(stored_place_name(r), "Neunzehn-Zeichen-Ab");

    store_place_name(r, "Garmisch-Partenkirchen äöü");  // 26 characters
    EXPECT_EQ(stored_place_name(r), "Garmisch-Partenkirc");
    EXPECT_EQ(r.place_name[19], 0);

    // A shorter name leaves the bytes after its NUL as they were.
    store_place_name(r, "Ulm");
    EXPECT_EQ(r.place_name[3], 0);
    EXPECT_EQ(r.place_name[4], 'i');
    EXPECT_EQ(stored_place_name(r), "Ulm");
}

TEST(SettingsFile, NameWithoutNulIsReadToTheFieldEnd) {
    SettingsRecord r;
    r.place_name.fill('x');
    EXPECT_EQ(stored_place_name(r), std::string(20, 'x'));
}

TEST(SettingsFile, Windows1252DecodesEveryByte) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    const std::string utf8 = windows1252_to_utf8(all);
    // Every assigned byte encodes back to itself; the five unassigned ones
    // (0x81, 0x8D, 0x8F, 0x90, 0x9D) come back as '?'.
    const std::string back = utf8_to_windows1252(utf8);
    ASSERT_EQ(back.size(), all.size());
    for (int b = 1; b < 256; ++b) {
        const bool unassigned = b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
        EXPECT_EQ(static_cast<unsigned char>(back[b - 1]), unassigned ? '?' : b) << "byte " << b;
    }
}

// Each byte of a malformed sequence (tests/text/utf8_test.cpp) becomes one
// '?', as does a valid character the code page lacks.
TEST(SettingsFile, InvalidUtf8BecomesQuestionMarks) {
    EXPECT_EQ(utf8_to_windows1252(std::string("a\xC3") + "b"), "a?b");
    EXPECT_EQ(utf8_to_windows1252("\xED\xA0\x80"), "???");   // a surrogate
    EXPECT_EQ(utf8_to_windows1252("😀"), "?");
}

TEST(SettingsFile, MissingFileIsNotReadAndChangesNothing) {
    TempFolder dir;
    SettingsRecord r = default_settings();
    r.latitude = 1.25;
    std::ostringstream warnings;
    EXPECT_FALSE(load_settings(dir.path(), r, warnings));
    EXPECT_EQ(r.latitude, 1.25);
    EXPECT_TRUE(warnings.str().empty());
    EXPECT_FALSE(fs::exists(dir.file("Setup.dat.bad")));
}

TEST(SettingsFile, ShortFileIsKeptAsBadAndNotRead) {
    TempFolder dir;
    const auto full = encode_settings(default_settings());
    write_bytes(dir.file("Setup.dat"), std::vector<std::uint8_t>(full.begin(), full.begin() + 40));
    SettingsRecord r;
    r.latitude = 7.0;
    std::ostringstream warnings;
    EXPECT_FALSE(load_settings(dir.path(), r, warnings));
    EXPECT_EQ(r.latitude, 7.0);
    EXPECT_FALSE(fs::exists(dir.file("Setup.dat")));
    ASSERT_TRUE(fs::exists(dir.file("Setup.dat.bad")));
    EXPECT_EQ(fs::file_size(dir.file("Setup.dat.bad")), 40u);
    EXPECT_NE(warnings.str().find("Setup.dat.bad"), std::string::npos) << warnings.str();
}

TEST(SettingsFile, AFileThatCannotBeReadIsLeftWhereItIsAndNotCalledDamaged) {
    // As a file of mode 000 for anyone but the super-user: opening it is
    // refused with EACCES.
    TempFolder dir;
    const auto full = encode_settings(default_settings());
    const std::vector<std::uint8_t> bytes(full.begin(), full.end());
    write_bytes(dir.file("Setup.dat"), bytes);
    SettingsRecord r;
    r.latitude = 7.0;
    std::ostringstream warnings;
    {
        const ScopedFileReadFault refused(EACCES);
        EXPECT_EQ(load_settings_file(dir.path(), r, warnings), SettingsReadStatus::cannot_read);
    }
    EXPECT_EQ(r.latitude, 7.0);
    EXPECT_EQ(file_bytes(dir.file("Setup.dat")), bytes);
    EXPECT_FALSE(fs::exists(dir.file("Setup.dat.bad")));
    EXPECT_NE(warnings.str().find("cannot be read (" + std::string(std::strerror(EACCES)) + ")"), std::string::npos)
        << warnings.str();
    EXPECT_EQ(warnings.str().find("damaged"), std::string::npos) << warnings.str();
}

TEST(SettingsFile, ValuesOutOfRangeMakeTheFileUnreadable) {
    // Each case changes one field of the defaults; `read` tells whether the
    // record is still taken. The limits themselves are inside.
    struct Case {
        int field;  // 0 longitude, 1 latitude, 2 zone, 3 timer period
        double value;
        bool read;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {0, nan, false},  {1, inf, false},    {2, -inf, false},  {2, 1e300, false}, {0, 360.0, true},
        {0, -360.0, true}, {0, 360.001, false}, {1, 90.0, true},  {1, -90.0, true},  {1, -90.5, false},
        {2, 14.0, true},  {2, -14.0, true},   {2, 14.25, false}, {3, 1, true},      {3, 86400, true},
        {3, 0, false},    {3, -5, false},     {3, 86401, false},
    };
    for (const Case& c : cases) {
        TempFolder dir;
        SettingsRecord r = default_settings();
        if (c.field == 3)
            r.timer_period = static_cast<std::int32_t>(c.value);
        else
            (c.field == 0 ? r.longitude : c.field == 1 ? r.latitude : r.time_zone) = c.value;
        const auto b = encode_settings(r);
        write_bytes(dir.file("Setup.dat"), std::vector<std::uint8_t>(b.begin(), b.end()));
        SettingsRecord out;
        EXPECT_EQ(read_settings_file(dir.file("Setup.dat"), out),
                  c.read ? SettingsReadStatus::read : SettingsReadStatus::unreadable)
            << c.field << " " << c.value;
        std::ostringstream warnings;
        EXPECT_EQ(load_settings(dir.path(), out, warnings), c.read);
        EXPECT_EQ(fs::exists(dir.file("Setup.dat.bad")), !c.read) << c.field << " " << c.value;
    }
}

TEST(SettingsFile, EveryDamagedCopyIsKept) {
    TempFolder dir;
    std::ostringstream warnings;
    for (std::uint8_t n = 1; n <= 3; ++n) {
        write_bytes(dir.file("Setup.dat"), std::vector<std::uint8_t>(n, n));
        SettingsRecord r;
        EXPECT_FALSE(load_settings(dir.path(), r, warnings));
    }
    EXPECT_EQ(file_bytes(dir.file("Setup.dat.bad")), std::vector<std::uint8_t>(1, 1));
    EXPECT_EQ(file_bytes(dir.file("Setup.dat.bad.1")), std::vector<std::uint8_t>(2, 2));
    EXPECT_EQ(file_bytes(dir.file("Setup.dat.bad.2")), std::vector<std::uint8_t>(3, 3));
    EXPECT_NE(warnings.str().find("Setup.dat.bad.2"), std::string::npos) << warnings.str();
}

TEST(SettingsFile, AFifoIsNeitherReadNorReplaced) {
    TempFolder dir;
    ASSERT_EQ(::mkfifo(dir.file("Setup.dat").c_str(), 0600), 0);
    SettingsRecord r = default_settings();
    r.latitude = 7.0;
    EXPECT_EQ(read_settings_file(dir.file("Setup.dat"), r), SettingsReadStatus::not_regular);
    std::ostringstream warnings;
    EXPECT_FALSE(load_settings(dir.path(), r, warnings));
    EXPECT_EQ(r.latitude, 7.0);
    EXPECT_NE(warnings.str().find("not a regular file"), std::string::npos) << warnings.str();
    std::string error;
    EXPECT_FALSE(save_settings(dir.path(), default_settings(), error));
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_fifo(dir.file("Setup.dat")));
    EXPECT_FALSE(fs::exists(dir.file("Setup.dat.bad")));
}

TEST(SettingsFile, LongerFileIsReadFromItsFirst64Bytes) {
    TempFolder dir;
    auto b = encode_settings(default_settings());
    std::vector<std::uint8_t> bytes(b.begin(), b.end());
    bytes.resize(100, 0x55);
    write_bytes(dir.file("Setup.dat"), bytes);
    SettingsRecord r;
    EXPECT_EQ(read_settings_file(dir.file("Setup.dat"), r), SettingsReadStatus::read);
    EXPECT_EQ(r.latitude, 53.5);
    EXPECT_EQ(stored_place_name(r), "Hamburg");
}

TEST(SettingsFile, ReadingDoesNotTouchTheDisk) {
    TempFolder dir;
    write_bytes(dir.file("Setup.dat"), {1, 2, 3});
    SettingsRecord r;
    EXPECT_EQ(read_settings_file(dir.file("Setup.dat"), r), SettingsReadStatus::unreadable);
    EXPECT_TRUE(fs::exists(dir.file("Setup.dat")));
    EXPECT_FALSE(fs::exists(dir.file("Setup.dat.bad")));
}

TEST(SettingsFile, FailedWriteLeavesTheOldFileAndReportsIt) {
    for (AtomicWriteStep step :
         {AtomicWriteStep::create, AtomicWriteStep::write, AtomicWriteStep::sync, AtomicWriteStep::rename}) {
        TempFolder dir;
        std::string error;
        ASSERT_TRUE(save_settings(dir.path(), default_settings(), error));
        const auto before = file_bytes(dir.file("Setup.dat"));
        SettingsRecord changed = default_settings();
        changed.latitude = -1.0;
        bool saved = true;
        {
            ScopedAtomicWriteFault fault(step, ENOSPC);
            saved = save_settings(dir.path(), changed, error);
        }
        EXPECT_FALSE(saved) << static_cast<int>(step);
        EXPECT_NE(error.find("Setup.dat"), std::string::npos) << error;
        EXPECT_NE(error.find(std::strerror(ENOSPC)), std::string::npos) << error;
        EXPECT_EQ(file_bytes(dir.file("Setup.dat")), before);
        for (const auto& e : fs::directory_iterator(dir.path()))
            EXPECT_EQ(e.path().filename(), "Setup.dat") << "left behind: " << e.path();
    }
}

TEST(SettingsFile, WriteCutShortByTheFileSizeLimitLeavesTheOldFile) {
    // The limit makes every write past 32 bytes fail (also for the
    // super-user): a write in place would leave a short file behind.
    TempFolder dir;
    std::string error;
    ASSERT_TRUE(save_settings(dir.path(), default_settings(), error));
    const auto before = file_bytes(dir.file("Setup.dat"));
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = old;
    tight.rlim_cur = 32;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
    SettingsRecord changed = default_settings();
    changed.latitude = -1.0;
    const bool saved = save_settings(dir.path(), changed, error);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_FALSE(saved);
    EXPECT_NE(error.find("Setup.dat"), std::string::npos) << error;
    EXPECT_EQ(file_bytes(dir.file("Setup.dat")), before);
    for (const auto& e : fs::directory_iterator(dir.path()))
        EXPECT_EQ(e.path().filename(), "Setup.dat") << "left behind: " << e.path();
}

TEST(SettingsFile, WriteIntoAFolderThatIsAFileFails) {
    TempFolder dir;
    write_bytes(dir.file("plain"), {1});
    std::string error;
    EXPECT_FALSE(save_settings(dir.file("plain"), default_settings(), error));
    EXPECT_FALSE(error.empty());
}

TEST(SettingsFile, SaveCreatesAMissingFolderAndReplacesTheFile) {
    TempFolder dir;
    const std::string folder = dir.file("a/b");
    std::string error;
    ASSERT_TRUE(save_settings(folder, default_settings(), error)) << error;
    SettingsRecord second = default_settings();
    second.timer_period = 30;
    ASSERT_TRUE(save_settings(folder, second, error)) << error;
    SettingsRecord r;
    EXPECT_EQ(read_settings_file(folder + "/Setup.dat", r), SettingsReadStatus::read);
    EXPECT_EQ(r.timer_period, 30);
    EXPECT_EQ(fs::file_size(folder + "/Setup.dat"), 64u);
}

TEST(AtomicFile, ReplacesContentsCompletely) {
    TempFolder dir;
    const std::string path = dir.file("f.bin");
    std::string error;
    const std::vector<std::uint8_t> big(1000, 7), small{1, 2};
    ASSERT_TRUE(write_file_atomically(path, big.data(), big.size(), error));
    ASSERT_TRUE(write_file_atomically(path, small.data(), small.size(), error));
    EXPECT_EQ(file_bytes(path), small);
    std::vector<std::uint8_t> prefix;
    ASSERT_EQ(read_file_prefix(path, 1, prefix, error), ReadStatus::read);
    EXPECT_EQ(prefix, std::vector<std::uint8_t>{1});
    EXPECT_EQ(read_file_prefix(dir.file("none"), 8, prefix, error), ReadStatus::missing);
}

TEST(AtomicFile, NewFilesFollowTheUmaskAndReplacedFilesKeepTheirPermissions) {
    TempFolder dir;
    const std::string path = dir.file("f.bin");
    std::string error;
    const std::vector<std::uint8_t> bytes{1, 2, 3};
    const mode_t old_mask = ::umask(027);
    const bool written = write_file_atomically(path, bytes.data(), bytes.size(), error);
    ::umask(old_mask);
    ASSERT_TRUE(written) << error;
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace);
    ASSERT_TRUE(write_file_atomically(path, bytes.data(), bytes.size(), error)) << error;
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
}
