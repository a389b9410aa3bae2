// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/location_file.h"
#include "platform/atomic_file.h"
#include "tests/support/file_bytes.h"
#include "tests/support/scoped_environment.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <vector>

namespace orbant {
namespace {

using ::orbant::testing::TempFolder;
using ::orbant::testing::file_bytes;
using ::orbant::testing::write_bytes;

namespace fs = std::filesystem;

double double_at(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits |= static_cast<std::uint64_t>(bytes.at(offset + i)) << (8 * i);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

SheetState sample_state() {
    SheetState s;
    s.observer_latitude = -33.868820000000006;  // digits that do not survive "%.2f"
    s.observer_longitude = 151.20929;
    s.time_zone = 5.5;
    s.place_name = "Alt";
    s.stored_settings.latitude = 1.25;
    return s;
}

TEST(LocationRecordLayout, LittleEndianDoublesAtOffsets8To24) {
    LocationRecord r;
    r.longitude = 10.0;
    r.latitude = 53.5;
    r.time_zone = -3.5;
    const auto bytes = encode_location(r);
    ASSERT_EQ(bytes.size(), 32u);
    const std::vector<std::uint8_t> v(bytes.begin(), bytes.end());
    // 10.0 = 0x4024000000000000: the most significant byte comes last.
    EXPECT_EQ(v[8 + 7], 0x40);
    EXPECT_EQ(v[8 + 6], 0x24);
    for (int i = 8; i < 14; ++i) EXPECT_EQ(v[i], 0) << i;
    EXPECT_EQ(double_at(v, 16), 53.5);
    EXPECT_EQ(double_at(v, 24), -3.5);
}

TEST(LocationRecordLayout, DecodeIgnoresReservedAndTrailingBytes) {
    LocationRecord r;
    r.longitude = -0.1276;
    r.latitude = 51.5072;
    r.time_zone = 0.0;
    auto bytes = encode_location(r);
    std::vector<std::uint8_t> v(bytes.begin(), bytes.end());
    for (int i = 0; i < 8; ++i) v[i] = 0xCD;  // an arbitrary in-memory header
    v.push_back(0x99);                        // a longer file: the tail is ignored
    LocationRecord out;
    std::string error;
    ASSERT_TRUE(decode_location(v, out, error)) << error;
    EXPECT_EQ(out.longitude, r.longitude);
    EXPECT_EQ(out.latitude, r.latitude);
    EXPECT_EQ(out.time_zone, r.time_zone);
}

TEST(LocationRecordLayout, RefusesShortAndNonFiniteRecords) {
    LocationRecord good;
    good.longitude = 1.0;
    good.latitude = 2.0;
    good.time_zone = 3.0;
    const auto bytes = encode_location(good);
    std::string error;
    for (std::size_t n : {0u, 8u, 31u}) {
        LocationRecord out = good;
        out.latitude = 77.0;
        error.clear();
        EXPECT_FALSE(decode_location(std::span<const std::uint8_t>(bytes.data(), n), out, error)) << n;
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(out.latitude, 77.0) << "a refused record must leave the output alone";
    }
    // Per field (longitude, latitude, zone): its limits are taken, anything
    // beyond them is refused like a value that is not a number.
    const double limit[3] = {360.0, 90.0, 14.0};
    for (int field = 0; field < 3; ++field) {
        for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity(), 1e300, std::nextafter(limit[field], 1e9),
                           -std::nextafter(limit[field], 1e9)}) {
            LocationRecord r = good;
            (field == 0 ? r.longitude : field == 1 ? r.latitude : r.time_zone) = bad;
            LocationRecord out;
            out.latitude = 77.0;
            error.clear();
            EXPECT_FALSE(decode_location(encode_location(r), out, error)) << field << " " << bad;
            EXPECT_NE(error.find("außerhalb des Bereichs"), std::string::npos) << error;
            EXPECT_EQ(out.latitude, 77.0);
        }
        for (double edge : {limit[field], -limit[field]}) {
            LocationRecord r = good;
            (field == 0 ? r.longitude : field == 1 ? r.latitude : r.time_zone) = edge;
            LocationRecord out;
            EXPECT_TRUE(decode_location(encode_location(r), out, error)) << field << " " << edge;
        }
    }
}

TEST(LocationPlaceName, CutBeforeTheFirstDotWithoutTheFolder) {
    EXPECT_EQ(place_name_from_file_name("/home/u/Standort1.ort"), "Standort1");
    EXPECT_EQ(place_name_from_file_name("Nord.Ost.ort"), "Nord");
    EXPECT_EQ(place_name_from_file_name("/data/Nord.Ost.ort"), "Nord");
    EXPECT_EQ(place_name_from_file_name("/a.b/Ohnepunkt"), "") << "a dot in the folder does not count";
    EXPECT_EQ(place_name_from_file_name("Ohnepunkt"), "");
    EXPECT_EQ(place_name_from_file_name("/x/.ort"), "");
    EXPECT_EQ(place_name_from_file_name("/x/M\xC3\xBCnchen.ort"), "M\xC3\xBCnchen");
}

TEST(LocationPlaceName, SaveNameGetsExtensionOnlyWhenItHasNone) {
    EXPECT_EQ(location_path_with_extension("/h/Berlin"), "/h/Berlin.ort");
    EXPECT_EQ(location_path_with_extension("/h.x/Berlin"), "/h.x/Berlin.ort");
    EXPECT_EQ(location_path_with_extension("/h/Berlin.ort"), "/h/Berlin.ort");
    EXPECT_EQ(location_path_with_extension("/h/Nord.Ost"), "/h/Nord.Ost");
}

TEST(LocationFile, SaveAndLoadRestoresPlaceExactly) {
    TempFolder dir;
    const SheetState saved = sample_state();
    std::string error;
    const std::string path = dir.file("Standort1.ort");
    ASSERT_TRUE(write_location_file(path, location_from_state(saved), error)) << error;
    EXPECT_EQ(file_bytes(path).size(), 32u);

    SheetState loaded;
    loaded.observer_latitude = 1.0;
    loaded.place_name = "vorher";
    loaded.stored_settings.latitude = 9.75;
    ASSERT_TRUE(load_location_into_state(path, loaded, error)) << error;
    EXPECT_EQ(loaded.place_name, "Standort1");
    EXPECT_EQ(loaded.observer_latitude, saved.observer_latitude);
    EXPECT_EQ(loaded.observer_longitude, saved.observer_longitude);
    EXPECT_EQ(loaded.time_zone, 5.5) << "the zone keeps its fraction";
    EXPECT_EQ(loaded.stored_settings.latitude, 9.75) << "the stored settings are not touched";

    // No temporary file is left beside the result.
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path())) ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(LocationFile, SaveReplacesAnExistingFile) {
    TempFolder dir;
    const std::string path = dir.file("Ort.ort");
    write_bytes(path, std::vector<std::uint8_t>(100, 0xFF));
    LocationRecord r;
    r.latitude = 12.0;
    std::string error;
    ASSERT_TRUE(write_location_file(path, r, error)) << error;
    const auto bytes = file_bytes(path);
    ASSERT_EQ(bytes.size(), 32u);
    EXPECT_EQ(double_at(bytes, 16), 12.0);
}

// Loads that fail must leave the whole working place alone, the name included.
TEST(LocationFile, FailedLoadsChangeNothing) {
    TempFolder dir;
    LocationRecord good;
    good.latitude = 40.0;
    const auto enc = encode_location(good);
    std::vector<std::uint8_t> short_file(enc.begin(), enc.begin() + 20);
    std::vector<std::uint8_t> nan_file(enc.begin(), enc.end());
    const double nan = std::numeric_limits<double>::quiet_NaN();
    LocationRecord bad = good;
    bad.time_zone = nan;
    const auto bad_enc = encode_location(bad);
    nan_file.assign(bad_enc.begin(), bad_enc.end());
    write_bytes(dir.file("Kurz.ort"), short_file);
    write_bytes(dir.file("Leer.ort"), {});
    write_bytes(dir.file("Nan.ort"), nan_file);
    fs::create_directory(dir.file("Ordner.ort"));

    for (const std::string name : {"Kurz.ort", "Leer.ort", "Nan.ort", "Fehlt.ort", "Ordner.ort"}) {
        SheetState s = sample_state();
        std::string error;
        EXPECT_FALSE(load_location_into_state(dir.file(name), s, error)) << name;
        EXPECT_NE(error.find(dir.file(name)), std::string::npos) << "the message names the file: " << error;
        EXPECT_EQ(s.place_name, "Alt") << name;
        EXPECT_EQ(s.observer_latitude, sample_state().observer_latitude) << name;
        EXPECT_EQ(s.observer_longitude, sample_state().observer_longitude) << name;
        EXPECT_EQ(s.time_zone, 5.5) << name;
    }
}

TEST(LocationFile, FailedSaveLeavesTheOldFileAndNoTemporary) {
    for (AtomicWriteStep step :
         {AtomicWriteStep::create, AtomicWriteStep::write, AtomicWriteStep::sync, AtomicWriteStep::rename}) {
        TempFolder dir;
        const std::string path = dir.file("Fest.ort");
        LocationRecord old_place;
        old_place.latitude = 11.0;
        std::string error;
        ASSERT_TRUE(write_location_file(path, old_place, error)) << error;
        const auto before = file_bytes(path);

        LocationRecord new_place;
        new_place.latitude = 22.0;
        error.clear();
        bool saved = true;
        {
            ScopedAtomicWriteFault fault(step);
            saved = write_location_file(path, new_place, error);
        }
        EXPECT_FALSE(saved) << static_cast<int>(step);
        EXPECT_NE(error.find(path), std::string::npos) << error;
        EXPECT_EQ(file_bytes(path), before);
        int entries = 0;
        for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path())) ++entries;
        EXPECT_EQ(entries, 1) << static_cast<int>(step);
    }
}

// The rename is the last step: when it fails (here: the target is a folder
// holding a file) the target is untouched and the temporary file is gone.
TEST(LocationFile, FailedRenameLeavesTargetAndNoTemporary) {
    TempFolder dir;
    const std::string path = dir.file("Besetzt.ort");
    fs::create_directory(path);
    write_bytes(path + "/inhalt", {1, 2, 3});
    std::string error;
    EXPECT_FALSE(write_location_file(path, LocationRecord{}, error));
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(file_bytes(path + "/inhalt").size(), 3u);
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path())) ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(LocationFile, MissingFolderAndNonFiniteValuesAreReported) {
    TempFolder dir;
    std::string error;
    EXPECT_FALSE(write_location_file(dir.file("nicht/da.ort"), LocationRecord{}, error));
    EXPECT_NE(error.find("nicht/da.ort"), std::string::npos) << error;

    for (double bad : {std::numeric_limits<double>::infinity(), 360.5}) {
        LocationRecord r;
        r.longitude = bad;
        error.clear();
        EXPECT_FALSE(write_location_file(dir.file("weit.ort"), r, error));
        EXPECT_FALSE(fs::exists(dir.file("weit.ort")));
        EXPECT_FALSE(error.empty());
    }
}

TEST(LocationFile, AFifoOrFolderIsRefusedWithoutWaiting) {
    TempFolder dir;
    ASSERT_EQ(::mkfifo(dir.file("Rohr.ort").c_str(), 0600), 0);
    fs::create_directory(dir.file("Ordner.ort"));
    for (const char* name : {"Rohr.ort", "Ordner.ort"}) {
        LocationRecord r;
        std::string error;
        EXPECT_FALSE(read_location_file(dir.file(name), r, error)) << name;
        EXPECT_NE(error.find("keine gewöhnliche Datei"), std::string::npos) << error;
        // Saving does not put a plain file in its place either.
        EXPECT_FALSE(write_location_file(dir.file(name), LocationRecord{}, error)) << name;
        EXPECT_FALSE(fs::is_regular_file(dir.file(name))) << name;
    }
}

}  // namespace
}  // namespace orbant
